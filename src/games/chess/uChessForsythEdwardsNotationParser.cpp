#include "games/chess/uChessForsythEdwardsNotationParser.h"

#include "games/chess/uCrazyhouseChessPosition.h"
#include "games/chess/uThreeCheckChessPosition.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <cstdint>

char TForsythEdwardsNotation::SideColorToChar(std::string_view ASideString) {
    if (ASideString.empty())
        return 0;
    return LowerChar(ASideString.front());
}

namespace {

bool IsLetter(char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}
bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

void SkipBlanks(std::string_view ALine, std::size_t& AIndex) {
    while (AIndex < ALine.size() && (ALine[AIndex] == ' ' || ALine[AIndex] == '\t'))
        ++AIndex;
}

// Decimal digits, saturated at ALimit so that no digit run can overflow.
std::int64_t ReadDecimal(std::string_view ALine, std::size_t& AIndex, std::int64_t ALimit) {
    std::int64_t value = 0;
    while (AIndex < ALine.size() && IsDigit(ALine[AIndex])) {
        value = value * 10 + (ALine[AIndex] - '0');
        if (value > ALimit)
            value = ALimit;
        ++AIndex;
    }
    return value;
}

[[noreturn]] void RaiseMissing(const char* AField) {
    throw EParseError({AField}, "");
}

// The largest move number and half-move clock a position may carry; anything beyond is refused
// rather than cut or wrapped.
constexpr std::int64_t MaximalMoveNumber = 100000000;

// The length of the blank-separated field at AIndex.
std::size_t FieldLength(std::string_view ALine, std::size_t AIndex) {
    std::size_t end = AIndex;
    while (end < ALine.size() && ALine[end] != ' ' && ALine[end] != '\t')
        ++end;
    return end - AIndex;
}

// A number field written with a minus sign is refused as out of range, not skipped.
void RefuseNegative(std::string_view ALine, std::size_t AIndex, const char* AMessage) {
    if (AIndex + 1 < ALine.size() && ALine[AIndex] == '-' && IsDigit(ALine[AIndex + 1]))
        throw EConvertError(AMessage);
}

} // namespace

void TChessForsythEdwardsNotationParser::Parse(std::string_view AText) {
    auto* target = dynamic_cast<TChessPosition*>(FPosition);
    if (target == nullptr)
        throw ENotSupportedException("Position is not a chess position");
    std::unique_ptr<TPosition> copy = target->Clone();
    auto&                      work = static_cast<TChessPosition&>(*copy);
    // Nothing of the previous game survives a position string that omits a field.
    work.SetLongDraw(0);
    work.SetMoveIndex(0);
    work.CapturedPieces().Clear();
    work.ClearCastles();
    work.SetEnPassant(0);
    if (auto* threeCheck = dynamic_cast<TThreeCheckChessPosition*>(&work)) {
        threeCheck->SetRemainingChecks(0, TThreeCheckChessPosition::ChecksToWin);
        threeCheck->SetRemainingChecks(1, TThreeCheckChessPosition::ChecksToWin);
    }
    // The copy dies with this call; the parser must not keep pointing at it.
    struct TReset {
        TChessPosition*& Position;
        ~TReset() { Position = nullptr; }
    } reset{FChessPosition};
    FChessPosition = &work;
    std::size_t index = 0;
    ReadFields(AText, index);
    CheckChessSetup(work, FRules);
    work.InitializeHash();
    target->Assign(work);
}

void TChessForsythEdwardsNotationParser::FENStrToPos(std::string_view ALine, std::size_t& AIndex) {
    FChessPosition = dynamic_cast<TChessPosition*>(FPosition);
    if (FChessPosition == nullptr)
        throw ENotSupportedException("Position is not a chess position");
    ReadFields(ALine, AIndex);
}

void TChessForsythEdwardsNotationParser::ReadFields(std::string_view ALine, std::size_t& AIndex) {
    SkipBlanks(ALine, AIndex);
    ReadBoard(ALine, AIndex);
    CheckChessBoardSize(Target().Board(), FRules);
    ReadHoldings(ALine, AIndex);
    SkipBlanks(ALine, AIndex);
    ReadSideToMove(ALine, AIndex);
    SkipBlanks(ALine, AIndex);
    ReadCastles(ALine, AIndex);
    SkipBlanks(ALine, AIndex);
    ReadEnPassant(ALine, AIndex);
    SkipBlanks(ALine, AIndex);
    if (IsCheckCountField(ALine, AIndex)) {
        ReadCheckCounts(ALine, AIndex);
        SkipBlanks(ALine, AIndex);
    }
    ReadLongDraw(ALine, AIndex);
    SkipBlanks(ALine, AIndex);
    ReadMoveNumber(ALine, AIndex);
    SkipBlanks(ALine, AIndex);
    if (AIndex < ALine.size() && ALine[AIndex] == '+')
        ReadCheckCounts(ALine, AIndex);
}

