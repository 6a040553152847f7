#include "perft/uPerftWorkPlan.h"

#include "games/uGameVariants.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uHashTable.h"
#include "perft/uPerftCalculator.h"
#include "perft/uPerftSubtreeCount.h"
#include "support/uExceptions.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

TGameVariant& Variant(const std::string& AName) {
    if (GameVariants().Count() == 0)
        RegisterGameVariants(GameVariants());
    TGameVariant* variant = GameVariants().FindByName(AName);
    EXPECT_NE(variant, nullptr) << AName;
    return *variant;
}

std::unique_ptr<TPosition> Root(TGameVariant& AVariant, const std::string& APosition) {
    if (!APosition.empty())
        return ReadPerftPosition(AVariant, APosition);
    std::unique_ptr<TPosition> position = AVariant.CreateStartPosition();
    position->InitializeHash();
    return position;
}

// One calculator without a table: the engine's count, with nothing of the plan in it.
std::uint64_t PlainPerft(TGameVariant& AVariant, const TPosition& APosition, int ADepth) {
    return CountPerftSubtree(AVariant, APosition, ADepth, 1, nullptr);
}

// The count of each root move, straight from the tree.
std::vector<std::uint64_t> PlainDivide(TGameVariant& AVariant, const TPosition& APosition,
                                       int ADepth) {
    std::unique_ptr<TPosition>      position = APosition.Clone();
    std::unique_ptr<TMoveGenerator> generator = AVariant.CreateMoveGenerator();
    generator->SetPerftMode(true);
    generator->SetPosition(position.get());
    std::vector<std::uint64_t> counts;
    TMoveListGuard             guard(*generator);
    for (const TMove& move : guard.List()) {
        position->MakeRevertableMove(move);
        counts.push_back(PlainPerft(AVariant, *position, ADepth - 1));
        position->RevertMove(move);
    }
    return counts;
}

// Every item counted from its position string, as the counting processes count it.
std::vector<std::uint64_t> ItemCounts(TGameVariant& AVariant, const TPerftWorkPlan& APlan,
                                      int AThreads, THashTable* ATable) {
    std::vector<std::uint64_t> counts;
    for (const TPerftWorkItem& item : APlan.Items())
        counts.push_back(CountPerftSubtree(AVariant, *ReadPerftPosition(AVariant, item.Position),
                                           APlan.RemainingDepth(), AThreads, ATable));
    return counts;
}

struct TPlanCase {
    const char* Variant;
    const char* Position; // empty: the start position
    int         Depth;
    int         Split;
};

// Every variant, some with the position-string extensions their items must carry: holdings
// and promoted pieces, check counters, castling files, hands.
constexpr TPlanCase PlanCases[] = {
    {"chess", "", 4, 3},
    {"chess", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 2},
    {"chess960", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", 3, 2},
    {"shuffle", "", 3, 2},
    {"random256", "", 3, 2},
    {"nocastle", "", 3, 2},
    {"dunsany", "", 3, 2},
    {"hordeChess", "", 3, 2},
    {"horde", "", 3, 2},
    {"giveaway", "", 4, 3},
    {"3Check", "rnbqkbnr/ppp2ppp/8/3pp3/4P3/5Q2/PPPP1PPP/RNB1KBNR w KQkq - 1+1 0 1", 3, 2},
    {"kingOfTheHill", "rnb2b1r/ppp2ppp/3k4/8/1PKp1pn1/3Pq3/PBP1P2P/RN1Q1B1R w - - 4 12", 3, 2},
    {"racingKings", "", 3, 2},
    {"atomic", "rnb1kbnr/pppp1ppp/8/4p3/3P3q/8/PPP1PPPP/RNBQKBNR w KQkq - 0 1", 3, 2},
    {"crazyhouse", "4k3/1P6/8/8/8/8/6p1/4K3[Nn] w - - 0 1", 3, 2},
    {"crazyhouse", "", 3, 3},
    {"shogi", "", 3, 2},
    {"shogi", "l1s3sn1/r3k1g1l/p1ngpp1p1/1ppp2p1p/1P6P/P2PP1PP1/2PG1+b3/1B1K3S1/LNS2GRNL b p 41", 2,
     1},
    {"minishogi", "1r2s/4k/1K2p/PS1+B1/1GR2 b GB 17", 3, 2},
    {"goroGoroShogi", "", 4, 3},
    {"dobutsuShogi", "", 5, 4},
};

} // namespace

