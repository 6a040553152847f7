#include "games/shogi/uShogiPosition.h"

#include "support/uExceptions.h"
#include "support/uTextHelpers.h"

TShogiPosition::TShogiPosition() {
    SetHashKeys(ShogiPositionHash());
    FBoard->SetKingCode(spKing);
}

std::string TShogiPosition::SideColorToString(int APlayerIndex) const {
    switch (APlayerIndex) {
    case 0:
        return "Black";
    case 1:
        return "White";
    default:
        return {};
    }
}

std::string TShogiPosition::PieceToString(int APiece, TPieceLanguage APieceLanguage) const {
    static constexpr const char* Texts[15] = {"",   "P",  "L",  "N",  "S",  "G",  "B", "R",
                                              "K",  "+P", "+L", "+N", "+S", "+B", "+R"};
    if (APiece == 0)
        return {};
    if (APieceLanguage != plEnglish)
        throw ENotSupportedException("Language not supported");
    const int type = APiece < 0 ? -APiece : APiece;
    if (type >= 15)
        return "?";
    return APiece > 0 ? Texts[type] : LowerCase(Texts[type]);
}

THash TShogiPosition::GetHash() const { return ShogiPositionHash().GetHash(Board(), Side()); }

std::unique_ptr<TPosition> TShogiPosition::Clone() const {
    auto result = std::make_unique<TShogiPosition>();
    result->Assign(*this);
    return result;
}
