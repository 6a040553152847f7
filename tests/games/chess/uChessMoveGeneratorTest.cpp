#include "games/chess/uChessMoveGenerator.h"

#include "games/uGameTestHelpers.h"
#include "support/uRandomGenerator.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using TTexts = std::vector<std::string>;

TTexts Sorted(TTexts ATexts) {
    std::sort(ATexts.begin(), ATexts.end());
    return ATexts;
}

bool Contains(const TTexts& ATexts, const std::string& AText) {
    return std::find(ATexts.begin(), ATexts.end(), AText) != ATexts.end();
}

} // namespace

TEST(TChessMoveGenerator, ListsMovesInThePieceWalkOrder) {
    TTestGame    game = MakeGame("chess");
    const TTexts white = {"d2d3", "d2d4", "e2e3", "e2e4", "c2c3", "c2c4", "f2f3",
                          "f2f4", "b2b3", "b2b4", "g2g3", "g2g4", "a2a3", "a2a4",
                          "h2h3", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3"};
    EXPECT_EQ(game.MoveTexts(), white);
    game.Position->NextSideToPlay();
    const TTexts black = {"d7d6", "d7d5", "e7e6", "e7e5", "c7c6", "c7c5", "f7f6",
                          "f7f5", "b7b6", "b7b5", "g7g6", "g7g5", "a7a6", "a7a5",
                          "h7h6", "h7h5", "b8a6", "b8c6", "g8f6", "g8h6"};
    EXPECT_EQ(game.MoveTexts(), black);
    // Perft mode lists the same moves in the same order.
    game.Generator->SetPerftMode(true);
    EXPECT_EQ(game.MoveTexts(), black);
}

TEST(TChessMoveGenerator, AnswersChecksOnlyLegally) {
    struct TCase {
        const char* Why;
        const char* Fen;
        TTexts      Moves; // the complete list, in any order
    };
    const TCase Cases[] = {
        {"double check: only the king moves, and not onto the defended checker",
         "4k3/8/8/8/8/5n2/3q4/4K3 w - - 0 1",
         {"e1f1"}},
        {"double check: the checker next to the king is guarded by the line behind it",
         "4r2k/8/8/8/1b6/8/4r3/4K3 w - - 0 1",
         {"e1d1", "e1f1"}},
        {"a knight check is answered by capturing the knight or moving the king",
         "4k3/8/8/8/8/3n4/2B5/R3K3 w Q - 0 1",
         {"c2d3", "e1d1", "e1d2", "e1e2", "e1f1"}},
        {"the king never steps back along the checking rook's line",
         "4r2k/8/8/8/4K3/8/8/8 w - - 0 1",
         {"e4d3", "e4d4", "e4d5", "e4f3", "e4f4", "e4f5"}},
        {"a slider check may be blocked or its checker captured",
         "4k3/8/8/b7/5B2/8/8/R3K3 w Q - 0 1",
         {"a1a5", "f4d2", "e1d1", "e1e2", "e1f1", "e1f2"}},
        {"a pinned knight has no move; the pinned bishop slides along the pin",
         "4k3/4r3/8/8/1b6/8/3BN3/4K3 w - - 0 1",
         {"d2c3", "d2b4", "e1d1", "e1f1", "e1f2"}},
        {"a pawn pinned on a diagonal captures the pinner but does not advance",
         "7k/8/8/8/1b6/2P5/8/4K3 w - - 0 1",
         {"c3b4", "e1d1", "e1d2", "e1e2", "e1f1", "e1f2"}},
        {"en passant that uncovers a rank attack on the king is not generated",
         "7k/8/8/K1pP3r/8/8/8/8 w - c6 0 1",
         {"d5d6", "a5a4", "a5a6", "a5b5", "a5b6"}},
        {"en passant that removes the checking pawn is generated",
         "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1",
         {"e4d3", "c5d4", "c5b4", "c5b5", "c5b6", "c5c6", "c5d6", "c5d5", "c5c4"}},
        {"en passant that uncovers a diagonal through the captured pawn is not generated",
         "8/8/2k5/8/3pP3/8/6B1/4K3 b - e3 0 1",
         {"d4d3", "c6b5", "c6b6", "c6b7", "c6c5", "c6c7", "c6d6", "c6d7"}},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Why);
        TTestGame game = MakeGame("chess", c.Fen);
        for (const bool perft : {false, true}) {
            game.Generator->SetPerftMode(perft);
            EXPECT_EQ(Sorted(game.MoveTexts()), Sorted(c.Moves));
        }
    }
}

