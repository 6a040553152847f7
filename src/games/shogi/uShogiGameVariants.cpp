#include "games/shogi/uShogiGameVariants.h"

#include "games/shogi/uShogiForsythEdwardsNotationParser.h"
#include "games/shogi/uShogiForsythEdwardsNotationWriter.h"
#include "games/shogi/uShogiMoveGenerator.h"
#include "games/shogi/uShogiPosition.h"

namespace {

std::unique_ptr<TChessBoard> NewShogiBoard(int AWidth, int AHeight, TNotation ANotation) {
    auto board = std::make_unique<TChessBoard>();
    board->SetKingCode(spKing);
    board->SetSymmetryType(stPointSymmetry);
    board->SetNotation(ANotation);
    board->SetSize(AWidth, AHeight);
    for (int i = 0; i < board->UsedSquareCount(); ++i)
        (*board)[board->UsedSquares()[i]] = 0;
    return board;
}

void Put(TChessBoard& ABoard, int X, int Y, std::int8_t APiece) {
    ABoard[ABoard.XYToI(X, Y)] = APiece;
}

// xboard's shogi piece types: a "+" slot is the promoted form of the type eleven slots before
// it, written "+" and that type's letter.
constexpr std::string_view MiniShogiPieceTable = "P.BR.S...G.+.++.+Kp.br.s...g.+.++.+k";
constexpr std::string_view GoroGoroPieceTable = "P....S...G.+....+Kp....s...g.+....+k";
// Dōbutsu keeps the shogi letters: its elephant and giraffe are the bishop and the rook.
constexpr std::string_view DobutsuPieceTable = "P.BR.......+.++...Kp.br.......+.++...k";

} // namespace

TShogiGameVariant::TShogiGameVariant() {
    SetDescription({
        .Name = "shogi",
        .Caption = "Shogi",
        .Family = gfShogi,
        .XBoard =
            {.Name = "shogi", .Width = 9, .Height = 9, .Holdings = 7, .ShogiCoordinates = true},
        .Perft = {{"", 3, 25470}},
    });
}

std::string TShogiGameVariant::SideColorToString(int AIndex) const {
    switch (AIndex) {
    case 0:
        return "Black";
    case 1:
        return "White";
    default:
        return TBoardGameVariant::SideColorToString(AIndex);
    }
}

std::unique_ptr<TPosition> TShogiGameVariant::CreateStartPosition() {
    auto position = std::make_unique<TShogiPosition>();
    position->SetBoard(CreateBoard());
    ShogiPositionHash().Initialize(position->Board());
    position->InitializeHash();
    return position;
}

std::unique_ptr<TMoveGenerator> TShogiGameVariant::CreateMoveGenerator() {
    return std::make_unique<TShogiMoveGenerator>();
}

std::shared_ptr<ICustomParser> TShogiGameVariant::CreateForsythEdwardsNotationParser() {
    auto parser = std::make_shared<TShogiForsythEdwardsNotationParser>();
    parser->SetStartBoard(*CreateBoard());
    return parser;
}

std::shared_ptr<ICustomWriter> TShogiGameVariant::CreateForsythEdwardsNotationWriter() {
    return std::make_shared<TShogiForsythEdwardsNotationWriter>();
}

std::unique_ptr<TChessBoard> TShogiGameVariant::CreateBoard() {
    std::unique_ptr<TChessBoard> board = NewShogiBoard(9, 9, ntShogi);
    const int                    last = board->SqX();
    for (int x = 0; x <= last; ++x) {
        std::int8_t piece = 0;
        if (x == last / 2)
            piece = spKing;
        else if (x == 0 || x == last)
            piece = spLance;
        else if (x == 1 || x == last - 1)
            piece = spKnight;
        else if (x == 2 || x == last - 2)
            piece = spSilver;
        else if (x == 3 || x == last - 3)
            piece = spGold;
        Put(*board, x, 0, piece);
    }
    if (board->SqYC() > 3) {
        Put(*board, 1, 1, spBishop);
        Put(*board, last - 1, 1, spRook);
    }
    if (board->SqYC() > 5)
        for (int x = 0; x <= last; ++x)
            Put(*board, x, 2, spPawn);
    board->CreateSymmetricBoard();
    return board;
}

