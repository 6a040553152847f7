#include "shell/uConsoleOutputSink.h"

#include "shell/uCustomConsole.h"

void TConsoleOutputSink::BeginDrawing() {
    FConsole.Lock().lock();
}

void TConsoleOutputSink::EndDrawing() {
    FConsole.Flush();
    FConsole.Lock().unlock();
}

void TConsoleOutputSink::Write(std::string_view AText) {
    FConsole.WritePart(AText, FConsole.Theme().DefaultColor());
}

void TConsoleOutputSink::Write(std::string_view AText, TConsoleColor AForeground,
                               TConsoleColor ABackground) {
    FConsole.WritePart(AText, AForeground, ABackground);
}

void TConsoleOutputSink::WriteAligned(std::string_view AText, int AWidth,
                                      THorizontalAlignment AAlignment) {
    const TConsoleCustomTheme& theme = FConsole.Theme();
    FConsole.WriteAlignedPart(AText, AWidth, AAlignment, theme.DefaultForegroundColor(),
                              theme.DefaultBackgroundColor());
}

void TConsoleOutputSink::WriteAligned(std::string_view AText, int AWidth,
                                      THorizontalAlignment AAlignment, TConsoleColor AForeground,
                                      TConsoleColor ABackground) {
    FConsole.WriteAlignedPart(AText, AWidth, AAlignment, AForeground, ABackground);
}

void TConsoleOutputSink::EndLine() {
    FConsole.EndLine();
}
