#include "protocols/xboard/uSdCommand.h"

#include "engine/uInternalEngine.h"
#include "engine/uLevelManager.h"
#include "engine/uStopManager.h"
#include "engine/uTimeControlLevel.h"
#include "protocols/uProtocolLevels.h"
#include "protocols/xboard/uXBoardParameterReader.h"
#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

TSdCommand::TSdCommand() : TEngineCommand("TSdCommand") {
    SetDescription(
        "The engine should limit its thinking to DEPTH ply. The commands \"level\" or \"st\" and "
        "\"sd\" can be used together in an orthogonal way. If both are issued, the engine should "
        "observe both limitations: In the protocol, the \"sd\" command isn't a time control. It "
        "doesn't say that your engine has unlimited time but must search to exactly the given "
        "depth. It says that you should pay attention to the time control as normal, but cut off "
        "the search at the specified depth even if you have time to search deeper.");
}

TSdCommand::~TSdCommand() = default;

void TSdCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    if (TrimView(AParameters).empty())
        throw EParseError({"maximal depth"}, "");
    TXBoardParameterReader reader(AParameters);
    const std::int64_t     depth = reader.ReadInteger();
    engine.StopManager().SetLimitMaxDepth(ClampToInt32(depth));
    if (engine.LevelManager().MyLevel() == nullptr) {
        if (!FInfiniteLevel)
            FInfiniteLevel = std::make_unique<TInfiniteLevel>();
        UseAsMyLevel(engine, *FInfiniteLevel);
    }
}
