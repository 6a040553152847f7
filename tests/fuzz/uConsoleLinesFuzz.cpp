// Console mode: every built-in and engine command with whatever parameters the input has.
#include "uInputLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    // The console has no liveness request; its errors go to the error stream.
    return RunInputLines({}, {}, InputText(AData, ASize));
}
