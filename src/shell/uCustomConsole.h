#pragma once

#include "support/uConsoleColor.h"
#include "support/uMessageLevel.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

// Chooses colours so that text stays readable on the console's default background.
class TConsoleCustomTheme {
public:
    virtual ~TConsoleCustomTheme() = default;
    virtual TColorAttribute GetColor(TConsoleColor AForegroundColor,
                                     TConsoleColor ABackgroundColor) const = 0;
    virtual TColorAttribute GetColorForMessageLevel(TMessageLevel AMessageLevel) const = 0;

    TConsoleColor   DefaultBackgroundColor() const { return TConsoleColor(FDefaultColor >> 4); }
    TConsoleColor   DefaultForegroundColor() const { return TConsoleColor(FDefaultColor & 15); }
    TColorAttribute DefaultColor() const { return FDefaultColor; }
    bool            IsLightColor() const;
    static TConsoleColor   ChangeColorIntensity(TConsoleColor AConsoleColor);
    static TColorAttribute ReadableColor(TConsoleColor AForegroundColor,
                                         TConsoleColor ABackgroundColor);
    void                   SetDefaultColor(TColorAttribute AAttribute);

private:
    TColorAttribute FDefaultColor = MakeAttribute(ccLightGray, ccBlack);
};

class TConsoleDarkTheme final : public TConsoleCustomTheme {
public:
    TColorAttribute GetColor(TConsoleColor AForegroundColor,
                             TConsoleColor ABackgroundColor) const override;
    TColorAttribute GetColorForMessageLevel(TMessageLevel AMessageLevel) const override;
};

// The process-wide console: plain and coloured lines on standard output, error lines on the
// standard error stream. Colours become ANSI sequences, and only on a terminal. Any thread may
// write; Lock() serialises whole writes (also with the protocol output, which shares it).
class TCustomConsole {
public:
    TCustomConsole();
    virtual ~TCustomConsole() = default;
    TCustomConsole(const TCustomConsole&) = delete;
    TCustomConsole& operator=(const TCustomConsole&) = delete;

    TConsoleCustomTheme&  Theme() { return *FTheme; }
    bool                  FlushEveryLine() const { return FFlushEveryLine; }
    void                  SetFlushEveryLine(bool AValue) { FFlushEveryLine = AValue; }
    bool                  IsRedirected();
    std::uint16_t         CodePage() const { return FCodePage; }
    bool                  UsesUnicode() const { return FCodePage >= 65000; }
    std::recursive_mutex& Lock() { return FLock; }

    virtual bool IsRedirectedQuery();
    virtual void SetCodePage(std::uint16_t AId);
    // (columns, rows); (256, 0) when redirected or unknown.
    virtual void GetSize(int& AColumns, int& ARows);
    virtual void ClearScreen();
    virtual void Write(std::string_view AText);
    virtual void Write(std::string_view AText, TColorAttribute AAttribute);
    virtual void WriteLine(std::string_view AText);
    virtual void WriteLine(std::string_view AText, TColorAttribute AAttribute);
    virtual void WriteErrorLine(std::string_view AText);

    void Write(std::string_view AText, TConsoleColor AForegroundColor,
               TConsoleColor ABackgroundColor);
    void Write(std::string_view AText, TConsoleColor AForegroundColor);
    void WriteLine(std::string_view AText, TConsoleColor AForegroundColor,
                   TConsoleColor ABackgroundColor);
    void WriteLine(std::string_view AText, TConsoleColor AForegroundColor);
    void WriteAligned(std::string_view AText, int AFixedWidth,
                      THorizontalAlignment AHorizontalAlignment, TConsoleColor AForegroundColor,
                      TConsoleColor ABackgroundColor);
    void WriteAligned(std::string_view AText, int AFixedWidth,
                      THorizontalAlignment AHorizontalAlignment, TConsoleColor AForegroundColor);
    // Flushes standard output; used after each processed input line so that a scripted client
    // never waits for buffered output.
    void Flush();

    // Pieces of a longer drawing (tables, diagrams): written under the caller's Lock(), not
    // flushed; the drawing ends with EndLine or Flush.
    void WritePart(std::string_view AText, TColorAttribute AAttribute) {
        WriteColored(AText, AAttribute, false);
    }
    void WritePart(std::string_view AText, TConsoleColor AForegroundColor,
                   TConsoleColor ABackgroundColor) {
        WriteColored(AText, FTheme->GetColor(AForegroundColor, ABackgroundColor), false);
    }
    void WriteAlignedPart(std::string_view AText, int AFixedWidth,
                          THorizontalAlignment AHorizontalAlignment, TConsoleColor AForegroundColor,
                          TConsoleColor ABackgroundColor);
    void EndLine();

    // The text as this console's code page can show it ("©" becomes "(c)" without Unicode).
    std::string ConvertText(std::string_view AText) const;

protected:
    void WriteColored(std::string_view AText, TColorAttribute AAttribute, bool ANewLine);

private:
    std::unique_ptr<TConsoleCustomTheme> FTheme;
    std::uint16_t                        FCodePage = 65001;
    bool                                 FFlushEveryLine = false;
    bool                                 FAskedIsRedirected = false;
    bool                                 FIsRedirected = false;
    bool                                 FColors = false;
    bool                                 FErrorColors = false;
    std::recursive_mutex                 FLock;
};

// The SGR escape sequence for an attribute. The default colours stay the terminal's own (39/49),
// so a terminal with a light background is not painted black.
std::string AnsiSequence(TColorAttribute AAttribute, TColorAttribute ADefault);

// The one console of the process, created on first use.
TCustomConsole& Console();
