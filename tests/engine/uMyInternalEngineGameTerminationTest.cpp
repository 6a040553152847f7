#include "engine/uMyInternalEngine.h"
#include "games/uGameVariants.h"
#include "uEngineTestSupport.h"

#include <gtest/gtest.h>

// Who has won a position without a legal move, by the rules of its variant.
TEST(TMyInternalEngine, GameTerminationFollowsTheVariantRules) {
    struct TCase {
        const char*  Variant;
        const char*  Fen;
        TGameResult  Result;
        TResultCause Cause;
    };
    // clang-format off
    const TCase cases[] = {
        {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", grUnknown, rcMates},
        {"chess", "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3",
                                                                          grBlackWin, rcMates},
        {"chess", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1",                       grDraw, rcStalemate},
        {"chess", "R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1",                    grWhiteWin, rcMates},
        {"crazyhouse", "R5k1/5ppp/8/8/8/8/8/6K1[] b - - 0 1",             grWhiteWin, rcMates},
        // A piece in hand can block the check: the game goes on.
        {"crazyhouse", "R5k1/5ppp/8/8/8/8/8/6K1[r] b - - 0 1",            grUnknown, rcMates},
        // Giveaway: the side without a move wins.
        {"giveaway", "8/8/8/8/8/8/8/k7 w - - 0 1",                        grWhiteWin, rcNoPiece},
        {"giveaway", "8/8/8/8/8/p7/P7/8 b - - 0 1",                       grBlackWin, rcNoPiece},
        {"kingOfTheHill", "8/8/8/3k4/8/8/8/K7 w - - 0 1",                 grBlackWin, rcNoPiece},
        {"3Check", "4k3/8/8/8/8/8/8/4K3 w - - 0 1 +3+0",                  grWhiteWin, rcNoPiece},
        {"atomic", "8/8/8/8/8/8/8/K7 b - - 0 1",                          grWhiteWin, rcNoPiece},
        // Without a move a shogi side has lost, also when it is not in check (results name the
        // players by the chess colours: the first player's loss is grBlackWin).
        {"minishogi", "1r2k/5/5/4r/K4 b - 1",                             grBlackWin, rcMates},
        {"minishogi", "1r2k/5/5/4r/K4 b P 1",                             grUnknown, rcMates},
    };
    // clang-format on
    TMyInternalEngine engine;
    engine.SetOutput(std::make_unique<TRecordingOutput>(engine.AnalysisInfo()));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + c.Fen);
        engine.SetGameVariant(GameVariants().FindByName(c.Variant));
        engine.SetPositionFromString(c.Fen);
        const TGameTermination termination = engine.GetGameTermination();
        EXPECT_EQ(termination.Result, c.Result);
        if (c.Result != grUnknown) {
            EXPECT_EQ(termination.Cause, c.Cause);
        }
    }
}
