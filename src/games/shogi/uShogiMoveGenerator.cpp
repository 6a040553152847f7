#include "games/shogi/uShogiMoveGenerator.h"

#include "games/shogi/uShogiPosition.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <cstring>

namespace {

// clang-format off
// Directions as the first player sees them: 0 forward, 1 backward, 2 and 3 sideways, 4 and 6
// forward diagonals, 5 and 7 backward diagonals (k and k ^ 1 are opposite).
constexpr std::uint8_t PawnSteps[]   = {0};
constexpr std::uint8_t SilverSteps[] = {0, 6, 4, 5, 7};
constexpr std::uint8_t GoldSteps[]   = {0, 6, 4, 3, 2, 1};
constexpr std::uint8_t AllSteps[]    = {6, 0, 4, 3, 2, 5, 1, 7};
constexpr std::uint8_t Diagonals[]   = {6, 4, 5, 7};
constexpr std::uint8_t Lines[]       = {0, 3, 2, 1};
// The second player's view of each direction: forward and backward exchanged.
constexpr int Mirror[8] = {1, 0, 2, 3, 7, 6, 5, 4};
// 1: a pawn or lance, 2: a knight; the kinds that may stand where they can never move again.
constexpr int DeadKind[15] = {0, 1, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
// Material values, also for pieces in hand.
constexpr std::int32_t Values[15] = {0,   100, 300, 350, 500, 550, 800, 1000,
                                     0,   520, 520, 520, 550, 1100, 1300};
// clang-format on

template <int ASide> constexpr int Sign = ASide == 0 ? 1 : -1;

// A piece of ASide.
template <int ASide> [[gnu::always_inline]] inline bool Own(int AValue) {
    if constexpr (ASide == 0)
        return AValue > 0 && AValue <= ShogiMaxCode;
    else
        return AValue < 0;
}

// A piece of the opponent of ASide.
template <int ASide> [[gnu::always_inline]] inline bool Enemy(int AValue) {
    return Own<ASide ^ 1>(AValue);
}

// A cell a piece of ASide may move to: empty, or an opponent's piece other than the king.
template <int ASide> [[gnu::always_inline]] inline bool Reachable(int AValue) {
    if constexpr (ASide == 0)
        return AValue <= 0 && AValue != -spKing;
    else
        return AValue >= 0 && AValue <= ShogiMaxCode && AValue != spKing;
}

[[gnu::always_inline]] inline TMove MakeMove(int AFrom, int ATo, int APiece, int ACaptured,
                                             int AMoveType) {
    return TMove{sizeof(TMove),
                 0,
                 static_cast<std::uint8_t>(AFrom),
                 static_cast<std::uint8_t>(ATo),
                 static_cast<std::int8_t>(APiece),
                 static_cast<std::int8_t>(ACaptured),
                 static_cast<std::uint8_t>(AMoveType),
                 0};
}

[[noreturn]] void RaiseListOverflow() {
    throw Exception("Move stack overflow");
}

} // namespace

TShogiMoveGenerator::TShogiMoveGenerator() {
    // The largest known number of legal moves in a shogi position is 593.
    FMaxListMoves = 600;
}

void TShogiMoveGenerator::SetPosition(TPosition* AValue) {
    FShogiPosition = dynamic_cast<TShogiPosition*>(AValue);
    TChessMoveGenerator::SetPosition(AValue);
    // The tables depend on the board's shape alone; a new position on the same board keeps them.
    if (FShogiPosition != nullptr &&
        (FShogiPosition->Board().SqXC2() != FStride || FShogiPosition->Board().SqYC() != FHeight))
        BuildTables();
}

void TShogiMoveGenerator::InitializePromotionSquares() {
    std::memset(FPromotionSquares, 0, sizeof(FPromotionSquares));
    const TChessBoard& board = FChessPosition->Board();
    const int          rows = board.SqYC() / 3;
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        const int y = board.Y(cell);
        FPromotionSquares[0][cell] = y > board.SqY() - rows;
        FPromotionSquares[1][cell] = y < rows;
    }
}

void TShogiMoveGenerator::InitializeDoubleSquares() {
    std::memset(FDoubleSquares, 0, sizeof(FDoubleSquares));
}

void TShogiMoveGenerator::InitializeFinalKingPositions() {
    std::memset(FFinalKPos, 0, sizeof(FFinalKPos));
}

