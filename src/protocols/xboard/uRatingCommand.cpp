#include "protocols/xboard/uRatingCommand.h"

#include "engine/uCommonEngineOptions.h"
#include "engine/uEngineOutput.h"
#include "engine/uInternalEngine.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uCustomArgument.h"

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
