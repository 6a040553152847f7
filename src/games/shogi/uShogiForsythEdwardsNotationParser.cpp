#include "games/shogi/uShogiForsythEdwardsNotationParser.h"

#include "games/shogi/uShogiPosition.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::string_view PieceLetters = "PLNSGBRK";
// Files are written with one digit.
constexpr int MaxWidth = 9;

bool IsDigit(char AChar) {
    return AChar >= '0' && AChar <= '9';
}

// The board field: rows from the top, each row's cells from x = 0.
void ReadBoard(std::string_view AField, TShogiPosition& APosition) {
    std::vector<std::vector<std::int8_t>> rows(1);
    for (std::size_t i = 0; i < AField.size(); ++i) {
        const char                c = AField[i];
        std::vector<std::int8_t>& row = rows.back();
        if (c == '/') {
            rows.emplace_back();
        } else if (IsDigit(c)) {
            int count = 0;
            while (i < AField.size() && IsDigit(AField[i]))
                count = std::min(count * 10 + (AField[i++] - '0'), MaxWidth + 1);
            --i;
            row.insert(row.end(), static_cast<std::size_t>(count), 0);
        } else {
            const bool promoted = c == '+';
            if (promoted && ++i >= AField.size())
                throw EConvertError("Unknown Piece +");
            const char letter = AField[i];
            const auto found = PieceLetters.find(UpperChar(letter));
            if (found == std::string_view::npos)
                throw EConvertError(std::string("Unknown Piece ") + (promoted ? "+" : "") + letter);
            int piece = static_cast<int>(found) + 1;
            if (promoted) {
                piece = ShogiPromoted[piece];
                if (piece == 0)
                    throw EConvertError(std::string("Unknown Piece +") + letter);
            }
            row.push_back(
                static_cast<std::int8_t>(letter >= 'a' && letter <= 'z' ? -piece : piece));
        }
        if (rows.back().size() > MaxWidth)
            throw EConvertError("Board too large");
    }
    const std::size_t width = rows.front().size();
    if (width < 2)
        throw EConvertError("First row too short");
    if (rows.size() < 2)
        throw EConvertError("Less that 2 rows");
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (rows[r].size() != width)
            throw EConvertError("Row " + std::to_string(r + 1) +
                                (rows[r].size() > width ? " too long" : " size mishmash"));

    TChessBoard& board = APosition.Board();
    board.SetSize(static_cast<int>(width), static_cast<int>(rows.size()));
    const int top = board.SqY();
    for (int y = 0; y <= top; ++y)
        for (int x = 0; x <= board.SqX(); ++x)
            board[board.XYToI(x, y)] = rows[top - y][x];
}

// Every piece of a kind, on the board (promoted or not) and in both hands, fits the hand keys;
// a side has at most one king.
void CheckPieceCounts(const TShogiPosition& APosition) {
    int                counts[ShogiMaxCode + 1] = {};
    int                kings[2] = {};
    const TChessBoard& board = APosition.Board();
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int piece = board[board.UsedSquares()[i]];
        if (piece == 0)
            continue;
        const int type = ShogiUnpromoted[piece < 0 ? -piece : piece];
        if (type == spKing)
            ++kings[piece < 0 ? 1 : 0];
        else
            ++counts[type];
    }
    for (int player = 0; player < 2; ++player)
        for (int piece = spPawn; piece <= spRook; ++piece)
            counts[piece] += APosition.Hand().Count(player, piece);
    if (kings[0] > 1 || kings[1] > 1)
        throw EConvertError("Too many kings");
    for (const int count : counts)
        if (count > TShogiPositionHash::MaxHandCount)
            throw EConvertError("Too many pieces");
}

} // namespace

void TShogiForsythEdwardsNotationParser::Parse(std::string_view AText) {
    auto* target = dynamic_cast<TShogiPosition*>(FPosition);
    if (target == nullptr)
        throw ENotSupportedException("Position is not a shogi position");
    std::unique_ptr<TPosition>     copy = target->Clone();
    auto&                          work = static_cast<TShogiPosition&>(*copy);
    const std::vector<std::string> fields = SplitWords(AText);
    if (fields.empty())
        throw EParseError({"Board"}, "");
    if (fields.size() > 4)
        throw EParseError({"end of position"}, fields[4]);

    ReadBoard(fields[0], work);

    if (fields.size() < 2)
        throw EParseError({"Side to move"}, "");
    const std::string side = LowerCase(fields[1]);
    if (side != "b" && side != "w")
        throw EParseError({"Side to move"}, fields[1]);
    work.SetSide(side == "b" ? 0 : 1);

    work.Hand().Clear();
    if (fields.size() > 2) {
        std::size_t index = 0;
        work.Hand().ReadFromString(fields[2], index);
        if (index < fields[2].size())
            throw EConvertError("Unknown Piece " + fields[2].substr(index, 1));
    }

    work.SetMoveIndex(0);
    if (fields.size() > 3) {
        const std::string& number = fields[3];
        for (const char c : number)
            if (!IsDigit(c))
                throw EParseError({"Move number"}, number);
        const std::int64_t n = number.size() > 9 ? 0 : std::stoll(number);
        if (n <= 0)
            throw EConvertError("Game offset out of range");
        work.SetMoveIndex(static_cast<std::int32_t>(n - 1));
    }

    CheckPieceCounts(work);
    work.SetLongDraw(0);
    work.ClearStack();
    work.InitializeHash();
    target->Assign(work);
}
