#pragma once

#include "games/uGameVariant.h"

#include <string>

// Writes the shogi position string (SFEN) of a shogi position; the move number counts the plies
// played on the position since it was set up.
class TShogiForsythEdwardsNotationWriter final : public TCustomForsythEdwardsNotationWriter {
public:
    std::string AsString() override;
};
