#include "shell/uCustomConsole.h"

#include "platform/uPlatformConsole.h"
#include "support/uTextHelpers.h"

bool TConsoleCustomTheme::IsLightColor() const {
    const TConsoleColor background = DefaultBackgroundColor();
    return background == ccLightGray || background > ccGray;
}

TConsoleColor TConsoleCustomTheme::ChangeColorIntensity(TConsoleColor AConsoleColor) {
    switch (AConsoleColor) {
    case ccBlack:
        return ccWhite;
    case ccLightGray:
        return ccGray;
    case ccGray:
        return ccLightGray;
    case ccWhite:
        return ccBlack;
    default:
        return AConsoleColor < ccLightGray ? TConsoleColor(AConsoleColor + 8)
                                           : TConsoleColor(AConsoleColor - 8);
    }
}

TColorAttribute TConsoleCustomTheme::ReadableColor(TConsoleColor AForegroundColor,
                                                   TConsoleColor ABackgroundColor) {
    if (AForegroundColor == ABackgroundColor)
        AForegroundColor = ChangeColorIntensity(AForegroundColor);
    return MakeAttribute(AForegroundColor, ABackgroundColor);
}

void TConsoleCustomTheme::SetDefaultColor(TColorAttribute AAttribute) {
    FDefaultColor = ReadableColor(TConsoleColor(AAttribute & 15), TConsoleColor(AAttribute >> 4));
}

TColorAttribute TConsoleDarkTheme::GetColor(TConsoleColor AForegroundColor,
                                            TConsoleColor ABackgroundColor) const {
    if (IsLightColor())
        AForegroundColor = ChangeColorIntensity(AForegroundColor);
    return ReadableColor(AForegroundColor, ABackgroundColor);
}

TColorAttribute TConsoleDarkTheme::GetColorForMessageLevel(TMessageLevel AMessageLevel) const {
    const TConsoleColor background = DefaultBackgroundColor();
    switch (AMessageLevel) {
    case mlConfirmation:
        return GetColor(ccLightAqua, background);
    case mlDebug:
        return GetColor(ccLightAqua, ccBlue);
    case mlInformation:
        return GetColor(ccLightBlue, background);
    case mlWarning:
        return GetColor(ccLightYellow, background);
    case mlError:
        return GetColor(ccWhite, ccRed);
    case mlFatalError:
        return GetColor(ccWhite, ccPurple);
    case mlNone:
        break;
    }
    return GetColor(DefaultForegroundColor(), background);
}

namespace {

// Console colours are numbered blue = 1, green = 2, red = 4; ANSI numbers red = 1, blue = 4.
int AnsiColorIndex(int AColor) {
    return ((AColor & 1) << 2) | (AColor & 2) | ((AColor & 4) >> 2);
}

} // namespace

std::string AnsiSequence(TColorAttribute AAttribute, TColorAttribute ADefault) {
    const int   foreground = AAttribute & 15;
    const int   background = AAttribute >> 4;
    std::string sequence = "\x1b[";
    if (foreground == (ADefault & 15))
        sequence += "39";
    else
        sequence += std::to_string((foreground & 8 ? 90 : 30) + AnsiColorIndex(foreground));
    sequence += ';';
    if (background == (ADefault >> 4))
        sequence += "49";
    else
        sequence += std::to_string((background & 8 ? 100 : 40) + AnsiColorIndex(background));
    sequence += 'm';
    return sequence;
}

namespace {

constexpr std::string_view AnsiReset = "\x1b[0m";

} // namespace

TCustomConsole::TCustomConsole() : FTheme(std::make_unique<TConsoleDarkTheme>()) {
    SetCodePage(65001);
    FColors = StreamAcceptsColors(ssOutput);
    FErrorColors = StreamAcceptsColors(ssError);
    // A terminal's own colours are unknown; light grey on black is what the theme assumes.
    FTheme->SetDefaultColor(MakeAttribute(ccLightGray, ccBlack));
}

bool TCustomConsole::IsRedirected() {
    if (!FAskedIsRedirected) {
        FIsRedirected = IsRedirectedQuery();
        FAskedIsRedirected = true;
    }
    return FIsRedirected;
}

bool TCustomConsole::IsRedirectedQuery() {
    return !StreamIsTerminal(ssOutput);
}

void TCustomConsole::SetCodePage(std::uint16_t AId) {
    // The terminal speaks UTF-8 unless the locale says otherwise.
    FCodePage = (AId >= 65000 && LocaleIsUtf8()) ? AId : 1252;
}

void TCustomConsole::GetSize(int& AColumns, int& ARows) {
    if (IsRedirected() || !TerminalSize(AColumns, ARows)) {
        AColumns = 256;
        ARows = 0;
    }
}

void TCustomConsole::ClearScreen() {
    if (IsRedirected())
        return;
    std::scoped_lock lock(FLock);
    StreamWrite(ssOutput, "\x1b[2J\x1b[H");
    StreamFlush(ssOutput);
}

std::string TCustomConsole::ConvertText(std::string_view AText) const {
    if (UsesUnicode())
        return std::string(AText);
    return ReplaceAll(AText, "\u00A9", "(c)");
}