// Every piece of the small shogi boards moves as on the large one: xboard is told so, because its
// defaults for a board it does not know are not the shogi pieces.
TMiniShogiGameVariant::TMiniShogiGameVariant() {
    SetDescription({
        .Name = "minishogi",
        .Caption = "Minishogi",
        .URL = "https://en.wikipedia.org/wiki/Minishogi",
        .Family = gfShogi,
        .XBoard = {.Name = "5x5+5_shogi",
                   .Alias = "minishogi",
                   .Width = 5,
                   .Height = 5,
                   .Holdings = 5,
                   .Parent = "shogi",
                   .PieceTable = MiniShogiPieceTable,
                   .Pieces = {"P& fW", "S& FfW", "G& WfF", "B& B", "R& R", "K& K", "+P& WfF",
                              "+S& WfF", "+B& BW", "+R& RF"},
                   .ShogiCoordinates = true},
        .Perft = {{"", 3, 2512}},
    });
}

std::unique_ptr<TChessBoard> TMiniShogiGameVariant::CreateBoard() {
    std::unique_ptr<TChessBoard> board = NewShogiBoard(5, 5, ntChess);
    const std::int8_t            row[5] = {spKing, spGold, spSilver, spBishop, spRook};
    for (int x = 0; x < 5; ++x)
        Put(*board, x, 0, row[x]);
    if (board->SqYC() >= 3)
        Put(*board, 0, 1, spPawn);
    board->CreateSymmetricBoard();
    return board;
}

TGoroGoroShogiGameVariant::TGoroGoroShogiGameVariant() {
    SetDescription({
        .Name = "goroGoroShogi",
        .Caption = "Goro-Goro Shogi",
        .URL = "https://en.wikipedia.org/wiki/Dōbutsu_shōgi#Variations",
        .Family = gfShogi,
        .XBoard = {.Name = "5x6+3_shogi",
                   .Alias = "gorogoro",
                   .Width = 5,
                   .Height = 6,
                   .Holdings = 3,
                   .Parent = "shogi",
                   .PieceTable = GoroGoroPieceTable,
                   .Pieces = {"P& fW", "S& FfW", "G& WfF", "K& K", "+P& WfF", "+S& WfF"},
                   .ShogiCoordinates = true},
        .Perft = {{"", 3, 4166}},
    });
}

std::unique_ptr<TChessBoard> TGoroGoroShogiGameVariant::CreateBoard() {
    std::unique_ptr<TChessBoard> board = NewShogiBoard(5, 6, ntShogi);
    const int                    last = board->SqX();
    Put(*board, last / 2, 0, spKing);
    Put(*board, 1, 0, spGold);
    Put(*board, last - 1, 0, spGold);
    Put(*board, 0, 0, spSilver);
    Put(*board, last, 0, spSilver);
    if (board->SqYC() > 5)
        for (int x = 1; x < last; ++x)
            Put(*board, x, 2, spPawn);
    board->CreateSymmetricBoard();
    return board;
}

TDobutsuShogiGameVariant::TDobutsuShogiGameVariant() {
    SetDescription({
        .Name = "dobutsuShogi",
        .Caption = "Dōbutsu Shōgi",
        .URL = "https://en.wikipedia.org/wiki/Dōbutsu_shōgi",
        .Family = gfShogi,
        .XBoard = {.Name = "3x4+3_shogi",
                   .Alias = "dobutsu",
                   .Width = 3,
                   .Height = 4,
                   .Holdings = 3,
                   .Parent = "shogi",
                   .PieceTable = DobutsuPieceTable,
                   .Pieces = {"P& fW", "B& B", "R& R", "K& K", "+P& WfF", "+B& BW", "+R& RF"},
                   .ShogiCoordinates = true},
        .Perft = {{"", 3, 162}},
    });
}

std::unique_ptr<TChessBoard> TDobutsuShogiGameVariant::CreateBoard() {
    std::unique_ptr<TChessBoard> board = NewShogiBoard(3, 4, ntShogi);
    const int                    last = board->SqX();
    Put(*board, last / 2, 0, spKing);
    Put(*board, 0, 0, spBishop);
    Put(*board, last, 0, spRook);
    if (board->SqYC() > 3)
        Put(*board, last / 2, 1, spPawn);
    board->CreateSymmetricBoard();
    return board;
}
