#pragma once

#include "games/uGameVariant.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The registry of game variants; owns them. Filled once at start-up, then only read.
class TGameVariants {
public:
    void Add(std::unique_ptr<TGameVariant> AVariant);
    // The first variant whose name equals AGameVaraintName ignoring case; null when none does.
    TGameVariant* FindByName(std::string_view AGameVaraintName) const;
    // The same, also among the aliases of the variants' descriptions.
    TGameVariant* FindByNameOrAlias(std::string_view AName) const;
    // The program's default variant, registered first; null while the registry is empty.
    TGameVariant* Default() const { return FItems.empty() ? nullptr : FItems.front().get(); }
    // The first variant of a family, its standard game; null when the family has none.
    TGameVariant* FirstOfFamily(TGameFamily AFamily) const;
    // All names in registration order, joined by "," without spaces.
    std::string   ToXBoardString() const;
    std::size_t   Count() const { return FItems.size(); }
    TGameVariant& Items(std::size_t AIndex) const { return *FItems[AIndex]; }
    void          Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TGameVariant>> FItems;
};

// The eighteen variants in their order: the chess family, then the shogi family. The first is
// the default variant.
void RegisterGameVariants(TGameVariants& AVariants);

// The process-wide registry (empty until filled).
TGameVariants& GameVariants();
