#pragma once

#include "support/uOutputSink.h"

class TCustomConsole;

// The console as the game model's output sink: a drawing holds the console's (recursive) lock
// from begin to end, is written without a flush per piece, and is flushed at its end.
class TConsoleOutputSink final : public IOutputSink {
public:
    explicit TConsoleOutputSink(TCustomConsole& AConsole) : FConsole(AConsole) {}
    void BeginDrawing() override;
    void EndDrawing() override;
    void Write(std::string_view AText) override;
    void Write(std::string_view AText, TConsoleColor AForeground,
               TConsoleColor ABackground) override;
    void WriteAligned(std::string_view AText, int AWidth, THorizontalAlignment AAlignment) override;
    void WriteAligned(std::string_view AText, int AWidth, THorizontalAlignment AAlignment,
                      TConsoleColor AForeground, TConsoleColor ABackground) override;
    void EndLine() override;

private:
    TCustomConsole& FConsole;
};
