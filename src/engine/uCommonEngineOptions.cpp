#include "engine/uCommonEngineOptions.h"

#include "support/uSystemMemory.h"

#include <algorithm>
#include <string>

namespace {

std::string OverheadDescription(std::string_view ARecommendation) {
    return "This is designed to compensate for slow user interfaces or slow internet "
           "connections, where a fraction of a second can be lost in the processing and "
           "transferring of information back and forth from the engine to the interface or "
           "interface to a chess server. The value is in milliseconds (1/1000th of a second). "
           "The recommended value is " +
           std::string(ARecommendation) +
           ".This should probably be left alone unless you see the program starting to forfeit "
           "games due to exhausting its time. If you see such time forfeits, increase this "
           "value.";
}

std::unique_ptr<TSwitchArgument> Switch(std::string_view AName, std::string_view ADescription,
                                        bool ADefault) {
    return std::make_unique<TSwitchArgument>(AName, ADescription, rcOptional, ADefault);
}

std::unique_ptr<TNumericalIntervalArgument> Interval(std::string_view AName,
                                                     std::string_view ADescription,
                                                     std::int64_t AMinimal, std::int64_t AMaximal,
                                                     std::int64_t ADefault) {
    return std::make_unique<TNumericalIntervalArgument>(AName, ADescription, AMinimal, AMaximal,
                                                        ADefault, rcOptional);
}

} // namespace

std::int64_t TCommonEngineOptions::MaximalHashSizeInMB() {
    return static_cast<std::int64_t>(SystemMemory().MaxPhysicalMemoryOneBlockSize() / 1048576);
}

TCommonEngineOptions::TCommonEngineOptions() {
    FPonder = Switch("Ponder", "Ponder", true);
    FOwnBook = Switch("Own Book", "Engine uses internal opening book.", true);
    FBookFile = std::make_unique<TFileNameArgument>(
        "Book File", "Specifies book file name if internal opening book is used.", rcOptional,
        false);
    FBookFile->SetDefaultValue("Book.dat");
    const std::int64_t maximalHash = MaximalHashSizeInMB();
    FHashSizeInMB =
        Interval("Hash", "", 0, maximalHash, std::min<std::int64_t>(maximalHash * 2 / 3, 1024));
    FClearHash = std::make_unique<TButtonArgument>("Clear Hash", "Clear hash table.", rcOptional);
    FContemptValue = Interval("Contempt Value", "[centi pawn] Draw score.", -32767, 32767, 0);
    FRandomPlay = Switch("Random Play", "Play random.", true);
    FRandomValue = Interval(
        "Random Value", "[centi pawn] Specifies random value if random play is used.", 1, 1000, 20);
    FTimeUsage = Interval(
        "Time Usage",
        "[%] Provides the ability to manipulate time usage for time control. You can make it play "
        "faster (use less time) by using a less number or you can make it play slower (use more "
        "time) by using a greater number. ",
        1, 1000, 85);
    FFixedMoveTime = Switch("Fixed move time",
                            "If enabled engine do not try to complete search in any depth.", false);
    FMinimalMoveTime = Interval("Minimal Move Time",
                                "Minimal move time for all time controls. This value hes higher "
                                "priority that maximal calculated time.",
                                0, 1000, 50);
    FAverageMoveOverhead = Interval(
        "Average Move Overhead",
        OverheadDescription("30 milliseconds for local GUI and 100 milliseconds for internet"), 0,
        30000, 100);
    FMaximalMoveOverhead = Interval(
        "Maximal Move Overhead",
        OverheadDescription("60 milliseconds for local GUI and 2500 milliseconds for internet"), 0,
        120000, 2500);
    FShowCurrLine = Switch("UCI_ShowCurrLine", "Send current search line every second.", false);
    for (TCustomArgument* option : std::initializer_list<TCustomArgument*>{
             FPonder.get(), FOwnBook.get(), FBookFile.get(), FHashSizeInMB.get(), FClearHash.get(),
             FContemptValue.get(), FRandomPlay.get(), FRandomValue.get(), FTimeUsage.get(),
             FFixedMoveTime.get(), FMinimalMoveTime.get(), FAverageMoveOverhead.get(),
             FMaximalMoveOverhead.get(), FShowCurrLine.get()})
        option->SetDefault();
}

TCommonEngineOptions::~TCommonEngineOptions() = default;

void TCommonEngineOptions::AddTimeManagementOptions(TArguments& AOptions) {
    AOptions.Add(*FTimeUsage);
    AOptions.Add(*FFixedMoveTime);
    AOptions.Add(*FMinimalMoveTime);
    AOptions.Add(*FAverageMoveOverhead);
    AOptions.Add(*FMaximalMoveOverhead);
}