TEST(TChessMoveGenerator, RefusesCastlingThatCrossesAttacksOrPieces) {
    struct TCase {
        const char* Variant;
        const char* Fen;
        const char* Castle;
        bool        Allowed;
    };
    constexpr TCase Cases[] = {
        {"chess", "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", true},
        {"chess", "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", true},
        {"chess", "4k3/8/8/8/4r3/8/8/R3K2R w KQ - 0 1", "e1g1", false},  // in check
        {"chess", "4k3/8/8/8/5r2/8/8/R3K2R w KQ - 0 1", "e1g1", false},  // through f1
        {"chess", "4k3/8/8/8/6r1/8/8/R3K2R w KQ - 0 1", "e1g1", false},  // onto g1
        {"chess", "4k3/8/8/8/1r6/8/8/R3K2R w KQ - 0 1", "e1c1", true},   // b1 may be attacked
        {"chess", "4k3/8/8/8/8/8/8/R3KN1R w KQ - 0 1", "e1g1", false},   // piece between
        {"chess", "4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1", "e1c1", false},   // piece on b1
        {"chess960", "4k3/8/8/8/8/8/8/4K1R1 w G - 0 1", "O-O", true},    // rook on g1
        {"chess960", "4k3/8/8/8/8/8/8/qR1K4 w B - 0 1", "O-O-O", false}, // rook shielded c1
        {"chess960", "4k3/8/8/8/8/8/8/qRK5 w B - 0 1", "O-O-O", false},  // king already on c1
        {"chess960", "4k3/8/8/8/8/8/8/1R1K4 w B - 0 1", "O-O-O", true},
        {"chess960", "4k3/8/8/8/8/8/8/r1RK4 w C - 0 1", "O-O-O", false}, // a1 rook sees c1
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame game = MakeGame(c.Variant, c.Fen);
        EXPECT_EQ(Contains(game.MoveTexts(), c.Castle), c.Allowed);
    }
    // A castling move never carries a captured piece, even with the rook on the king's target.
    TTestGame   game = MakeGame("chess960", "4k3/8/8/8/8/8/8/4K1R1 w G - 0 1");
    const TMove castle = game.FindMove("O-O");
    EXPECT_EQ(castle.CapturedPiece, 0);
    EXPECT_EQ(castle.MoveType, mvKingSideCastle);
    EXPECT_EQ(castle.Spare, game.Chess().Board().XYToI(6, 0));
}

TEST(TChessMoveGenerator, KeepsOnlyCapturesWhenCapturesAreCompulsory) {
    TTestGame game = MakeGame("chess", "4k3/8/8/8/8/p7/8/R3K1NR w K - 0 1");
    EXPECT_EQ(game.MoveTexts().size(), 20u);
    game.Generator->SetMustCapture(true);
    EXPECT_EQ(game.MoveTexts(), TTexts{"a1a3"});
    game.Generator->SetPerftMode(true);
    EXPECT_EQ(game.MoveTexts(), TTexts{"a1a3"});

    // Without a capture every move stays, in the same order.
    TTestGame    quiet = MakeGame("chess", "4k3/8/8/8/8/8/8/R3K1NR w K - 0 1");
    const TTexts all = quiet.MoveTexts();
    quiet.Generator->SetMustCapture(true);
    EXPECT_EQ(quiet.MoveTexts(), all);
    // En passant counts as a capture.
    TTestGame passant = MakeGame("chess", "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1");
    passant.Generator->SetMustCapture(true);
    EXPECT_EQ(passant.MoveTexts(), TTexts{"d5e6"});
}

TEST(TChessMoveGenerator, PromotesToEachPieceDownFromPromotePawnTo) {
    TTestGame  game = MakeGame("chess", "8/4P3/8/8/8/8/k7/4K3 w - - 0 1");
    const auto promotions = [&] {
        TTexts result;
        for (const std::string& text : game.MoveTexts())
            if (text.rfind("e7e8", 0) == 0)
                result.push_back(text);
        return result;
    };
    EXPECT_EQ(promotions(), (TTexts{"e7e8q", "e7e8r", "e7e8b", "e7e8n"}));
    game.ChessGenerator().SetPromotePawnTo(6);
    EXPECT_EQ(promotions(), (TTexts{"e7e8k", "e7e8q", "e7e8r", "e7e8b", "e7e8n"}));
    game.ChessGenerator().SetPromotePawnTo(0);
    EXPECT_EQ(promotions(), (TTexts{"e7e8"}));
    EXPECT_EQ(game.FindMove("e7e8").MoveType, mvDefaultPromotion);
}

TEST(TChessMoveGenerator, CapturesOwnPiecesOnlyWhenAllowed) {
    TTestGame game = MakeGame("chess", "4k3/8/8/8/8/8/8/RN2K3 w - - 0 1");
    EXPECT_FALSE(Contains(game.MoveTexts(), "a1b1"));
    game.ChessGenerator().SetSelfCaptures(true);
    for (const bool perft : {false, true}) {
        game.Generator->SetPerftMode(perft);
        const TTexts moves = game.MoveTexts();
        EXPECT_TRUE(Contains(moves, "a1b1"));
        EXPECT_FALSE(Contains(moves, "a1c1")) << "the ray ends at the first piece";
    }
    EXPECT_EQ(game.FindMove("a1b1").CapturedPiece, cpKnight);
}

