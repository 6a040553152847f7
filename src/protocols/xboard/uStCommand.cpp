#include "protocols/xboard/uStCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uTimeControlLevel.h"
#include "protocols/uProtocolLevels.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

namespace {

constexpr std::int64_t MaximalMoveSeconds = 86400; // one day

} // namespace

TStCommand::TStCommand()
    : TEngineCommand("TStCommand"), FMoveTimeLevel(std::make_unique<TMoveTimeLevel>()) {
    SetDescription("Set an exact number of seconds per move.");
    FMoveTimeLevel->SetValueType(lvtEqual);
}

TStCommand::~TStCommand() = default;

void TStCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    if (TrimView(AParameters).empty())
        throw EParseError({"exact time per move in seconds"}, "");
    const double seconds = ReadDecimal(AParameters, 1, 0, MaximalMoveSeconds);
    FMoveTimeLevel->SetValue(TTimeSpan::FromSecondsFloat(seconds));
    UseAsMyLevel(engine, *FMoveTimeLevel);
}
