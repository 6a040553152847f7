#include "games/chess/uChessForsythEdwardsNotationParser.h"
#include "games/chess/uChessForsythEdwardsNotationWriter.h"
#include "games/uGameTestHelpers.h"
#include "support/uExceptions.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

TEST(TChessForsythEdwardsNotation, RoundTripsPositionStrings) {
    struct TCase {
        const char* Variant;
        const char* Fen;
        const char* Written; // null: the same text
    };
    constexpr TCase Cases[] = {
        {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", nullptr},
        {"chess", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", nullptr},
        {"chess", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", nullptr},
        {"chess", "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1", nullptr},
        // Boards without kings exist only where kings may be taken.
        {"giveaway", "8/8/8/8/8/8/8/8 w - - 0 1", nullptr},
        {"chess", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", nullptr},
        {"chess", "  4k3/8/8/8/8/8/8/4K3\tw  -  -  3  7", "4k3/8/8/8/8/8/8/4K3 w - - 3 7"},
        {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR[Qn] w KQkq - 0 1",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"chess960", "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1", nullptr},
        {"chess960", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1"},
        {"chess960", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", nullptr},
        // X-FEN K/Q name the outermost rook; HAha equals KQkq.
        {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"chess960", "4k3/8/8/8/8/8/8/1R2K1R1 w KQ - 0 1", "4k3/8/8/8/8/8/8/1R2K1R1 w GB - 0 1"},
        {"chess960", "4k3/8/8/8/8/8/8/RR2K1RR w KQ - 0 1", "4k3/8/8/8/8/8/8/RR2K1RR w HA - 0 1"},
        // A castling rook that is not the outermost one is written by its column.
        {"shuffle", "bbqknnrr/pppppppp/8/8/8/8/PPPPPPPP/BBQKNNRR w Gg - 0 1", nullptr},
        {"chess", "4k3/8/8/8/8/8/8/1KR4R w C - 0 1", nullptr},
        // An en passant square of a double step that no capture can use is dropped.
        {"chess", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"},
        {"chess", "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1", nullptr},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame game = MakeGame(c.Variant, c.Fen);
        EXPECT_EQ(game.Fen(), c.Written != nullptr ? c.Written : c.Fen);
        EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
    }
}

// The board model reads boards of any size with holes ("_"); the variants keep to their own.
TEST(TChessForsythEdwardsNotation, RoundTripsBoardsOfOtherSizes) {
    constexpr std::pair<const char*, const char*> Cases[] = {
        {"giveaway", "8/8 w - - 0 1"},
        {"chess", "k2_/4/4/_2K b - - 12 40"},
        {"chess", "4k3/8/8/8/8/8/8/8/8/R3K2R w KQ - 0 1"},
    };
    for (const auto& [variant, fen] : Cases) {
        SCOPED_TRACE(fen);
        TTestGame game = MakeBoardGame(variant, fen);
        EXPECT_EQ(game.Fen(), fen);
        EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
    }
}

TEST(TChessForsythEdwardsNotation, ReadsHoldingsClocksAndMoveIndex) {
    TTestGame game =
        MakeGame("chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR[QQn-] b KQkq - 7 5");
    const auto& counts = game.Chess().CapturedPieces().Counts();
    EXPECT_EQ(counts[0][5], 2);
    EXPECT_EQ(counts[1][2], 1);
    EXPECT_EQ(game.Position->Side(), 1);
    EXPECT_EQ(game.Position->LongDraw(), 7u);
    EXPECT_EQ(game.Position->MoveIndex(), 9);

    // Nothing of the previous position survives a string that omits it.
    auto parser = game.Variant->CreateForsythEdwardsNotationParser();
    parser->SetPosition(game.Position.get());
    parser->Parse("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(game.Position->LongDraw(), 0u);
    EXPECT_EQ(game.Chess().CapturedPieces().AsString(), "");
    EXPECT_EQ(game.Position->MoveIndex(), 0);
}

TEST(TChessForsythEdwardsNotation, MoveNumberCountsTheMovesPlayed) {
    TTestGame game = MakeGame("chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 7");
    for (const char* text : {"e2e4", "e7e5", "g1f3"})
        game.Position->MakeRevertableMove(game.FindMove(text));
    EXPECT_EQ(game.Fen(), "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 8");
}

TEST(TChessForsythEdwardsNotation, ReportsEachErrorAndLeavesThePositionUnchanged) {
    struct TCase {
        std::string Fen;
        const char* Message;
    };
    std::string tallBoard;
    for (int i = 0; i < 4097; ++i)
        tallBoard += "8/";
    const TCase Cases[] = {
        {"rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "Row 2 too long"},
        {"8/7/8/8/8/8/8/8 w - - 0 1", "Row 2 size mishmash"},
        {"1/8 w - - 0 1", "Row 1 too short"},
        {"8 w - - 0 1", "Less that 2 rows"},
        {"", "Less that 2 rows"},
        {"8/8/8/8/8/8/8/X7 w - - 0 1", "Unknown Piece X"},
        {"8/8/8/8/8/8/8/#7 w - - 0 1",
         "Parse: 'Piece', 'integer' or '/' expected but token '#' found."},
        {"8/8/8/8/8/8/8/8", "Parse: '[' expected but token '' found."},
        {"8/8/8/8/8/8/8/8 ", "Parse: 'Side to move' expected but token '' found."},
        {"8/8/8/8/8/8/8/8 x - - 0 1", "Parse: 'Side to move' expected but token 'x' found."},
        {"8/8/8/8/8/8/8/8 w", "Parse: 'Castles' expected but token '' found."},
        {"8/8/8/8/8/8/8/8 w 5 - 0 1", "Parse: '-' or 'letter' expected but token '5' found."},
        {"8/8/8/8/8/8/8/8 w -", "Parse: 'En Passant square' expected but token '' found."},
        {"8/8/8/8/8/8/8/8 w - 3 0 1", "Parse: 'En passant square' expected but token '3' found."},
        {"8/8/8/8/8/8/8/8 w - j9 0 1", "Invalid coordinate x value: 9"},
        {"8/8/8/8/8/8/8/8 w - -", "Parse: 'Long draw' expected but token '' found."},
        {"8/8/8/8/8/8/8/8 w - - 0", "Parse: 'Game offset' expected but token '' found."},
        {"8/8/8/8/8/8/8/8 w - - 0 0", "Game offset out of range"},
        {"8/8/8/8/8/8/8/8 w - - 0 99999999999999999999", "Game offset out of range"},
        {"8/8/8/8/8/8/8/8[Qx] w - - 0 1", "Unknown Piece x"},
        // Boards that would not fit: more cells than the buffer, a padded array past 127,
        // endless digits and rows.
        {std::string(70, 'P') + "/8 w - - 0 1", "Board too large"},
        {"300/300 w - - 0 1", "Board too large"},
        {"9/9/9/9/9/9/9/9/9/9 w - - 0 1", "Board too large"},
        {"99999999999999999999/8 w - - 0 1", "Row 2 size mishmash"},
        {tallBoard + "8 w - - 0 1", "Column overflow"},
    };
    TTestGame game =
        MakeGame("chess", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R[Pq] "
                          "b KQkq - 3 9");
    const std::string before = game.Fen();
    const std::string holdings = game.Chess().CapturedPieces().AsString();
    ASSERT_EQ(holdings, "Pq");
    const THash hash = game.Position->Hash();
    auto        parser = game.Variant->CreateForsythEdwardsNotationParser();
    parser->SetPosition(game.Position.get());
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen.substr(0, 60));
        try {
            parser->Parse(c.Fen);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
        EXPECT_EQ(game.Fen(), before);
        EXPECT_EQ(game.Position->Hash(), hash);
        EXPECT_EQ(game.Chess().CapturedPieces().AsString(), holdings);
    }
}

TEST(TForsythEdwardsNotation, MapsSideNamesToLetters) {
    EXPECT_EQ(TForsythEdwardsNotation::SideColorToChar("White"), 'w');
    EXPECT_EQ(TForsythEdwardsNotation::SideColorToChar("Black"), 'b');
    EXPECT_EQ(TForsythEdwardsNotation::SideColorToChar(""), 0);
}
