#pragma once

#include "games/chess/uChessPosition.h"

#include <cstdint>
#include <memory>

// The three-check position: a chess position that counts the checks each side still has to give.
// A move that leaves the opponent's king attacked counts one check for the mover, in DoMove; a
// side whose count reaches 0 has won. The counts are part of the undo record and of the hash.
class TThreeCheckChessPosition : public TChessPosition {
public:
    static constexpr int ChecksToWin = 3;

    TThreeCheckChessPosition();

    void                       Assign(const TPosition& ASource) override;
    THash                      GetHash() const override;
    void                       DoMove(const TMove& AMove) override;
    void                       MakeRevertableMove(const TMove& AMove) override;
    void                       RevertMove(const TMove& AMove) override;
    std::unique_ptr<TPosition> Clone() const override;

    // Checks APlayer still has to give (0..15); 0 means APlayer has won.
    int RemainingChecks(int APlayer) const { return (FCheckCount >> (4 * APlayer)) & 15; }
    // Stores a count without touching the hash (position strings; InitializeHash follows).
    void SetRemainingChecks(int APlayer, int ACount);
    // The side that has given all its checks, or -1 while the game goes on.
    int Winner() const;

private:
    // Low four bits: checks the first player still has to give; high four bits: the second's.
    std::uint8_t FCheckCount = ChecksToWin | ChecksToWin << 4;
};
