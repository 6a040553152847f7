// Move text on a position of any family: the first byte picks the variant, the second one of a
// few positions where castling, en passant, promotions or drops are possible, the rest is the
// text. Reading never fails other than with the program's own error; a move read this way that
// names a generated move plays, reverts and is written back as a text naming it again.
#include "games/shogi/uShogiGameVariants.h"
#include "uPositionStrings.h"

#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

// Start positions, then positions read from these strings (each in every variant that takes it).
constexpr const char* ChessPositions[] = {
    "r3k2r/pPp2ppp/8/3pP3/8/8/P1PPPppP/R3K2R w KQkq d6 0 2",
    "r3k2r/pPp2ppp/8/8/3pP3/8/P1PPPppP/R3K2R b KQkq e3 0 2",
    "rq2k2r/8/8/8/8/8/8/1RK3R1 w BGag - 0 1",
    "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R[NPbp] w KQkq - 2 3",
};
constexpr const char* ShogiPositions[] = {
    "lnsgkgsnl/1r5b1/ppppppppp/9/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL w - 2",
    "8l/1l+R2P3/p2pBG1pp/kps1p4/Nn1P2G2/P1P1P2PP/1PS6/1KSG3+r1/LN2+p3L w Sbgn3p 124",
    "rbsgk/4p/5/P4/KGSBR b - 1",
    "gkg/1p1/1P1/GKG b Pp 1",
};
static_assert(std::size(ChessPositions) == std::size(ShogiPositions));
constexpr std::size_t PositionCount = std::size(ChessPositions) + 1;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    TGameVariants& variants = FuzzVariants();
    if (ASize < 2)
        return 0;
    TGameVariant&              variant = variants.Items(AData[0] % variants.Count());
    const bool                 shogi = dynamic_cast<TShogiGameVariant*>(&variant) != nullptr;
    std::unique_ptr<TPosition> position = variant.CreateStartPosition();
    position->InitializeHash();
    const std::size_t choice = AData[1] % PositionCount;
    if (choice > 0 &&
        !ParsePosition(variant, *position, (shogi ? ShogiPositions : ChessPositions)[choice - 1])
             .empty())
        return 0;
    const std::string      before = WritePosition(variant, *position);
    const std::string_view text = InputText(AData + 2, ASize - 2);

    std::unique_ptr<TMove> parsed;
    try {
        parsed = position->StringToMove(text);
    } catch (const Exception&) {
        return 0;
    }
    Require(WritePosition(variant, *position) == before, "reading a move changes nothing");

    std::unique_ptr<TMoveGenerator> generator = variant.CreateMoveGenerator();
    generator->SetPosition(position.get());
    TMoveListGuard guard(*generator);
    for (const TMove& move : guard.List()) {
        if (!IsSameMove(move, *parsed))
            continue;
        const std::string written = position->MoveToString(move);
        Require(IsSameMove(move, *position->StringToMove(written)),
                "a move is written as a text naming it", written);
        position->MakeRevertableMove(move);
        Require(position->Hash() == position->GetHash(), "a played move keeps the hash", written);
        CheckPosition(*position);
        position->RevertMove(move);
        CheckPosition(*position);
        Require(WritePosition(variant, *position) == before,
                "a reverted move restores the position", written);
        break;
    }
    return 0;
}
