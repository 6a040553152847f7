#include "games/chess/uChessPosition.h"

#include "games/uGameTestHelpers.h"
#include "support/uExceptions.h"
#include "support/uRandomGenerator.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(TChessPosition, MakeAndRevertRestoreEverything) {
    struct TCase {
        const char* Variant;
        const char* Fen;
        const char* Move;
        const char* After;
    };
    constexpr TCase Cases[] = {
        // A double step beside no enemy pawn sets no en passant square; beside one it does.
        {"chess", "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e2e4", "4k3/8/8/8/4P3/8/8/4K3 b - - 0 1"},
        {"chess", "4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1", "e2e4", "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1"},
        {"chess", "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1", "d5e6", "4k3/8/4P3/8/8/8/8/4K3 b - - 0 1"},
        // Capturing a rook on its castling square removes the opponent's matching right.
        {"chess", "r3k2r/8/8/8/8/8/8/R3K2B w Qkq - 0 1", "h1a8",
         "B3k2r/8/8/8/8/8/8/R3K3 b Qk - 0 1"},
        // A king move clears both rights of its side; a rook from an unrecorded cell changes none.
        {"chess", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1d1",
         "r3k2r/8/8/8/8/8/8/R2K3R b kq - 1 1"},
        {"chess", "r3k2r/8/8/8/8/8/8/RR2K2R w KQkq - 0 1", "b1b2",
         "r3k2r/8/8/8/8/8/1R6/R3K2R b KQkq - 1 1"},
        {"chess", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "h1h5",
         "r3k2r/8/8/7R/8/8/8/R3K3 b Qkq - 1 1"},
        {"chess", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1",
         "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1"},
        {"chess", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8",
         "2kr3r/8/8/8/8/8/8/R3K2R w KQ - 1 2"},
        // Promotion with capture on a castling rook's square.
        {"chess", "r3k2r/1P6/8/8/8/8/8/4K3 w kq - 0 1", "b7a8n", "N3k2r/8/8/8/8/8/8/4K3 b k - 0 1"},
        // Chess960: king already on its destination, rook on the king's destination, and the
        // king and rook swapping cells.
        {"chess960", "4k3/8/8/8/8/8/8/6KR w H - 0 1", "O-O", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
        {"chess960", "4k3/8/8/8/8/8/8/1RK5 w B - 0 1", "O-O-O", "4k3/8/8/8/8/8/8/2KR4 b - - 1 1"},
        {"chess960", "4k3/8/8/8/8/8/8/2RK4 w C - 0 1", "O-O-O", "4k3/8/8/8/8/8/8/2KR4 b - - 1 1"},
        {"chess960", "4k3/8/8/8/8/8/8/4K1R1 w G - 0 1", "O-O", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
        {"chess960", "k7/8/8/8/8/8/8/4RK2 w E - 0 1", "O-O-O", "k7/8/8/8/8/8/8/2KR4 b - - 1 1"},
        {"chess960", "k7/8/8/8/8/8/8/3KR3 w E - 0 1", "O-O", "k7/8/8/8/8/8/8/5RK1 b - - 1 1"},
        {"chess960", "4k3/8/8/8/8/8/8/RK6 w A - 0 1", "O-O-O", "4k3/8/8/8/8/8/8/2KR4 b - - 1 1"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame game = MakeGame(c.Variant, c.Fen);
        game.ExpectMakeAndRevert(c.Move, c.After);
    }
}

TEST(TChessPosition, CountsCapturesAndKeepsTheWholeHalfMoveClock) {
    TTestGame   game = MakeGame("chess", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 300 160");
    const TMove capture = game.FindMove("e4d5");
    game.Position->MakeRevertableMove(capture);
    EXPECT_EQ(game.Chess().CapturedPieces().AsString(), "P");
    EXPECT_EQ(game.Position->LongDraw(), 0u);
    game.Position->RevertMove(capture);
    EXPECT_EQ(game.Position->LongDraw(), 300u);
    const TMove quiet = game.FindMove("e1d1");
    game.Position->MakeRevertableMove(quiet);
    EXPECT_EQ(game.Position->LongDraw(), 301u);
    game.Position->RevertMove(quiet);
    EXPECT_EQ(game.Position->LongDraw(), 300u);
    EXPECT_EQ(game.Chess().CapturedPieces().AsString(), "");
}

TEST(TChessPosition, KeepsTheHashEqualToARecomputedOneOnRandomGames) {
    struct TCase {
        const char* Variant;
        const char* Fen;
    };
    constexpr TCase Cases[] = {
        {"chess", ""},
        {"chess", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"},
        {"chess960", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9"},
        {"giveaway", ""},
        {"3Check", "rnbqkbnr/ppp2ppp/8/3pp3/4P3/5Q2/PPPP1PPP/RNB1KBNR w KQkq - 1+1 0 1"},
        {"kingOfTheHill", ""},
        {"racingKings", ""},
        {"atomic", ""},
        {"atomic", "r3k2r/pppq1ppp/2n1bn2/3pp3/3PP3/2N1BN2/PPPQ1PPP/R3K2R w KQkq - 0 1"},
        {"crazyhouse", ""},
        {"crazyhouse", "r3k2r/1P4P1/8/3p4/4P3/8/1p4p1/R3K2R[NNbb] w KQkq - 0 1"},
        {"horde", ""},
        {"hordeChess", ""},
    };
    TKvRandomGenerator random;
    random.SetSeed(12345);
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame game = MakeGame(c.Variant, c.Fen);
        for (int walk = 0; walk < 20; ++walk) {
            std::vector<TMove>       played;
            std::vector<std::string> fens;
            for (int ply = 0; ply < 40; ++ply) {
                TMoveListGuard guard(*game.Generator);
                if (guard.List().Count == 0)
                    break;
                const TMove move = *guard.List().Get(random.RangeU4(guard.List().Count - 1));
                fens.push_back(game.Fen());
                game.Position->MakeRevertableMove(move);
                played.push_back(move);
                ASSERT_EQ(game.Position->Hash(), game.Position->GetHash())
                    << game.Position->MoveToString(move) << " after " << fens.back();
            }
            while (!played.empty()) {
                game.Position->RevertMove(played.back());
                played.pop_back();
                ASSERT_EQ(game.Fen(), fens.back());
                fens.pop_back();
                ASSERT_EQ(game.Position->Hash(), game.Position->GetHash());
            }
        }
    }
}

TEST(TChessPosition, NextSideToPlayTogglesSideAndKey) {
    TTestGame   game = MakeGame("chess");
    const THash start = game.Position->Hash();
    game.Position->NextSideToPlay();
    EXPECT_EQ(game.Position->Side(), 1);
    EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
    EXPECT_NE(game.Position->Hash(), start);
}

TEST(TChessPosition, ParsesMoveTexts) {
    struct TCase {
        const char* Fen;
        const char* Text;
        int         From;
        int         To;
        int         Piece;
        int         Captured;
        int         MoveType;
    };
    constexpr TCase Cases[] = {
        {"", "e2e4", 35, 55, 1, 0, mvDoubleStep},
        {"", "g1f3", 27, 46, 2, 0, mvNormal},
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8Q", 85, 95, 1, 0, 5},
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8q", 85, 95, 1, 0, 5},
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8n", 85, 95, 1, 0, 2},
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8x", 85, 95, 1, 0, mvNormal},
        {"k7/4P3/8/8/8/8/8/8/8/4K3 w - - 0 1", "e9e10n", 105, 115, 1, 0, 2},
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8 ", 85, 95, 1, 0, mvNormal},
        {"4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1", "d5e6", 64, 75, 1, 0, mvEnPassant},
        {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", 25, 27, 6, 0, mvKingSideCastle},
        {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1h1", 25, 27, 6, 0, mvKingSideCastle},
        {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1a1", 25, 23, 6, 0, mvQueenSideCastle},
        {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O-O", 25, 23, 6, 0, mvQueenSideCastle},
        {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "0-0", 25, 27, 6, 0, mvKingSideCastle},
        {"4k3/8/8/8/8/8/8/R3K2R w - - 0 1", "e1g1", 25, 27, 6, 0, mvNormal},
        {"4k3/8/8/8/8/8/8/1K1R4 w D - 0 1", "b1d1", 22, 27, 6, 0, mvKingSideCastle},
        {"4k3/8/8/8/8/8/8/2K4R w H - 0 1", "c1e1", 23, 25, 6, 0, mvNormal},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", "N@f3", 0, 46, -2, 0, mvDrop},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", "n@f3", 0, 46, 0, 0, mvDrop},
        {"", "d1d7", 24, 84, 5, -1, mvNormal},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Text);
        TTestGame                    game = MakeBoardGame("chess", c.Fen);
        const std::unique_ptr<TMove> move = game.Position->StringToMove(c.Text);
        EXPECT_EQ(move->Size, 0);
        EXPECT_EQ(move->FromSquare, c.From);
        EXPECT_EQ(move->ToSquare, c.To);
        EXPECT_EQ(move->Piece, c.Piece);
        EXPECT_EQ(move->CapturedPiece, c.Captured);
        EXPECT_EQ(move->MoveType, c.MoveType);
    }
}

TEST(TChessPosition, RefusesUnreadableMoveTexts) {
    struct TCase {
        const char* Text;
        const char* Message;
    };
    constexpr TCase Cases[] = {
        {"e2", "Move e2 too short"},
        {"", "Move  too short"},
        {"e3e4", "First square of move e3e4 is empty"},
        {"e2i4", "Invalid coordinate x value: 8"},
        {"e2e9", "Invalid coordinate y value: 8"},
    };
    TTestGame game = MakeGame("chess");
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Text);
        try {
            game.Position->StringToMove(c.Text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
}

TEST(TChessPosition, WritesMovesForEachCastlingStyle) {
    TTestGame   game = MakeGame("chess", "4k3/1P6/8/8/8/8/8/R3K2R w KQ - 0 1");
    const TMove kingSide = game.FindMove("e1g1");
    const TMove promotion = game.FindMove("b7b8q");
    EXPECT_EQ(game.Position->MoveToString(kingSide), "e1g1");
    game.Chess().SetKingTakesRook(true);
    EXPECT_EQ(game.Position->MoveToString(kingSide), "e1h1");
    game.Chess().SetUseCastleStrings(true);
    EXPECT_EQ(game.Position->MoveToString(kingSide), "O-O");
    EXPECT_EQ(game.Position->MoveToString(promotion), "b7b8q");
    TMove drop{};
    drop.Piece = -2;
    drop.ToSquare = 46;
    drop.MoveType = mvDrop;
    EXPECT_EQ(game.Position->MoveToString(drop), "N@f3");
    EXPECT_EQ(game.Position->MoveToString(TMove{}), "--");
}

TEST(TChessPosition, ReadsEveryGeneratedMoveBackFromItsText) {
    // Castling by a king that is not two files from its castling square is written as the king
    // taking its rook: from g1 a step "g1g1" would read as nothing, from f1 "f1g1" is also the
    // plain king step.
    struct TCase {
        const char* Fen;
        const char* Castling;
    };
    constexpr TCase Cases[] = {
        {"r3k2r/8/8/8/8/8/7R/6KR w Kkq - 0 1", "g1h1"},
        {"4k3/8/8/8/8/8/8/5K1R w K - 0 1", "f1h1"},
        {"4k3/8/8/8/8/8/8/RK6 w Q - 0 1", "b1a1"},
        {"4k3/8/8/8/8/8/8/1K4R1 w K - 0 1", "b1g1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame                      game = MakeGame("chess", c.Fen);
        const std::vector<std::string> texts = game.MoveTexts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), c.Castling), 1);
        for (const std::string& text : texts) {
            SCOPED_TRACE(text);
            const TMove generated = game.FindMove(text);
            EXPECT_TRUE(IsSameMove(generated, *game.Position->StringToMove(text)));
        }
    }
}

TEST(TChessPosition, ReadsPieceTextsInEveryLanguage) {
    TChessPosition position;
    EXPECT_EQ(position.PieceToString(-2, plEnglish), "n");
    EXPECT_EQ(position.PieceToString(5, plGerman), "D");
    EXPECT_EQ(position.PieceToString(6, plFrench), "R");
    EXPECT_EQ(position.PieceToString(3, plHungarian), "F");
    EXPECT_EQ(position.PieceToString(1, plUnicode), "\u2659");
    EXPECT_EQ(position.PieceToString(-6, plUnicode), "\u265A");
    EXPECT_EQ(position.PieceToString(0, plEnglish), "");
    EXPECT_EQ(position.PieceToString(2, 1, plEnglish), "n");

    std::size_t index = 0;
    EXPECT_EQ(position.StringToPiece("nB", index, true, plEnglish), -2);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(position.StringToPiece("nB", index, true, plEnglish), 3);
    EXPECT_EQ(position.StringToPiece("nB", index, true, plEnglish), 0) << "past the end";
    EXPECT_EQ(index, 2u);
    index = 0;
    EXPECT_EQ(position.StringToPiece("n", index, false, plEnglish), 0);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(position.StringToPiece("T", index, false, plGerman), 4);
}

TEST(TChessCapturedPieces, ReadsLettersAndRejectsOthersWithoutLooping) {
    TChessCapturedPieces pieces;
    pieces.ReadFromString("QRbnp-");
    EXPECT_EQ(pieces.Counts()[0][5], 1);
    EXPECT_EQ(pieces.Counts()[1][2], 1);
    EXPECT_EQ(pieces.AsString(), "RQpnb");
    pieces.ReadFromString("-");
    EXPECT_EQ(pieces.AsString(), "");
    try {
        pieces.ReadFromString("Qx");
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Unknown Piece x");
    }
}

TEST(TChessPosition, CloneCopiesTheWholeState) {
    TTestGame game =
        MakeGame("chess960", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9");
    game.Chess().CapturedPieces().Add(0, 2);
    game.Position->MakeRevertableMove(game.FindMove("e2e4"));
    const std::unique_ptr<TPosition> clone = game.Position->Clone();
    auto&                            copy = static_cast<TChessPosition&>(*clone);
    EXPECT_EQ(copy.Hash(), game.Position->Hash());
    EXPECT_EQ(copy.Castles(), game.Chess().Castles());
    EXPECT_EQ(copy.CapturedPieces().Counts(), game.Chess().CapturedPieces().Counts());
    EXPECT_TRUE(copy.UseCastleStrings());
    EXPECT_EQ(copy.StackCount(), 0u);
    EXPECT_TRUE(TSquaredBoard::CompareFullBoard(copy.Board(), game.Chess().Board()));
    EXPECT_EQ(copy.PackedBoard(), game.Chess().PackedBoard());
}
