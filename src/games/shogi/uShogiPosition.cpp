#include "games/shogi/uShogiPosition.h"

#include "games/uBoardDiagram.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <cstring>

namespace {

// clang-format off
constexpr const char* PieceTexts[ShogiMaxCode + 1] = {"",   "P",  "L",  "N",  "S",  "G",  "B",
                                                      "R",  "K",  "+P", "+L", "+N", "+S", "+B",
                                                      "+R"};
// clang-format on
constexpr std::string_view HandLetters = "PLNSGBR";

int Type(int APiece) {
    return APiece < 0 ? -APiece : APiece;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TShogiCapturedPieces

std::string TShogiCapturedPieces::AsString() const {
    std::string result;
    for (int player = 0; player < 2; ++player)
        for (int piece = ShogiMaxCode; piece >= 1; --piece) {
            const std::int32_t count = FCounts[player][piece];
            if (count <= 0)
                continue;
            if (count > 1)
                result += std::to_string(count);
            const std::string text = PieceTexts[piece];
            result += player == 0 ? text : LowerCase(text);
        }
    return result.empty() ? "-" : result;
}

void TShogiCapturedPieces::ReadFromString(std::string_view ALine) {
    std::size_t index = 0;
    ReadFromString(ALine, index);
}

void TShogiCapturedPieces::ReadFromString(std::string_view ALine, std::size_t& AIndex) {
    Clear();
    while (AIndex < ALine.size()) {
        if (ALine[AIndex] == '-') {
            ++AIndex;
            return;
        }
        int  count = 0;
        bool counted = false;
        while (AIndex < ALine.size() && ALine[AIndex] >= '0' && ALine[AIndex] <= '9') {
            count = std::min(count * 10 + (ALine[AIndex] - '0'), 1000);
            counted = true;
            ++AIndex;
        }
        if (AIndex >= ALine.size())
            throw EConvertError("Unknown Piece " + std::string(ALine.substr(AIndex - 1, 1)));
        const char letter = ALine[AIndex++];
        const auto found = HandLetters.find(UpperChar(letter));
        if (found == std::string_view::npos)
            throw EConvertError(std::string("Unknown Piece ") + letter);
        // A count is written only for two or more; 0 holds nothing and is no count at all.
        if (counted && count == 0)
            throw EConvertError(std::string("Hand count 0 of ") + letter);
        const int     player = letter >= 'a' && letter <= 'z' ? 1 : 0;
        std::int32_t& held = FCounts[player][static_cast<int>(found) + 1];
        held += counted ? count : 1;
        if (held > TShogiPositionHash::MaxHandCount)
            throw EConvertError("Too many pieces in hand");
    }
}

// ---------------------------------------------------------------------------------------------
// TShogiPosition

TShogiPosition::TShogiPosition() {
    SetHashKeys(ShogiPositionHash());
    FBoard->SetKingCode(spKing);
    SetUndoRecordSize(sizeof(TShogiUndoRecord));
}

void TShogiPosition::Assign(const TPosition& ASource) {
    TChessPosition::Assign(ASource);
    if (const auto* source = dynamic_cast<const TShogiPosition*>(&ASource))
        FCapturedPieces = source->FCapturedPieces;
}

std::string TShogiPosition::SideColorToString(int APlayerIndex) const {
    switch (APlayerIndex) {
    case 0:
        return "Black";
    case 1:
        return "White";
    default:
        return {};
    }
}

std::string TShogiPosition::PieceToString(int APiece, TPieceLanguage APieceLanguage) const {
    if (APiece == 0)
        return {};
    if (APieceLanguage != plEnglish)
        throw ENotSupportedException("Language not supported");
    const int type = Type(APiece);
    if (type > ShogiMaxCode)
        return "?";
    return APiece > 0 ? PieceTexts[type] : LowerCase(PieceTexts[type]);
}

THash TShogiPosition::GetHash() const {
    TShogiPositionHash& keys = ShogiPositionHash();
    THash               result = keys.GetHash(Board(), Side());
    for (int player = 0; player < 2; ++player)
        for (int piece = 1; piece <= TShogiPositionHash::MaxHandPiece; ++piece) {
            const int count = FCapturedPieces.Count(player, piece);
            if (count > 0 && count <= TShogiPositionHash::MaxHandCount)
                result.Swap(keys.HandKey(player, piece, count));
        }
    return result;
}

void TShogiPosition::ReadCapturedPieces(std::string_view ALine, std::size_t& AIndex) {
    FCapturedPieces.ReadFromString(ALine, AIndex);
}

std::unique_ptr<TPosition> TShogiPosition::Clone() const {
    auto result = std::make_unique<TShogiPosition>();
    result->Assign(*this);
    return result;
}

// ---------------------------------------------------------------------------------------------
// Playing and taking back moves

void TShogiPosition::DoMove(const TMove& AMove) {
    TSquaredBoard::TSquares&  sq = FBoard->Squares();
    const TShogiPositionHash& keys = ShogiPositionHash();
    const int                 to = AMove.ToSquare;
    const int                 piece = AMove.Piece;
    const int                 captured = AMove.CapturedPiece;
    const int                 side = FSide;
    auto&                     hand = FCapturedPieces.Counts()[side];

    if (AMove.MoveType == mvDrop) {
        const int type = Type(piece);
        const int count = hand[type];
        FHash.Swap(keys.HandKey(side, type, count));
        FHash.Swap(keys.HandKey(side, type, count - 1));
        hand[type] = count - 1;
        sq[to] = static_cast<std::int8_t>(piece);
        FHash.Swap(keys.SquareKey(piece, to));
    } else {
        const int from = AMove.FromSquare;
        sq[from] = 0;
        FHash.Swap(keys.SquareKey(piece, from));
        if (captured != 0) {
            FHash.Swap(keys.SquareKey(captured, to));
            const int type = ShogiUnpromoted[Type(captured)];
            const int count = hand[type];
            FHash.Swap(keys.HandKey(side, type, count));
            FHash.Swap(keys.HandKey(side, type, count + 1));
            hand[type] = count + 1;
        }
        const int placed =
            AMove.MoveType == mvNormal ? piece : (piece > 0 ? AMove.MoveType : -AMove.MoveType);
        sq[to] = static_cast<std::int8_t>(placed);
        FHash.Swap(keys.SquareKey(placed, to));
    }

    if (piece == spPawn || piece == -spPawn || captured != 0)
        FLongDraw = 0;
    else
        ++FLongDraw;
    FSide ^= 1;
    FHash.Swap(keys.FPlayer);
}

void TShogiPosition::MakeRevertableMove(const TMove& AMove) {
    std::uint8_t* record = PushUndoRecord();
    std::memcpy(record + offsetof(TShogiUndoRecord, Hash) + offsetof(THash, Index), &FHash.Index,
                sizeof(FHash.Index));
    std::memcpy(record + offsetof(TShogiUndoRecord, Hash) + offsetof(THash, Code), &FHash.Code,
                sizeof(FHash.Code));
    std::memcpy(record + offsetof(TShogiUndoRecord, LongDraw), &FLongDraw, sizeof(FLongDraw));
    TShogiPosition::DoMove(AMove);
}

void TShogiPosition::RevertMove(const TMove& AMove) {
    const std::uint8_t* record = PopUndoRecord();
    std::memcpy(&FHash.Index, record + offsetof(TShogiUndoRecord, Hash) + offsetof(THash, Index),
                sizeof(FHash.Index));
    std::memcpy(&FHash.Code, record + offsetof(TShogiUndoRecord, Hash) + offsetof(THash, Code),
                sizeof(FHash.Code));
    std::memcpy(&FLongDraw, record + offsetof(TShogiUndoRecord, LongDraw), sizeof(FLongDraw));
    TSquaredBoard::TSquares& sq = FBoard->Squares();
    FSide ^= 1;
    auto&     hand = FCapturedPieces.Counts()[FSide];
    const int to = AMove.ToSquare;
    if (AMove.MoveType == mvDrop) {
        sq[to] = 0;
        ++hand[Type(AMove.Piece)];
        return;
    }
    sq[AMove.FromSquare] = AMove.Piece;
    sq[to] = AMove.CapturedPiece;
    if (AMove.CapturedPiece != 0)
        --hand[ShogiUnpromoted[Type(AMove.CapturedPiece)]];
}

// ---------------------------------------------------------------------------------------------
// Move text

std::string TShogiPosition::SquareToString(int ASquare) const {
    const TChessBoard& board = *FBoard;
    return std::to_string(board.SqXC() - board.X(ASquare)) +
           static_cast<char>('a' + board.SqY() - board.Y(ASquare));
}

int TShogiPosition::StringToSquare(std::string_view AText, std::size_t& AIndex) const {
    const TChessBoard& board = *FBoard;
    if (AIndex + 2 > AText.size())
        throw EConvertError("Square too short");
    const char file = AText[AIndex];
    const char rank = LowerChar(AText[AIndex + 1]);
    const int  x = file >= '1' && file <= '9' ? board.SqXC() - (file - '0') : -1;
    const int  y = rank >= 'a' && rank <= 'z' ? board.SqY() - (rank - 'a') : -1;
    const int  square = board.XYToIChecked(x, y);
    AIndex += 2;
    return square;
}

std::string TShogiPosition::MoveToString(const TMove& AMove) const {
    if (AMove.Piece == 0)
        return "--";
    if (AMove.MoveType == mvDrop)
        return PieceTexts[Type(AMove.Piece)] + std::string("*") + SquareToString(AMove.ToSquare);
    std::string result = SquareToString(AMove.FromSquare) + SquareToString(AMove.ToSquare);
    if (AMove.MoveType != mvNormal)
        result += '+';
    return result;
}

std::unique_ptr<TMove> TShogiPosition::StringToMove(std::string_view AText) const {
    auto move = std::make_unique<TMove>();
    *move = TMove{};
    const std::string text = Trim(AText);
    if (text.size() < 4)
        throw EConvertError("Move " + std::string(AText) + " too short");
    const TChessBoard& board = *FBoard;
    std::size_t        index = 0;

    if (text[1] == '*' || text[1] == '@') {
        const auto found = HandLetters.find(UpperChar(text[0]));
        if (found == std::string_view::npos)
            throw EConvertError(std::string("Unknown Piece ") + text[0]);
        const int piece = static_cast<int>(found) + 1;
        index = 2;
        move->ToSquare = static_cast<std::uint8_t>(StringToSquare(text, index));
        move->Piece = static_cast<std::int8_t>(FSide == 0 ? piece : -piece);
        move->MoveType = mvDrop;
    } else {
        const int from = StringToSquare(text, index);
        const int to = StringToSquare(text, index);
        move->FromSquare = static_cast<std::uint8_t>(from);
        move->ToSquare = static_cast<std::uint8_t>(to);
        move->Piece = board[from];
        move->CapturedPiece = board[to];
        if (move->Piece == 0)
            throw EConvertError("First square of move " + std::string(AText) + " is empty");
        if (index < text.size() && text[index] == '+') {
            const int promoted = ShogiPromoted[Type(move->Piece)];
            if (promoted == 0)
                throw EConvertError("Piece of move " + std::string(AText) + " cannot promote");
            move->MoveType = static_cast<std::uint8_t>(promoted);
            ++index;
        }
    }
    if (index < text.size())
        throw EConvertError("Invalid move " + std::string(AText));
    return move;
}

// ---------------------------------------------------------------------------------------------
// Diagram

std::string TShogiPosition::SelfCheck() const {
    std::string fault = TChessPosition::SelfCheck();
    if (!fault.empty())
        return fault;
    for (int player = 0; player < 2; ++player)
        for (int piece = 1; piece <= TShogiPositionHash::MaxHandPiece; ++piece) {
            const int count = FCapturedPieces.Count(player, piece);
            if (count < 0 || count > TShogiPositionHash::MaxHandCount)
                return "hand of player " + std::to_string(player) + " holds " +
                       std::to_string(count) + " of piece " + std::to_string(piece);
        }
    return {};
}

// Files are numbered from the first player's right, ranks lettered from the top.
void TShogiPosition::WriteToConsole(IOutputSink& ASink) const {
    const TChessBoard& board = *FBoard;
    TBoardDiagram      diagram = Diagram();
    for (int x = 0; x <= board.SqX(); ++x)
        diagram.FileLabels[static_cast<std::size_t>(x)] = std::to_string(board.SqXC() - x);
    for (int row = 0; row <= board.SqY(); ++row)
        diagram.RankLabels[static_cast<std::size_t>(row)] =
            std::string(1, static_cast<char>('a' + row));
    diagram.Footer = "Captured Pieces: " + FCapturedPieces.AsString();
    WriteBoardDiagram(ASink, diagram);
}
