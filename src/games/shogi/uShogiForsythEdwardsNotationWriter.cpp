#include "games/shogi/uShogiForsythEdwardsNotationWriter.h"

#include "games/shogi/uShogiPosition.h"
#include "support/uExceptions.h"

std::string TShogiForsythEdwardsNotationWriter::AsString() {
    const auto* position = dynamic_cast<const TShogiPosition*>(FPosition);
    if (position == nullptr)
        throw ENotSupportedException("Position is not a shogi position");
    const TChessBoard& board = position->Board();
    std::string        result;
    for (int y = board.SqY(); y >= 0; --y) {
        int empty = 0;
        for (int x = 0; x <= board.SqX(); ++x) {
            const int cell = board[board.XYToI(x, y)];
            if (cell == 0 || cell == TSquaredBoard::OffBoard) {
                ++empty;
                continue;
            }
            if (empty > 0)
                result += std::to_string(empty);
            empty = 0;
            result += position->PieceToString(cell, plEnglish);
        }
        if (empty > 0)
            result += std::to_string(empty);
        if (y != 0)
            result += '/';
    }
    result += position->Side() == 0 ? " b " : " w ";
    result += position->Hand().AsString();
    result += ' ';
    result += std::to_string(static_cast<std::int64_t>(position->MoveIndex()) +
                             static_cast<std::int64_t>(position->StackCount()) + 1);
    return result;
}