bool TChessForsythEdwardsNotationParser::IsCheckCountField(std::string_view ALine,
                                                           std::size_t      AIndex) {
    for (; AIndex < ALine.size() && ALine[AIndex] != ' ' && ALine[AIndex] != '\t'; ++AIndex)
        if (ALine[AIndex] == '+')
            return true;
    return false;
}

void TChessForsythEdwardsNotationParser::ReadCheckCounts(std::string_view ALine,
                                                         std::size_t&     AIndex) {
    // "3+3" after the en passant field counts the checks each side still has to give; "+0+0"
    // after the move number counts the checks given so far. First player first in both.
    const bool given = ALine[AIndex] == '+';
    int        counts[2];
    for (int player = 0; player < 2; ++player) {
        if (given || player == 1) {
            if (AIndex >= ALine.size() || ALine[AIndex] != '+')
                throw EParseError({"+"}, AIndex < ALine.size() ? std::string(1, ALine[AIndex])
                                                               : std::string());
            ++AIndex;
        }
        if (AIndex >= ALine.size() || !IsDigit(ALine[AIndex]))
            throw EParseError({"integer"}, AIndex < ALine.size() ? std::string(1, ALine[AIndex])
                                                                 : std::string());
        counts[player] = static_cast<int>(ReadDecimal(ALine, AIndex, 15));
        if (counts[player] > TThreeCheckChessPosition::ChecksToWin)
            throw EConvertError("Check count out of range");
    }
    // The game ends with the third check: both sides cannot have given it.
    const int won = given ? TThreeCheckChessPosition::ChecksToWin : 0;
    if (counts[0] == won && counts[1] == won)
        throw EConvertError("Check count of both sides at the end of the game");
    auto* position = dynamic_cast<TThreeCheckChessPosition*>(&Target());
    if (position == nullptr)
        return;
    for (int player = 0; player < 2; ++player)
        position->SetRemainingChecks(
            player, given ? std::max(0, TThreeCheckChessPosition::ChecksToWin - counts[player])
                          : counts[player]);
}

void TChessForsythEdwardsNotationParser::ReadBoard(std::string_view ALine, std::size_t& AIndex) {
    // Cells are collected per text row; a board that does not fit here cannot fit the padded
    // array either (its last cell index would exceed 127).
    constexpr int BufferSize = 64;
    constexpr int Unbounded = 4096;
    std::int8_t   buffer[BufferSize][BufferSize] = {};
    // Cells whose piece is marked "~": it came from a promotion (crazyhouse).
    bool            promoted[BufferSize][BufferSize] = {};
    TChessPosition& position = Target();
    position.ClearStack();
    int column = 0;
    int row = 0;
    int width = Unbounded;

    const auto checkRow = [&] {
        const char* reason = nullptr;
        if (column <= 1)
            reason = "too short";
        else if (column >= width + 1)
            reason = "too long";
        else if (column != width && row != 0)
            reason = "size mishmash";
        if (reason != nullptr)
            throw EConvertError("Row " + std::to_string(row + 1) + " " + reason);
    };
    const auto store = [&](std::int8_t AValue) {
        if (column < width) {
            if (column >= BufferSize || row >= BufferSize)
                throw EConvertError("Board too large");
            buffer[row][column] = AValue;
        }
        ++column;
    };

    while (AIndex < ALine.size()) {
        const char c = ALine[AIndex];
        if (c == ' ' || c == '\t' || c == '[') {
            checkRow();
            break;
        }
        if (IsDigit(c)) {
            column += static_cast<int>(ReadDecimal(ALine, AIndex, Unbounded));
            if (column > 2 * Unbounded)
                column = 2 * Unbounded;
        } else if (c == '/') {
            checkRow();
            if (row == 0)
                width = column;
            if (row >= Unbounded)
                throw EConvertError("Column overflow");
            ++row;
            column = 0;
            ++AIndex;
        } else if (c == '?') {
            store(0);
            ++AIndex;
        } else if (c == '_') {
            store(TSquaredBoard::OffBoard);
            ++AIndex;
        } else if (!IsLetter(c)) {
            throw EParseError({"Piece", "integer", "/"}, std::string(1, c));
        } else {
            const int piece = position.StringToPiece(ALine, AIndex, true, plEnglish);
            if (piece == 0)
                throw EConvertError(std::string("Unknown Piece ") + c);
            store(static_cast<std::int8_t>(piece));
            if (AIndex < ALine.size() && ALine[AIndex] == '~') {
                ++AIndex;
                if (column - 1 < width && column - 1 < BufferSize)
                    promoted[row][column - 1] = true;
            }
        }
    }
    if (width < 2)
        throw EConvertError("First row too short");
    if (row < 1)
        throw EConvertError("Less that 2 rows");

    TChessBoard& board = position.Board();
    board.SetSize(width, row + 1);
    for (int y = 0; y <= row; ++y)
        for (int x = 0; x < width; ++x)
            board[board.XYToI(x, y)] = buffer[row - y][x];
    // Other variants have no use for the marks.
    if (auto* crazyhouse = dynamic_cast<TCrazyhouseChessPosition*>(&position)) {
        crazyhouse->ClearPromotedPieces();
        for (int y = 0; y <= row; ++y)
            for (int x = 0; x < width; ++x)
                if (promoted[row - y][x] && buffer[row - y][x] != 0 &&
                    buffer[row - y][x] != TSquaredBoard::OffBoard)
                    crazyhouse->SetPromotedPiece(board.XYToI(x, y), true);
    }
}

