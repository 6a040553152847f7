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
    SetName("3Check");
    SetCaption("3 Check");
    SetURL("https://lichess.org/variant/threeCheck");
}

std::unique_ptr<TChessPosition> TThreeCheckChessGameVariant::NewPosition() {
    return std::make_unique<TThreeCheckChessPosition>();
}

std::unique_ptr<TChessMoveGenerator> TThreeCheckChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TThreeCheckChessMoveGenerator>();
}

TKingOfTheHillChessGameVariant::TKingOfTheHillChessGameVariant() {
    SetName("kingOfTheHill");
    SetCaption("King Of The Hill");
    SetURL("https://lichess.org/variant/kingOfTheHill");
}

std::unique_ptr<TChessMoveGenerator> TKingOfTheHillChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TKingOfTheHillChessMoveGenerator>();
}

TRacingKingsChessGameVariant::TRacingKingsChessGameVariant() {
    SetName("racingKings");
    SetCaption("Racing Kings");
    SetURL("https://lichess.org/variant/racingKings");
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
    SetName("atomic");
    SetCaption("Atomic");
    SetURL("https://lichess.org/variant/atomic");
}

std::unique_ptr<TChessPosition> TAtomicChessGameVariant::NewPosition() {
    return std::make_unique<TAtomicChessPosition>();
}

std::unique_ptr<TChessMoveGenerator> TAtomicChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TAtomicChessMoveGenerator>();
}

TCrazyhouseChessGameVariant::TCrazyhouseChessGameVariant() {
    SetName("crazyhouse");
    SetCaption("Crazyhouse");
    SetURL("https://lichess.org/variant/crazyhouse");
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