// The items, multiplied and summed, are the perft of the root and of each root move: the
// position strings read back into the positions they were written from, and merged
// transpositions are counted once per sequence that reaches them.
TEST(TPerftWorkPlan, ItemsAddUpToThePerftOfEveryVariant) {
    THashTable table;
    table.SetItemSize(20);
    table.SetSizeInMB(4);
    table.ReallocateMemory();
    for (const TPlanCase& c : PlanCases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + c.Position);
        TGameVariant&                    variant = Variant(c.Variant);
        const std::unique_ptr<TPosition> root = Root(variant, c.Position);
        const TPerftWorkPlan plan = TPerftWorkPlan::Build(variant, *root, c.Depth, c.Split);
        EXPECT_EQ(plan.Sequences(), PlainPerft(variant, *root, c.Split));
        std::uint64_t multiplicities = 0;
        for (const TPerftWorkItem& item : plan.Items())
            multiplicities += item.Multiplicity;
        EXPECT_EQ(multiplicities, plan.Sequences());
        const std::vector<std::uint64_t> counts = ItemCounts(variant, plan, 1, &table);
        EXPECT_EQ(plan.Total(counts), PlainPerft(variant, *root, c.Depth));
        EXPECT_EQ(plan.RootMoveCounts(counts), PlainDivide(variant, *root, c.Depth));
        EXPECT_EQ(plan.RootMoves().size(), PlainPerft(variant, *root, 1));
    }
}

TEST(TPerftWorkPlan, MergesTranspositionsAcrossRootMoves) {
    TGameVariant&                    variant = Variant("chess");
    const std::unique_ptr<TPosition> root = Root(variant, "");
    const TPerftWorkPlan             plan = TPerftWorkPlan::Build(variant, *root, 5, 3);
    EXPECT_EQ(plan.Sequences(), 8902u);
    EXPECT_LT(plan.Items().size(), 8000u);
    // 1.Nf3 Nf6 2.Nc3 and 1.Nc3 Nf6 2.Nf3: one item, reached through two root moves.
    const std::int64_t knights =
        plan.Find("rnbqkb1r/pppppppp/5n2/8/8/2N2N2/PPPPPPPP/R1BQKB1R b KQkq - 3 2");
    ASSERT_GE(knights, 0);
    const TPerftWorkItem& item = plan.Items()[static_cast<std::size_t>(knights)];
    EXPECT_EQ(item.Multiplicity, 2u);
    ASSERT_EQ(item.RootMoves.size(), 2u);
    std::set<std::string> rootMoves;
    for (const auto& [rootMove, sequences] : item.RootMoves) {
        EXPECT_EQ(sequences, 1u);
        rootMoves.insert(plan.RootMoves()[rootMove]);
    }
    EXPECT_EQ(rootMoves, (std::set<std::string>{"g1f3", "b1c3"}));
    EXPECT_EQ(plan.Find("not a position"), -1);
}

