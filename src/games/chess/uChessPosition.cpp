#include "games/chess/uChessPosition.h"

#include "games/uBoardDiagram.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

int CastleKingDestination(const TSquaredBoard& ABoard, int APlayer, int ACastleType) {
    const int width = ABoard.SqXC();
    const int x = ACastleType == caKingSide ? std::min(ABoard.SqX(), width + 2 - width / 2)
                                            : std::max(width / 2 - 2, 0);
    return ABoard.XYToI(x, APlayer == 0 ? 0 : ABoard.SqY());
}

// ---------------------------------------------------------------------------------------------
// TChessBoard

int TChessBoard::FindKingPos(int APlayer) const {
    return FindPiecePos(APlayer == 0 ? FKingCode : -FKingCode);
}

int TChessBoard::FindPiecePos(int APiece) const {
    for (int i = 0; i < FUsedSquareCount; ++i)
        if (FSquares[FUsedSquares[i]] == APiece)
            return FUsedSquares[i];
    return 0;
}

// ---------------------------------------------------------------------------------------------
// TChessCapturedPieces

std::string TChessCapturedPieces::AsString() const {
    std::string result;
    for (int player = 0; player < 2; ++player)
        for (int piece = 1; piece <= 6; ++piece) {
            const std::string letter = ChessPieceText(player == 0 ? piece : -piece, plEnglish);
            for (int i = 0; i < FCounts[player][piece]; ++i)
                result += letter;
        }
    return result;
}

void TChessCapturedPieces::ReadFromString(std::string_view ALine) {
    std::size_t index = 0;
    ReadFromString(ALine, index);
}

void TChessCapturedPieces::ReadFromString(std::string_view ALine, std::size_t& AIndex) {
    Clear();
    static constexpr std::string_view Letters = "PNBRQK";
    while (AIndex < ALine.size()) {
        const char c = ALine[AIndex++];
        if (c == '-')
            continue;
        const auto found = Letters.find(UpperChar(c));
        if (found == std::string_view::npos)
            throw EConvertError(std::string("Unknown Piece ") + c);
        Add(c >= 'a' && c <= 'z' ? 1 : 0, static_cast<int>(found) + 1);
    }
}

// ---------------------------------------------------------------------------------------------
// TChessPosition

TChessPosition::TChessPosition() : FBoard(std::make_unique<TChessBoard>()) {
    FKeys = &ChessPositionHash();
    FStack.resize(256 * FUndoRecordSize);
}

void TChessPosition::SetUndoRecordSize(std::size_t AValue) {
    FUndoRecordSize = AValue;
    FStackTop = 0;
    FStack.resize(256 * FUndoRecordSize);
}

void TChessPosition::GrowStack() {
    FStack.resize(FStack.size() * 2 + FUndoRecordSize);
}

void TChessPosition::SetBoard(std::unique_ptr<TChessBoard> ABoard) {
    FBoard = std::move(ABoard);
}

void TChessPosition::Assign(const TPosition& ASource) {
    TPosition::Assign(ASource);
    if (const auto* source = dynamic_cast<const TChessPosition*>(&ASource)) {
        FUseCastleStrings = source->FUseCastleStrings;
        FKingTakesRook = source->FKingTakesRook;
        *FBoard = *source->FBoard;
        FCapturedPieces = source->FCapturedPieces;
        FCastles = source->FCastles;
        FEnPassant = source->FEnPassant;
        FKeys = source->FKeys;
    }
    FStackTop = 0;
}

std::string TChessPosition::SideColorToString(int APlayerIndex) const {
    switch (APlayerIndex) {
    case 0:
        return "White";
    case 1:
        return "Black";
    default:
        return {};
    }
}

std::string TChessPosition::PieceToString(int APiece, TPieceLanguage APieceLanguage) const {
    return ChessPieceText(APiece, APieceLanguage);
}

THash TChessPosition::GetHash() const {
    return ChessPositionHash().GetHash(*FBoard, FSide, FEnPassant, FCastles);
}

