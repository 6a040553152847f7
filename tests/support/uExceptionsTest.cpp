#include "support/uExceptions.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Throws AInner wrapped in the contexts, the first outermost.
template <typename TInner>
void ThrowWrapped(const TInner& AInner, const std::vector<std::string>& AContexts,
                  std::size_t ALevel = 0) {
    if (ALevel == AContexts.size())
        throw AInner;
    try {
        ThrowWrapped(AInner, AContexts, ALevel + 1);
    } catch (...) {
        RethrowWithContext(AContexts[ALevel]);
    }
}

std::string ChainTextOf(const std::function<void()>& AThrow) {
    try {
        AThrow();
    } catch (const std::exception& e) {
        return ExceptionChainText(e);
    }
    return "nothing thrown";
}

} // namespace

// A context leads the message it wraps, on one line however deep; a nesting exception with a
// message of its own starts a line of its own.
TEST(ExceptionChainText, JoinsContextsWithTheMessagesTheyWrap) {
    struct TCase {
        std::vector<std::string> Contexts; // outermost first
        const char*              Text;
    };
    const TCase cases[] = {
        {{}, "Illegal move: e1e3"},
        {{"(MoveIndex: 2, StringIndex: 11): "},
         "(MoveIndex: 2, StringIndex: 11): Illegal move: e1e3"},
        {{"Command Position: ", "(MoveIndex: 1, StringIndex: 1): "},
         "Command Position: (MoveIndex: 1, StringIndex: 1): Illegal move: e1e3"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(
            ChainTextOf([&] { ThrowWrapped(EConvertError("Illegal move: e1e3"), c.Contexts); }),
            c.Text);
    }
    EXPECT_EQ(ChainTextOf([] {
                  try {
                      ThrowWrapped(EConvertError("Illegal move: e1e3"), {"(MoveIndex: 1): "});
                  } catch (...) {
                      std::throw_with_nested(Exception("Setting up failed."));
                  }
              }),
              "Setting up failed.\n(MoveIndex: 1): Illegal move: e1e3");
}

// The message reads whole, and the wrapped exception keeps its class: it can be rethrown and
// caught as what it was.
TEST(RethrowWithContext, KeepsTheWrappedExceptionWithItsClass) {
    try {
        ThrowWrapped(EArgumentOutOfRangeException("Too deep."), {"(MoveIndex: 1): "});
        FAIL() << "nothing thrown";
    } catch (const Exception& outer) {
        EXPECT_STREQ(outer.what(), "(MoveIndex: 1): Too deep.");
        EXPECT_THROW(std::rethrow_if_nested(outer), EArgumentOutOfRangeException);
    }
}