TEST(TPerftWorkPlan, HandsOutTheBiggestItemsFirst) {
    TGameVariant&                    variant = Variant("chess");
    const std::unique_ptr<TPosition> root =
        Root(variant, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    const TPerftWorkPlan             plan = TPerftWorkPlan::Build(variant, *root, 4, 1);
    const std::vector<std::uint32_t> order = plan.HandOutOrder();
    ASSERT_EQ(order.size(), plan.Items().size());
    EXPECT_EQ(std::set<std::uint32_t>(order.begin(), order.end()).size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        // The weight is the perft of the two plies below the item.
        EXPECT_EQ(
            plan.Items()[order[i]].Weight,
            PlainPerft(variant, *ReadPerftPosition(variant, plan.Items()[order[i]].Position), 2));
        if (i > 0) {
            EXPECT_GE(plan.Items()[order[i - 1]].Weight, plan.Items()[order[i]].Weight);
        }
    }
    EXPECT_GT(plan.Items()[order.front()].Weight, plan.Items()[order.back()].Weight);
}

TEST(TPerftWorkPlan, SplitAtTheFullDepthCountsEachLeafOnce) {
    TGameVariant&                    variant = Variant("shogi");
    const std::unique_ptr<TPosition> root = Root(variant, "");
    const TPerftWorkPlan             plan = TPerftWorkPlan::Build(variant, *root, 2, 2);
    EXPECT_EQ(plan.RemainingDepth(), 0);
    EXPECT_EQ(plan.Total(std::vector<std::uint64_t>(plan.Items().size(), 1)), 900u);
    EXPECT_THROW(TPerftWorkPlan::Build(variant, *root, 2, 3), EArgumentOutOfRangeException);
    EXPECT_THROW(TPerftWorkPlan::Build(variant, *root, 2, 0), EArgumentOutOfRangeException);
}

TEST(TPerftWorkPlan, RefusesATotalBeyond64Bits) {
    TGameVariant&                    variant = Variant("chess");
    const std::unique_ptr<TPosition> root = Root(variant, "");
    // Items 0 and 1 lie below the same root move.
    const TPerftWorkPlan       plan = TPerftWorkPlan::Build(variant, *root, 9, 2);
    std::vector<std::uint64_t> counts(plan.Items().size(), 0);
    ASSERT_EQ(plan.Items()[1].RootMoves.front().first, 0u);
    counts[0] = ~std::uint64_t{0};
    EXPECT_EQ(plan.Total(counts), ~std::uint64_t{0});
    counts[1] = 1;
    EXPECT_THROW(
        {
            try {
                plan.Total(counts);
            } catch (const Exception& e) {
                EXPECT_STREQ(e.what(), PerftOverflowMessage);
                throw;
            }
        },
        Exception);
    EXPECT_THROW(plan.RootMoveCounts(counts), Exception);
}

TEST(TPerftWorkPlan, DefaultSplitDependsOnTheDepthOnly) {
    const std::pair<int, int> cases[] = {{1, 1}, {2, 1}, {5, 1}, {6, 2}, {7, 3}, {9, 3}, {99, 3}};
    for (const auto& [depth, split] : cases)
        EXPECT_EQ(DefaultPerftSplit(depth), split) << depth;
}

namespace {

// The chess variant with a writer that loses the position: every string is the start position.
class TForgetfulWriter final : public TCustomForsythEdwardsNotationWriter {
public:
    std::string AsString() override {
        return "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    }
};
class TForgetfulChess final : public TGameVariant {
public:
    std::unique_ptr<TPosition> CreateStartPosition() override {
        return Variant("chess").CreateStartPosition();
    }
    std::unique_ptr<TMoveGenerator> CreateMoveGenerator() override {
        return Variant("chess").CreateMoveGenerator();
    }
    std::shared_ptr<ICustomParser> CreateForsythEdwardsNotationParser() override {
        return Variant("chess").CreateForsythEdwardsNotationParser();
    }
    std::shared_ptr<ICustomWriter> CreateForsythEdwardsNotationWriter() override {
        return std::make_shared<TForgetfulWriter>();
    }
};

} // namespace

// Items of a string that stands for another position would count another tree.
TEST(TPerftWorkPlan, RefusesPositionStringsThatDoNotReadBack) {
    TForgetfulChess                  variant;
    const std::unique_ptr<TPosition> root = Root(Variant("chess"), "");
    EXPECT_THROW(TPerftWorkPlan::Build(variant, *root, 3, 1), Exception);
}

// One calculator, several sharing a table, and the table's stored counts all agree.
TEST(CountPerftSubtree, AgreesWithThePlainPerftForAnyThreadCount) {
    THashTable table;
    table.SetItemSize(20);
    table.SetSizeInMB(4);
    table.ReallocateMemory();
    const std::pair<const char*, const char*> cases[] = {
        {"chess", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"},
        {"crazyhouse", "r3k3/8/8/8/8/8/8/4K3[BP] w q - 0 1"},
        {"minishogi", ""}};
    for (const auto& [name, fen] : cases) {
        SCOPED_TRACE(name);
        TGameVariant&                    variant = Variant(name);
        const std::unique_ptr<TPosition> root = Root(variant, fen);
        const std::uint64_t              expected = PlainPerft(variant, *root, 3);
        EXPECT_EQ(CountPerftSubtree(variant, *root, 3, 1, nullptr), expected);
        EXPECT_EQ(CountPerftSubtree(variant, *root, 3, 3, &table), expected);
        EXPECT_EQ(CountPerftSubtree(variant, *root, 3, 1, &table), expected);
        EXPECT_EQ(CountPerftSubtree(variant, *root, 0, 2, &table), 1u);
    }
}
