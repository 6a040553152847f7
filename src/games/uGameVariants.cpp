#include "games/uGameVariants.h"

#include "games/chess/uChessGameVariant.h"
#include "games/chess/uChessRuleVariants.h"
#include "games/chess/uRandomChessGameVariants.h"
#include "games/shogi/uShogiGameVariants.h"
#include "support/uTextHelpers.h"

void TGameVariants::Add(std::unique_ptr<TGameVariant> AVariant) {
    FItems.push_back(std::move(AVariant));
}

TGameVariant* TGameVariants::FindByName(std::string_view AGameVaraintName) const {
    for (const auto& variant : FItems)
        if (SameText(variant->Name(), AGameVaraintName))
            return variant.get();
    return nullptr;
}

TGameVariant* TGameVariants::FindByNameOrAlias(std::string_view AName) const {
    if (TGameVariant* variant = FindByName(AName))
        return variant;
    for (const auto& variant : FItems)
        for (std::string_view alias : variant->Description().Aliases)
            if (SameText(alias, AName))
                return variant.get();
    return nullptr;
}

TGameVariant* TGameVariants::FirstOfFamily(TGameFamily AFamily) const {
    for (const auto& variant : FItems)
        if (variant->Family() == AFamily)
            return variant.get();
    return nullptr;
}

std::string TGameVariants::ToXBoardString() const {
    std::string result;
    for (const auto& variant : FItems) {
        if (!result.empty())
            result += ',';
        result += variant->Name();
    }
    return result;
}

void RegisterGameVariants(TGameVariants& AVariants) {
    AVariants.Add(std::make_unique<TStandardChessGameVariant>());
    AVariants.Add(std::make_unique<TChess960GameVariant>());
    AVariants.Add(std::make_unique<TShuffleChessGameVariant>());
    AVariants.Add(std::make_unique<TRandom256ChessGameVariant>());
    AVariants.Add(std::make_unique<TNoCastleGameVariant>());
    AVariants.Add(std::make_unique<TDunsanyGameVariant>());
    AVariants.Add(std::make_unique<THordeChessGameVariant>());
    AVariants.Add(std::make_unique<THordeGameVariant>());
    AVariants.Add(std::make_unique<TGiveawayChessGameVariant>());
    AVariants.Add(std::make_unique<TThreeCheckChessGameVariant>());
    AVariants.Add(std::make_unique<TKingOfTheHillChessGameVariant>());
    AVariants.Add(std::make_unique<TRacingKingsChessGameVariant>());
    AVariants.Add(std::make_unique<TAtomicChessGameVariant>());
    AVariants.Add(std::make_unique<TCrazyhouseChessGameVariant>());
    AVariants.Add(std::make_unique<TShogiGameVariant>());
    AVariants.Add(std::make_unique<TMiniShogiGameVariant>());
    AVariants.Add(std::make_unique<TGoroGoroShogiGameVariant>());
    AVariants.Add(std::make_unique<TDobutsuShogiGameVariant>());
}

TGameVariants& GameVariants() {
    static TGameVariants variants;
    return variants;
}