void TCustomConsole::Write(std::string_view AText) {
    std::scoped_lock lock(FLock);
    StreamWrite(ssOutput, ConvertText(AText));
    StreamFlush(ssOutput);
}

void TCustomConsole::Write(std::string_view AText, TColorAttribute AAttribute) {
    std::scoped_lock lock(FLock);
    WriteColored(AText, AAttribute, false);
    StreamFlush(ssOutput);
}

void TCustomConsole::WriteLine(std::string_view AText) {
    std::scoped_lock lock(FLock);
    std::string      line = ConvertText(AText);
    line += '\n';
    StreamWrite(ssOutput, line);
    if (IsRedirected() && FFlushEveryLine)
        StreamFlush(ssOutput);
}

void TCustomConsole::WriteLine(std::string_view AText, TColorAttribute AAttribute) {
    std::scoped_lock lock(FLock);
    WriteColored(AText, AAttribute, true);
    if (IsRedirected() && FFlushEveryLine)
        StreamFlush(ssOutput);
}

void TCustomConsole::WriteColored(std::string_view AText, TColorAttribute AAttribute,
                                  bool ANewLine) {
    std::string           data;
    const TColorAttribute defaultColor = FTheme->DefaultColor();
    const bool            colored = FColors && !IsRedirected() && AAttribute != defaultColor;
    if (colored)
        data += AnsiSequence(AAttribute, defaultColor);
    data += ConvertText(AText);
    if (colored)
        data += AnsiReset;
    if (ANewLine)
        data += '\n';
    StreamWrite(ssOutput, data);
}

void TCustomConsole::WriteErrorLine(std::string_view AText) {
    std::scoped_lock lock(FLock);
    // Standard output may hold a partial block; keep the order a person sees.
    StreamFlush(ssOutput);
    std::string           data;
    const TColorAttribute attribute = FTheme->GetColorForMessageLevel(mlError);
    if (FErrorColors)
        data += AnsiSequence(attribute, FTheme->DefaultColor());
    data += ConvertText(AText);
    if (FErrorColors)
        data += AnsiReset;
    data += '\n';
    StreamWrite(ssError, data);
    StreamFlush(ssError);
}

void TCustomConsole::Write(std::string_view AText, TConsoleColor AForegroundColor,
                           TConsoleColor ABackgroundColor) {
    Write(AText, FTheme->GetColor(AForegroundColor, ABackgroundColor));
}

void TCustomConsole::Write(std::string_view AText, TConsoleColor AForegroundColor) {
    Write(AText, AForegroundColor, FTheme->DefaultBackgroundColor());
}

void TCustomConsole::WriteLine(std::string_view AText, TConsoleColor AForegroundColor,
                               TConsoleColor ABackgroundColor) {
    WriteLine(AText, FTheme->GetColor(AForegroundColor, ABackgroundColor));
}

void TCustomConsole::WriteLine(std::string_view AText, TConsoleColor AForegroundColor) {
    WriteLine(AText, AForegroundColor, FTheme->DefaultBackgroundColor());
}

void TCustomConsole::WriteAlignedPart(std::string_view AText, int AFixedWidth,
                                      THorizontalAlignment AHorizontalAlignment,
                                      TConsoleColor        AForegroundColor,
                                      TConsoleColor        ABackgroundColor) {
    const int             width = AFixedWidth < 1 ? 1 : AFixedWidth;
    const auto            length = static_cast<int>(Utf8Length(AText));
    const TColorAttribute attribute = FTheme->GetColor(AForegroundColor, ABackgroundColor);
    if (length > width) {
        WriteColored(Utf8Prefix(AText, static_cast<std::size_t>(width - 1)), attribute, false);
        WriteColored("\u00BB", FTheme->GetColor(ccLightYellow, ABackgroundColor), false);
        return;
    }
    int left = 0;
    switch (AHorizontalAlignment) {
    case haLeft:
        break;
    case haRight:
        left = width - length;
        break;
    case haCenter:
        left = (width - length) / 2;
        break;
    }
    std::string padded(static_cast<std::size_t>(left), ' ');
    padded += AText;
    padded.append(static_cast<std::size_t>(width - length - left), ' ');
    WriteColored(padded, attribute, false);
}

void TCustomConsole::EndLine() {
    std::scoped_lock lock(FLock);
    StreamWrite(ssOutput, "\n");
}

void TCustomConsole::WriteAligned(std::string_view AText, int AFixedWidth,
                                  THorizontalAlignment AHorizontalAlignment,
                                  TConsoleColor AForegroundColor, TConsoleColor ABackgroundColor) {
    std::scoped_lock lock(FLock);
    WriteAlignedPart(AText, AFixedWidth, AHorizontalAlignment, AForegroundColor, ABackgroundColor);
    StreamFlush(ssOutput);
}

void TCustomConsole::WriteAligned(std::string_view AText, int AFixedWidth,
                                  THorizontalAlignment AHorizontalAlignment,
                                  TConsoleColor        AForegroundColor) {
    WriteAligned(AText, AFixedWidth, AHorizontalAlignment, AForegroundColor,
                 FTheme->DefaultBackgroundColor());
}

void TCustomConsole::Flush() {
    std::scoped_lock lock(FLock);
    StreamFlush(ssOutput);
}

TCustomConsole& Console() {
    static TCustomConsole console;
    return console;
}