void TChessForsythEdwardsNotationParser::ReadHoldings(std::string_view ALine, std::size_t& AIndex) {
    if (AIndex >= ALine.size())
        throw EParseError({"["}, "");
    if (ALine[AIndex] != '[')
        return;
    ++AIndex;
    const std::size_t      close = ALine.find(']', AIndex);
    const std::string_view holdings = ALine.substr(
        AIndex, close == std::string_view::npos ? std::string_view::npos : close - AIndex);
    AIndex = close == std::string_view::npos ? ALine.size() : close + 1;
    std::size_t index = 0;
    Target().ReadCapturedPieces(holdings, index);
}

void TChessForsythEdwardsNotationParser::ReadSideToMove(std::string_view ALine,
                                                        std::size_t&     AIndex) {
    if (AIndex >= ALine.size())
        RaiseMissing("Side to move");
    const char c = LowerChar(ALine[AIndex]);
    for (int side = 0; side < 2; ++side) {
        if (TForsythEdwardsNotation::SideColorToChar(Target().SideColorToString(side)) == c) {
            ++AIndex;
            Target().SetSide(static_cast<std::uint8_t>(side));
            Target().SetMoveIndex(side);
            return;
        }
    }
    throw EParseError({"Side to move"}, std::string(1, ALine[AIndex]));
}

void TChessForsythEdwardsNotationParser::ReadCastles(std::string_view ALine, std::size_t& AIndex) {
    if (AIndex >= ALine.size())
        RaiseMissing("Castles");
    FCastles = {};
    const char first = ALine[AIndex];
    if (!IsLetter(first)) {
        if (first != '-')
            throw EParseError({"-", "letter"}, std::string(1, first));
        ++AIndex;
        Target().SetCastles(FCastles);
        return;
    }
    const TChessBoard& board = Target().Board();
    for (int player = 0; player < 2; ++player)
        FCastles[player][caKing] = static_cast<std::uint8_t>(board.FindKingPos(player));
    while (AIndex < ALine.size() && IsLetter(ALine[AIndex])) {
        const char c = ALine[AIndex++];
        const int  player = c >= 'a' && c <= 'z' ? 1 : 0;
        const char upper = UpperChar(c);
        bool       found = false;
        if (upper == 'K')
            found = SetOutermostCastleRook(player, caKingSide);
        else if (upper == 'Q')
            found = SetOutermostCastleRook(player, caQueenSide);
        else
            found = SetCastleRook(player, upper - 'A');
        // A right the board cannot have is refused, not dropped: the front end means another
        // position than the one that would be played.
        if (!found)
            throw EConvertError(std::string("Castling right ") + c + " without " +
                                Target().SideColorToString(player) + "'s king and rook in place");
    }
    Target().SetCastles(FCastles);
}

namespace {

// The king of APlayer on its own back row, or 0: rights of a king elsewhere are meaningless.
int BackRowKing(const TChessBoard& ABoard, const TCastles& ACastles, int APlayer) {
    const int king = ACastles[APlayer][caKing];
    if (king == 0)
        return 0;
    return ABoard.Y(king) == (APlayer == 0 ? 0 : ABoard.SqY()) ? king : 0;
}

} // namespace

bool TChessForsythEdwardsNotationParser::SetCastleRook(int APlayer, int AColumn) {
    const TChessBoard& board = Target().Board();
    const int          king = BackRowKing(board, FCastles, APlayer);
    if (king == 0 || AColumn < 0 || AColumn > board.SqX())
        return false;
    const int cell = board.XYToI(AColumn, APlayer == 0 ? 0 : board.SqY());
    if (board[cell] != (APlayer == 0 ? cpRook : -cpRook))
        return false;
    FCastles[APlayer][cell < king ? caQueenRook : caKingRook] = static_cast<std::uint8_t>(cell);
    return true;
}

