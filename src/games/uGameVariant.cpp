#include "games/uGameVariant.h"

#include "support/uExceptions.h"

void RaiseAbstractError() {
    throw ENotImplemented("Abstract Error");
}

std::string TGameVariant::SideColorToString(int AIndex) const {
    switch (AIndex) {
    case 0:
        return "White";
    case 1:
        return "Black";
    default:
        return "Player" + std::to_string(AIndex + 1);
    }
}

std::shared_ptr<ICustomParser> TGameVariant::CreateForsythEdwardsNotationParser() {
    RaiseAbstractError();
}

std::shared_ptr<ICustomWriter> TGameVariant::CreateForsythEdwardsNotationWriter() {
    RaiseAbstractError();
}

TGameTermination TGameVariant::GetStalemateGameTermination() {
    RaiseAbstractError();
}

void TGameVariant::SetDescription(TGameVariantDescription ADescription) {
    FDescription = std::move(ADescription);
    FName = FDescription.Name;
    FCaption = FDescription.Caption;
    FURL = FDescription.URL;
}
