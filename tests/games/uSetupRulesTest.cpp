// Position strings that the rules of a variant make impossible are refused, each with its own
// message, and the position before stays; every reference position is still accepted.
#include "games/uGameTestHelpers.h"
#include "perft/uPerftTableTestSupport.h"
#include "support/uExceptions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TImpossibleCase {
    const char* Variant;
    const char* Position;
    const char* Message;
};

// clang-format off
const TImpossibleCase ImpossibleCases[] = {
    // Royal kings: exactly one per side.
    {"chess", "8/8/8/8/8/8/8/K7 w - - 0 1", "No king of Black"},
    {"chess", "k7/8/8/8/8/8/8/8 w - - 0 1", "No king of White"},
    {"chess", "k7/8/8/8/8/8/8/KK6 w - - 0 1", "More than one king of White"},
    {"chess960", "kk6/8/8/8/8/8/8/K7 b - - 0 1", "More than one king of Black"},
    {"3Check", "8/8/8/8/8/8/8/K7 w - - 3+3 0 1", "No king of Black"},
    {"atomic", "k7/8/8/8/8/8/8/KK6 w - - 0 1", "More than one king of White"},
    // Pawns on a row they can never stand on.
    {"chess", "k6P/8/8/8/8/8/8/K7 w - - 0 1", "Pawn of White on its last row"},
    {"chess", "k7/8/8/8/8/8/8/K6P w - - 0 1", "Pawn of White on its first row"},
    {"kingOfTheHill", "k7/8/8/8/8/8/8/K6p w - - 0 1", "Pawn of Black on its last row"},
    {"nocastle", "k6p/8/8/8/8/8/8/K7 w - - 0 1", "Pawn of Black on its first row"},
    // The side not to move in check: its king would be taken.
    {"chess", "k7/8/8/8/8/8/8/R6K w - - 0 1", "King of Black in check with White to move"},
    {"crazyhouse", "k7/8/8/8/8/8/8/K5r1[] b - - 0 1", "King of White in check with Black to move"},
    // Horde and Dunsany: the army of pawns has no king, the other side exactly one.
    {"horde", "4k3/8/8/8/8/8/PPPPPPPP/4K3 w - - 0 1", "King of White in a variant where it has none"},
    {"horde", "8/8/8/8/8/8/PPPPPPPP/PPPPPPPP w - - 0 1", "No king of Black"},
    {"horde", "4k3/8/8/8/8/8/8/PPPPPPPp w - - 0 1", "Pawn of Black on its last row"},
    {"hordeChess", "pppppppp/8/8/8/8/8/8/4K2k w - - 0 1", "Not one king for one side and none for the other"},
    {"hordeChess", "pppppppp/8/8/8/8/8/8/PPPPPPPP w - - 0 1", "Not one king for one side and none for the other"},
    {"hordeChess", "pppppppp/8/8/8/8/8/8/4K2P w - - 0 1", "Pawn of White on its first row"},
    {"hordeChess", "P7/pppppppp/8/8/8/8/8/4K3 w - - 0 1", "Pawn of White on its last row"},
    {"dunsany", "4k3/8/8/8/8/8/PPPPPPPP/4K3 b - - 0 1", "King of White in a variant where it has none"},
    // Racing kings: no pawns in the set, and no check ever.
    {"racingKings", "7r/8/8/8/8/8/k6K/8 w - - 0 1", "King of White in check in a variant without checks"},
    {"racingKings", "7r/8/8/8/8/8/k6K/8 b - - 0 1", "King of White in check in a variant without checks"},
    {"racingKings", "8/8/8/8/8/P7/krbnNBRK/qrbnNBRQ w - - 0 1", "Pawn in a variant without pawns"},
    // Giveaway: pawns still never stand on their first row.
    {"giveaway", "8/8/8/8/8/8/8/P7 w - - 0 1", "Pawn of White on its first row"},
    // Crazyhouse: board and hands together hold at most the two armies.
    {"crazyhouse", "k7/8/8/8/8/8/8/K7[QQQQQQQQQQQQQQQQQQQQQQQQQQQQQQQ] w - - 0 1", "More pieces than the set has"},
    {"crazyhouse", "k7/8/8/8/8/8/8/K7[PPPPPPPPPPPPPPPPP] w - - 0 1", "More pawns than the set has"},
    // Numbers beyond what a game can reach are refused, not wrapped or cut.
    {"chess", "k7/8/8/8/8/8/8/K7 w - - 999999999999 1", "Long draw out of range"},
    {"chess", "k7/8/8/8/8/8/8/K7 w - - -5 1", "Long draw out of range"},
    {"chess", "k7/8/8/8/8/8/8/K7 w - - 0 -3", "Game offset out of range"},
    {"chess", "k7/8/8/8/8/8/8/K7 w - - 0 999999999999", "Game offset out of range"},
    {"3Check", "k7/8/8/8/8/8/8/K7 w - - 4+3 0 1", "Check count out of range"},
    {"3Check", "k7/8/8/8/8/8/8/K7 w - - 0 1 +5+0", "Check count out of range"},
    // Shogi family: the variant's board, its set of pieces, one king each, no doubled pawns, no
    // piece on a row it can never leave.
    {"shogi", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b 4R 1", "Too many pieces"},
    {"shogi", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b 9G 1", "Too many pieces"},
    {"shogi", "lnsg1gsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", "No king of White"},
    {"shogi", "4k4/9/9/9/9/9/8P/8P/4K4 b - 1", "Two pawns of Black on one file"},
    {"shogi", "4k3P/9/9/9/9/9/9/9/4K4 b - 1", "Piece of Black on a row it can never leave"},
    {"shogi", "4k4/8N/9/9/9/9/9/9/4K4 b - 1", "Piece of Black on a row it can never leave"},
    {"shogi", "4k4/9/9/9/9/9/9/9/l3K4 b - 1", "Piece of White on a row it can never leave"},
    {"minishogi", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", "Board of 9x9 in a variant played on 5x5"},
    {"minishogi", "rbsgk/4p/5/P4/KGSBR b N 1", "Too many pieces"},
    {"dobutsuShogi", "gkg/1p1/1P1/GKG b - 1", "Too many pieces"},
    {"dobutsuShogi", "rkb/1p1/1P1/BKR/3 b - 1", "Board of 3x5 in a variant played on 3x4"},
    {"goroGoroShogi", "sgkgs/5/1ppp1/1PPP1/5/SGKGS b R 1", "Too many pieces"},
    {"shogi", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 9999999999", "Game offset out of range"},
    {"shogi", "4k4/9/9/9/9/9/9/4R4/4K4 b - 1", "King of White in check with Black to move"},
    {"minishogi", "4k/5/5/4R/K4 b - 1", "King of White in check with Black to move"},
    {"shogi", "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b 0P 1", "Hand count 0 of P"},
    // The board of the variant, in every chess variant.
    {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR/8 w KQkq - 0 1", "Board of 8x9 in a variant played on 8x8"},
    {"chess", "rnbqkbnr1/ppppppppp/9/9/9/9/PPPPPPPPP/RNBQKBNR1 w - - 0 1", "Board of 9x8 in a variant played on 8x8"},
    {"crazyhouse", "k7/8/8/8/8/8/8/8/K7[] w - - 0 1", "Board of 8x9 in a variant played on 8x8"},
    // What no game can reach: three checkers, promoted pieces beyond the missing pawns, a clock
    // beyond the plies played, both three-check counters spent.
    {"chess", "k7/8/8/8/8/q7/2n5/K1r5 w - - 0 1", "King of White in check by more than two pieces"},
    {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKQNR w - - 0 1", "More pieces of White than its missing pawns can have become"},
    {"racingKings", "8/8/8/8/8/8/krbnNBRK/qrbnNBQQ w - - 0 1", "More pieces of White than its missing pawns can have become"},
    {"chess", "k7/8/8/8/8/8/8/K7 w - - 1000 1", "Long draw beyond the plies played"},
    {"3Check", "k7/8/8/8/8/8/8/K7 w - - 0+0 0 1", "Check count of both sides at the end of the game"},
    {"3Check", "k7/8/8/8/8/8/8/K7 w - - 0 1 +3+3", "Check count of both sides at the end of the game"},
    // Fields the board contradicts are refused, not rewritten.
    {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN1 w K - 0 1", "Castling right K without White's king and rook in place"},
    {"chess", "rnbqkbn1/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "Castling right k without Black's king and rook in place"},
    {"chess960", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w AFhf - 0 1", "Castling right F without White's king and rook in place"},
    {"chess960", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w ZFhf - 0 1", "Castling right Z without White's king and rook in place"},
    {"chess", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 1", "En passant square e6 that no double step can have made"},
    {"chess", "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e3 0 1", "En passant square e3 that no double step can have made"},
    {"chess", "k7/8/8/8/8/8/8/K7 w - - x 1", "Parse: 'Long draw' expected but token 'x' found."},
    {"chess", "k7/8/8/8/8/8/8/K7 w - - 0 y", "Parse: 'Game offset' expected but token 'y' found."},
};
// clang-format on

} // namespace

TEST(TSetupRules, RefusesImpossiblePositionsAndKeepsThePositionBefore) {
    for (const auto& c : ImpossibleCases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + c.Position);
        TTestGame         game = MakeGame(c.Variant);
        const std::string before = game.Fen();
        auto              parser = game.Variant->CreateForsythEdwardsNotationParser();
        parser->SetPosition(game.Position.get());
        try {
            parser->Parse(c.Position);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
        EXPECT_EQ(game.Fen(), before);
        EXPECT_EQ(game.Position->Hash(), game.Position->GetHash());
    }
}

// Unusual but reachable positions stay accepted: a double check, an en passant square that no
// pawn can use (it is dropped), a horde pawn's double step from its first row, promoted pieces
// where pawns are missing, a king promoted to in giveaway, the crazyhouse hands.
TEST(TSetupRules, AcceptsUnusualPositionsThatGamesReach) {
    struct TCase {
        const char* Variant;
        const char* Position;
        const char* Written; // the position as the variant writes it back
    };
    // clang-format off
    constexpr TCase Cases[] = {
        {"chess", "k7/8/8/8/8/1n6/8/K1r5 w - - 0 1", "k7/8/8/8/8/1n6/8/K1r5 w - - 0 1"},
        {"chess", "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 2", "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 2"},
        {"chess", "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3"},
        {"chess", "4k3/8/8/8/8/8/8/QQQQKQQQ w - - 0 40", "4k3/8/8/8/8/8/8/QQQQKQQQ w - - 0 40"},
        {"horde", "rnbqkbnr/pppppppp/8/1PP2PP1/PPPPPPPP/PPPPPPPP/PPPPPPP1/PPPPPPP1 b kq h2 0 1", "rnbqkbnr/pppppppp/8/1PP2PP1/PPPPPPPP/PPPPPPPP/PPPPPPP1/PPPPPPP1 b kq - 0 1"},
        {"giveaway", "k7/8/8/8/8/8/8/KK6 w - - 0 30", "k7/8/8/8/8/8/8/KK6 w - - 0 30"},
        {"crazyhouse", "k7/8/8/8/8/8/8/K7[QQQQ] w - - 0 1", "k7/8/8/8/8/8/8/K7[QQQQ] w - - 0 1"},
        {"3Check", "k7/8/8/8/8/8/8/K7 w - - 0+3 0 1", "k7/8/8/8/8/8/8/K7 w - - 0+3 0 1"},
        {"chess", "k7/8/8/8/8/8/8/K7 w - - 10 5", "k7/8/8/8/8/8/8/K7 w - - 10 5"},
    };
    // clang-format on
    for (const auto& c : Cases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + c.Position);
        try {
            TTestGame game = MakeGame(c.Variant, c.Position);
            EXPECT_EQ(game.Fen(), c.Written);
        } catch (const Exception& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST(TSetupRules, AcceptsEveryReferencePosition) {
    std::vector<TPerftRow> rows;
    for (const char* name :
         {KV_TEST_DATA_DIR "/perft-chess.tsv", KV_TEST_DATA_DIR "/perft-variants.tsv",
          KV_TEST_DATA_DIR "/perft-shogi.tsv", KV_TEST_DATA_DIR "/perft-public.tsv"}) {
        // Start positions are the variants' own; only the written positions are read here.
        for (const char* format : {"fen", "sfen"})
            for (TPerftRow& row : ReadPerftTable(name, format))
                if (!row.Position.empty())
                    rows.push_back(std::move(row));
    }
    ASSERT_GT(rows.size(), 100u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Variant + " " + row.Position);
        EXPECT_NO_THROW(MakeGame(row.Variant, row.Position));
    }
}