bool TChessForsythEdwardsNotationParser::SetOutermostCastleRook(int APlayer, int ACastleType) {
    const TChessBoard& board = Target().Board();
    const int          king = BackRowKing(board, FCastles, APlayer);
    if (king == 0)
        return false;
    const int rook = APlayer == 0 ? cpRook : -cpRook;
    const int y = APlayer == 0 ? 0 : board.SqY();
    const int step = ACastleType == caKingSide ? -1 : 1;
    for (int x = ACastleType == caKingSide ? board.SqX() : 0; x >= 0 && x <= board.SqX();
         x += step) {
        const int cell = board.XYToI(x, y);
        if (cell == king)
            return false;
        if (board[cell] == rook) {
            FCastles[APlayer][ACastleType == caKingSide ? caKingRook : caQueenRook] =
                static_cast<std::uint8_t>(cell);
            return true;
        }
    }
    return false;
}

void TChessForsythEdwardsNotationParser::ReadEnPassant(std::string_view ALine,
                                                       std::size_t&     AIndex) {
    if (AIndex >= ALine.size())
        RaiseMissing("En Passant square");
    const char c = ALine[AIndex];
    if (c == '-') {
        ++AIndex;
    } else if (!IsLetter(c)) {
        throw EParseError({"En passant square"}, std::string(1, c));
    } else {
        TChessPosition&    position = Target();
        const TChessBoard& board = position.Board();
        const std::size_t  start = AIndex;
        const int          square = board.StringToSquare(ALine, AIndex);
        // A double step of the opponent's pawn must have made the square: it lies on the row
        // that pawn crossed, and it and the pawn's origin are empty with the pawn in front.
        const int pawn = position.Side() == 0 ? cpPawn : -cpPawn;
        const int forward = position.Side() == 0 ? board.SqXC2() : -board.SqXC2();
        const int victim = square - forward;
        const int origin = square + forward;
        // Pawns that start on their first row (the hordes) also cross their second.
        const int  opponent = position.Side() ^ 1;
        const bool fromFirstRow = FRules.PawnsOnFirstRow[opponent] || FRules.EitherSideIsTheArmy;
        const int  row = board.Y(square);
        const int  crossedRow = position.Side() == 0 ? board.SqY() - 2 : 2;
        const int  firstCrossed = position.Side() == 0 ? board.SqY() - 1 : 1;
        const bool made = board.SqYC() >= 6 && board[square] != TSquaredBoard::OffBoard &&
                          (row == crossedRow || (fromFirstRow && row == firstCrossed)) &&
                          board[square] == 0 && board[origin] == 0 && board[victim] == -pawn;
        if (!made)
            throw EConvertError("En passant square " +
                                std::string(ALine.substr(start, AIndex - start)) +
                                " that no double step can have made");
        // Kept only when a pawn of the side to move stands beside the pawn that double-stepped:
        // a square that no capture can use is no part of the position.
        const bool capturable = board[victim - 1] == pawn || board[victim + 1] == pawn;
        position.SetEnPassant(capturable ? square : 0);
    }
    ++AIndex;
}

void TChessForsythEdwardsNotationParser::ReadLongDraw(std::string_view ALine, std::size_t& AIndex) {
    if (AIndex >= ALine.size())
        RaiseMissing("Long draw");
    RefuseNegative(ALine, AIndex, "Long draw out of range");
    if (!IsDigit(ALine[AIndex]))
        throw EParseError({"Long draw"},
                          std::string(ALine.substr(AIndex, FieldLength(ALine, AIndex))));
    const std::int64_t clock = ReadDecimal(ALine, AIndex, 2 * MaximalMoveNumber + 1);
    if (clock > 2 * MaximalMoveNumber)
        throw EConvertError("Long draw out of range");
    Target().SetLongDraw(static_cast<std::uint32_t>(clock));
    ++AIndex;
}

void TChessForsythEdwardsNotationParser::ReadMoveNumber(std::string_view ALine,
                                                        std::size_t&     AIndex) {
    if (AIndex >= ALine.size())
        RaiseMissing("Game offset");
    RefuseNegative(ALine, AIndex, "Game offset out of range");
    // "+0+0" in place of the move number is the check count of three-check.
    if (ALine[AIndex] == '+')
        return;
    if (!IsDigit(ALine[AIndex]))
        throw EParseError({"Game offset"},
                          std::string(ALine.substr(AIndex, FieldLength(ALine, AIndex))));
    constexpr std::int64_t Limit = MaximalMoveNumber;
    const std::int64_t     n = ReadDecimal(ALine, AIndex, Limit + 1);
    if (n <= 0 || n > Limit)
        throw EConvertError("Game offset out of range");
    // The half-move clock counts plies since a capture or pawn move: at most every ply played.
    if (Target().LongDraw() > 2 * n)
        throw EConvertError("Long draw beyond the plies played");
    Target().SetMoveIndex(static_cast<std::int32_t>(Target().MoveIndex() + 2 * n - 2));
}