void TChessPosition::AutoInitializeCastles() {
    ClearCastles();
    for (int player = 0; player < 2; ++player) {
        const int king = FBoard->FindKingPos(player);
        FCastles[player][caKing] = static_cast<std::uint8_t>(king);
        if (king == 0)
            continue;
        const std::int8_t rook = player == 0 ? cpRook : -cpRook;
        for (int i = king + 1; (*FBoard)[i] != TSquaredBoard::OffBoard; ++i)
            if ((*FBoard)[i] == rook) {
                FCastles[player][caKingRook] = static_cast<std::uint8_t>(i);
                break;
            }
        for (int i = king - 1; (*FBoard)[i] != TSquaredBoard::OffBoard; --i)
            if ((*FBoard)[i] == rook) {
                FCastles[player][caQueenRook] = static_cast<std::uint8_t>(i);
                break;
            }
    }
}

void TChessPosition::ClearCastles() {
    FCastles = {};
}

bool TChessPosition::IsAttacked(int ACell, int AAttacker) const {
    const TChessBoard& board = *FBoard;
    const int          s = board.SqXC2();
    const int          sign = AAttacker == 0 ? 1 : -1;
    // The attacker's pawns stand one row behind the cell, as seen from the attacker.
    const int behind = AAttacker == 0 ? -s : s;
    if (board[ACell + behind - 1] == sign * cpPawn || board[ACell + behind + 1] == sign * cpPawn)
        return true;
    const int knightSteps[8] = {2 * s - 1, 2 * s + 1, s - 2,      s + 2,
                                -s - 2,    -s + 2,    -2 * s - 1, -2 * s + 1};
    for (const int step : knightSteps)
        if (board[ACell + step] == sign * cpKnight)
            return true;
    const int steps[8] = {s - 1, s + 1, -s - 1, -s + 1, s, -s, 1, -1};
    const int king = sign * board.KingCode();
    for (int d = 0; d < 8; ++d) {
        const int step = steps[d];
        if (board[ACell + step] == king)
            return true;
        int c = ACell + step;
        while (board[c] == 0)
            c += step;
        if (board[c] == sign * cpQueen || board[c] == sign * (d < 4 ? cpBishop : cpRook))
            return true;
    }
    return false;
}

TPackedBoard TChessPosition::PackedBoard() const {
    TPackedBoard result{};
    const int    count = std::min(64, FBoard->UsedSquareCount());
    for (int i = 0; i < count; ++i)
        result[i] = (*FBoard)[FBoard->UsedSquares()[i]];
    return result;
}

bool TChessPosition::IsSamePackedBoard(const TPackedBoard& APackedBoard) const {
    return PackedBoard() == APackedBoard;
}

void TChessPosition::ReadCapturedPieces(std::string_view ALine, std::size_t& AIndex) {
    FCapturedPieces.ReadFromString(ALine, AIndex);
}

// ---------------------------------------------------------------------------------------------
// Playing and taking back moves

