#include <gtest/gtest.h>

#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

TEST(TTextHelpers, SplitLinesTreatsCrLfAsOneBreak) {
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(TTextHelpers, StrToInt64AcceptsOnlyWholeSignedIntegers) {
    struct TCase {
        const char* Text;
        bool Valid;
        std::int64_t Value;
    };
    constexpr TCase Cases[] = {
        {"0", true, 0},
        {"-5", true, -5},
        {"+12", true, 12},
        {"9223372036854775807", true, INT64_MAX},
        {"-9223372036854775808", true, INT64_MIN},
        {"9223372036854775808", false, 0},
        {"-9223372036854775809", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"1.5", false, 0},
        {" 1", false, 0},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Text);
        const auto value = TryStrToInt64(c.Text);
        ASSERT_EQ(value.has_value(), c.Valid);
        if (c.Valid) {
            EXPECT_EQ(*value, c.Value);
        }
    }
    try {
        StrToInt64("x1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
    }
}

TEST(TTextHelpers, Utf8CountsCodePoints) {
    EXPECT_EQ(Utf8Length("a\u2550b"), 3u);
    EXPECT_EQ(Utf8Prefix("\u2550\u2551x", 2), "\u2550\u2551");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
}

TEST(EParseError, FormsTheExpectedList) {
    EXPECT_STREQ(EParseError({"Valid command"}, "foo").what(),
                 "Parse: 'Valid command' expected but token 'foo' found.");
    EXPECT_STREQ(EParseError({"a", "b", "c"}, "").what(),
                 "Parse: 'a', 'b' or 'c' expected but token '' found.");
    EXPECT_STREQ(EParseError({}, "x").what(), "Parse: nothing expected but token 'x' found.");
}
