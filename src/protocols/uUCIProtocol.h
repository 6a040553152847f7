#pragma once

#include "engine/uCommonProtocol.h"

#include <memory>
#include <string>
#include <string_view>

class TComboArgument;
class TCustomArgument;
class TEngineOutput;
class TGoCommand;
class TUCIEngineOutput;

// The UCI protocol: registers the UCI commands on the console, announces the engine (name,
// author, one line per option, the initialization reply) and owns the two combo options that
// choose how often current-move and selective-depth lines are written. The USI protocol is
// the same with other names; it changes them between construction and Initialize (option
// names, reply) and after it (the new-game command's name, the clock sides of go).
// Used on the console reader thread.
class TUCIProtocol : public TCommonProtocol {
public:
    TUCIProtocol();
    ~TUCIProtocol() override;

    // Adds the two combos to the engine's options, registers the commands and writes the
    // announcement. The engine's output must already be a UCI output.
    void Initialize() override;

    const std::string& InitializationReply() const { return FInitializationReply; }
    // The new-game command registered by Initialize; null before.
    TNewGameCommand* NewGameCommand() const { return FNewGameCommand; }
    // The go command registered by Initialize; null before.
    TGoCommand*     GoCommand() const { return FGoCommand; }
    TComboArgument& ShowCurrentMoveArgument() { return *FShowCurrentMoveArgument; }
    TComboArgument& ShowSelectiveDepthArgument() { return *FShowSelectiveDepthArgument; }

    // "check", "spin", "string", "combo" or "button" for every other kind.
    static std::string ArgumentTypeName(const TCustomArgument* AArgument);
    // One "option name ..." line; an option kind without a UCI form raises "Argument.".
    static void WriteOption(TEngineOutput& AOutput, TCustomArgument& AArgument);

protected:
    void SetInitializationReply(std::string_view AValue) { FInitializationReply = AValue; }
    void AddCommands();
    void WriteIdentification();

private:
    // The engine's output as a UCI output; null when another output is installed.
    TUCIEngineOutput* UCIOutput() const;
    void              ShowCurrentMoveChanged();
    void              ShowSelectiveDepthChanged();

    std::unique_ptr<TComboArgument> FShowCurrentMoveArgument;
    std::unique_ptr<TComboArgument> FShowSelectiveDepthArgument;
    std::string                     FInitializationReply = "uciok";
    TNewGameCommand* FNewGameCommand = nullptr; // owned by the registry once taken over
    TGoCommand*      FGoCommand = nullptr;      // owned by the registry once taken over
};
