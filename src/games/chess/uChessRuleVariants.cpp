#include "games/chess/uChessRuleVariants.h"

#include "games/chess/uAtomicChessMoveGenerator.h"
#include "games/chess/uAtomicChessPosition.h"
#include "games/chess/uCrazyhouseChessMoveGenerator.h"
#include "games/chess/uCrazyhouseChessPosition.h"
#include "games/chess/uKingOfTheHillChessMoveGenerator.h"
#include "games/chess/uRacingKingsChessMoveGenerator.h"
#include "games/chess/uThreeCheckChessMoveGenerator.h"
#include "games/chess/uThreeCheckChessPosition.h"

TThreeCheckChessGameVariant::TThreeCheckChessGameVariant() {
    SetDescription({
        .Name = "3Check",
        .Caption = "3 Check",
        .URL = "https://lichess.org/variant/threeCheck",
        .XBoard = {.Name = "3check"},
        .Perft = {{"", 4, 197281},
                  {"rnbqkbnr/ppp2ppp/8/3pp3/4P3/5Q2/PPPP1PPP/RNB1KBNR w KQkq - 1+1 0 1", 4,
                   1853179}},
    });
}

std::unique_ptr<TChessPosition> TThreeCheckChessGameVariant::NewPosition() {
    return std::make_unique<TThreeCheckChessPosition>();
}

std::unique_ptr<TChessMoveGenerator> TThreeCheckChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TThreeCheckChessMoveGenerator>();
}

TKingOfTheHillChessGameVariant::TKingOfTheHillChessGameVariant() {
    SetDescription({
        .Name = "kingOfTheHill",
        .Caption = "King Of The Hill",
        .URL = "https://lichess.org/variant/kingOfTheHill",
        .XBoard = {.Name = "kingofthehill", .Parent = "fairy", .PieceTable = ChessXBoardPieceTable},
        .Perft = {{"8/8/8/8/2k5/8/8/4K3 b - - 0 1", 4, 1156},
                  {"rnb2b1r/ppp2ppp/3k4/8/1PKp1pn1/3Pq3/PBP1P2P/RN1Q1B1R w - - 4 12", 3, 19003}},
    });
}

std::unique_ptr<TChessMoveGenerator> TKingOfTheHillChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TKingOfTheHillChessMoveGenerator>();
}

TRacingKingsChessGameVariant::TRacingKingsChessGameVariant() {
    SetDescription({
        .Name = "racingKings",
        .Caption = "Racing Kings",
        .URL = "https://lichess.org/variant/racingKings",
        .XBoard = {.Name = "racingkings", .Parent = "fairy", .PieceTable = ChessXBoardPieceTable},
        .Perft = {{"", 4, 296242}, {"8/1K6/8/8/8/8/6k1/8 w - - 0 1", 5, 10022}},
    });
}

std::unique_ptr<TChessBoard> TRacingKingsChessGameVariant::CreateBoard() {
    auto board = std::make_unique<TChessBoard>();
    board->SetSymmetryType(stLineSymmetry);
    board->SetNotation(ntChess);
    board->SetSize(8, 8);
    for (int i = 0; i < board->UsedSquareCount(); ++i)
        (*board)[board->UsedSquares()[i]] = 0;
    // 8/8/8/8/8/8/krbnNBRK/qrbnNBRQ: the second player on the left half, the first on the right.
    const int         last = board->SqX();
    const std::int8_t backRow[4] = {cpQueen, cpRook, cpBishop, cpKnight};
    const std::int8_t secondRow[4] = {cpKing, cpRook, cpBishop, cpKnight};
    for (int i = 0; i < 4; ++i) {
        (*board)[board->XYToI(i, 0)] = static_cast<std::int8_t>(-backRow[i]);
        (*board)[board->XYToI(i, 1)] = static_cast<std::int8_t>(-secondRow[i]);
        (*board)[board->XYToI(last - i, 0)] = backRow[i];
        (*board)[board->XYToI(last - i, 1)] = secondRow[i];
    }
    return board;
}

std::unique_ptr<TChessMoveGenerator> TRacingKingsChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TRacingKingsChessMoveGenerator>();
}

void TRacingKingsChessGameVariant::PrepareStartPosition(TChessPosition& APosition) {
    APosition.ClearCastles();
    APosition.InitializeHash();
}

TAtomicChessGameVariant::TAtomicChessGameVariant() {
    SetDescription({
        .Name = "atomic",
        .Caption = "Atomic",
        .URL = "https://lichess.org/variant/atomic",
        .XBoard = {.Name = "atomic"},
        .Perft = {{"", 4, 197326}},
    });
}

std::unique_ptr<TChessPosition> TAtomicChessGameVariant::NewPosition() {
    return std::make_unique<TAtomicChessPosition>();
}

std::unique_ptr<TChessMoveGenerator> TAtomicChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TAtomicChessMoveGenerator>();
}

TCrazyhouseChessGameVariant::TCrazyhouseChessGameVariant() {
    SetDescription({
        .Name = "crazyhouse",
        .Caption = "Crazyhouse",
        .URL = "https://lichess.org/variant/crazyhouse",
        .XBoard = {.Name = "crazyhouse"},
        .Perft = {{"2k5/8/8/8/8/8/8/4K3[QRBNPqrbnp] w - - 0 1", 2, 75353},
                  {"4k3/8/8/8/8/8/3q~4/4K3[] w - - 0 1", 4, 3778}},
    });
}

std::unique_ptr<TChessPosition> TCrazyhouseChessGameVariant::NewPosition() {
    return std::make_unique<TCrazyhouseChessPosition>();
}

std::unique_ptr<TChessMoveGenerator> TCrazyhouseChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TCrazyhouseChessMoveGenerator>();
}

// No pawns in the set, and no move may give check: neither king is ever in check.
TChessSetupRules TRacingKingsChessGameVariant::SetupRules() const {
    TChessSetupRules rules;
    rules.NoPawns = true;
    rules.NoChecks = true;
    return rules;
}

// Kings may stand side by side, where neither attacks the other; a king that went up in an
// explosion leaves the final position of a game without it.
TChessSetupRules TAtomicChessGameVariant::SetupRules() const {
    TChessSetupRules rules;
    rules.Kings[0] = rules.Kings[1] = TChessSetupRules::skAtMostOne;
    rules.OpponentNotInCheck = false;
    return rules;
}

// Captured pieces return to the board: board and hands together hold at most the two armies.
TChessSetupRules TCrazyhouseChessGameVariant::SetupRules() const {
    TChessSetupRules rules;
    rules.MaximalPieces = 32;
    rules.MaximalPawns = 16;
    return rules;
}
