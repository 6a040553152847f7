#pragma once

#include "engine/uProtocolHost.h"

#include <cstdint>
#include <memory>
#include <string_view>

class TComboArgument;
class TInternalEngine;
class TStringArgument;
class TSwitchArgument;

// "uci": switches the console into the UCI protocol once and for all. It adds the UCI options
// (variant, Chess960 switch, analyse mode, opponent) to the engine, which it owns and whose
// changes it applies, installs the UCI output and makes a TUCIProtocol the console's protocol.
// Used on the console reader thread.
class TUCICommand final : public TProtocolCommand {
public:
    TUCICommand();
    ~TUCICommand() override;

    TComboArgument*  UCI_Variant() const { return FUCI_Variant.get(); }
    TSwitchArgument* UCI_Chess960() const { return FUCI_Chess960.get(); }
    TSwitchArgument* UCI_AnalyseMode() const { return FUCI_AnalyseMode.get(); }
    TStringArgument* UCI_Opponent() const { return FUCI_Opponent.get(); }
    // Registry index of the variant UCI_Chess960 stands for, -1 when there is none.
    std::int32_t FindChess960() const { return FFindChess960; }

protected:
    void ExecuteNoParam() override;

private:
    void AddUCIOptions();
    void VariantChanged();
    void Chess960Changed();
    void AnalyseModeChanged();
    void OpponentChanged();
    // UCI front ends write castling in Chess960 and shuffle chess as the king taking its own
    // rook (e1h1), elsewhere as the king's two-file step (e1g1); never as O-O.
    void UpdateCastlingNotation();

    std::unique_ptr<TComboArgument>  FUCI_Variant;
    std::unique_ptr<TSwitchArgument> FUCI_Chess960;
    std::unique_ptr<TSwitchArgument> FUCI_AnalyseMode;
    std::unique_ptr<TStringArgument> FUCI_Opponent;
    std::int32_t                     FFindChess960 = -1;
    // Set while the variant change sets the Chess960 switch, which must not change the variant
    // in turn.
    bool FChangingVariant = false;
    // Set while a refused opponent text is taken back.
    bool        FRestoringOpponent = false;
    std::string FOpponentText;
};
