#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum TDisplay : std::uint8_t { diSD, diMSD, diHMSD, diHHMSD, diDHMSD };
enum TFloatFormat : std::uint8_t { ffAuto, ffScientic, ffNormal };

enum TNegativeNumberStyle : std::uint8_t {
    BracketsAround,
    BeforeNumber,
    BeforeNumberWithSpace,
    AfterNumber,
    AfterNumberWithSpace
};

struct TNegativeNumberFormat {
    std::string          FSymbol = "-";
    TNegativeNumberStyle FStyle = BeforeNumber;
    std::string          Make(std::string_view ANumber) const;
};

// The fixed English number settings every human-readable figure uses, whatever the locale.
struct TEnglishFormatSettings {
    char                  DecimalSeparator = '.';
    char                  ThousandSeparator = ',';
    char                  ListSeparator = ';';
    char                  TimeSeparator = ':';
    int                   FThousandGroup = 3;
    int                   FFractionGroup = 0;
    int                   FLeadingZero = 1;
    int                   FDigitsAfterDecimal = 0;
    std::string           FPositiveSymbol = "+";
    TNegativeNumberFormat FNegativeNumberFormat;
};

const TEnglishFormatSettings& EnglishFormatSettings();

// Formats numbers, sizes, node counts and durations for people. Protocol lines do not use it.
// Decimal places d: the integer n stands for n / 10^|d|; d < 0 drops trailing fraction zeros.
class TCommonOutputFormat final {
public:
    static std::string NumToStr(std::int64_t ANum, int ANumericBase);
    static std::string NumToStrU(std::uint64_t ANum, int ANumericBase);
    static std::string NToS(std::int64_t ANum, int ADecimals, int ANumericBase = 10);
    static std::string NToSBase(std::int64_t ANum, int ANumericBase);
    // The value laid out by a digit pattern ("00", "#,##0", ...).
    static std::string NToS(std::string_view AUseFormat, int ANumericBase, std::int64_t ANum);
    static std::string FToS(double ANum);
    static std::string FloatToDecimalString(double AValue, int APrecision, int ADecimals,
                                            TFloatFormat AFloatFormat);
    static std::string AddThousandSeparators(std::string_view              AValue,
                                             const TEnglishFormatSettings& AFormatSettings,
                                             std::string_view              AExponentPrefix);
    // A floating value with thousand separators ("2,682.12").
    static std::string FToSGrouped(double ANum);
    // An integer with thousand separators ("1,234,567").
    static std::string IntToSGrouped(std::int64_t ANum);
    static std::string BToStr(std::int64_t ABytes);
    static std::string BToStr32(std::int32_t ABytes);
    static std::string NodesToS(std::uint64_t AValue);
    static std::string ExitCodeToString(std::uint32_t AExitCode);
    static std::string MsToStr(std::int64_t AValue, TDisplay ADisplay, int ADecimals,
                               bool AFixedWidth = false);
    static std::string DateToS(int AYear, int AMonth, int ADay);
    // AT is a fraction of a day.
    static std::string TimeToS(int ADecimals, double AT);
    // ADateTime counts days since 1899-12-30 with the time as the fraction; 0 gives "".
    static std::string DateTimeToS(int ADecimals, double ADateTime);
};

const TCommonOutputFormat& CommonOutputFormat();