TEST(TChessMoveGenerator, ScoresOnlyOutsidePerftMode) {
    TTestGame game = MakeGame("chess");
    game.Generator->SetPerftMode(true);
    game.MoveTexts();
    EXPECT_EQ(game.Generator->Score(), TMoveGenerator::NoScore);
    game.Generator->SetPerftMode(false);
    game.MoveTexts();
    EXPECT_NE(game.Generator->Score(), TMoveGenerator::NoScore);
    EXPECT_EQ(game.Generator->Score(), 0) << "the start position is symmetric";
    EXPECT_EQ(game.ChessGenerator().Scores().Complexity, 40);
    // Priorities: an unattacked quiet move scores by centrality.
    const TMove move = game.FindMove("g1f3");
    const auto& pri = game.ChessGenerator().Evaluation().Pri;
    EXPECT_EQ(move.Priority, pri[move.ToSquare] - pri[move.FromSquare] + 127);
}

TEST(TChessMoveGenerator, KnowsEndgameMaterialBalances) {
    struct TCase {
        const char* Fen;
        int         Low;
        int         High;
    };
    constexpr TCase Cases[] = {
        {"4k3/8/8/8/8/8/8/3NK3 w - - 0 1", 0, 0},             // K N vs k: no mating material
        {"4k3/3r4/8/8/8/8/8/3QK3 w - - 0 1", 16383, 17800},   // K Q vs k r: first player wins
        {"4k3/3q4/8/8/8/8/8/3RK3 w - - 0 1", -17800, -16383}, // colours exchanged
        {"4k3/3b4/8/8/8/8/8/3BK3 w - - 0 1", -40, 40},        // K B vs k b: drawn, S div 10
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Fen);
        TTestGame game = MakeGame("chess", c.Fen);
        game.MoveTexts();
        EXPECT_GE(game.Generator->Score(), c.Low);
        EXPECT_LE(game.Generator->Score(), c.High);
    }
}

