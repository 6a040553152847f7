#pragma once

#include "support/uTextHelpers.h"

#include <set>
#include <string>
#include <string_view>

// The root-move filter of a search (searchmoves, include, exclude). Moves are texts compared
// without regard to letter case. Used on the command thread; the search only asks AcceptMove.
class TRootMoves final {
public:
    // Every move accepted, both lists empty (also IncludeAll).
    void Clear();
    void IncludeAll() { Clear(); }
    // Only included moves accepted from now on; both lists empty.
    void ExcludeAll();
    // Moves the move from the exclude list to the include list. A move already included is
    // refused with "String list does not allow duplicates" and nothing changes.
    void Include(std::string_view AMove);
    void Exclude(std::string_view AMove);
    // True when every move is accepted, so a caller may skip AcceptMove.
    bool AcceptAll() const { return !FExcludeAllMode && FExcludeList.empty(); }
    bool AcceptMove(std::string_view AMove) const;
    // The included moves in sorted order, each followed by one blank.
    std::string GetIncludedMoves() const;
    bool        ExcludeAllMode() const { return FExcludeAllMode; }

private:
    struct TCaseInsensitiveLess {
        using is_transparent = void;
        bool operator()(std::string_view A, std::string_view B) const {
            return CompareText(A, B) < 0;
        }
    };
    using TMoveList = std::set<std::string, TCaseInsensitiveLess>;

    static void Add(TMoveList& AList, std::string_view AMove);

    TMoveList FIncludeList;
    TMoveList FExcludeList;
    bool      FExcludeAllMode = false;
};
