// SFEN of the shogi family: the first byte picks the variant, the rest is the string.
#include "games/shogi/uShogiGameVariants.h"
#include "uPositionStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    static const std::vector<TGameVariant*> variants = VariantsOf<TShogiGameVariant>();
    if (ASize < 1)
        return 0;
    return CheckPositionString(*variants[AData[0] % variants.size()],
                               InputText(AData + 1, ASize - 1));
}
