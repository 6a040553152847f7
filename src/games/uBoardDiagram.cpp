#include "games/uBoardDiagram.h"

#include "support/uOutputSink.h"

#include <cstddef>

namespace {

constexpr int CellWidth = 5;

void WriteFileLabels(IOutputSink& ASink, const TBoardDiagram& ADiagram) {
    ASink.EndLine();
    ASink.Write(std::string(CellWidth, ' '));
    for (const std::string& label : ADiagram.FileLabels)
        ASink.WriteAligned(label, CellWidth, haCenter);
    ASink.EndLine();
    ASink.EndLine();
}

// A one-letter piece stands in the middle of its three characters, a two-letter one ("+P")
// starts at the left.
std::string PieceField(const std::string& AText) {
    return AText.size() == 1 ? " " + AText + " " : AText + " ";
}

} // namespace

void WriteBoardDiagram(IOutputSink& ASink, const TBoardDiagram& ADiagram) {
    TOutputSinkDrawing drawing(ASink);
    const std::size_t  files = ADiagram.FileLabels.size();
    const std::size_t  ranks = ADiagram.RankLabels.size();
    WriteFileLabels(ASink, ADiagram);
    for (std::size_t row = 0; row < ranks; ++row) {
        const std::string& label = ADiagram.RankLabels[row];
        // Counted from the bottom row, which starts with a dark square.
        const std::size_t fromBottom = ranks - 1 - row;
        for (int line = 0; line < 3; ++line) {
            const bool middle = line == 1;
            if (middle)
                ASink.WriteAligned(label, CellWidth, haCenter);
            else
                ASink.Write(std::string(CellWidth, ' '));
            for (std::size_t file = 0; file < files; ++file) {
                const TConsoleColor background =
                    (file + fromBottom) % 2 == 1 ? ccLightGray : ccGray;
                const TBoardDiagram::TCell& cell = ADiagram.Cells[row * files + file];
                if (middle && !cell.Text.empty()) {
                    ASink.Write(" ", ccBlack, background);
                    if (cell.FirstPlayer)
                        ASink.Write(PieceField(cell.Text), ccBlack, ccWhite);
                    else
                        ASink.Write(PieceField(cell.Text), ccWhite, ccBlack);
                    ASink.Write(" ", ccBlack, background);
                } else {
                    ASink.Write(std::string(CellWidth, ' '), ccBlack, background);
                }
            }
            if (middle)
                ASink.WriteAligned(label, CellWidth, haCenter);
            else
                ASink.WriteAligned(" ", CellWidth, haCenter, ccBlack, ccBlack);
            ASink.EndLine();
        }
    }
    WriteFileLabels(ASink, ADiagram);
    ASink.Write(ADiagram.Footer);
    ASink.EndLine();
}
