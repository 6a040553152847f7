#include "games/chess/uChessGameVariant.h"

#include "games/chess/uChessForsythEdwardsNotationParser.h"
#include "games/chess/uChessForsythEdwardsNotationWriter.h"
#include "games/chess/uGiveawayChessMoveGenerator.h"
#include "games/chess/uHordeChessMoveGenerator.h"

#include <cstdlib>

std::unique_ptr<TPosition> TChessGameVariant::CreateStartPosition() {
    std::unique_ptr<TChessPosition> position = NewPosition();
    position->SetBoard(CreateBoard());
    ChessPositionHash().Initialize(position->Board());
    position->AutoInitializeCastles();
    position->InitializeHash();
    PrepareStartPosition(*position);
    return position;
}

std::unique_ptr<TMoveGenerator> TChessGameVariant::CreateMoveGenerator() {
    return NewMoveGenerator();
}

std::shared_ptr<ICustomParser> TChessGameVariant::CreateForsythEdwardsNotationParser() {
    auto             parser = std::make_shared<TChessForsythEdwardsNotationParser>();
    TChessSetupRules rules = SetupRules();
    // The board and the sets of both sides, from the start board (every random setup has the
    // same sets). Where captured pieces change sides, the hands hold what the board lacks.
    const std::unique_ptr<TChessBoard> start = CreateBoard();
    rules.Width = start->SqXC();
    rules.Height = start->SqYC();
    rules.BoundPromotions = rules.MaximalPieces == 0;
    for (int i = 0; i < start->UsedSquareCount(); ++i) {
        const int piece = (*start)[start->UsedSquares()[i]];
        if (piece != 0 && piece >= -cpKing && piece <= cpKing)
            ++rules.StartSet[piece > 0 ? 0 : 1][piece > 0 ? piece : -piece];
    }
    parser->SetRules(rules);
    return parser;
}

std::shared_ptr<ICustomWriter> TChessGameVariant::CreateForsythEdwardsNotationWriter() {
    return std::make_shared<TChessForsythEdwardsNotationWriter>();
}

std::unique_ptr<TChessBoard> TChessGameVariant::CreateBoard() {
    auto board = std::make_unique<TChessBoard>();
    board->SetSymmetryType(stLineSymmetry);
    board->SetNotation(ntChess);
    board->SetSize(8, 8);
    const int width = board->SqXC();
    const int last = board->SqX();
    for (int y = 0; y <= board->SqY(); ++y)
        for (int x = 0; x <= last; ++x) {
            std::int8_t piece = 0;
            if (y == 0) {
                if (x == width / 2)
                    piece = cpKing;
                else if (x == 0 || x == last)
                    piece = cpRook;
                else if (x == 1 || x == last - 1)
                    piece = cpKnight;
                else if (x == 2 || x == last - 2)
                    piece = cpBishop;
                else if (x == last / 2)
                    piece = cpQueen;
            } else if (y == 1 && board->SqYC() > 3) {
                piece = cpPawn;
            }
            (*board)[board->XYToI(x, y)] = piece;
        }
    board->CreateSymmetricBoard();
    return board;
}

std::unique_ptr<TChessPosition> TChessGameVariant::NewPosition() {
    return std::make_unique<TChessPosition>();
}

std::unique_ptr<TChessMoveGenerator> TChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TChessMoveGenerator>();
}

void TChessGameVariant::PrepareStartPosition(TChessPosition&) {}

TStandardChessGameVariant::TStandardChessGameVariant() {
    SetDescription({
        .Name = "chess",
        .Caption = "Standard Chess",
        .URL = "https://en.wikipedia.org/wiki/Rules_of_chess",
        .XBoard = {.Name = "normal"},
        .Perft = {{"", 4, 197281},
                  {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3,
                   97862},
                  {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379}},
    });
}

TNoCastleGameVariant::TNoCastleGameVariant() {
    SetDescription({
        .Name = "nocastle",
        .Caption = "No castle",
        .XBoard = {.Name = "nocastle"},
        .Perft = {{"", 4, 197281}},
    });
}

void TNoCastleGameVariant::PrepareStartPosition(TChessPosition& APosition) {
    APosition.ClearCastles();
    APosition.InitializeHash();
}

TGiveawayChessGameVariant::TGiveawayChessGameVariant() {
    SetDescription({
        .Name = "giveaway",
        .Caption = "Giveaway",
        .URL = "https://en.wikipedia.org/wiki/Losing_chess",
        .XBoard = {.Name = "giveaway"},
        .Perft = {{"", 4, 153299}, {"8/2p5/8/8/8/8/P7/8 w - - 0 1", 8, 4}},
    });
}

std::unique_ptr<TChessMoveGenerator> TGiveawayChessGameVariant::NewMoveGenerator() {
    return std::make_unique<TGiveawayChessMoveGenerator>();
}

