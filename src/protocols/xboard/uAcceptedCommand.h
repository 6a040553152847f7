#pragma once

#include "engine/uEngineCommand.h"

// "accepted FEATURE": the front end's answer to a feature; nothing to do.
class TAcceptedCommand final : public TEngineCommand {
public:
    TAcceptedCommand();
};