void TShogiMoveGenerator::BuildTables() {
    const TChessBoard& board = FShogiPosition->Board();
    const int          s = board.SqXC2();
    FStride = s;
    FHeight = board.SqYC();
    const int directions[8] = {s, -s, 1, -1, s + 1, -s - 1, s - 1, -s + 1};
    std::copy(std::begin(directions), std::end(directions), FDirections);
    FKnightJumps[0][0] = 2 * s - 1;
    FKnightJumps[0][1] = 2 * s + 1;
    FKnightJumps[1][0] = -2 * s - 1;
    FKnightJumps[1][1] = -2 * s + 1;

    // Each kind's steps and slides for the first player, as direction indexes.
    struct TShape {
        const std::uint8_t* Steps;
        int                 StepCount;
        const std::uint8_t* Slides;
        int                 SlideCount;
    };
    TShape shapes[ShogiCodeCount]{};
    shapes[spPawn] = TShape{PawnSteps, 1, nullptr, 0};
    shapes[spLance] = TShape{nullptr, 0, PawnSteps, 1};
    shapes[spSilver] = TShape{SilverSteps, 5, nullptr, 0};
    shapes[spGold] = TShape{GoldSteps, 6, nullptr, 0};
    shapes[spBishop] = TShape{nullptr, 0, Diagonals, 4};
    shapes[spRook] = TShape{nullptr, 0, Lines, 4};
    shapes[spKing] = TShape{AllSteps, 8, nullptr, 0};
    for (int code = spPromotedPawn; code <= spPromotedSilver; ++code)
        shapes[code] = shapes[spGold];
    shapes[spHorse] = TShape{Lines, 4, Diagonals, 4};
    shapes[spDragon] = TShape{Diagonals, 4, Lines, 4};

    std::memset(FNear, 0, sizeof(FNear));
    std::memset(FFar, 0, sizeof(FFar));
    for (int side = 0; side < 2; ++side) {
        const auto direction = [&](int AIndex) { return side == 0 ? AIndex : Mirror[AIndex]; };
        for (int code = 1; code < ShogiCodeCount; ++code) {
            const TShape& shape = shapes[code];
            TPieceMoves&  moves = FPieceMoves[side][code];
            moves = TPieceMoves{};
            unsigned stepMask = 0;
            unsigned slideMask = 0;
            for (int i = 0; i < shape.StepCount; ++i) {
                const int k = direction(shape.Steps[i]);
                moves.Steps[moves.StepCount++] = directions[k];
                stepMask |= 1u << k;
            }
            for (int i = 0; i < shape.SlideCount; ++i) {
                const int k = direction(shape.Slides[i]);
                moves.Slides[moves.SlideCount++] = directions[k];
                slideMask |= 1u << k;
            }
            if (code == spKnight) {
                moves.Steps[moves.StepCount++] = FKnightJumps[side][0];
                moves.Steps[moves.StepCount++] = FKnightJumps[side][1];
            }
            // Seen from the attacked cell, the attacker stands in direction k and moves in k ^ 1.
            const std::uint8_t byte = static_cast<std::uint8_t>(side == 0 ? code : -code);
            for (int k = 0; k < 8; ++k) {
                FNear[side][k][byte] = ((stepMask | slideMask) >> (k ^ 1)) & 1;
                FFar[side][k][byte] = (slideMask >> (k ^ 1)) & 1;
            }
        }
    }

    std::memset(FDeadCell, 0, sizeof(FDeadCell));
    std::memset(FFileBit, 0, sizeof(FFileBit));
    const int top = board.SqY();
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int cell = board.UsedSquares()[i];
        const int y = board.Y(cell);
        FDeadCell[0][1][cell] = y == top;
        FDeadCell[0][2][cell] = y >= top - 1;
        FDeadCell[1][1][cell] = y == 0;
        FDeadCell[1][2][cell] = y <= 1;
        FFileBit[cell] = static_cast<std::uint16_t>(1u << board.X(cell));
    }
}

// ---------------------------------------------------------------------------------------------
// Generate

