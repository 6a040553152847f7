// Whole sessions: the first byte chooses how the session begins (console, UCI, XBoard, USI),
// the rest are the lines of the session, built by the fuzzer from real command sequences (the
// sessions dictionary). Each session starts as a new front end would find the program.
#include "uInputLines.h"

namespace {

struct TSessionKind {
    std::string_view Selection;
    TLivenessProbe   Probe;
};

constexpr TSessionKind Kinds[] = {
    {{}, {}},
    {"uci\n", {"isready\n", "readyok"}},
    {"xboard\nprotover 2\n", {"ping 7\n", "pong 7"}},
    {"usi\n", {"isready\n", "readyok"}},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    if (ASize == 0)
        return 0;
    const TSessionKind& kind = Kinds[AData[0] % std::size(Kinds)];
    return RunInputLines(kind.Selection, kind.Probe, InputText(AData + 1, ASize - 1));
}
