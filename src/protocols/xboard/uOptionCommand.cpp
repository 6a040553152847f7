#include "protocols/xboard/uOptionCommand.h"

#include "engine/uCommonEngineOptions.h"
#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "protocols/xboard/uXBoardEngineOutput.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "protocols/xboard/uXBoardProtocol.h"
#include "support/uCustomArgument.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

// ---- TOptionCommand ----

TOptionCommand::TOptionCommand() : TCommonSetOptionCommand("TOptionCommand") {
    SetDescription("Changes the setting of the option \"Name\" defined by the engine (through an "
                   "earlier feature command) to the given \"Value\".");
}

void TOptionCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    const std::size_t      equals = AParameters.find('=');
    const std::string      name = Trim(AParameters.substr(0, equals));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : AParameters.substr(equals + 1);
    SetOptionValue(name, value);
}

// ---- TRandomCommand ----

TRandomCommand::TRandomCommand() : TSimpleEngineCommand("TRandomCommand") {
    SetDescription("Toggles \"random\" mode. The \"new\" command sets random mode off.");
}

void TRandomCommand::ExecuteNoParam() {
    TSwitchArgument& randomPlay = Engine().CommonOptions().RandomPlay();
    randomPlay.SetValue(!randomPlay.Value());
}

// ---- THardCommand, TEasyCommand ----

THardCommand::THardCommand() : TSimpleEngineCommand("THardCommand") {
    SetDescription("Turn on pondering (thinking on the opponent's time, also known as "
                   "\"permanent brain\").");
}

void THardCommand::ExecuteNoParam() {
    Engine().CommonOptions().Ponder().SetValue(true);
}

TEasyCommand::TEasyCommand() : TSimpleEngineCommand("TEasyCommand") {
    SetDescription("Turn off pondering (thinking on the opponent's time, also known as "
                   "\"permanent brain\").");
}

void TEasyCommand::ExecuteNoParam() {
    Engine().CommonOptions().Ponder().SetValue(false);
}

// ---- TPostCommand, TNoPostCommand ----

TPostCommand::TPostCommand() : TSimpleEngineCommand("TPostCommand") {
    SetDescription("Turn on thinking/pondering output.");
}

void TPostCommand::ExecuteNoParam() {
    RequireXBoardOutput(FInternalEngine).SetEnabled(true);
}

TNoPostCommand::TNoPostCommand() : TSimpleEngineCommand("TNoPostCommand") {
    SetDescription("Turn off thinking/pondering output.");
}

void TNoPostCommand::ExecuteNoParam() {
    RequireXBoardOutput(FInternalEngine).SetEnabled(false);
}

// ---- TRatingCommand ----

std::int32_t ContemptForRatings(std::int64_t AOwnRating, std::int64_t AOpponentRating) {
    if (AOwnRating == 0 || AOpponentRating == 0)
        return 0;
    if (AOpponentRating < AOwnRating - 350)
        return 50;
    if (AOpponentRating < AOwnRating - 200)
        return 20;
    if (AOpponentRating > AOwnRating + 350)
        return -50;
    if (AOpponentRating > AOwnRating + 200)
        return -20;
    return 0;
}

TRatingCommand::TRatingCommand() : TEngineCommand("TRatingCommand") {
    SetDescription("The chess engine's own rating comes first, and if either opponent is not "
                   "rated, his rating is given as 0.");
}

void TRatingCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine&       engine = Engine();
    TXBoardParameterReader reader(AParameters);
    const std::int64_t     own = reader.ReadInteger();
    const std::int64_t     opponent = reader.ReadInteger();
    const std::int32_t     contempt = ContemptForRatings(own, opponent);
    if (engine.Output() != nullptr)
        engine.Output()->TellGUIInfo("Contempt value is " + std::to_string(contempt));
    engine.CommonOptions().ContemptValue().SetValue(contempt);
}
