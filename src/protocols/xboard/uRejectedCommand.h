#pragma once

#include "engine/uEngineCommand.h"

// "rejected FEATURE": the front end's answer to a feature; nothing to do.
class TRejectedCommand final : public TEngineCommand {
public:
    TRejectedCommand();
};