TMoveList* TShogiMoveGenerator::Generate() {
    if (FShogiPosition == nullptr)
        return TChessMoveGenerator::Generate();
    const TChessBoard& board = FShogiPosition->Board();
    // A position string may have changed the board's size since SetPosition.
    if (board.SqXC2() != FStride || board.SqYC() != FHeight) {
        InitializePromotionSquares();
        BuildTables();
    }
    FMoveList = TMoveGenerator::Generate();
    Squares = FShogiPosition->Board().Squares().data();
    FKingPos[0] = FKingPos[1] = 0;
    std::memset(FCheckingPiecePosition, 0, sizeof(FCheckingPiecePosition));
    try {
        if (FShogiPosition->Side() == 0)
            GenerateFor<0>();
        else
            GenerateFor<1>();
    } catch (...) {
        // A list that overflowed is no list: the caller's guard never took it.
        ClearMarks();
        RemovePrevious();
        throw;
    }
    if (FMustCapture)
        KeepCaptures();
    if (!FPerftMode)
        Evaluate();
    return FMoveList;
}

template <int ASide> void TShogiMoveGenerator::GenerateFor() {
    constexpr int      sign = Sign<ASide>;
    const std::int8_t* sq = Squares;
    const TChessBoard& board = FShogiPosition->Board();

    // -- the mover's pieces, the empty cells, both kings and the files of the mover's pawns --
    std::uint8_t pieces[128];
    std::uint8_t empties[128];
    int          pieceCount = 0;
    int          emptyCount = 0;
    int          king = 0;
    int          enemyKing = 0;
    unsigned     pawnFiles = 0;
    const auto   visit = [&](int ACell) {
        const int value = sq[ACell];
        empties[emptyCount] = static_cast<std::uint8_t>(ACell);
        emptyCount += value == 0;
        if (Own<ASide>(value)) {
            pieces[pieceCount++] = static_cast<std::uint8_t>(ACell);
            if (value == sign * spKing)
                king = ACell;
            else if (value == sign * spPawn)
                pawnFiles |= FFileBit[ACell];
        } else if (value == -sign * spKing) {
            enemyKing = ACell;
        }
    };
    if constexpr (ASide == 0) {
        for (int cell = board.StP(); cell <= board.EnP(); ++cell)
            visit(cell);
    } else {
        for (int cell = board.EnP(); cell >= board.StP(); --cell)
            visit(cell);
    }

    // -- checks and pins --
    FCheckers = 0;
    FBlockCount = 0;
    if (king != 0)
        ScanFromKing<ASide>(king);

    // -- moves --
    TMove*       cursor = FMoveList->end();
    TMove* const limit = FMoveList->begin() + FMaxListMoves;
    if (FCheckers >= 2) {
        cursor = KingMoves<ASide>(cursor, king);
    } else {
        for (int i = 0; i < pieceCount; ++i) {
            // A piece adds at most 32 moves (a rook in the zone, each move with promotion).
            if (cursor + 32 > limit)
                RaiseListOverflow();
            const int cell = pieces[i];
            cursor = cell == king ? KingMoves<ASide>(cursor, cell)
                                  : PieceMoves<ASide>(cursor, cell, sq[cell]);
        }
        if (FCheckers == 0)
            cursor = Drops<ASide>(cursor, empties, emptyCount, pawnFiles, enemyKing);
        else
            cursor = Drops<ASide>(cursor, FBlockCells, FBlockCount, pawnFiles, enemyKing);
    }
    FMoveList->SetEnd(cursor);
    FMoveList->Seal();
    ClearMarks();
}

template <int ASide> void TShogiMoveGenerator::ScanFromKing(int AKing) {
    constexpr int      enemy = ASide ^ 1;
    const std::int8_t* sq = Squares;
    for (int k = 0; k < 8; ++k) {
        const int step = FDirections[k];
        int       cell = AKing + step;
        int       value = sq[cell];
        if (value == 0) {
            do {
                cell += step;
                value = sq[cell];
            } while (value == 0);
            if (FFar[enemy][k][static_cast<std::uint8_t>(value)]) {
                RecordCheck<ASide>(cell, AKing, step);
                continue;
            }
        } else if (FNear[enemy][k][static_cast<std::uint8_t>(value)]) {
            RecordCheck<ASide>(cell, AKing, 0);
            continue;
        }
        if (!Own<ASide>(value))
            continue;
        // An own piece: pinned when the next piece on the line slides along it to the king.
        int behind = cell;
        int next;
        do {
            behind += step;
            next = sq[behind];
        } while (next == 0);
        if (FFar[enemy][k][static_cast<std::uint8_t>(next)]) {
            FPinStep[cell] = static_cast<std::int8_t>(step);
            FPinnedCells[FPinnedCount++] = static_cast<std::uint8_t>(cell);
        }
    }
    const int knight = -Sign<ASide> * spKnight;
    for (const int jump : FKnightJumps[enemy])
        if (sq[AKing - jump] == knight)
            RecordCheck<ASide>(AKing - jump, AKing, 0);
}

