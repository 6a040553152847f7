#include "perft/uDistributedPerftOptions.h"

#include "support/uExceptions.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Words(const std::string& AText) {
    std::vector<std::string> words;
    std::size_t              start = 0;
    while (start < AText.size()) {
        const std::size_t end = AText.find('|', start);
        words.push_back(AText.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return words;
}

} // namespace

TEST(ReadDistributedPerftOptions, ReadsEveryOption) {
    const TDistributedPerftOptions options = ReadDistributedPerftOptions(
        Words("--variant|shogi|--sfen|lnsgkgsnl/9/9/9/9/9/9/9/LNSGKGSNL b - 1|--depth|7|"
              "--threads=4|--hash|0|--split=2|--journal|d7.journal|--divide|--progress|0.5"));
    EXPECT_EQ(options.Variant, "shogi");
    EXPECT_EQ(options.Position, "lnsgkgsnl/9/9/9/9/9/9/9/LNSGKGSNL b - 1");
    EXPECT_EQ(options.Depth, 7);
    EXPECT_EQ(options.Threads, 4);
    EXPECT_EQ(options.HashMiB, 0);
    EXPECT_EQ(options.Split, 2);
    EXPECT_EQ(options.Journal, "d7.journal");
    EXPECT_TRUE(options.Divide);
    EXPECT_DOUBLE_EQ(options.ProgressSeconds, 0.5);
    EXPECT_FALSE(options.Help);

    const TDistributedPerftOptions defaults =
        ReadDistributedPerftOptions(Words("--variant|chess|--startpos|--depth|1"));
    EXPECT_TRUE(defaults.Position.empty());
    EXPECT_EQ(defaults.Threads, 1);
    EXPECT_GT(defaults.HashMiB, 0);
    EXPECT_EQ(defaults.Split, 0);
    EXPECT_TRUE(defaults.Journal.empty());
    EXPECT_FALSE(defaults.Divide);
    EXPECT_TRUE(ReadDistributedPerftOptions(Words("--help")).Help);
}

TEST(ReadDistributedPerftOptions, RefusesBadCommandLinesWithTheirReason) {
    const struct {
        const char* Arguments;
        const char* Message;
    } cases[] = {
        {"--startpos|--depth|3", "--variant is missing."},
        {"--variant|chess|--depth|3", "The position is missing: --fen, --sfen or --startpos."},
        {"--variant|chess|--startpos", "--depth is missing."},
        {"--variant|chess|--startpos|--depth|0",
         "--depth needs a whole number from 1 to 99, not '0'."},
        {"--variant|chess|--startpos|--depth|100",
         "--depth needs a whole number from 1 to 99, not '100'."},
        {"--variant|chess|--startpos|--depth|3x",
         "--depth needs a whole number from 1 to 99, not '3x'."},
        {"--variant|chess|--startpos|--depth", "--depth needs a value."},
        {"--variant|chess|--startpos|--depth|3|--threads|0",
         "--threads needs a whole number from 1 to 512, not '0'."},
        {"--variant|chess|--startpos|--depth|3|--hash|-1",
         "--hash needs a whole number from 0 to 1073741824, not '-1'."},
        {"--variant|chess|--startpos|--depth|3|--split|4", "--split must not exceed --depth."},
        {"--variant|chess|--startpos|--depth|3|--progress|soon",
         "--progress needs a number of seconds, 0 or more, not 'soon'."},
        {"--variant|chess|--startpos|--fen|8/8/8/8/8/8/8/8 w - - 0 1|--depth|3",
         "Give one position: --fen, --sfen or --startpos."},
        {"--variant|chess|--fen| |--depth|3", "--fen needs a position string."},
        {"--variant|chess|--startpos|--depth|3|--journal=", "--journal needs a file name."},
        {"--variant|chess|--startpos|--depth|3|--divide=yes",
         "Unknown argument '--divide=yes'; --help lists the options."},
        {"--variant|chess|--startpos|--depth|3|-np|2",
         "Unknown argument '-np'; --help lists the options."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments);
        try {
            ReadDistributedPerftOptions(Words(c.Arguments));
            ADD_FAILURE() << "accepted";
        } catch (const EArgumentException& e) {
            EXPECT_EQ(std::string(e.what()), c.Message);
        }
    }
}
