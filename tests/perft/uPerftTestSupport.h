#pragma once

#include "engine/uEngineTestSupport.h"
#include "engine/uVexdraEngine.h"
#include "games/uGameVariants.h"
#include "support/uCustomArgument.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The shipped engine with a recording output, a small perft table and a given thread count.
class TPerftEngine {
public:
    explicit TPerftEngine(int AThreads = 1, int AHashMiB = 16) {
        FEngine.SetOutput(std::make_unique<TRecordingOutput>(FEngine.AnalysisInfo()));
        FEngine.Threads().SetValue(AThreads);
        FEngine.PerftHash().SetValue(AHashMiB);
    }

    TVexdraEngine&    Engine() { return FEngine; }
    TRecordingOutput& Recorder() { return dynamic_cast<TRecordingOutput&>(*FEngine.Output()); }
    std::vector<std::string> Events() { return Recorder().Events(); }

    void SetPosition(const std::string& AVariant, const std::string& AFen) {
        FEngine.SetGameVariant(GameVariants().FindByName(AVariant));
        if (!AFen.empty())
            FEngine.SetPositionFromString(AFen);
    }
    // Runs a perft to its end; the events it wrote.
    std::vector<std::string> Perft(int ADepth) {
        Recorder().ClearEvents();
        FEngine.GetPerft(ADepth);
        FEngine.WaitForPerft();
        return Events();
    }

private:
    TVexdraEngine FEngine;
};

// The "move: count" lines of a perft, in their order: a move text without blanks, ": ", digits.
inline std::vector<std::string> RootLines(const std::vector<std::string>& AEvents) {
    std::vector<std::string> lines;
    for (const std::string& event : AEvents) {
        if (!event.starts_with("Info:"))
            continue;
        const std::string line = event.substr(5);
        if (line.starts_with("Nodes"))
            continue;
        const std::size_t colon = line.find(": ");
        if (colon == std::string::npos || colon == 0 || line.find(' ') != colon + 1 ||
            colon + 2 == line.size() ||
            line.find_first_not_of("0123456789", colon + 2) != std::string::npos)
            continue;
        lines.push_back(line);
    }
    return lines;
}

// The total of "Nodes Searched: ", or -1 when there is none.
inline std::int64_t NodesSearched(const std::vector<std::string>& AEvents) {
    for (const std::string& event : AEvents)
        if (event.starts_with("Info:Nodes Searched: "))
            return std::stoll(event.substr(21));
    return -1;
}

inline bool Contains(const std::vector<std::string>& AEvents, const std::string& AEvent) {
    for (const std::string& event : AEvents)
        if (event == AEvent)
            return true;
    return false;
}
