#include "games/chess/uRandomChessGameVariants.h"

#include "games/chess/uChessForsythEdwardsNotationWriter.h"

#include <algorithm>

namespace {

// Puts APiece on the AIndex-th empty cell of row 0, counting from column 0.
void PlaceOnEmpty(TSquaredBoard& ABoard, int AIndex, std::int8_t APiece) {
    for (int x = 0; x <= ABoard.SqX(); ++x) {
        const int cell = ABoard.XYToI(x, 0);
        if (ABoard[cell] != 0)
            continue;
        if (AIndex-- == 0) {
            ABoard[cell] = APiece;
            return;
        }
    }
}

// Fills the empty cells of row 0 from column 0 with the pieces of APattern, stopping when either
// runs out.
void FillEmpty(TSquaredBoard& ABoard, const char* APattern) {
    for (int x = 0; x <= ABoard.SqX() && *APattern != 0; ++x) {
        const int cell = ABoard.XYToI(x, 0);
        if (ABoard[cell] != 0)
            continue;
        switch (*APattern++) {
        case 'N':
            ABoard[cell] = cpKnight;
            break;
        case 'R':
            ABoard[cell] = cpRook;
            break;
        default:
            ABoard[cell] = cpKing;
            break;
        }
    }
}

// Steps 1 to 3 shared by the Chess960 and shuffle schemes: the two bishops on opposite colours.
std::uint32_t PlaceBishops(std::uint32_t AId, TSquaredBoard& ABoard) {
    ABoard.ClearFirstRow();
    const int           width = ABoard.SqXC();
    std::uint32_t       n = AId;
    const std::uint32_t lightSquares = static_cast<std::uint32_t>(std::max(width / 2, 4));
    std::uint32_t       r = n % lightSquares;
    n /= lightSquares;
    if (r < static_cast<std::uint32_t>(width / 2))
        ABoard[ABoard.XYToI(static_cast<int>(2 * r + 1), 0)] = cpBishop;
    const std::uint32_t darkSquares = static_cast<std::uint32_t>(std::max((width + 1) / 2, 4));
    r = n % darkSquares;
    n /= darkSquares;
    if (r < static_cast<std::uint32_t>((width + 1) / 2))
        ABoard[ABoard.XYToI(static_cast<int>(2 * r), 0)] = cpBishop;
    return n;
}

} // namespace

void TChess960RandomPosition::Generate(std::uint32_t AId, TSquaredBoard& Board) {
    static constexpr const char* Patterns[10] = {"NNRKR", "NRNKR", "NRKNR", "NRKRN", "RNNKR",
                                                 "RNKNR", "RNKRN", "RKNNR", "RKNRN", "RKRNN"};
    std::uint32_t                n = PlaceBishops(AId, Board);
    const int                    width = Board.SqXC();
    const std::uint32_t queenChoices = width >= 8 ? static_cast<std::uint32_t>(width - 2) : 6;
    PlaceOnEmpty(Board, static_cast<int>(n % queenChoices), cpQueen);
    n /= queenChoices;
    FillEmpty(Board, Patterns[n % 10]);
    Board.CreateSymmetricBoard();
}

void TShuffleChessRandomPosition::Generate(std::uint32_t AId, TSquaredBoard& Board) {
    static constexpr const char* Patterns[6] = {"NNRR", "NRNR", "NRRN", "RNNR", "RNRN", "RRNN"};
    std::uint32_t                n = PlaceBishops(AId, Board);
    const int                    width = Board.SqXC();
    const std::uint32_t queenChoices = width >= 8 ? static_cast<std::uint32_t>(width - 2) : 6;
    PlaceOnEmpty(Board, static_cast<int>(n % queenChoices), cpQueen);
    n /= queenChoices;
    const std::uint32_t kingChoices = width >= 8 ? static_cast<std::uint32_t>(width - 3) : 5;
    PlaceOnEmpty(Board, static_cast<int>(n % kingChoices), cpKing);
    n /= kingChoices;
    FillEmpty(Board, Patterns[n % 6]);
    Board.CreateSymmetricBoard();
}

