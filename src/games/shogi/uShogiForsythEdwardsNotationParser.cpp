#include "games/shogi/uShogiForsythEdwardsNotationParser.h"

#include "games/shogi/uShogiMoveGenerator.h"
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

// Which rows, counted from the owner's last row, a piece can never leave: a pawn or lance on
// the last row, a knight on the last two.
int DeadRows(int AType) {
    switch (AType) {
    case spPawn:
    case spLance:
        return 1;
    case spKnight:
        return 2;
    default:
        return 0;
    }
}

} // namespace

void TShogiForsythEdwardsNotationParser::SetStartBoard(const TChessBoard& ABoard) {
    FWidth = ABoard.SqXC();
    FHeight = ABoard.SqYC();
    FMaximalCount = {};
    for (int i = 0; i < ABoard.UsedSquareCount(); ++i) {
        const int piece = ABoard[ABoard.UsedSquares()[i]];
        if (piece != 0)
            ++FMaximalCount[static_cast<std::size_t>(ShogiUnpromoted[piece < 0 ? -piece : piece])];
    }
}

namespace {

void CheckShogiSetup(const TShogiPosition& APosition, int AWidth, int AHeight,
                     const std::array<int, 16>& AMaximalCount) {
    const TChessBoard& board = APosition.Board();
    const auto         side = [&](int APlayer) { return APosition.SideColorToString(APlayer); };
    if (AWidth > 0 && (board.SqXC() != AWidth || board.SqYC() != AHeight))
        throw EConvertError("Board of " + std::to_string(board.SqXC()) + "x" +
                            std::to_string(board.SqYC()) + " in a variant played on " +
                            std::to_string(AWidth) + "x" + std::to_string(AHeight));
    int counts[ShogiMaxCode + 1] = {};
    int kings[2] = {};
    // Files holding an unpromoted pawn, per side (files are at most 9).
    unsigned pawnFiles[2] = {};
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        const int piece = board[cell];
        if (piece == 0)
            continue;
        const int player = piece < 0 ? 1 : 0;
        const int code = piece < 0 ? -piece : piece;
        const int type = ShogiUnpromoted[code];
        if (type == spKing) {
            ++kings[player];
            continue;
        }
        ++counts[type];
        // The first player moves towards the top row.
        const int fromLast = player == 0 ? board.SqY() - board.Y(cell) : board.Y(cell);
        if (fromLast < DeadRows(code))
            throw EConvertError("Piece of " + side(player) + " on a row it can never leave");
        if (code == spPawn) {
            const unsigned file = 1u << board.X(cell);
            if ((pawnFiles[player] & file) != 0)
                throw EConvertError("Two pawns of " + side(player) + " on one file");
            pawnFiles[player] |= file;
        }
    }
    for (int player = 0; player < 2; ++player) {
        if (kings[player] == 0)
            throw EConvertError("No king of " + side(player));
        if (kings[player] > 1)
            throw EConvertError("Too many kings");
        for (int piece = spPawn; piece <= spRook; ++piece)
            counts[piece] += APosition.Hand().Count(player, piece);
    }
    for (int piece = spPawn; piece <= spRook; ++piece) {
        const int maximal = AWidth > 0 ? AMaximalCount[static_cast<std::size_t>(piece)]
                                       : TShogiPositionHash::MaxHandCount;
        if (counts[piece] > maximal)
            throw EConvertError("Too many pieces");
    }
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

    CheckShogiSetup(work, FWidth, FHeight, FMaximalCount);
    // The side not to move in check: its king would be taken at once (a parser without the
    // variant's rules reads any position).
    if (FWidth > 0) {
        TShogiMoveGenerator generator;
        generator.SetPosition(&work);
        const int waiting = work.Side() ^ 1;
        if (generator.KingAttacked(waiting))
            throw EConvertError("King of " + work.SideColorToString(waiting) + " in check with " +
                                work.SideColorToString(work.Side()) + " to move");
    }
    work.SetLongDraw(0);
    work.ClearStack();
    work.InitializeHash();
    target->Assign(work);
}
