#include "perft/uPerftSubtreeCount.h"

#include "games/uGameVariant.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uPerftCalculator.h"
#include "perft/uPerftCalculatorThreads.h"
#include "support/uExceptions.h"

#include <memory>
#include <vector>

namespace {

std::unique_ptr<TPerftCalculator> MakeCalculator(TGameVariant& AVariant, const TPosition& APosition,
                                                 THashTable* ATable, bool ARandomStartMove) {
    std::unique_ptr<TPosition> position = APosition.Clone();
    position->InitializeHash();
    auto calculator = std::make_unique<TPerftCalculator>();
    calculator->SetMoveGenerator(AVariant.CreateMoveGenerator(), std::move(position));
    calculator->SetHashTable(ATable);
    calculator->SetRandomStartMove(ARandomStartMove);
    return calculator;
}

} // namespace

std::uint64_t CountPerftSubtree(TGameVariant& AVariant, const TPosition& APosition,
                                std::int32_t ADepth, std::int32_t AThreadCount,
                                THashTable* ATable) {
    if (AThreadCount <= 1)
        return MakeCalculator(AVariant, APosition, ATable, false)->CalculateTotal(ADepth);

    std::vector<std::unique_ptr<TPerftCalculatorThread>> workers;
    for (std::int32_t i = 0; i < AThreadCount; ++i) {
        auto worker = std::make_unique<TPerftCalculatorThread>(i);
        worker->SetMaximalDepth(ADepth);
        worker->SetPerftCalculator(MakeCalculator(AVariant, APosition, ATable, true));
        workers.push_back(std::move(worker));
    }
    for (const auto& worker : workers)
        worker->Start();
    for (const auto& worker : workers)
        worker->WaitFor();
    for (const auto& worker : workers)
        if (worker->Failed())
            throw Exception(worker->FailureMessage());
    for (const auto& worker : workers)
        if (worker->Count() != workers[0]->Count())
            throw Exception("Different Thread Results");
    return workers[0]->Count();
}
