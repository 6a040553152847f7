#include "engine/uRootMoves.h"

#include "support/uExceptions.h"

#include <gtest/gtest.h>

TEST(TRootMoves, FilterModes) {
    TRootMoves moves;
    EXPECT_TRUE(moves.AcceptAll());
    EXPECT_TRUE(moves.AcceptMove("e2e4"));

    moves.Exclude("e2e4");
    EXPECT_FALSE(moves.AcceptAll());
    EXPECT_FALSE(moves.AcceptMove("E2E4")) << "matching ignores letter case";
    EXPECT_TRUE(moves.AcceptMove("d2d4"));

    // Include after Exclude moves the move over; in normal mode it is accepted again.
    moves.Include("e2e4");
    EXPECT_TRUE(moves.AcceptMove("e2e4"));
    EXPECT_TRUE(moves.AcceptAll());

    moves.ExcludeAll();
    EXPECT_FALSE(moves.AcceptAll()) << "exclude-all mode with empty lists accepts nothing";
    EXPECT_FALSE(moves.AcceptMove("e2e4"));
    moves.Include("e2e4");
    EXPECT_TRUE(moves.AcceptMove("E2E4"));
    EXPECT_FALSE(moves.AcceptMove("d2d4"));

    moves.IncludeAll();
    EXPECT_TRUE(moves.AcceptAll());
    EXPECT_TRUE(moves.AcceptMove("d2d4"));
}

TEST(TRootMoves, IncludedMovesAreSortedWithoutRegardToCase) {
    TRootMoves moves;
    moves.ExcludeAll();
    for (const char* move : {"g1f3", "B1C3", "e2e4"})
        moves.Include(move);
    EXPECT_EQ(moves.GetIncludedMoves(), "B1C3 e2e4 g1f3 ");
}

TEST(TRootMoves, DuplicatesAreRefusedAndLeaveBothLists) {
    TRootMoves moves;
    moves.Exclude("d2d4");
    moves.Include("e2e4");
    try {
        moves.Include("E2E4");
        FAIL() << "duplicate accepted";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "String list does not allow duplicates");
    }
    EXPECT_THROW(moves.Exclude("D2D4"), Exception);
    EXPECT_EQ(moves.GetIncludedMoves(), "e2e4 ");
    EXPECT_FALSE(moves.AcceptMove("d2d4"));
}
