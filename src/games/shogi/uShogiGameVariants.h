#pragma once

#include "games/chess/uChessPosition.h"
#include "games/uGameVariant.h"

#include <memory>

// The shogi family: shogi and its small boards, all with the shogi pieces, hands, drops and
// promotions; they differ in the board and the start setup. Each variant builds its first
// player's half and mirrors it through the board centre. Positions are read and written as SFEN.
class TShogiGameVariant : public TBoardGameVariant {
public:
    TShogiGameVariant();
    std::string SideColorToString(int AIndex) const override;
    // The process-wide shogi keys are drawn for the first shogi start position.
    std::unique_ptr<TPosition>           CreateStartPosition() override;
    std::unique_ptr<TMoveGenerator>      CreateMoveGenerator() override;
    std::shared_ptr<ICustomParser>       CreateForsythEdwardsNotationParser() override;
    std::shared_ptr<ICustomWriter>       CreateForsythEdwardsNotationWriter() override;
    virtual std::unique_ptr<TChessBoard> CreateBoard();
};

class TMiniShogiGameVariant final : public TShogiGameVariant {
public:
    TMiniShogiGameVariant();
    std::unique_ptr<TChessBoard> CreateBoard() override;
};

class TGoroGoroShogiGameVariant final : public TShogiGameVariant {
public:
    TGoroGoroShogiGameVariant();
    std::unique_ptr<TChessBoard> CreateBoard() override;
};

class TDobutsuShogiGameVariant final : public TShogiGameVariant {
public:
    TDobutsuShogiGameVariant();
    std::unique_ptr<TChessBoard> CreateBoard() override;
};
