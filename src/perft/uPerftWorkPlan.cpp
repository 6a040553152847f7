#include "perft/uPerftWorkPlan.h"

#include "games/uGameVariant.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uPerftCalculator.h"
#include "perft/uPerftSubtreeCount.h"
#include "perft/uPerftWorkerPool.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <numeric>

std::unique_ptr<TPosition> ReadPerftPosition(TGameVariant& AVariant, std::string_view AText) {
    std::unique_ptr<TPosition>     position = AVariant.CreateStartPosition();
    std::shared_ptr<ICustomParser> parser = AVariant.CreateForsythEdwardsNotationParser();
    parser->SetPosition(position.get());
    parser->Parse(AText);
    parser->SetPosition(nullptr);
    position->InitializeHash();
    return position;
}

std::string WritePerftPosition(TGameVariant& AVariant, TPosition& APosition) {
    std::shared_ptr<ICustomWriter> writer = AVariant.CreateForsythEdwardsNotationWriter();
    writer->SetPosition(&APosition);
    std::string text = writer->AsString();
    writer->SetPosition(nullptr);
    return text;
}

std::int32_t DefaultPerftSplit(std::int32_t ADepth) {
    return std::clamp(ADepth - 4, 1, 3);
}

namespace {

// Walks the tree to the split depth on one position and generator, recording every node there.
class TPlanBuilder final {
public:
    TPlanBuilder(TGameVariant& AVariant, TPosition& APosition, std::int32_t ASplit,
                 std::int32_t ARemaining, std::vector<std::string>& ARootMoves,
                 std::vector<TPerftWorkItem>&                  AItems,
                 std::unordered_map<std::string, std::size_t>& AIndex)
        : FVariant(AVariant), FPosition(APosition), FSplit(ASplit), FRemaining(ARemaining),
          FRootMoves(ARootMoves), FItems(AItems), FIndex(AIndex),
          FGenerator(AVariant.CreateMoveGenerator()),
          FWriter(AVariant.CreateForsythEdwardsNotationWriter()), FWeights(AVariant, 1, nullptr) {
        FGenerator->SetPerftMode(true);
        FGenerator->SetPosition(&FPosition);
        FWriter->SetPosition(&FPosition);
    }
    ~TPlanBuilder() { FWriter->SetPosition(nullptr); }
    TPlanBuilder(const TPlanBuilder&) = delete;
    TPlanBuilder& operator=(const TPlanBuilder&) = delete;

    std::uint64_t Walk(std::int32_t APly, std::uint32_t ARootMove) {
        if (APly == FSplit) {
            Record(ARootMove);
            return 1;
        }
        TMoveListGuard guard(*FGenerator);
        TMoveList&     list = guard.List();
        std::uint64_t  sequences = 0;
        for (std::uint32_t i = 0; i < list.Count; ++i) {
            const TMove& move = *list.Get(i);
            if (APly == 0)
                FRootMoves.push_back(FPosition.MoveToString(move));
            FPosition.MakeRevertableMove(move);
            sequences += Walk(APly + 1, APly == 0 ? i : ARootMove);
            FPosition.RevertMove(move);
        }
        return sequences;
    }

private:
    void Record(std::uint32_t ARootMove) {
        std::string text = FWriter->AsString();
        const auto [found, added] = FIndex.try_emplace(text, FItems.size());
        if (added) {
            CheckReadBack(text);
            TPerftWorkItem item;
            item.Position = std::move(text);
            item.Weight = CountPerftSubtree(FWeights, FPosition, std::min(FRemaining, 2));
            FItems.push_back(std::move(item));
        }
        TPerftWorkItem& item = FItems[found->second];
        ++item.Multiplicity;
        if (item.RootMoves.empty() || item.RootMoves.back().first != ARootMove)
            item.RootMoves.emplace_back(ARootMove, 0);
        ++item.RootMoves.back().second;
    }

    // A string that reads back into another position would have its item count another tree;
    // the keys of the two positions tell.
    void CheckReadBack(const std::string& AText) {
        std::unique_ptr<TPosition> read = ReadPerftPosition(FVariant, AText);
        if (!(read->GetHash() == FPosition.GetHash()))
            throw Exception("The position string \"" + AText +
                            "\" does not read back into the position it was written from.");
    }

    TGameVariant&                                 FVariant;
    TPosition&                                    FPosition;
    std::int32_t                                  FSplit;
    std::int32_t                                  FRemaining;
    std::vector<std::string>&                     FRootMoves;
    std::vector<TPerftWorkItem>&                  FItems;
    std::unordered_map<std::string, std::size_t>& FIndex;
    std::unique_ptr<TMoveGenerator>               FGenerator;
    std::shared_ptr<ICustomWriter>                FWriter;
    // Counts the two plies below each item for its weight: one worker, no table.
    TPerftWorkerPool FWeights;
};

} // namespace

TPerftWorkPlan TPerftWorkPlan::Build(TGameVariant& AVariant, const TPosition& ARoot,
                                     std::int32_t ADepth, std::int32_t ASplit) {
    if (ASplit < 1 || ASplit > ADepth)
        throw EArgumentOutOfRangeException("The split depth must be between 1 and the depth.");
    TPerftWorkPlan plan;
    plan.FVariantName = AVariant.Name();
    plan.FDepth = ADepth;
    plan.FSplit = ASplit;
    std::unique_ptr<TPosition> position = ARoot.Clone();
    position->InitializeHash();
    plan.FRootPosition = WritePerftPosition(AVariant, *position);
    TPlanBuilder builder(AVariant, *position, ASplit, ADepth - ASplit, plan.FRootMoves, plan.FItems,
                         plan.FIndex);
    plan.FSequences = builder.Walk(0, 0);
    return plan;
}

std::int64_t TPerftWorkPlan::Find(std::string_view APosition) const {
    const auto found = FIndex.find(std::string(APosition));
    return found == FIndex.end() ? -1 : static_cast<std::int64_t>(found->second);
}

std::vector<std::uint32_t> TPerftWorkPlan::HandOutOrder() const {
    std::vector<std::uint32_t> order(FItems.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t A, std::uint32_t B) {
        return FItems[A].Weight > FItems[B].Weight;
    });
    return order;
}

namespace {

std::uint64_t AddProduct(std::uint64_t ASum, std::uint64_t AFactor, std::uint64_t ACount) {
    std::uint64_t product = 0;
    if (__builtin_mul_overflow(AFactor, ACount, &product) ||
        __builtin_add_overflow(ASum, product, &ASum))
        throw Exception(PerftOverflowMessage);
    return ASum;
}

} // namespace

std::uint64_t TPerftWorkPlan::Total(const std::vector<std::uint64_t>& ACounts) const {
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < FItems.size(); ++i)
        total = AddProduct(total, FItems[i].Multiplicity, ACounts.at(i));
    return total;
}

std::vector<std::uint64_t>
TPerftWorkPlan::RootMoveCounts(const std::vector<std::uint64_t>& ACounts) const {
    std::vector<std::uint64_t> counts(FRootMoves.size(), 0);
    for (std::size_t i = 0; i < FItems.size(); ++i)
        for (const auto& [rootMove, sequences] : FItems[i].RootMoves)
            counts[rootMove] = AddProduct(counts[rootMove], sequences, ACounts.at(i));
    return counts;
}
