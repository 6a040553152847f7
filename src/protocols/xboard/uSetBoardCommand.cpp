#include "protocols/xboard/uSetBoardCommand.h"

#include "engine/uInternalEngine.h"
#include "games/uGameVariant.h"
#include "protocols/xboard/uXBoardVariants.h"
#include "support/uTextHelpers.h"

#include <algorithm>
#include <vector>

namespace {

bool IsNumber(std::string_view AText) {
    return !AText.empty() &&
           std::all_of(AText.begin(), AText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An en passant square: a column letter and a row number.
bool IsSquare(std::string_view AText) {
    return AText.size() >= 2 && AText[0] >= 'a' && AText[0] <= 'z' && IsNumber(AText.substr(1));
}

} // namespace

TSetBoardCommand::TSetBoardCommand() : TXBoardProtocolCommand("TSetBoardCommand") {
    SetDescription("Set up position.");
}

void TSetBoardCommand::Execute(std::string_view AParameters) {
    TCustomCommand::Execute(AParameters);
    TInternalEngine& engine = Engine();
    TXBoardProtocol& protocol = Protocol();
    protocol.BeforePositionChange();
    const TGameVariant*       variant = engine.GameVariant();
    const TXBoardDescription* item = variant != nullptr ? &variant->Description().XBoard : nullptr;
    engine.SetPositionFromString(item != nullptr && (item->ShogiCoordinates || item->Mirrored)
                                     ? XBoardToEnginePosition(*item, AParameters)
                                     : CompleteXBoardFen(AParameters));
    protocol.AfterPositionChange();
}

std::string CompleteXBoardFen(std::string_view AFen) {
    std::vector<std::string> fields = SplitWords(AFen);
    if (fields.size() != 5 || !IsNumber(fields[3]) || !IsNumber(fields[4]))
        return std::string(AFen);
    fields.insert(fields.begin() + (IsSquare(fields[2]) ? 2 : 3), "-");
    std::string text;
    for (const std::string& field : fields)
        text += (text.empty() ? "" : " ") + field;
    return text;
}