void TChessPosition::DoMove(const TMove& AMove) {
    TSquaredBoard::TSquares& sq = FBoard->Squares();
    const TPositionHashKeys& keys = *FKeys;
    const int                from = AMove.FromSquare;
    const int                to = AMove.ToSquare;
    const int                piece = AMove.Piece;
    const int                captured = AMove.CapturedPiece;
    const int                mover = piece < 0 ? 1 : 0;

    if (FEnPassant != 0) {
        FHash.Swap(keys.FEnPassant[FBoard->X(FEnPassant)]);
        FEnPassant = 0;
    }
    if (captured != 0) {
        FHash.Swap(keys.SquareKey(captured, to));
        const int type = std::abs(captured);
        FCapturedPieces.Add(FSide, type <= 6 ? type : cpPawn);
    }

    // A capture on a castling rook's cell takes the opponent's right with it.
    const auto opponentRookCheck = [&] {
        const int opponent = mover ^ 1;
        if (FCastles[opponent][caKingRook] == to)
            ClearCastleRight(opponent, caKingSide);
        else if (FCastles[opponent][caQueenRook] == to)
            ClearCastleRight(opponent, caQueenSide);
    };

    switch (AMove.MoveType) {
    case mvNormal: {
        sq[to] = static_cast<std::int8_t>(piece);
        sq[from] = 0;
        FHash.Swap(keys.SquareKey(piece, from));
        FHash.Swap(keys.SquareKey(piece, to));
        const int type = piece < 0 ? -piece : piece;
        if (type == cpRook) {
            if (FCastles[mover][caKingRook] == from)
                ClearCastleRight(mover, caKingSide);
            else if (FCastles[mover][caQueenRook] == from && from != 0)
                ClearCastleRight(mover, caQueenSide);
        } else if (type == cpKing && FCastles[mover][caKing] == from) {
            if (FCastles[mover][caQueenRook] != 0)
                ClearCastleRight(mover, caQueenSide);
            if (FCastles[mover][caKingRook] != 0)
                ClearCastleRight(mover, caKingSide);
        }
        opponentRookCheck();
        break;
    }
    case mvDrop:
        FHash.Swap(keys.SquareKey(piece, to));
        sq[to] = static_cast<std::int8_t>(piece);
        FCapturedPieces.Remove(FSide, piece < 0 ? -piece : piece);
        break;
    case mvKingSideCastle:
    case mvQueenSideCastle: {
        // King lifted, rook moved, king placed: correct for every overlap of the four cells.
        const bool kingSide = AMove.MoveType == mvKingSideCastle;
        const int  rookFrom = FCastles[mover][kingSide ? caKingRook : caQueenRook];
        const int  rookTo = kingSide ? to - 1 : to + 1;
        const int  rook = mover == 0 ? cpRook : -cpRook;
        sq[from] = 0;
        FHash.Swap(keys.SquareKey(piece, from));
        sq[rookFrom] = 0;
        sq[rookTo] = static_cast<std::int8_t>(rook);
        FHash.Swap(keys.SquareKey(rook, rookFrom));
        FHash.Swap(keys.SquareKey(rook, rookTo));
        sq[to] = static_cast<std::int8_t>(piece);
        FHash.Swap(keys.SquareKey(piece, to));
        if (FCastles[mover][caKingRook] != 0)
            ClearCastleRight(mover, caKingSide);
        if (FCastles[mover][caQueenRook] != 0)
            ClearCastleRight(mover, caQueenSide);
        break;
    }
    case mvEnPassant: {
        FHash.Swap(keys.SquareKey(piece, from));
        FHash.Swap(keys.SquareKey(piece, to));
        sq[from] = 0;
        sq[to] = static_cast<std::int8_t>(piece);
        FCapturedPieces.Add(FSide, cpPawn);
        const int victim = from < to ? to - FBoard->SqXC2() : to + FBoard->SqXC2();
        FHash.Swap(keys.SquareKey(-piece, victim));
        sq[victim] = 0;
        break;
    }
    case mvDoubleStep:
        FHash.Swap(keys.SquareKey(piece, from));
        FHash.Swap(keys.SquareKey(piece, to));
        sq[from] = 0;
        sq[to] = static_cast<std::int8_t>(piece);
        // A horde pawn's double step from its first row gives no en passant right.
        if ((sq[to + 1] == -piece || sq[to - 1] == -piece) &&
            FBoard->Y(from) != (mover == 0 ? 0 : FBoard->SqY())) {
            FEnPassant = static_cast<std::uint8_t>((to + from) / 2);
            FHash.Swap(keys.FEnPassant[FBoard->X(FEnPassant)]);
        }
        break;
    default: { // promotion to the piece type in MoveType
        const int promoted = mover == 0 ? AMove.MoveType : -AMove.MoveType;
        FHash.Swap(keys.SquareKey(piece, from));
        FHash.Swap(keys.SquareKey(promoted, to));
        sq[from] = 0;
        sq[to] = static_cast<std::int8_t>(promoted);
        opponentRookCheck();
        break;
    }
    }

    if (piece == cpPawn || piece == -cpPawn || captured != 0)
        FLongDraw = 0;
    else
        ++FLongDraw;
    FSide ^= 1;
    FHash.Swap(keys.FPlayer);
}

void TChessPosition::NextSideToPlay() {
    FSide ^= 1;
    FHash.Swap(FKeys->FPlayer);
}

