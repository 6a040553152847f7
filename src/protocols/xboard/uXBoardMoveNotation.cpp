#include "protocols/xboard/uXBoardMoveNotation.h"

#include "engine/uInternalEngine.h"
#include "games/uGameVariant.h"
#include "protocols/xboard/uXBoardVariants.h"
#include "support/uTextHelpers.h"

namespace {

struct TSquare {
    int X = 0; // from the first player's left
    int Y = 0; // from the first player's side
};

bool IsDigit(char AChar) {
    return AChar >= '0' && AChar <= '9';
}
bool IsLower(char AChar) {
    return AChar >= 'a' && AChar <= 'z';
}

// Reads digits at AIndex; -1 when there are none.
int ReadNumber(std::string_view AText, std::size_t& AIndex) {
    if (AIndex >= AText.size() || !IsDigit(AText[AIndex]))
        return -1;
    int value = 0;
    while (AIndex < AText.size() && IsDigit(AText[AIndex]) && value < 1000)
        value = value * 10 + (AText[AIndex++] - '0');
    return value;
}

bool OnBoard(const TSquare& ASquare, const TXBoardBoardSize& ABoard) {
    return ASquare.X >= 0 && ASquare.X < ABoard.Width && ASquare.Y >= 0 &&
           ASquare.Y < ABoard.Height;
}

// "e5": column letter, row number.
std::optional<TSquare> ReadXBoardSquare(std::string_view AText, std::size_t& AIndex,
                                        const TXBoardBoardSize& ABoard) {
    if (AIndex >= AText.size() || !IsLower(AText[AIndex]))
        return std::nullopt;
    std::size_t   index = AIndex + 1;
    const int     row = ReadNumber(AText, index);
    const TSquare square{AText[AIndex] - 'a', row - 1};
    if (row < 1 || !OnBoard(square, ABoard))
        return std::nullopt;
    AIndex = index;
    return square;
}

// "5e": file number from the first player's right, rank letter from the second player's side.
std::optional<TSquare> ReadEngineSquare(std::string_view AText, std::size_t& AIndex,
                                        const TXBoardBoardSize& ABoard) {
    std::size_t index = AIndex;
    const int   file = ReadNumber(AText, index);
    if (file < 1 || index >= AText.size() || !IsLower(AText[index]))
        return std::nullopt;
    const TSquare square{ABoard.Width - file, ABoard.Height - 1 - (AText[index] - 'a')};
    if (!OnBoard(square, ABoard))
        return std::nullopt;
    AIndex = index + 1;
    return square;
}

std::string XBoardSquare(const TSquare& ASquare) {
    return std::string(1, static_cast<char>('a' + ASquare.X)) + std::to_string(ASquare.Y + 1);
}

std::string EngineSquare(const TSquare& ASquare, const TXBoardBoardSize& ABoard) {
    return std::to_string(ABoard.Width - ASquare.X) +
           static_cast<char>('a' + (ABoard.Height - 1 - ASquare.Y));
}

// Every rank number of a chess move counted from the other side: "c7c8q" becomes "c2c1q".
std::string MirrorChessMove(std::string_view AMove, int AHeight) {
    std::string text;
    for (std::size_t i = 0; i < AMove.size();) {
        if (IsDigit(AMove[i]) && i > 0 && IsLower(AMove[i - 1])) {
            const int rank = ReadNumber(AMove, i);
            text += std::to_string(AHeight + 1 - rank);
        } else {
            text += AMove[i++];
        }
    }
    return text;
}

} // namespace

std::optional<TXBoardBoardSize> XBoardTranslatedBoard(const TInternalEngine& AEngine) {
    const TGameVariant* variant = AEngine.GameVariant();
    if (variant == nullptr)
        return std::nullopt;
    const TXBoardDescription& item = variant->Description().XBoard;
    if (item.ShogiCoordinates || item.Mirrored)
        return TXBoardBoardSize{item.Width, item.Height, item.Mirrored};
    return std::nullopt;
}

std::string XBoardToEngineMove(std::string_view AMove, const TXBoardBoardSize& ABoard) {
    if (ABoard.Mirrored)
        return MirrorChessMove(AMove, ABoard.Height);
    std::size_t index = 0;
    std::string text;
    // A drop: piece letter, "@", square.
    if (AMove.size() >= 2 && AMove[1] == '@') {
        index = 2;
        const std::optional<TSquare> to = ReadXBoardSquare(AMove, index, ABoard);
        if (!to || index != AMove.size())
            return std::string(AMove);
        return std::string(1, AMove[0]) + "*" + EngineSquare(*to, ABoard);
    }
    const std::optional<TSquare> from = ReadXBoardSquare(AMove, index, ABoard);
    const std::optional<TSquare> to = from ? ReadXBoardSquare(AMove, index, ABoard) : std::nullopt;
    if (!to)
        return std::string(AMove);
    text = EngineSquare(*from, ABoard) + EngineSquare(*to, ABoard);
    const std::string_view suffix = AMove.substr(index);
    if (suffix == "+")
        return text + "+";
    // "=" keeps the piece as it is: the plain move.
    if (suffix.empty() || suffix == "=")
        return text;
    return std::string(AMove);
}

std::string EngineToXBoardMove(std::string_view AMove, const TXBoardBoardSize& ABoard) {
    if (ABoard.Mirrored)
        return MirrorChessMove(AMove, ABoard.Height);
    std::size_t index = 0;
    if (AMove.size() >= 2 && AMove[1] == '*') {
        index = 2;
        const std::optional<TSquare> to = ReadEngineSquare(AMove, index, ABoard);
        if (!to || index != AMove.size())
            return std::string(AMove);
        return std::string(1, AMove[0]) + "@" + XBoardSquare(*to);
    }
    const std::optional<TSquare> from = ReadEngineSquare(AMove, index, ABoard);
    const std::optional<TSquare> to = from ? ReadEngineSquare(AMove, index, ABoard) : std::nullopt;
    if (!to)
        return std::string(AMove);
    return XBoardSquare(*from) + XBoardSquare(*to) + std::string(AMove.substr(index));
}

std::string EngineToXBoardLine(std::string_view ALine, const TXBoardBoardSize& ABoard) {
    std::string text;
    for (const std::string& move : SplitWords(ALine)) {
        if (!text.empty())
            text += ' ';
        text += EngineToXBoardMove(move, ABoard);
    }
    return text;
}

std::string XBoardToEngineMove(const TInternalEngine& AEngine, std::string_view AMove) {
    const std::optional<TXBoardBoardSize> board = XBoardTranslatedBoard(AEngine);
    return board ? XBoardToEngineMove(AMove, *board) : std::string(AMove);
}
