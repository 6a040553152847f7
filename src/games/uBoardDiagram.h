#pragma once

#include <string>
#include <vector>

class IOutputSink;

// A board as its diagram shows it, for every family: the labels around it, the piece text of
// each cell and the line below it. Cells run row by row from the top row of the diagram, left
// to right; a cell without a piece has an empty text.
struct TBoardDiagram {
    struct TCell {
        std::string Text;
        bool        FirstPlayer = true;
    };
    std::vector<std::string> FileLabels; // left to right
    std::vector<std::string> RankLabels; // top to bottom
    std::vector<TCell>       Cells;
    std::string              Footer;
};

// Cells five characters wide and three lines high on shaded squares (the bottom-left square is
// dark), a piece in the middle line in its owner's colours, the rank labels on both sides and
// the file labels above and below; then the footer line.
void WriteBoardDiagram(IOutputSink& ASink, const TBoardDiagram& ADiagram);
