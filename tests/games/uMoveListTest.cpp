#include "games/uMoveList.h"

#include "games/uGameTestHelpers.h"
#include "support/uExceptions.h"

#include <gtest/gtest.h>

TEST(TMoveList, IteratesInOrderAndStopsAtTheEnd) {
    TMoveStack stack;
    TMoveList* list = stack.GetNewMoveList(8);
    EXPECT_EQ(list->FirstMove(), nullptr);
    for (std::uint8_t i = 0; i < 3; ++i) {
        TMove* move = list->Add();
        move->ToSquare = static_cast<std::uint8_t>(20 + i);
    }
    EXPECT_EQ(list->Count, 3u);
    EXPECT_EQ(list->Size, TMoveList::HeaderSize + 3 * sizeof(TMove));
    EXPECT_EQ(list->FirstMove()->ToSquare, 20);
    EXPECT_EQ(list->NextMove()->ToSquare, 21);
    EXPECT_EQ(list->NextMove()->ToSquare, 22);
    EXPECT_EQ(list->NextMove(), nullptr);
    EXPECT_EQ(list->Index, list->Count);
    EXPECT_EQ(list->Get(1)->ToSquare, 21);
    list->Clear();
    EXPECT_EQ(list->Count, 0u);
    EXPECT_EQ(list->FirstMove(), nullptr);
}

TEST(TMoveStack, StacksListsAndRestartsAtTheArenaStartWhenEmpty) {
    TMoveStack stack;
    TMoveList* first = stack.GetNewMoveList(4);
    first->Add();
    TMoveList* second = stack.GetNewMoveList(4);
    EXPECT_EQ(reinterpret_cast<std::uint8_t*>(second),
              reinterpret_cast<std::uint8_t*>(first) + first->Size);
    EXPECT_EQ(second->LastMoveList, first);
    stack.RemovePrevious();
    EXPECT_EQ(stack.LastMoveList(), first);
    stack.RemovePrevious();
    EXPECT_EQ(stack.LastMoveList(), nullptr);
    EXPECT_EQ(stack.GetNewMoveList(4), first);
}

TEST(TMoveStack, ExhaustionRaisesInsteadOfOverrunning) {
    TMoveStack stack;
    int        lists = 0;
    try {
        for (;;) {
            TMoveList* list = stack.GetNewMoveList(218);
            for (int i = 0; i < 218; ++i)
                list->Add();
            ++lists;
        }
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Move stack overflow");
    }
    EXPECT_EQ(lists, static_cast<int>(TMoveStack::ArenaSize /
                                      (TMoveList::HeaderSize + 218 * sizeof(TMove))));

    // A generator in deep recursion hits the same wall and the arena stays intact.
    TTestGame game = MakeGame("chess");
    int       depth = 0;
    EXPECT_THROW(
        for (;;) {
            game.Generator->Generate();
            ++depth;
        },
        Exception);
    EXPECT_GT(depth, 30);
}

TEST(IsSameMove, MatchesParsedMovesToGeneratedOnes) {
    TTestGame  game = MakeGame("chess", "r3k2r/1P6/8/8/8/8/8/R3K2R w KQkq - 0 1");
    const auto same = [&](const std::string& AGenerated, const std::string& AText) {
        return IsSameMove(game.FindMove(AGenerated), *game.Position->StringToMove(AText));
    };
    EXPECT_TRUE(same("e1g1", "e1g1"));
    EXPECT_TRUE(same("e1g1", "O-O"));
    EXPECT_TRUE(same("e1g1", "e1h1"));
    EXPECT_TRUE(same("e1c1", "0-0-0"));
    EXPECT_TRUE(same("b7a8q", "b7a8Q"));
    EXPECT_FALSE(same("b7a8q", "b7a8"));
    EXPECT_FALSE(same("b7a8q", "b7a8n"));
    EXPECT_FALSE(same("e1f1", "e1g1"));
}
