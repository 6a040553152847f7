// FEN of the chess family: the first byte picks the variant, the rest is the string.
#include "games/chess/uChessGameVariant.h"
#include "uPositionStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    static const std::vector<TGameVariant*> variants = VariantsOf<TChessGameVariant>();
    if (ASize < 1)
        return 0;
    return CheckPositionString(*variants[AData[0] % variants.size()],
                               InputText(AData + 1, ASize - 1));
}
