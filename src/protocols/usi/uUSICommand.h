#pragma once

#include "engine/uProtocolHost.h"

#include <memory>
#include <vector>

class TComboArgument;
class TGameVariant;
class TInternalEngine;

// "usi": switches the console into the USI protocol once and for all: installs the USI output,
// makes a TUSIProtocol the console's protocol and selects shogi after the announcement. It adds
// one option, "UCI_Variant", a choice among the shogi family (default shogi), which it owns:
// front ends select minishogi and the other small boards with it. Used on the console reader
// thread.
class TUSICommand final : public TProtocolCommand {
public:
    TUSICommand();
    ~TUSICommand() override;

    TComboArgument* UCI_Variant() const { return FUCI_Variant.get(); }

protected:
    void ExecuteNoParam() override;

private:
    void AddVariantOption();
    void VariantChanged();

    std::unique_ptr<TComboArgument> FUCI_Variant;
    // The variants of the option's choices, in its order.
    std::vector<TGameVariant*> FVariants;
};
