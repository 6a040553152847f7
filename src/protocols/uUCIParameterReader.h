#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reads the parameter text of a UCI command word by word. Blanks are spaces and tabs. The text
// must outlive the reader. XBoard reads its parameters the same way.
class TUCIParameterReader {
public:
    explicit TUCIParameterReader(std::string_view AText) : FText(AText) {}

    // Skips blanks, then reads up to the next blank; empty at the end of the text.
    std::string ReadWord();
    // Skips blanks, any run of "+" and "-" signs (each "-" flips the sign) and the decimal
    // digits after them; no digits read as 0 and leave what follows for the next word. Values
    // beyond the 64-bit range saturate.
    std::int64_t ReadNumber();
    void         SkipBlanks();
    // The text from the current position on, unchanged.
    std::string_view Rest() const { return FText.substr(FPosition); }
    bool             AtEnd() const { return FPosition >= FText.size(); }
    std::size_t      Position() const { return FPosition; }
    void             SetPosition(std::size_t AValue) {
                    FPosition = AValue < FText.size() ? AValue : FText.size();
    }

    static bool IsBlank(char AChar) { return AChar == ' ' || AChar == '\t'; }

private:
    std::string_view FText;
    std::size_t      FPosition = 0;
};

// A number read for a 32-bit setting: values beyond its range become its nearest end.
std::int32_t ClampToInt32(std::int64_t AValue);
