#pragma once

#include "support/uCustomArgument.h"

#include <cstdint>
#include <memory>

// The engine options every engine of the framework may offer: pondering, opening book,
// contempt, random play, time-management tuning and the current-line switch. It owns the
// option objects; an engine puts the ones it offers into its option list.
class TCommonEngineOptions final {
public:
    TCommonEngineOptions();
    ~TCommonEngineOptions();
    TCommonEngineOptions(const TCommonEngineOptions&) = delete;
    TCommonEngineOptions& operator=(const TCommonEngineOptions&) = delete;

    // Appends "Time Usage", "Fixed move time", "Minimal Move Time", "Average Move Overhead"
    // and "Maximal Move Overhead".
    void AddTimeManagementOptions(TArguments& AOptions);
    // The largest hash size in MiB: the largest block that can be allocated in one piece.
    static std::int64_t MaximalHashSizeInMB();

    TSwitchArgument&            Ponder() { return *FPonder; }
    TSwitchArgument&            OwnBook() { return *FOwnBook; }
    TFileNameArgument&          BookFile() { return *FBookFile; }
    TNumericalIntervalArgument& HashSizeInMB() { return *FHashSizeInMB; }
    TButtonArgument&            ClearHash() { return *FClearHash; }
    TNumericalIntervalArgument& ContemptValue() { return *FContemptValue; }
    TSwitchArgument&            RandomPlay() { return *FRandomPlay; }
    TNumericalIntervalArgument& RandomValue() { return *FRandomValue; }
    TNumericalIntervalArgument& TimeUsage() { return *FTimeUsage; }
    TSwitchArgument&            FixedMoveTime() { return *FFixedMoveTime; }
    // Milliseconds.
    TNumericalIntervalArgument& MinimalMoveTime() { return *FMinimalMoveTime; }
    // Milliseconds.
    TNumericalIntervalArgument& AverageMoveOverhead() { return *FAverageMoveOverhead; }
    // Milliseconds.
    TNumericalIntervalArgument& MaximalMoveOverhead() { return *FMaximalMoveOverhead; }
    TSwitchArgument&            ShowCurrLine() { return *FShowCurrLine; }

private:
    std::unique_ptr<TSwitchArgument>            FPonder;
    std::unique_ptr<TSwitchArgument>            FOwnBook;
    std::unique_ptr<TFileNameArgument>          FBookFile;
    std::unique_ptr<TNumericalIntervalArgument> FHashSizeInMB;
    std::unique_ptr<TButtonArgument>            FClearHash;
    std::unique_ptr<TNumericalIntervalArgument> FContemptValue;
    std::unique_ptr<TSwitchArgument>            FRandomPlay;
    std::unique_ptr<TNumericalIntervalArgument> FRandomValue;
    std::unique_ptr<TNumericalIntervalArgument> FTimeUsage;
    std::unique_ptr<TSwitchArgument>            FFixedMoveTime;
    std::unique_ptr<TNumericalIntervalArgument> FMinimalMoveTime;
    std::unique_ptr<TNumericalIntervalArgument> FAverageMoveOverhead;
    std::unique_ptr<TNumericalIntervalArgument> FMaximalMoveOverhead;
    std::unique_ptr<TSwitchArgument>            FShowCurrLine;
};