// Field by field: a record assembled elsewhere and copied whole would be read back through
// stores of other widths, which the processor cannot forward.
void TChessPosition::SaveUndoRecord(std::uint8_t* ARecord) const {
    std::memcpy(ARecord + offsetof(TChessUndoRecord, Hash) + offsetof(THash, Index), &FHash.Index,
                sizeof(FHash.Index));
    std::memcpy(ARecord + offsetof(TChessUndoRecord, Hash) + offsetof(THash, Code), &FHash.Code,
                sizeof(FHash.Code));
    std::memcpy(ARecord + offsetof(TChessUndoRecord, Castles), &FCastles, sizeof(FCastles));
    ARecord[offsetof(TChessUndoRecord, EnPassant)] = FEnPassant;
    std::memcpy(ARecord + offsetof(TChessUndoRecord, LongDraw), &FLongDraw, sizeof(FLongDraw));
}

void TChessPosition::RestoreUndoRecord(const std::uint8_t* ARecord) {
    std::memcpy(&FHash.Index, ARecord + offsetof(TChessUndoRecord, Hash) + offsetof(THash, Index),
                sizeof(FHash.Index));
    std::memcpy(&FHash.Code, ARecord + offsetof(TChessUndoRecord, Hash) + offsetof(THash, Code),
                sizeof(FHash.Code));
    std::memcpy(&FCastles, ARecord + offsetof(TChessUndoRecord, Castles), sizeof(FCastles));
    FEnPassant = ARecord[offsetof(TChessUndoRecord, EnPassant)];
    std::memcpy(&FLongDraw, ARecord + offsetof(TChessUndoRecord, LongDraw), sizeof(FLongDraw));
}

void TChessPosition::MakeRevertableMove(const TMove& AMove) {
    SaveUndoRecord(PushUndoRecord());
    DoMove(AMove);
}

void TChessPosition::RevertMove(const TMove& AMove) {
    RestoreUndoRecord(PopUndoRecord());
    TakeBackMove(AMove);
}

void TChessPosition::TakeBackMove(const TMove& AMove) {
    TSquaredBoard::TSquares& sq = FBoard->Squares();
    const int                from = AMove.FromSquare;
    const int                to = AMove.ToSquare;
    const int                piece = AMove.Piece;
    FSide ^= 1;
    switch (AMove.MoveType) {
    case mvDrop:
        sq[to] = 0;
        FCapturedPieces.Add(FSide, piece < 0 ? -piece : piece);
        break;
    case mvKingSideCastle:
    case mvQueenSideCastle: {
        const int  mover = piece < 0 ? 1 : 0;
        const bool kingSide = AMove.MoveType == mvKingSideCastle;
        sq[to] = 0;
        sq[kingSide ? to - 1 : to + 1] = 0;
        sq[from] = static_cast<std::int8_t>(piece);
        sq[FCastles[mover][kingSide ? caKingRook : caQueenRook]] =
            static_cast<std::int8_t>(mover == 0 ? cpRook : -cpRook);
        break;
    }
    case mvEnPassant:
        sq[from] = static_cast<std::int8_t>(piece);
        sq[to] = 0;
        FCapturedPieces.Remove(FSide, cpPawn);
        sq[from < to ? to - FBoard->SqXC2() : to + FBoard->SqXC2()] =
            static_cast<std::int8_t>(-piece);
        break;
    case mvDoubleStep:
        sq[from] = static_cast<std::int8_t>(piece);
        sq[to] = 0;
        break;
    default:
        sq[from] = static_cast<std::int8_t>(piece);
        sq[to] = AMove.CapturedPiece;
        break;
    }
    if (AMove.CapturedPiece != 0) {
        const int type = std::abs(AMove.CapturedPiece);
        FCapturedPieces.Remove(FSide, type <= 6 ? type : cpPawn);
    }
}

// ---------------------------------------------------------------------------------------------
// Move text

