#include "engine/uCommonEngineOptions.h"

#include "support/uExceptions.h"

#include <gtest/gtest.h>

namespace {

struct TIntervalCase {
    const char*  Name;
    std::int64_t Minimal;
    std::int64_t Maximal;
    std::int64_t Default;
};

} // namespace

TEST(TCommonEngineOptions, NamesRangesAndDefaults) {
    TCommonEngineOptions options;
    EXPECT_EQ(options.Ponder().Shortcut(), "Ponder");
    EXPECT_TRUE(options.Ponder().Value());
    EXPECT_EQ(options.OwnBook().Shortcut(), "Own Book");
    EXPECT_TRUE(options.OwnBook().Value());
    EXPECT_EQ(options.BookFile().Shortcut(), "Book File");
    EXPECT_EQ(options.BookFile().Value(), "Book.dat");
    EXPECT_FALSE(options.BookFile().MustExists());
    EXPECT_EQ(options.ClearHash().Shortcut(), "Clear Hash");
    EXPECT_EQ(options.RandomPlay().Shortcut(), "Random Play");
    EXPECT_TRUE(options.RandomPlay().Value());
    EXPECT_EQ(options.FixedMoveTime().Shortcut(), "Fixed move time");
    EXPECT_FALSE(options.FixedMoveTime().Value());
    EXPECT_EQ(options.ShowCurrLine().Shortcut(), "UCI_ShowCurrLine");
    EXPECT_FALSE(options.ShowCurrLine().Value());
    EXPECT_EQ(options.TimeUsage().Description().back(), ' ') << "the text ends in a blank";
    EXPECT_NE(options.AverageMoveOverhead().Description().find(
                  "30 milliseconds for local GUI and 100 milliseconds for internet.This should"),
              std::string::npos);
    EXPECT_NE(options.MaximalMoveOverhead().Description().find(
                  "60 milliseconds for local GUI and 2500 milliseconds for internet.This should"),
              std::string::npos);

    const TIntervalCase Cases[] = {
        {"Contempt Value", -32767, 32767, 0},
        {"Random Value", 1, 1000, 20},
        {"Time Usage", 1, 1000, 85},
        {"Minimal Move Time", 0, 1000, 50},
        {"Average Move Overhead", 0, 30000, 100},
        {"Maximal Move Overhead", 0, 120000, 2500},
    };
    TNumericalIntervalArgument* intervals[] = {
        &options.ContemptValue(),   &options.RandomValue(),         &options.TimeUsage(),
        &options.MinimalMoveTime(), &options.AverageMoveOverhead(), &options.MaximalMoveOverhead()};
    for (std::size_t i = 0; i < std::size(Cases); ++i) {
        const TIntervalCase& c = Cases[i];
        SCOPED_TRACE(c.Name);
        TNumericalIntervalArgument& option = *intervals[i];
        EXPECT_EQ(option.Shortcut(), c.Name);
        EXPECT_EQ(option.NumericalInterval().MinimalValue(), c.Minimal);
        EXPECT_EQ(option.NumericalInterval().MaximalValue(), c.Maximal);
        EXPECT_EQ(option.Value(), c.Default);
    }
}

TEST(TCommonEngineOptions, HashIsSizedFromTheLargestAllocatableBlock) {
    TCommonEngineOptions              options;
    const TNumericalIntervalArgument& hash = options.HashSizeInMB();
    EXPECT_EQ(hash.Shortcut(), "Hash");
    EXPECT_EQ(hash.NumericalInterval().MinimalValue(), 0);
    const std::int64_t maximal = hash.NumericalInterval().MaximalValue();
    EXPECT_GE(maximal, 0);
    EXPECT_LE(maximal, 1536) << "one block is capped at 1.5 GiB";
    EXPECT_EQ(hash.ValueNoUsed(), std::min<std::int64_t>(maximal * 2 / 3, 1024));
}

TEST(TCommonEngineOptions, OutOfRangeValuesAreRefusedAndTheOldValueKept) {
    TCommonEngineOptions        options;
    TNumericalIntervalArgument& usage = options.TimeUsage();
    for (const char* accepted : {"1", "1000"}) {
        usage.SetValueFromString(accepted);
        EXPECT_EQ(std::to_string(usage.Value()), accepted);
    }
    for (const char* refused : {"0", "1001"}) {
        SCOPED_TRACE(refused);
        EXPECT_THROW(usage.SetValueFromString(refused), EArgumentOutOfRangeException);
        EXPECT_EQ(usage.Value(), 1000);
    }
}

TEST(TCommonEngineOptions, TimeManagementOptionsInOrder) {
    TCommonEngineOptions options;
    TArguments           list;
    options.AddTimeManagementOptions(list);
    ASSERT_EQ(list.Count(), 5);
    const char* names[] = {"Time Usage", "Fixed move time", "Minimal Move Time",
                           "Average Move Overhead", "Maximal Move Overhead"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list.Get(i).Shortcut(), names[i]);
}
