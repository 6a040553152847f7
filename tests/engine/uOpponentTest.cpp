#include "engine/uOpponent.h"

#include "support/uExceptions.h"

#include <gtest/gtest.h>

TEST(TOpponent, ReadsTitleEloTypeAndName) {
    struct TCase {
        const char*   Text;
        const char*   Title;
        std::int32_t  Elo;
        TOpponentType Type;
        const char*   Name;
    };
    const TCase Cases[] = {
        {"GM 2800 human Gary Kasparov", "GM", 2800, otHuman, "Gary Kasparov"},
        {"none none computer Shredder", "none", 0, otComputer, "Shredder"},
        {"IM NONE COMPUTER", "IM", 0, otComputer, ""},
        {"FM -5 Human  Two  Blanks", "FM", -5, otHuman, " Two  Blanks"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Text);
        TOpponent opponent;
        opponent.ReadFromString(c.Text);
        EXPECT_EQ(opponent.Title, c.Title);
        EXPECT_EQ(opponent.Elo, c.Elo);
        EXPECT_EQ(opponent.OpponentType, c.Type);
        EXPECT_EQ(opponent.Name, c.Name);
    }
}

TEST(TOpponent, BadEloOrTypeRaisesAndKeepsTheRecord) {
    TOpponent opponent;
    opponent.ReadFromString("GM 2800 human Gary Kasparov");
    struct TCase {
        const char* Text;
        const char* Message;
    };
    const TCase Cases[] = {
        {"GM strong human X", "'strong' is not a valid integer value"},
        {"GM", "'' is not a valid integer value"},
        {"GM 2800 robot X", "Parse: 'computer' or 'human' expected but token 'robot' found."},
        {"GM 2800", "Parse: 'computer' or 'human' expected but token '' found."},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Text);
        try {
            opponent.ReadFromString(c.Text);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
        EXPECT_EQ(opponent.Name, "Gary Kasparov");
        EXPECT_EQ(opponent.Elo, 2800);
    }
}
