#pragma once

#include "engine/uCommonProtocol.h"
#include "engine/uEngineCommand.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TCustomArgument;
class TEngineOutput;
class TGameVariant;
class TInfiniteLevel;
class TInternalEngine;
class TRootMoves;
class TXBoardEngineOutput;
class TXBoardProtocol;

// The feature list of "protover", in the order it is written.
class TXBoardFeatures final {
public:
    // "0" or "1".
    void Add(std::string_view AName, bool AValue);
    // The text in double quotes.
    void Add(std::string_view AName, std::string_view AValue);
    const std::vector<std::pair<std::string, std::string>>& Pairs() const { return FPairs; }

private:
    std::vector<std::pair<std::string, std::string>> FPairs;
};

// The engine's output when it is an XBoard output; null otherwise.
TXBoardEngineOutput* XBoardOutputOf(const TInternalEngine& AEngine);
// The XBoard output of the engine of a command; raises "No engine." without an engine and
// "No XBoard output." when its output is another.
TXBoardEngineOutput& RequireXBoardOutput(TInternalEngine* AEngine);

// A command of the XBoard protocol that changes the protocol's play state; it is given the
// protocol when the protocol registers it.
class TXBoardProtocolCommand : public TEngineCommand {
public:
    using TEngineCommand::TEngineCommand;
    TXBoardProtocol* XBoardProtocol() const { return FXBoardProtocol; }
    void             SetXBoardProtocol(TXBoardProtocol* AValue) { FXBoardProtocol = AValue; }

protected:
    // The protocol; a command used before it has one raises "No protocol.".
    TXBoardProtocol& Protocol() const;
    // Refuses any parameter text with "No parameters required.".
    static void RequireNoParameters(std::string_view AParameters);
    // Changes the engine's root-move filter between the end of a running analysis and the start
    // of the next.
    void ChangeRootMoves(const std::function<void(TRootMoves&)>& AChange) const;

    TXBoardProtocol* FXBoardProtocol = nullptr; // not owned
};

// The XBoard (CECP) protocol. It registers the XBoard commands on the console, answers
// "protover" with the feature list, and keeps the play state: auto play (the engine answers a
// move of the front end with its own), together with the engine's do-move-after-stop flag and
// the level manager's infinite analysis, and analyze mode, which switches "analyze" and "go" off
// and "exit" on. Used on the console reader thread.
class TXBoardProtocol final : public TCommonProtocol {
public:
    TXBoardProtocol();
    ~TXBoardProtocol() override;

    void SetAnalyzeMode(bool AValue) override;
    // Registers the commands in their order; the engine is announced only by "protover".
    void Initialize() override;

    // The feature list for the engine given to the protocol.
    TXBoardFeatures Features() const;
    // Writes the feature list as one block, "feature done=0" first and "feature done=1" last.
    void WriteFeatures();
    // "NAME -spin 0 -32767 32767" and the like; a kind without an XBoard form raises "Argument.".
    static std::string OptionFeature(TCustomArgument& AArgument);
    // The variant names a front end may ask for: xboard's name of each registered variant.
    static std::string VariantsFeature();
    // The registered name of a variant that the front end names AName (xboard's names and the
    // registry's, in any letter case); empty when there is none.
    static std::string VariantName(std::string_view AName);
    // Whether xboard knows the variant of that registered name only from the engine's setup.
    static bool IsEngineDefinedVariant(std::string_view AName);
    // Makes AVariant the engine's variant (a new start position when it changes) and writes
    // castling as xboard does in it.
    void SetGameVariant(TGameVariant* AVariant);
    // xboard writes castling as O-O and O-O-O in Chess960 and shuffle chess (where the king's
    // step can be an ordinary move too), elsewhere as the king's step (e1g1).
    void UpdateCastlingNotation();
    // xboard plays variants it does not know itself only after the engine has described them:
    // for those the engine sends "setup" with the board, the holdings and the start position,
    // and "piece" lines for pieces xboard must be told the moves of.
    void WriteSetup();
    // Called by "new" before it resets the game: a random start position announced by "setup"
    // is kept for the next "variant" of the same name while no game has moved on from it.
    void KeepAnnouncedSetupIfUnplayed();
    // After "variant" has set up a new start: back to the announced position, if one is kept.
    void RestoreAnnouncedSetup();
    // After the engine has played its move: when that move ended the game, the result is
    // claimed, so that a front end that cannot judge the variant ends the game.
    void ClaimGameEnd();
    // Before the engine starts a search to play a move: a game without "level", "st" or "sd" is
    // an untimed game, so the engine is given a level without a time limit.
    void EnsureLevel();
    // In analyze mode the engine analyses every new position: before the position changes the
    // running analysis ends, after it a new one starts.
    void BeforePositionChange();
    void AfterPositionChange();

    std::int32_t ProtocolVersion() const { return FProtocolVersion; }
    void         SetProtocolVersion(std::int32_t AValue) { FProtocolVersion = AValue; }
    bool         AutoPlay() const { return FAutoPlay; }
    void         SetAutoPlay(bool AValue) { FAutoPlay = AValue; }
    // The engine's output when it is an XBoard output; null otherwise.
    TXBoardEngineOutput* XBoardOutput() const;

    TCustomCommand* AnalyzeCommand() const { return FAnalyzeCommand; }
    TCustomCommand* GoCommand() const { return FGoCommand; }
    TCustomCommand* ExitCommand() const { return FExitCommand; }

private:
    template <class T> T* Register(std::unique_ptr<T> ACommand);
    // A command object exists for it and it is not one of the unsupported commands.
    static bool IsSupported(const TCustomCommand* ACommand);

    std::int32_t FProtocolVersion = 1;
    bool         FAutoPlay = false;
    // The level of an untimed game (see EnsureLevel).
    std::unique_ptr<TInfiniteLevel> FUntimedLevel;
    // The random start position last announced by "setup", and its variant.
    std::string FAnnouncedVariant;
    std::string FAnnouncedPosition;
    // The commands the features and the play state consult; owned by the registry once taken.
    TCustomCommand* FProtoVerCommand = nullptr;
    TCustomCommand* FAnalyzeCommand = nullptr;
    TCustomCommand* FGoCommand = nullptr;
    TCustomCommand* FUserMoveCommand = nullptr;
    TCustomCommand* FSetBoardCommand = nullptr;
    TCustomCommand* FPingCommand = nullptr;
    TCustomCommand* FMemoryCommand = nullptr;
    TCustomCommand* FCoresCommand = nullptr;
    TCustomCommand* FDrawCommand = nullptr;
    TCustomCommand* FPauseCommand = nullptr;
    TCustomCommand* FResumeCommand = nullptr;
    TCustomCommand* FNpsCommand = nullptr;
    TCustomCommand* FExitCommand = nullptr;
    TCustomCommand* FSetScoreCommand = nullptr;
    TCustomCommand* FPlayOtherCommand = nullptr;
    TCustomCommand* FICSCommand = nullptr;
    TCustomCommand* FNameCommand = nullptr;
    TCustomCommand* FTimeCommand = nullptr;
    TCustomCommand* FOTimCommand = nullptr;
    TCustomCommand* FExcludeAllCommand = nullptr;
    TCustomCommand* FExcludeCommand = nullptr;
    TCustomCommand* FIncludeAllCommand = nullptr;
    TCustomCommand* FIncludeCommand = nullptr;
};