template <int ASide> void TShogiMoveGenerator::RecordCheck(int AChecker, int AKing, int AStep) {
    ++FCheckers;
    FKingPos[ASide] = AKing;
    FCheckingPiecePosition[ASide][FCheckers == 1 ? 0 : 1] = AChecker;
    // Against two checkers only the king moves: the cells that answer a check are the first's.
    if (FCheckers > 1)
        return;
    FEvasion[AChecker] = true;
    FMarked[FMarkedCount++] = static_cast<std::uint8_t>(AChecker);
    if (AStep == 0)
        return;
    for (int cell = AKing + AStep; cell != AChecker; cell += AStep) {
        FEvasion[cell] = true;
        FMarked[FMarkedCount++] = static_cast<std::uint8_t>(cell);
        FBlockCells[FBlockCount++] = static_cast<std::uint8_t>(cell);
    }
}

void TShogiMoveGenerator::ClearMarks() {
    for (int i = 0; i < FMarkedCount; ++i)
        FEvasion[FMarked[i]] = false;
    FMarkedCount = 0;
    for (int i = 0; i < FPinnedCount; ++i)
        FPinStep[FPinnedCells[i]] = 0;
    FPinnedCount = 0;
}

template <int ASide> TMove* TShogiMoveGenerator::PieceMoves(TMove* ACursor, int AFrom, int APiece) {
    const std::int8_t* sq = Squares;
    const int          type = Sign<ASide> * APiece;
    const TPieceMoves& moves = FPieceMoves[ASide][type];
    const int          pin = FPinStep[AFrom];
    const bool         checked = FCheckers != 0;
    const int          promoted = ShogiPromoted[type];
    const bool         fromZone = FPromotionSquares[ASide][AFrom] != 0;
    const bool*        dead = FDeadCell[ASide][DeadKind[type]];
    TMove*             cursor = ACursor;
    const auto         add = [&](int ATo, int ACaptured) {
        if (promoted != 0 && (fromZone || FPromotionSquares[ASide][ATo] != 0)) {
            *cursor++ = MakeMove(AFrom, ATo, APiece, ACaptured, promoted);
            if (dead[ATo])
                return;
        }
        *cursor++ = MakeMove(AFrom, ATo, APiece, ACaptured, mvNormal);
    };
    // A pinned piece keeps to its pin line.
    const auto onLine = [pin](int AStep) { return pin == 0 || AStep == pin || AStep == -pin; };

    for (int i = 0; i < moves.StepCount; ++i) {
        const int step = moves.Steps[i];
        const int to = AFrom + step;
        const int value = sq[to];
        if (!Reachable<ASide>(value))
            continue;
        if ((checked && !FEvasion[to]) || !onLine(step))
            continue;
        add(to, value);
    }
    for (int i = 0; i < moves.SlideCount; ++i) {
        const int step = moves.Slides[i];
        if (!onLine(step))
            continue;
        int to = AFrom + step;
        int value = sq[to];
        while (value == 0) {
            if (!checked || FEvasion[to])
                add(to, 0);
            to += step;
            value = sq[to];
        }
        if (Reachable<ASide>(value) && (!checked || FEvasion[to]))
            add(to, value);
    }
    return cursor;
}

template <int ASide> TMove* TShogiMoveGenerator::KingMoves(TMove* ACursor, int AKing) {
    std::int8_t*       sq = Squares;
    const TPieceMoves& moves = FPieceMoves[ASide][spKing];
    const int          king = sq[AKing];
    // Lifted, so that a slider's line through the king's cell counts beyond it.
    sq[AKing] = 0;
    TMove* cursor = ACursor;
    for (int i = 0; i < moves.StepCount; ++i) {
        const int to = AKing + moves.Steps[i];
        const int value = sq[to];
        if (Reachable<ASide>(value) && !AttackedBy<ASide ^ 1>(to))
            *cursor++ = MakeMove(AKing, to, king, value, mvNormal);
    }
    sq[AKing] = static_cast<std::int8_t>(king);
    return cursor;
}

