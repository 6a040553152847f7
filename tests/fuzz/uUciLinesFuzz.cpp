// After "uci": the UCI commands and the console commands that stay available.
#include "uInputLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    return RunInputLines("uci\n", {"isready\n", "readyok"}, InputText(AData, ASize));
}
