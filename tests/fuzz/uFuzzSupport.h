#pragma once

// What every fuzz target shares. A target reads one input, drives one part of the program with
// it and checks what must hold whatever the input; a broken rule ends the run through Require,
// which libFuzzer records as a crash together with the input that caused it.

#include "games/uGameVariant.h"
#include "games/uGameVariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sanitizer/common_interface_defs.h>
#include <string>
#include <string_view>
#include <vector>

inline std::string_view InputText(const std::uint8_t* AData, std::size_t ASize) {
    return {reinterpret_cast<const char*>(AData), ASize};
}

// The rule and what broke it go to the sanitizer's report stream, which stays open when the
// fuzzer silences the program's own output.
[[noreturn]] inline void Violation(std::string_view ARule, std::string_view ADetail) {
    std::string text = "rule broken: " + std::string(ARule);
    if (!ADetail.empty())
        text += " [" + std::string(ADetail.substr(0, 400)) + "]";
    __sanitizer_report_error_summary(text.c_str());
    std::fprintf(stderr, "%s\n", text.c_str());
    std::abort();
}

inline void Require(bool ACondition, std::string_view ARule, std::string_view ADetail = {}) {
    if (!ACondition)
        Violation(ARule, ADetail);
}

// The process-wide registry, filled once.
inline TGameVariants& FuzzVariants() {
    if (GameVariants().Count() == 0)
        RegisterGameVariants(GameVariants());
    return GameVariants();
}

// The registered variants of one family (a variant class that all of them derive from).
template <class TFamily> std::vector<TGameVariant*> VariantsOf() {
    std::vector<TGameVariant*> result;
    TGameVariants&             variants = FuzzVariants();
    for (std::size_t i = 0; i < variants.Count(); ++i)
        if (dynamic_cast<TFamily*>(&variants.Items(i)) != nullptr)
            result.push_back(&variants.Items(i));
    return result;
}

// Texts the standard library puts into its own exceptions. Every failure the program reports
// comes from its own exception family with its own message; one of these in the output means
// that a check was missing and the library caught the bad value instead. Texts the input itself
// holds are not counted (the program may quote a bad token). Returns the line, or empty.
inline std::string LibraryErrorLine(std::string_view AOutput, std::string_view AInput) {
    constexpr std::string_view Texts[] = {
        "basic_string", "vector::", "_M_",       "stoi",      "stol",   "stoul",   "stoll",
        "stod",         "stof",     "bad_alloc", "bad_array", "bitset", "map::at", "std::"};
    for (std::string_view text : Texts) {
        const std::size_t at = AOutput.find(text);
        if (at == std::string_view::npos || AInput.find(text) != std::string_view::npos)
            continue;
        const std::size_t start = AOutput.rfind('\n', at);
        const std::size_t end = AOutput.find('\n', at);
        const std::size_t from = start == std::string_view::npos ? 0 : start + 1;
        return std::string(AOutput.substr(from, end == std::string_view::npos ? end : end - from));
    }
    return {};
}