template <int ASide>
TMove* TShogiMoveGenerator::Drops(TMove* ACursor, const std::uint8_t* ACells, int ACount,
                                  unsigned APawnFiles, int AEnemyKing) {
    const auto&  hand = FShogiPosition->Hand().Counts()[ASide];
    TMove*       cursor = ACursor;
    TMove* const limit = FMoveList->begin() + FMaxListMoves;
    for (int type = spPawn; type <= spRook; ++type) {
        if (hand[type] <= 0)
            continue;
        if (cursor + ACount > limit)
            RaiseListOverflow();
        const int   piece = Sign<ASide> * type;
        const bool* dead = FDeadCell[ASide][DeadKind[type]];
        if (type != spPawn) {
            for (int i = 0; i < ACount; ++i) {
                const int cell = ACells[i];
                *cursor = MakeMove(cell, cell, piece, 0, mvDrop);
                cursor += !dead[cell];
            }
            continue;
        }
        // The cell where a pawn would check the opponent's king.
        const int checkCell = AEnemyKing == 0 ? -1 : AEnemyKing - FDirections[ASide];
        for (int i = 0; i < ACount; ++i) {
            const int cell = ACells[i];
            if (dead[cell] || (APawnFiles & FFileBit[cell]) != 0)
                continue;
            if (cell == checkCell && PawnDropMates<ASide>(cell, AEnemyKing))
                continue;
            *cursor++ = MakeMove(cell, cell, piece, 0, mvDrop);
        }
    }
    return cursor;
}

bool TShogiMoveGenerator::KingAttacked(int ASide) {
    if (FShogiPosition == nullptr)
        return false;
    Squares = FShogiPosition->Board().Squares().data();
    const int king = FShogiPosition->Board().FindKingPos(ASide);
    if (king == 0)
        return false;
    return ASide == 0 ? AttackedBy<1>(king) : AttackedBy<0>(king);
}

template <int AAttacker> bool TShogiMoveGenerator::AttackedBy(int ACell) const {
    const std::int8_t* sq = Squares;
    for (int k = 0; k < 8; ++k) {
        const int step = FDirections[k];
        int       cell = ACell + step;
        int       value = sq[cell];
        if (value == 0) {
            do {
                cell += step;
                value = sq[cell];
            } while (value == 0);
            if (FFar[AAttacker][k][static_cast<std::uint8_t>(value)])
                return true;
        } else if (FNear[AAttacker][k][static_cast<std::uint8_t>(value)]) {
            return true;
        }
    }
    const int knight = Sign<AAttacker> * spKnight;
    for (const int jump : FKnightJumps[AAttacker])
        if (sq[ACell - jump] == knight)
            return true;
    return false;
}

template <int ASide> bool TShogiMoveGenerator::PawnDropMates(int ACell, int AEnemyKing) {
    constexpr int     enemy = ASide ^ 1;
    std::int8_t*      sq = Squares;
    const std::int8_t pawn = static_cast<std::int8_t>(Sign<ASide> * spPawn);
    const std::int8_t enemyKing = sq[AEnemyKing];
    sq[ACell] = pawn;
    bool mates = true;

    // Can the king step out of the check, the pawn's cell included?
    sq[AEnemyKing] = 0;
    for (int k = 0; k < 8 && mates; ++k) {
        const int to = AEnemyKing + FDirections[k];
        if (Reachable<enemy>(sq[to]) && !AttackedBy<ASide>(to))
            mates = false;
    }
    sq[AEnemyKing] = enemyKing;

    // Can another piece take the pawn without exposing its king?
    const auto takes = [&](int AFrom) {
        const std::int8_t piece = sq[AFrom];
        sq[AFrom] = 0;
        sq[ACell] = piece;
        const bool safe = !AttackedBy<ASide>(AEnemyKing);
        sq[ACell] = pawn;
        sq[AFrom] = piece;
        return safe;
    };
    for (int k = 0; k < 8 && mates; ++k) {
        const int step = FDirections[k];
        int       from = ACell + step;
        int       value = sq[from];
        if (value == 0) {
            do {
                from += step;
                value = sq[from];
            } while (value == 0);
            if (FFar[enemy][k][static_cast<std::uint8_t>(value)] && takes(from))
                mates = false;
        } else if (value != enemyKing && FNear[enemy][k][static_cast<std::uint8_t>(value)] &&
                   takes(from)) {
            mates = false;
        }
    }
    const int knight = Sign<enemy> * spKnight;
    for (const int jump : FKnightJumps[enemy])
        if (mates && sq[ACell - jump] == knight && takes(ACell - jump))
            mates = false;

    sq[ACell] = 0;
    return mates;
}