std::string TChessPosition::MoveToString(const TMove& AMove) const {
    if (AMove.Piece == 0)
        return "--";
    const TChessBoard& board = *FBoard;
    switch (AMove.MoveType) {
    case mvKingSideCastle:
    case mvQueenSideCastle:
        if (FUseCastleStrings)
            return AMove.MoveType == mvKingSideCastle ? "O-O" : "O-O-O";
        // The king's two-file step is read back as castling only when it is one; from any other
        // distance (a king already on its castling square, or one file away, where the same
        // text is a plain king step) castling is written as the king taking its rook.
        if (FKingTakesRook || std::abs(AMove.ToSquare - AMove.FromSquare) != 2) {
            int rook = AMove.Spare;
            if (rook == 0)
                rook = FCastles[AMove.Piece < 0 ? 1 : 0]
                               [AMove.MoveType == mvKingSideCastle ? caKingRook : caQueenRook];
            if (rook != 0)
                return board.SquareToString(AMove.FromSquare) + board.SquareToString(rook);
        }
        return board.SquareToString(AMove.FromSquare) + board.SquareToString(AMove.ToSquare);
    case mvNormal:
    case mvDefaultPromotion:
    case mvEnPassant:
    case mvDoubleStep:
        return board.SquareToString(AMove.FromSquare) + board.SquareToString(AMove.ToSquare);
    case mvDrop:
        return PieceToString(std::abs(AMove.Piece), plEnglish) + "@" +
               board.SquareToString(AMove.ToSquare);
    default:
        return board.SquareToString(AMove.FromSquare) + board.SquareToString(AMove.ToSquare) +
               LowerCase(PieceToString(AMove.MoveType, plEnglish));
    }
}

namespace {

bool IsMoveTextEnd(std::string_view AText, std::size_t AIndex) {
    if (AIndex >= AText.size())
        return true;
    const char c = AText[AIndex];
    if (c == '\t' || c == '\n' || c == '\v' || c == '\r' || c == ' ')
        return true;
    // U+00A0 in UTF-8
    return static_cast<unsigned char>(c) == 0xC2 && AIndex + 1 < AText.size() &&
           static_cast<unsigned char>(AText[AIndex + 1]) == 0xA0;
}

} // namespace

std::unique_ptr<TMove> TChessPosition::StringToMove(std::string_view AText) const {
    auto move = std::make_unique<TMove>();
    *move = TMove{};
    const TChessBoard& board = *FBoard;
    const std::string  trimmed = Trim(AText);
    const int          kingCode = FSide == 0 ? board.KingCode() : -board.KingCode();

    // Castling written as O-O or O-O-O (zeros accepted too).
    const std::string castle = ReplaceAll(UpperCase(trimmed), "0", "O");
    if (castle == "O-O" || castle == "O-O-O") {
        const int type = castle == "O-O" ? caKingSide : caQueenSide;
        const int king =
            FCastles[FSide][caKing] != 0 ? FCastles[FSide][caKing] : board.FindKingPos(FSide);
        if (king == 0)
            throw EConvertError("First square of move " + std::string(AText) + " is empty");
        move->FromSquare = static_cast<std::uint8_t>(king);
        move->ToSquare = static_cast<std::uint8_t>(CastleKingDestination(board, FSide, type));
        move->Piece = static_cast<std::int8_t>(board[king]);
        move->MoveType = type == caKingSide ? mvKingSideCastle : mvQueenSideCastle;
        move->Spare = FCastles[FSide][type == caKingSide ? caKingRook : caQueenRook];
        return move;
    }

    if (AText.size() < 4)
        throw EConvertError("Move " + std::string(AText) + " too short");

    if (AText.find('@') != std::string_view::npos) {
        std::size_t index = 0;
        int         piece = StringToPiece(AText, index, false, plEnglish);
        if (FSide == 1)
            piece = -piece;
        index = AText.find('@') + 1;
        move->ToSquare = static_cast<std::uint8_t>(board.StringToSquare(AText, index));
        move->Piece = static_cast<std::int8_t>(piece);
        move->MoveType = mvDrop;
        return move;
    }

    std::size_t index = 0;
    const int   from = board.StringToSquare(AText, index);
    const int   to = board.StringToSquare(AText, index);
    if (!IsMoveTextEnd(AText, index)) {
        // After the squares, wherever they end: ranks above 9 take two digits.
        std::size_t promotionIndex = index;
        const int   promoted = std::abs(StringToPiece(AText, promotionIndex, true, plEnglish));
        move->MoveType = static_cast<std::uint8_t>(promoted);
    }
    move->FromSquare = static_cast<std::uint8_t>(from);
    move->ToSquare = static_cast<std::uint8_t>(to);
    move->CapturedPiece = board[to];
    move->Piece = board[from];
    if (move->Piece == 0)
        throw EConvertError("First square of move " + std::string(AText) + " is empty");

    const int type = std::abs(move->Piece);
    if (type == cpPawn) {
        if (std::abs(from - to) == 2 * board.SqXC2())
            move->MoveType = mvDoubleStep;
        else if (board[to] == 0 && to == FEnPassant)
            move->MoveType = mvEnPassant;
    } else if (move->Piece == kingCode && from == FCastles[FSide][caKing]) {
        // King takes its own castling rook, or steps two files onto its castling square.
        for (const int castleType : {caKingSide, caQueenSide}) {
            const int  rook = FCastles[FSide][castleType == caKingSide ? caKingRook : caQueenRook];
            const int  destination = CastleKingDestination(board, FSide, castleType);
            const bool takesRook = rook != 0 && to == rook;
            const bool twoFiles =
                to == destination && (castleType == caKingSide ? to == from + 2 : from == to + 2);
            if (takesRook || (twoFiles && rook != 0)) {
                move->ToSquare = static_cast<std::uint8_t>(destination);
                move->CapturedPiece = 0;
                move->MoveType = castleType == caKingSide ? mvKingSideCastle : mvQueenSideCastle;
                move->Spare = static_cast<std::uint8_t>(rook);
                break;
            }
        }
    }
    return move;
}