// The perft mode takes other routes to legality (looked up from the king, branch-free emission);
// along random games its lists must equal the evaluating mode's, move for move and in order, and
// its counts without a list their length.
TEST(TChessMoveGenerator, ListsTheSameMovesInBothModesAlongRandomGames) {
    struct TCase {
        const char* Variant;
        const char* Fen;
    };
    constexpr TCase Cases[] = {
        {"chess", ""},
        {"chess", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"},
        {"chess", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"},
        {"chess960", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9"},
        {"giveaway", ""},
        {"dunsany", ""},
        {"chess", "4k3/8/8/8/8/8/8/8/8/R3K2R w KQ - 0 1"},
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
    random.SetSeed(2024);
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + c.Fen);
        TTestGame                             game = MakeBoardGame(c.Variant, c.Fen);
        const std::unique_ptr<TMoveGenerator> counting = game.Variant->CreateMoveGenerator();
        counting->SetPosition(game.Position.get());
        counting->SetPerftMode(true);
        for (int walk = 0; walk < 30; ++walk) {
            std::vector<TMove> played;
            for (int ply = 0; ply < 60; ++ply) {
                TMoveListGuard full(*game.Generator);
                TMoveListGuard fast(*counting);
                ASSERT_EQ(fast.List().Count, full.List().Count) << game.Fen();
                ASSERT_EQ(counting->CountMoves(), full.List().Count) << game.Fen();
                for (std::uint32_t i = 0; i < full.List().Count; ++i) {
                    TMove a = *full.List().Get(i);
                    TMove b = *fast.List().Get(i);
                    a.Priority = b.Priority = 0; // only the evaluating mode rates moves
                    ASSERT_EQ(std::memcmp(&a, &b, sizeof(TMove)), 0)
                        << game.Fen() << " move " << game.Position->MoveToString(a);
                }
                if (full.List().Count == 0)
                    break;
                const TMove move = *full.List().Get(random.RangeU4(full.List().Count - 1));
                game.Position->MakeRevertableMove(move);
                played.push_back(move);
            }
            for (auto it = played.rbegin(); it != played.rend(); ++it)
                game.Position->RevertMove(*it);
        }
    }
}

// Counting without a list reads the board as bit sets and judges pins, en passant and castling on
// its own (and counts drops from the empty cells), also for the children of a list, whose sets,
// castling rights and en passant cells it derives from the moves: in positions built around those
// rules, and in every position one and two plies on, the count must be the general generator's list
// length.
TEST(TChessMoveGenerator, CountsAsManyMovesAsItListsInPositionsOfPinsEnPassantAndCastling) {
    struct TCase {
        const char* Variant;
        const char* Fen;
    };
    constexpr TCase Cases[] = {
        // en passant that empties the king's row; a pawn pinned on a diagonal takes en passant
        {"chess", "8/8/8/KPp4r/8/8/8/4k3 w - c6 0 1"},
        {"chess", "8/8/8/1k6/2pP4/8/8/5B1K b - d3 0 1"},
        {"chess", "4k3/8/8/2KPp2r/8/8/8/8 w - e6 0 1"},
        // pawns pinned on the file (pushes and double steps stay), on a diagonal (the capture of
        // the pinner stays), promotions with and without capture, under a pin
        {"chess", "4r1k1/8/8/8/8/8/4P3/4K3 w - - 0 1"},
        {"chess", "6k1/8/8/8/8/8/5P2/4K1b1 w - - 0 1"},
        {"chess", "2r1r2k/1P1P4/8/8/8/8/8/K7 w - - 0 1"},
        {"chess", "7k/8/8/8/8/8/1p4p1/R3K2R b KQ - 0 1"},
        // castling through an attacked cell, into check, with the rook's path blocked, and past
        // a rook that shields the king's destination
        {"chess", "r3k2r/8/8/8/8/8/5q2/R3K2R w KQkq - 0 1"},
        {"chess", "r3k2r/8/8/8/1b6/8/8/R3K2R w KQkq - 0 1"},
        {"chess", "rn2k1r1/8/8/8/8/8/8/R3K1NR b KQq - 0 1"},
        {"chess960", "1r2k3/8/8/8/8/8/8/1RK4r w Bb - 0 1"},
        {"chess960", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9"},
        {"chess960", "2r1kr2/8/8/8/8/8/8/1R2K1R1 w GBfc - 0 1"},
        {"chess960", "4k3/8/8/8/8/8/8/rR3K2 w B - 0 1"},
        // sliders pinned on lines and diagonals, a knight pinned, kings next to each other
        {"chess", "4k3/4r3/8/4Q3/8/2b5/1B6/KN5r w - - 0 1"},
        {"chess", "8/8/8/3k4/8/3K4/8/8 w - - 0 1"},
        {"dunsany", ""},
        {"nocastle", ""},
        {"chess", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"},
        // drops beside the board moves: pawns not on the first or last row, in and out of check
        {"crazyhouse", "r3k2r/1P4P1/8/3p4/4P3/8/1p4p1/R3K2R[NPbbp] w KQkq - 0 1"},
        {"crazyhouse", "4k3/8/8/8/8/8/3q4/4K3[QRBNPqrbnp] w - - 0 1"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + c.Fen);
        TTestGame                             game = MakeGame(c.Variant, c.Fen);
        const std::unique_ptr<TMoveGenerator> counting = game.Variant->CreateMoveGenerator();
        counting->SetPosition(game.Position.get());
        counting->SetPerftMode(true);
        const auto check = [&](const auto& ASelf, int APlies) -> void {
            TMoveListGuard guard(*game.Generator);
            ASSERT_EQ(counting->CountMoves(), guard.List().Count) << game.Fen();
            // Where the generator counts the children's moves without playing them, each count
            // must be the length of the child's list.
            TMoveListGuard             own(*counting);
            std::vector<std::uint32_t> counts(own.List().Count);
            if (counting->CountChildMoves(own.List(), counts.data()))
                for (std::uint32_t i = 0; i < own.List().Count; ++i) {
                    const TMove& move = *own.List().Get(i);
                    game.Position->MakeRevertableMove(move);
                    TMoveListGuard child(*game.Generator);
                    EXPECT_EQ(counts[i], child.List().Count)
                        << game.Fen() << " after " << game.Position->MoveToString(move);
                    game.Position->RevertMove(move);
                }
            if (APlies == 0)
                return;
            for (const TMove& move : guard.List()) {
                game.Position->MakeRevertableMove(move);
                ASelf(ASelf, APlies - 1);
                game.Position->RevertMove(move);
            }
        };
        check(check, 2);
    }
}

// A rule flag changed on a generator that has set up its tables takes effect with the next
// position, though the board keeps its shape.
TEST(TChessMoveGenerator, AppliesAChangedDoubleStepRuleWithTheNextPosition) {
    TTestGame game = MakeGame("chess");
    EXPECT_EQ(game.MoveTexts().size(), 20u);
    game.ChessGenerator().SetWhiteDouble(false);
    game.Generator->SetPosition(game.Position.get());
    const std::vector<std::string> moves = game.MoveTexts();
    EXPECT_EQ(moves.size(), 12u);
    EXPECT_EQ(std::count(moves.begin(), moves.end(), "e2e4"), 0);
    game.ChessGenerator().SetWhiteDouble(true);
    game.Generator->SetPosition(game.Position.get());
    EXPECT_EQ(game.MoveTexts().size(), 20u);
}
