#include "games/shogi/uShogiPosition.h"
#include "games/uGameTestHelpers.h"
#include "support/uExceptions.h"

#include <gtest/gtest.h>
#include <string>

TEST(TShogiForsythEdwardsNotation, WritesTheStartPositions) {
    struct TCase {
        const char* Variant;
        const char* Sfen;
    };
    constexpr TCase Cases[] = {
        {"shogi", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"},
        {"minishogi", "rbsgk/4p/5/P4/KGSBR b - 1"},
        {"goroGoroShogi", "sgkgs/5/1ppp1/1PPP1/5/SGKGS b - 1"},
        {"dobutsuShogi", "rkb/1p1/1P1/BKR b - 1"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Variant);
        TTestGame game = MakeGame(c.Variant);
        EXPECT_EQ(game.Fen(), c.Sfen);
        EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
    }
}

// Hands are written from the rook down to the pawn, whatever order they were read in.
TEST(TShogiForsythEdwardsNotation, ReadsWhatItWrites) {
    struct TCase {
        const char* Variant;
        const char* Sfen;
        const char* Written = nullptr;
    };
    constexpr TCase Cases[] = {
        {"shogi",
         "l1s3sn1/r3k1g1l/p1ngpp1p1/1ppp2p1p/1P6P/P2PP1PP1/2PG1+b3/1B1K3S1/LNS2GRNL b p 41"},
        {"shogi", "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1"},
        {"shogi", "8l/1l+R2P3/p2pBG1pp/kps1p4/Nn1P2G2/P1P1P2PP/1PS6/1KSG3+r1/LN2+p3L w Sbgn3p 124"},
        {"minishogi", "1r2s/4k/1K2p/PS1+B1/1GR2 b GB 17", "1r2s/4k/1K2p/PS1+B1/1GR2 b BG 17"},
        {"goroGoroShogi", "s1kg1/pPg1s/2P2/S1K2/3+p1/+pG2S b gp 17"},
        {"dobutsuShogi", "1k1/1bR/1B1/2K b 2PR 11", "1k1/1bR/1B1/2K b R2P 11"},
        // The start position of minishogi (a board of its own size; other sizes are refused).
        {"minishogi", "rbsgk/4p/5/P4/KGSBR b - 1"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Sfen);
        TTestGame game = MakeGame(c.Variant, c.Sfen);
        EXPECT_EQ(game.Fen(), c.Written != nullptr ? c.Written : c.Sfen);
        EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
    }
    // Hands and move number may be left out.
    EXPECT_EQ(MakeGame("minishogi", "rbsgk/4p/5/P4/KGSBR w").Fen(), "rbsgk/4p/5/P4/KGSBR w - 1");
}

TEST(TShogiForsythEdwardsNotation, CountsThePliesPlayed) {
    TTestGame game = MakeGame("shogi", "4k4/9/9/9/9/9/9/9/4K4 w - 10");
    game.Position->MakeRevertableMove(game.FindMove("5a5b"));
    EXPECT_EQ(game.Fen(), "9/4k4/9/9/9/9/9/9/4K4 b - 11");
}

// A bad string raises and leaves the position as it was.
TEST(TShogiForsythEdwardsNotation, RefusesBadStrings) {
    struct TCase {
        const char* Sfen;
        const char* Message;
    };
    constexpr TCase Cases[] = {
        {"", "Parse: 'Board' expected but token '' found."},
        {"4k4/9/9/9/9/9/9/9/4K4", "Parse: 'Side to move' expected but token '' found."},
        {"4k4/9/9/9/9/9/9/9/4K4 x - 1", "Parse: 'Side to move' expected but token 'x' found."},
        {"4k4/9/9/9/9/9/9/9/4K4 b - x", "Parse: 'Move number' expected but token 'x' found."},
        {"4k4/9/9/9/9/9/9/9/4K4 b - 1 moves", "Parse: 'end of position' expected but token "
                                              "'moves' found."},
        {"4k4/9/9/9/9/9/9/9/4K4 b - 0", "Game offset out of range"},
        {"4k4/9/9/9/9/9/9/9/4X4 b - 1", "Unknown Piece X"},
        {"4k4/9/9/9/9/9/9/9/3+GK4 b - 1", "Unknown Piece +G"},
        {"4k4/9/9/9/9/9/9/9/4K4 b 2X 1", "Unknown Piece X"},
        {"4k4/9/9/9/9/9/9/9/4K5 b - 1", "Board too large"},
        {"4k4/9/9/9/9/9/9/9/4K3 b - 1", "Row 9 size mishmash"},
        {"4k/5/9 b - 1", "Row 3 too long"},
        {"4k4 b - 1", "Less that 2 rows"},
        {"K/k b - 1", "First row too short"},
        {"4k4/9/9/9/9/9/9/9/4K4 b 19P 1", "Too many pieces in hand"},
        {"4k4/9/9/9/9/9/PPPPPPPPP/9/4K4 b 9P9p 1", "Too many pieces"},
        {"4k4/9/9/9/9/9/9/9/3KK4 b - 1", "Too many kings"},
    };
    TTestGame         game = MakeGame("shogi");
    const std::string start = game.Fen();
    auto              parser = game.Variant->CreateForsythEdwardsNotationParser();
    parser->SetPosition(game.Position.get());
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Sfen);
        try {
            parser->Parse(c.Sfen);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
        EXPECT_EQ(game.Fen(), start);
    }
}
