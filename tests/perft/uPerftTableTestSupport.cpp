#include "uPerftTableTestSupport.h"

#include "games/uGameTestHelpers.h"
#include "games/uMoveGenerator.h"
#include "games/uPosition.h"
#include "perft/uPerftCalculator.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

std::vector<TPerftRow> ReadPerftTable(const std::string& AFileName, std::string_view AFormat,
                                      const std::set<std::string>& AVariants) {
    std::vector<TPerftRow> rows;
    std::ifstream          file(AFileName);
    std::string            line;
    std::getline(file, line);
    while (std::getline(file, line)) {
        std::vector<std::string> fields;
        std::stringstream        stream(line);
        std::string              field;
        while (std::getline(stream, field, '\t'))
            fields.push_back(field);
        if (fields.size() < 6 || fields[2] != AFormat ||
            (!AVariants.empty() && AVariants.count(fields[0]) == 0))
            continue;
        rows.push_back({fields[0], fields[3] == "startpos" ? "" : fields[3], std::stoi(fields[4]),
                        std::stoull(fields[5])});
    }
    return rows;
}

std::string Describe(const TPerftRow& ARow) {
    return ARow.Variant + " [" + ARow.Position + "] depth " + std::to_string(ARow.Depth);
}

std::uint64_t CalculatorPerft(TTestGame& AGame, int ADepth, bool APerftMode) {
    TPerftCalculator calculator;
    calculator.SetMoveGenerator(AGame.Variant->CreateMoveGenerator(), AGame.Position->Clone());
    calculator.MoveGenerator().SetPerftMode(APerftMode);
    return calculator.CalculateTotal(ADepth);
}

namespace {

std::uint64_t Walk(TTestGame& AGame, int ADepth, bool& AFailed) {
    TMoveListGuard guard(*AGame.Generator);
    TMoveList&     list = guard.List();
    if (ADepth <= 1)
        return list.Count;
    std::uint64_t nodes = 0;
    for (const TMove& move : list) {
        const std::string before = AGame.Fen();
        AGame.Position->MakeRevertableMove(move);
        const std::string made = AGame.Position->SelfCheck();
        if (made.empty())
            nodes += Walk(AGame, ADepth - 1, AFailed);
        AGame.Position->RevertMove(move);
        const std::string reverted = AGame.Position->SelfCheck();
        if (!made.empty() || !reverted.empty() || AGame.Fen() != before) {
            ADD_FAILURE() << "after " << AGame.Position->MoveToString(move) << " on " << before
                          << ": " << (made.empty() ? "revert" : "make") << ": " << made << reverted;
            AFailed = true;
        }
        if (AFailed)
            break;
    }
    return nodes;
}

} // namespace

std::uint64_t CheckedPerft(TTestGame& AGame, int ADepth) {
    if (ADepth <= 0)
        return 1;
    bool failed = false;
    return Walk(AGame, ADepth, failed);
}