void TRandom256ChessRandomPosition::Generate(std::uint32_t AId, TSquaredBoard& Board) {
    if (Board.SqYC() < 3)
        return;
    for (int x = 0; x <= Board.SqX(); ++x) {
        Board[Board.XYToI(x, 1)] = 0;
        Board[Board.XYToI(x, Board.SqY() - 1)] = 0;
    }
    for (int x = 0; x <= Board.SqX(); ++x) {
        const int row = static_cast<int>(AId & 1) + 1;
        if (row < Board.SqYC() / 2)
            Board[Board.XYToI(x, row)] = cpPawn;
        AId /= 2;
    }
    Board.CreateSymmetricBoard();
}

// ---------------------------------------------------------------------------------------------

TRandomChessGameVariant::TRandomChessGameVariant()
    : FOwnRandomGenerator(std::make_unique<TKvRandomGenerator>()),
      FRandomGenerator(FOwnRandomGenerator.get()) {}

std::unique_ptr<TChessBoard> TRandomChessGameVariant::CreateBoard() {
    std::unique_ptr<TChessBoard> board = TChessGameVariant::CreateBoard();
    const std::uint32_t          id = FFixedId >= 0 ? static_cast<std::uint32_t>(FFixedId)
                                                    : FRandomGenerator->RangeU4(SetupCount() - 1);
    ArrangeBoard(id, *board);
    return board;
}

std::unique_ptr<TPosition> TRandomChessGameVariant::CreateStartPosition(std::uint32_t AId) {
    FFixedId = AId % SetupCount();
    struct TReset {
        std::int64_t& Id;
        ~TReset() { Id = -1; }
    } reset{FFixedId};
    return CreateStartPosition();
}

TChess960GameVariant::TChess960GameVariant() {
    SetDescription({
        .Name = "chess960",
        .Caption = "Chess 960",
        .URL = "https://en.wikipedia.org/wiki/Fischer_random_chess",
        .RandomSetup = true,
        .FischerRandomCastling = true,
        .Chess960 = true,
        .XBoard = {.Name = "fischerandom"},
        .Perft = {{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1", 4, 197281},
                  {"bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", 4, 326672}},
    });
}

std::shared_ptr<ICustomWriter> TChess960GameVariant::CreateForsythEdwardsNotationWriter() {
    auto writer = std::make_shared<TChessForsythEdwardsNotationWriter>();
    writer->SetCastleIdAsCoordinate(true);
    return writer;
}

void TChess960GameVariant::ArrangeBoard(std::uint32_t AId, TSquaredBoard& ABoard) const {
    TChess960RandomPosition::Generate(AId, ABoard);
}

void TChess960GameVariant::PrepareStartPosition(TChessPosition& APosition) {
    APosition.SetUseCastleStrings(true);
}

TShuffleChessGameVariant::TShuffleChessGameVariant() {
    SetDescription({
        .Name = "shuffle",
        .Caption = "Shuffle",
        .RandomSetup = true,
        .FischerRandomCastling = true,
        .XBoard = {.Name = "shuffle", .Parent = "fairy", .PieceTable = ChessXBoardPieceTable},
        .Perft = {{"4k3/8/8/8/8/8/8/1KR4R w C - 0 1", 5, 461712}},
    });
}

void TShuffleChessGameVariant::ArrangeBoard(std::uint32_t AId, TSquaredBoard& ABoard) const {
    TShuffleChessRandomPosition::Generate(AId, ABoard);
}

TRandom256ChessGameVariant::TRandom256ChessGameVariant() {
    SetDescription({
        .Name = "random256",
        .Caption = "Random 256",
        .RandomSetup = true,
        .XBoard = {.Name = "random256", .Parent = "fairy", .PieceTable = ChessXBoardPieceTable},
        .Perft = {{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 4, 197281}},
    });
}

void TRandom256ChessGameVariant::ArrangeBoard(std::uint32_t AId, TSquaredBoard& ABoard) const {
    TRandom256ChessRandomPosition::Generate(AId, ABoard);
}

void TRandom256ChessGameVariant::PrepareStartPosition(TChessPosition& APosition) {
    APosition.SetUseCastleStrings(true);
}
