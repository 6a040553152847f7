#pragma once

// Runs one fuzz input as the text a front end sends. One application with the shipped engine
// serves the whole fuzz run; each input starts from the state of a new session (the reset that
// the engine session test proves complete), with the protocol's selection line first when there
// is one, then the input through the same entry the console reader uses. Afterwards the program
// must still answer (isready, ping), its position must be sound, and nothing it wrote may carry a
// standard-library error text.

#include "../app/uEngineSession.h"
#include "games/uPosition.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "uFuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

// How a protocol asks whether the program is still there, and the line that answers.
struct TLivenessProbe {
    std::string_view Request;
    std::string_view Answer;
};

namespace FuzzInputLines {

// Standard output goes to an in-memory file, read after every input and emptied again.
inline int CapturedOutput() {
    static const int fd = [] {
        const int file = memfd_create("kvfuzz-stdout", 0);
        if (file < 0 || dup2(file, STDOUT_FILENO) < 0)
            Violation("standard output can be captured", {});
        return file;
    }();
    return fd;
}

inline std::string TakeOutput() {
    std::fflush(stdout);
    const int   fd = CapturedOutput();
    const off_t size = lseek(fd, 0, SEEK_END);
    std::string text(static_cast<std::size_t>(std::max<off_t>(size, 0)), '\0');
    if (size > 0 && pread(fd, text.data(), text.size(), 0) != size)
        Violation("captured output can be read", {});
    if (ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0)
        Violation("captured output can be emptied", {});
    return text;
}

// No configuration or log files: the folders cannot be created, so the application runs without
// them (as with a read-only home), and no input can write anywhere. The command line is empty.
inline void PrepareProcess() {
    static const bool done = [] {
        setenv("XDG_CONFIG_HOME", "/dev/null/kvfuzz", 1);
        setenv("XDG_STATE_HOME", "/dev/null/kvfuzz", 1);
        setenv("HOME", "/dev/null/kvfuzz", 1);
        unsetenv("LoggingLevel");
        const char* arguments[] = {"kvvexdra"};
        TStartState::SetArguments(1, arguments);
        (void)FuzzVariants();
        return true;
    }();
    (void)done;
    (void)CapturedOutput();
}

// The fuzzer's memory limit is far below what a machine offers the perft table, hundreds of
// perft threads only slow the run down, and a deep perft would take seconds of one input: the
// options keep their meaning within a smaller range, and perft goes two plies deep at most.
inline void FitToFuzzer(TVexdraEngine& AEngine) {
    AEngine.PerftHash().NumericalInterval().SetMaximalValue(16);
    AEngine.PerftHash().SetValue(1);
    AEngine.Threads().NumericalInterval().SetMaximalValue(4);
    AEngine.Threads().SetValue(2);
    AEngine.SetPerftDepthLimit(2);
}

// The one session of the fuzz run, made at the first input and ended with the process (its
// threads are joined before the program's own statics go).
inline TEngineSession& Session() {
    static TEngineSession session((PrepareProcess(), FitToFuzzer));
    static const bool     started = [] {
        Require(session.Initialized(), "the application starts");
        return true;
    }();
    (void)started;
    return session;
}

} // namespace FuzzInputLines

inline int RunInputLines(std::string_view ASelection, const TLivenessProbe& AProbe,
                         std::string_view AInput) {
    using namespace FuzzInputLines;
    TEngineSession& session = Session();
    TConsoleEngine& application = session.Application();
    session.Reset();
    if (!ASelection.empty())
        application.ProcessInputText(std::string(ASelection));
    (void)TakeOutput();

    try {
        application.ProcessInputText(std::string(AInput));
    } catch (const Exception&) {
        // The reader reports what a protocol leaves unhandled and goes on with the next line.
    }
    try {
        // Lines sent during a perft wait for it, as they do behind the reader thread.
        application.RunWaitingLinesToEnd();
    } catch (const Exception&) {
    }
    std::string output = TakeOutput();

    if (!application.Terminated()) {
        if (!AProbe.Request.empty()) {
            application.ProcessInputText(std::string(AProbe.Request));
            const std::string answer = TakeOutput();
            Require(answer.find("\n" + std::string(AProbe.Answer) + "\n") != std::string::npos ||
                        answer.rfind(std::string(AProbe.Answer) + "\n", 0) == 0,
                    "the program answers after the input", answer);
            output += answer;
        }
        TPosition& position = session.Engine().Position();
        Require(position.Hash() == position.GetHash(), "the position's hash is its own");
    }
    const std::string libraryError = LibraryErrorLine(output, AInput);
    Require(libraryError.empty(), "errors are the program's own", libraryError);
    return 0;
}
