#pragma once

#include "engine/uEngineCommand.h"
#include "support/uMainTimer.h"

#include <string_view>

// "time N": the engine's clock in centiseconds. The value 214748364.7 (the largest 32-bit
// count of tenths) stands for a clock without limit and is read as 15 minutes.
class TTimeCommand final : public TEngineCommand {
public:
    TTimeCommand();
    void Execute(std::string_view AParameters) override;
};

// The clock of "time" and "otim" from its text; raises a parse error expecting AExpected when
// the text is empty.
TTimeSpan ReadCentisecondClock(std::string_view AText, std::string_view AExpected);
