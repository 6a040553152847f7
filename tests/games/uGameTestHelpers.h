#pragma once

#include "games/chess/uChessMoveGenerator.h"
#include "games/chess/uChessPosition.h"
#include "games/uGameVariant.h"
#include "games/uGameVariants.h"
#include "games/uMoveGenerator.h"
#include "support/uOutputSink.h"

#include <memory>
#include <string>
#include <vector>

// A variant's position, set from a position string when one is given, with its generator.
struct TTestGame {
    TGameVariant*                   Variant = nullptr;
    std::unique_ptr<TPosition>      Position;
    std::unique_ptr<TMoveGenerator> Generator;

    TChessPosition&      Chess() { return static_cast<TChessPosition&>(*Position); }
    TChessMoveGenerator& ChessGenerator() { return static_cast<TChessMoveGenerator&>(*Generator); }
    // The generated moves as text, in list order.
    std::vector<std::string> MoveTexts();
    // The generated move with this text; fails the test when there is none.
    TMove       FindMove(const std::string& AText);
    std::string Fen();
    // Plays AText (a generated move of a chess-family position), expects AFenAfter and a hash
    // that agrees with one computed from scratch, then reverts and expects everything back.
    void ExpectMakeAndRevert(const std::string& AText, const std::string& AFenAfter);
};

// A registry filled once for the tests.
TGameVariants& TestVariants();
TTestGame      MakeGame(const std::string& AVariant, const std::string& AFen = "");
// The same for the board model itself: a chess-family position string on a board of any size,
// read by the variant's rules but for the board's size and the sets of pieces.
TTestGame MakeBoardGame(const std::string& AVariant, const std::string& AFen = "");

// An output sink that keeps what is drawn: the lines as plain text, and every coloured piece of
// text with its colours. Counts the drawings and checks that they are bracketed.
class TTextSink final : public IOutputSink {
public:
    struct TColoredText {
        std::string   Text;
        TConsoleColor Foreground;
        TConsoleColor Background;
    };
    void BeginDrawing() override { ++FOpen; }
    void EndDrawing() override {
        --FOpen;
        ++Drawings;
    }
    void Write(std::string_view AText) override {
        Touch();
        FLine += AText;
    }
    void Write(std::string_view AText, TConsoleColor AForeground,
               TConsoleColor ABackground) override;
    void WriteAligned(std::string_view AText, int AWidth, THorizontalAlignment AAlignment) override;
    void WriteAligned(std::string_view AText, int AWidth, THorizontalAlignment AAlignment,
                      TConsoleColor AForeground, TConsoleColor ABackground) override;
    void EndLine() override;

    std::vector<std::string>  Lines;
    std::vector<TColoredText> Colored;
    int                       Drawings = 0;
    // Whether every drawing begun has ended, and nothing was written outside one.
    bool Balanced() const { return FOpen == 0 && !FOutside; }

private:
    void        Touch() { FOutside = FOutside || FOpen <= 0; }
    std::string FLine;
    int         FOpen = 0;
    bool        FOutside = false;
};
