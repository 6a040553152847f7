#include "engine/uProtocolHost.h"

#include "engine/uEngineCommand.h"
#include "support/uExceptions.h"

IProtocolHost& TProtocolCommand::Host() const {
    if (FProtocolHost == nullptr)
        throw Exception("No engine.");
    return *FProtocolHost;
}

TInternalEngine& TProtocolCommand::Engine() const {
    return RequireEngine(Host().InternalEngine());
}