std::unique_ptr<TPosition> TChessPosition::Clone() const {
    auto result = std::make_unique<TChessPosition>();
    result->Assign(*this);
    return result;
}

// ---------------------------------------------------------------------------------------------
// Diagram

// ---------------------------------------------------------------------------------------------
// Self-check

std::string TChessPosition::SelfCheck() const {
    std::string fault = TPosition::SelfCheck();
    if (!fault.empty())
        return fault;
    const TChessBoard& board = *FBoard;
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        if (std::abs(board[cell]) > MaxPieceCode())
            return "cell " + std::to_string(cell) + " holds code " + std::to_string(board[cell]);
    }
    for (int player = 0; player < 2; ++player) {
        const int sign = player == 0 ? 1 : -1;
        const int king = FCastles[player][caKing];
        for (const int rook : {FCastles[player][caKingRook], FCastles[player][caQueenRook]}) {
            if (king == 0 || rook == 0)
                continue;
            if (board[king] != sign * board.KingCode() || board[rook] != sign * cpRook)
                return "castling right of player " + std::to_string(player) +
                       " without its king and rook in place";
        }
        for (int piece = 0; piece < 7; ++piece)
            if (FCapturedPieces.Counts()[player][piece] < 0)
                return "negative count of captured piece " + std::to_string(piece);
    }
    if (FEnPassant != 0 && board[FEnPassant] != 0)
        return "en passant cell " + std::to_string(FEnPassant) + " is occupied";
    return {};
}

TBoardDiagram TChessPosition::Diagram() const {
    const TChessBoard& board = *FBoard;
    TBoardDiagram      diagram;
    for (int x = 0; x <= board.SqX(); ++x)
        diagram.FileLabels.emplace_back(1, static_cast<char>('a' + x));
    for (int y = board.SqY(); y >= 0; --y) {
        diagram.RankLabels.push_back(std::to_string(y + 1));
        for (int x = 0; x <= board.SqX(); ++x) {
            const int piece = board[board.XYToI(x, y)];
            if (piece == 0 || piece == TSquaredBoard::OffBoard)
                diagram.Cells.push_back({});
            else
                diagram.Cells.push_back({PieceToString(piece, plEnglish), piece > 0});
        }
    }
    diagram.Footer = "Captured Pieces: " + FCapturedPieces.AsString();
    return diagram;
}

void TChessPosition::WriteToConsole(IOutputSink& ASink) const {
    WriteBoardDiagram(ASink, Diagram());
}
