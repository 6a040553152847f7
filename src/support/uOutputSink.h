#pragma once

#include "support/uConsoleColor.h"

#include <string_view>

// Where the game model shows things to people: board diagrams and score tables. The console
// implements it; the game model never sees the console itself. A drawing is bracketed by
// BeginDrawing and EndDrawing (TOutputSinkDrawing does it), so that the lines of other threads
// stay out of it; any thread may draw.
class IOutputSink {
public:
    virtual ~IOutputSink() = default;
    virtual void BeginDrawing() = 0;
    // Ends the drawing and makes it visible.
    virtual void EndDrawing() = 0;
    // Text in the sink's default colours.
    virtual void Write(std::string_view AText) = 0;
    virtual void Write(std::string_view AText, TConsoleColor AForeground,
                       TConsoleColor ABackground) = 0;
    // AText aligned in a field of AWidth characters (cut when longer), in the default colours.
    virtual void WriteAligned(std::string_view AText, int AWidth,
                              THorizontalAlignment AAlignment) = 0;
    virtual void WriteAligned(std::string_view AText, int AWidth, THorizontalAlignment AAlignment,
                              TConsoleColor AForeground, TConsoleColor ABackground) = 0;
    virtual void EndLine() = 0;
};

// BeginDrawing ... EndDrawing, also on exceptions.
class TOutputSinkDrawing {
public:
    explicit TOutputSinkDrawing(IOutputSink& ASink) : FSink(ASink) { FSink.BeginDrawing(); }
    ~TOutputSinkDrawing() { FSink.EndDrawing(); }
    TOutputSinkDrawing(const TOutputSinkDrawing&) = delete;
    TOutputSinkDrawing& operator=(const TOutputSinkDrawing&) = delete;

private:
    IOutputSink& FSink;
};
