// After "xboard": the XBoard commands (moves, setup, clocks, analyse mode) and the console
// commands that stay available.
#include "uInputLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    return RunInputLines("xboard\nprotover 2\n", {"ping 7\n", "pong 7"}, InputText(AData, ASize));
}
