#include "engine/uRootMoves.h"

#include "support/uExceptions.h"

void TRootMoves::Clear() {
    FExcludeAllMode = false;
    FIncludeList.clear();
    FExcludeList.clear();
}

void TRootMoves::ExcludeAll() {
    Clear();
    FExcludeAllMode = true;
}

void TRootMoves::Add(TMoveList& AList, std::string_view AMove) {
    if (AList.contains(AMove))
        throw Exception("String list does not allow duplicates");
    AList.emplace(AMove);
}

void TRootMoves::Include(std::string_view AMove) {
    Add(FIncludeList, AMove);
    if (auto found = FExcludeList.find(AMove); found != FExcludeList.end())
        FExcludeList.erase(found);
}

void TRootMoves::Exclude(std::string_view AMove) {
    Add(FExcludeList, AMove);
    if (auto found = FIncludeList.find(AMove); found != FIncludeList.end())
        FIncludeList.erase(found);
}

bool TRootMoves::AcceptMove(std::string_view AMove) const {
    if (FExcludeAllMode)
        return FIncludeList.contains(AMove);
    return !FExcludeList.contains(AMove);
}

std::string TRootMoves::GetIncludedMoves() const {
    std::string text;
    for (const std::string& move : FIncludeList)
        text += move + ' ';
    return text;
}
