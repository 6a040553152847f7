#include "games/chess/uChessForsythEdwardsNotationWriter.h"

#include "games/chess/uChessForsythEdwardsNotationParser.h"
#include "games/chess/uChessPosition.h"
#include "games/chess/uCrazyhouseChessPosition.h"
#include "games/chess/uThreeCheckChessPosition.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

const TChessPosition& TChessForsythEdwardsNotationWriter::ChessPosition() const {
    const auto* position = dynamic_cast<const TChessPosition*>(FPosition);
    if (position == nullptr)
        throw ENotSupportedException("Position is not a chess position");
    return *position;
}

std::string TChessForsythEdwardsNotationWriter::AsString() {
    const TChessPosition& position = ChessPosition();
    std::string           result = BoardToString();
    if (dynamic_cast<const TCrazyhouseChessPosition*>(&position) != nullptr)
        result += '[' + position.CapturedPieces().AsString() + ']';
    result += ' ';
    result += TForsythEdwardsNotation::SideColorToChar(position.SideColorToString(position.Side()));
    result += ' ';
    result += WriteCastling();
    result += ' ';
    result += WriteEnPassant();
    result += ' ';
    if (const auto* threeCheck = dynamic_cast<const TThreeCheckChessPosition*>(&position)) {
        result += std::to_string(threeCheck->RemainingChecks(0)) + '+' +
                  std::to_string(threeCheck->RemainingChecks(1));
        result += ' ';
    }
    result += std::to_string(position.LongDraw());
    result += ' ';
    // Moves played since the position was set count too, so a game record stays right.
    result += std::to_string((static_cast<std::int64_t>(position.MoveIndex()) +
                              static_cast<std::int64_t>(position.StackCount())) /
                                 2 +
                             1);
    return result;
}

std::string TChessForsythEdwardsNotationWriter::BoardToString() {
    const TChessPosition& position = ChessPosition();
    const TChessBoard&    board = position.Board();
    const auto*           crazyhouse = dynamic_cast<const TCrazyhouseChessPosition*>(&position);
    std::string           result;
    for (int y = board.SqY(); y >= 0; --y) {
        int empty = 0;
        for (int x = 0; x <= board.SqX(); ++x) {
            const int cell = board[board.XYToI(x, y)];
            if (cell == 0) {
                ++empty;
                continue;
            }
            if (empty > 0) {
                result += std::to_string(empty);
                empty = 0;
            }
            result += cell == TSquaredBoard::OffBoard ? std::string("_")
                                                      : position.PieceToString(cell, plEnglish);
            if (crazyhouse != nullptr && crazyhouse->IsPromotedPiece(board.XYToI(x, y)))
                result += '~';
        }
        if (empty > 0)
            result += std::to_string(empty);
        if (y != 0)
            result += '/';
    }
    return result;
}

namespace {

// Whether ARook is the outermost rook of its side on its side of AKing, so that K or Q names it
// without doubt.
bool IsOutermostRook(const TChessBoard& ABoard, int AKing, int ARook) {
    const int         step = ARook > AKing ? 1 : -1;
    const std::int8_t rook = ABoard[ARook];
    for (int c = ARook + step; ABoard[c] != TSquaredBoard::OffBoard; c += step)
        if (ABoard[c] == rook)
            return false;
    return true;
}

} // namespace

std::string TChessForsythEdwardsNotationWriter::WriteCastling() {
    const TChessPosition& position = ChessPosition();
    const TChessBoard&    board = position.Board();
    const TCastles&       castles = position.Castles();
    std::string           result;
    for (int side = 0; side < 2; ++side) {
        const auto write = [&](int ACell, int APiece) {
            if (ACell == 0)
                return;
            // K and Q name the outermost rooks; any other castling rook goes by its column.
            if (FCastleIdAsCoordinate || !IsOutermostRook(board, castles[side][caKing], ACell)) {
                const char letter = static_cast<char>('a' + board.X(ACell));
                result += side == 0 ? UpperChar(letter) : letter;
            } else {
                result += position.PieceToString(APiece, side, plEnglish);
            }
        };
        write(castles[side][caKingRook], cpKing);
        write(castles[side][caQueenRook], cpQueen);
    }
    return result.empty() ? "-" : result;
}

std::string TChessForsythEdwardsNotationWriter::WriteEnPassant() {
    const TChessPosition& position = ChessPosition();
    if (position.EnPassant() == 0)
        return "-";
    return position.Board().SquareToString(position.EnPassant());
}
