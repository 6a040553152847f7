#include "engine/uEngineCommand.h"

#include "engine/uInternalEngine.h"
#include "support/uExceptions.h"

TInternalEngine& RequireEngine(TInternalEngine* AEngine) {
    if (AEngine == nullptr)
        throw Exception("No engine.");
    return *AEngine;
}

TEngineOutput& RequireEngineOutput(TInternalEngine* AEngine) {
    TEngineOutput* output = RequireEngine(AEngine).Output();
    if (output == nullptr)
        throw Exception("No engine.");
    return *output;
}