TDunsanyGameVariant::TDunsanyGameVariant() {
    SetDescription({
        .Name = "dunsany",
        .Caption = "Dunsany's Chess",
        .URL = "https://en.wikipedia.org/wiki/Dunsany%27s_chess",
        .XBoard = {.Name = "dunsany",
                   .Parent = "fairy",
                   .PieceTable = ChessXBoardPieceTable,
                   .Mirrored = true},
        .Perft = {{"", 4, 33601}, {"", 5, 775839}},
    });
}

std::unique_ptr<TChessBoard> TDunsanyGameVariant::CreateBoard() {
    std::unique_ptr<TChessBoard> board = TChessGameVariant::CreateBoard();
    for (int y = 0; y < board->SqYC() / 2; ++y)
        for (int x = 0; x <= board->SqX(); ++x)
            (*board)[board->XYToI(x, y)] = cpPawn;
    return board;
}

std::unique_ptr<TChessMoveGenerator> TDunsanyGameVariant::NewMoveGenerator() {
    auto generator = std::make_unique<THordeChessMoveGenerator>(false);
    generator->SetWhiteDouble(false);
    return generator;
}

void TDunsanyGameVariant::PrepareStartPosition(TChessPosition& APosition) {
    APosition.NextSideToPlay();
}

THordeChessGameVariant::THordeChessGameVariant() {
    SetDescription({
        .Name = "hordeChess",
        .Caption = "Horde Chess",
        .URL = "https://en.wikipedia.org/wiki/Dunsany%27s_chess#Horde_chess",
        .XBoard = {.Name = "hordechess", .Parent = "fairy", .PieceTable = ChessXBoardPieceTable},
        .Perft = {{"2p2p2/P2p2p1/1P2p2p/2P2p2/3P2p1/4P2p/5P2/K7 b - - 0 1", 4, 33781},
                  {"", 5, 473480}},
    });
}

std::unique_ptr<TChessBoard> THordeChessGameVariant::CreateBoard() {
    std::unique_ptr<TChessBoard> board = TChessGameVariant::CreateBoard();
    const int                    half = board->SqYC() / 2;
    for (int y = half - 1; y <= board->SqY(); ++y)
        for (int x = 0; x <= board->SqX(); ++x) {
            const bool  central = std::abs(2 * x - board->SqX()) < 4;
            std::int8_t piece = -cpPawn;
            if (y == board->SqY())
                piece = central ? 0 : -cpPawn;
            else if (y == half - 1)
                piece = central ? -cpPawn : 0;
            (*board)[board->XYToI(x, y)] = piece;
        }
    return board;
}

std::unique_ptr<TChessMoveGenerator> THordeChessGameVariant::NewMoveGenerator() {
    return std::make_unique<THordeChessMoveGenerator>(true);
}

THordeGameVariant::THordeGameVariant() {
    SetDescription({
        .Name = "horde",
        .Caption = "Horde",
        .URL = "https://lichess.org/variant/horde",
        .XBoard = {.Name = "horde", .Parent = "fairy", .PieceTable = ChessXBoardPieceTable},
        .Perft = {{"", 4, 23310}},
    });
}

std::unique_ptr<TChessBoard> THordeGameVariant::CreateBoard() {
    std::unique_ptr<TChessBoard> board = TChessGameVariant::CreateBoard();
    const int                    half = board->SqYC() / 2;
    const int                    last = board->SqX();
    for (int y = 0; y <= half; ++y)
        for (int x = 0; x <= last; ++x)
            if (y < half || x == 1 || x == 2 || x == last - 1 || x == last - 2)
                (*board)[board->XYToI(x, y)] = cpPawn;
    return board;
}

std::unique_ptr<TChessMoveGenerator> THordeGameVariant::NewMoveGenerator() {
    return std::make_unique<THordeChessMoveGenerator>(true);
}

// Kings may be captured and promoted to: a side may have none or several, and checks mean nothing.
TChessSetupRules TGiveawayChessGameVariant::SetupRules() const {
    TChessSetupRules rules;
    rules.Kings[0] = rules.Kings[1] = TChessSetupRules::skAny;
    rules.OpponentNotInCheck = false;
    return rules;
}

// White's pawns fill its first four rows and White has no king.
TChessSetupRules TDunsanyGameVariant::SetupRules() const {
    TChessSetupRules rules;
    rules.Kings[0] = TChessSetupRules::skNone;
    rules.PawnsOnFirstRow[0] = true;
    return rules;
}

// Black is the army at the start, but the rules are the same with the colours swapped, and
// such positions are played too.
TChessSetupRules THordeChessGameVariant::SetupRules() const {
    TChessSetupRules rules;
    rules.EitherSideIsTheArmy = true;
    return rules;
}

TChessSetupRules THordeGameVariant::SetupRules() const {
    TChessSetupRules rules;
    rules.Kings[0] = TChessSetupRules::skNone;
    rules.PawnsOnFirstRow[0] = true;
    return rules;
}