// ---------------------------------------------------------------------------------------------
// Engine support

void TShogiMoveGenerator::KeepCaptures() {
    TMove* begin = FMoveList->begin();
    TMove* end = FMoveList->end();
    if (std::none_of(begin, end, [](const TMove& AMove) { return AMove.CapturedPiece != 0; }))
        return;
    TMove* kept =
        std::remove_if(begin, end, [](const TMove& AMove) { return AMove.CapturedPiece == 0; });
    FMoveList->SetEnd(kept);
    FMoveList->Seal();
}

void TShogiMoveGenerator::Evaluate() {
    const auto value = [](int APiece) { return Values[APiece < 0 ? -APiece : APiece]; };
    FMaxPrior = 0;
    FCanPromote = false;
    for (TMove& move : *FMoveList) {
        int priority = 127;
        if (move.MoveType == mvDrop) {
            priority = 100;
        } else {
            if (move.CapturedPiece != 0)
                priority = 128 + value(move.CapturedPiece) / 32;
            if (move.MoveType != mvNormal) {
                priority += (value(move.MoveType) - value(move.Piece)) / 32;
                FCanPromote = true;
            }
        }
        move.Priority = static_cast<std::uint8_t>(std::clamp(priority, 0, 255));
        FMaxPrior = std::max(FMaxPrior, move.Priority);
    }
    FScores.Clear();
    const TChessBoard& board = FShogiPosition->Board();
    for (int i = 0; i < board.UsedSquareCount(); ++i) {
        const int piece = board[board.UsedSquares()[i]];
        if (piece != 0)
            FScores.Scores[piece < 0 ? 1 : 0].Add(value(piece), piece, stMaterial);
    }
    for (int player = 0; player < 2; ++player)
        for (int piece = spPawn; piece <= spRook; ++piece)
            FScores.Scores[player].Add(FShogiPosition->Hand().Count(player, piece) * value(piece),
                                       piece, stMaterial);
    FScores.Complexity = static_cast<std::int32_t>(FMoveList->Count);
    // Before the score: listing the replies resets it.
    const bool mating = HasMatingMove();
    UpdateScore();
    if (mating)
        SetScore(WinningMoveScore);
}

bool TShogiMoveGenerator::HasMatingMove() {
    TShogiPosition& position = *FShogiPosition;
    const int       side = position.Side();
    const int       enemyKing = position.Board().FindKingPos(side ^ 1);
    if (enemyKing == 0)
        return false;
    // The replies are listed on this generator: what describes the current list is kept aside.
    TMoveList* const list = FMoveList;
    int              kingPos[2];
    int              checkers[2][2];
    std::memcpy(kingPos, FKingPos, sizeof(kingPos));
    std::memcpy(checkers, FCheckingPiecePosition, sizeof(checkers));
    const bool perftMode = FPerftMode;
    const auto restore = [&] {
        FPerftMode = perftMode;
        FMoveList = list;
        Squares = position.Board().Squares().data();
        std::memcpy(FKingPos, kingPos, sizeof(kingPos));
        std::memcpy(FCheckingPiecePosition, checkers, sizeof(checkers));
    };
    bool mates = false;
    for (const TMove& move : *list) {
        position.MakeRevertableMove(move);
        try {
            // Only a check can mate; most moves are no check and cost one attack test.
            if (side == 0 ? AttackedBy<0>(enemyKing) : AttackedBy<1>(enemyKing)) {
                FPerftMode = true;
                TMoveListGuard replies(*this);
                mates = replies.List().Count == 0;
                FPerftMode = perftMode;
            }
        } catch (...) {
            position.RevertMove(move);
            restore();
            throw;
        }
        position.RevertMove(move);
        if (mates)
            break;
    }
    restore();
    return mates;
}

void TShogiMoveGenerator::UpdateScore() {
    SetScore(static_cast<std::int16_t>(
        std::clamp<int>(FScores.Score(), -ScoreMaxCentipawns, ScoreMaxCentipawns)));
}

template void TShogiMoveGenerator::GenerateFor<0>();
template void TShogiMoveGenerator::GenerateFor<1>();
