#include "support/uTextHelpers.h"

#include "support/uExceptions.h"

#include <gtest/gtest.h>

TEST(TTextHelpers, SplitLinesTreatsCrLfAsOneBreak) {
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(TTextHelpers, StrToInt64AcceptsOnlyWholeSignedIntegers) {
    struct TCase {
        const char*  Text;
        bool         Valid;
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

TEST(TTextHelpers, ReadableTextReplacesWhatCannotBeEchoed) {
    using namespace std::string_literals;
    struct TCase {
        std::string Text;
        std::string Readable;
    };
    const std::string x = "\uFFFD";
    const TCase       Cases[] = {
              {"go depth 5\tnow \u00e9\u2550\U0001F600", "go depth 5\tnow \u00e9\u2550\U0001F600"},
              {"go\0depth"s, "go" + x + "depth"},
              {"\x1b[31mred\x7f", x + "[31mred" + x},
              {"\xff\xfe", x + x},
              {"\x80"
                     "a",
               x + "a"},                           // a continuation byte without a lead
              {"\xc0\x80", x + x},                 // an overlong NUL
              {"\xed\xa0\x80", x + x + x},         // a surrogate
              {"\xf4\x90\x80\x80", x + x + x + x}, // above U+10FFFF
              {"a\xe2\x82", "a" + x + x},          // cut short
    };
    for (const TCase& c : Cases)
        EXPECT_EQ(ReadableText(c.Text), c.Readable) << c.Text;
}

TEST(EParseError, FormsTheExpectedList) {
    EXPECT_STREQ(EParseError({"Valid command"}, "foo").what(),
                 "Parse: 'Valid command' expected but token 'foo' found.");
    EXPECT_STREQ(EParseError({"a", "b", "c"}, "").what(),
                 "Parse: 'a', 'b' or 'c' expected but token '' found.");
    EXPECT_STREQ(EParseError({}, "x").what(), "Parse: nothing expected but token 'x' found.");
}
