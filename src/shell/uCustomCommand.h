#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A named command; the first word of an input line selects it. Commands run on the console
// reader thread, one at a time. The name comes from the class name: "TQuitCommand" -> "Quit".
class TCustomCommand {
public:
    explicit TCustomCommand(std::string_view AClassName);
    virtual ~TCustomCommand() = default;
    TCustomCommand(const TCustomCommand&) = delete;
    TCustomCommand& operator=(const TCustomCommand&) = delete;

    // The usage text of the parameters; raises ENotImplemented where a class gives none.
    virtual std::string GetSyntax() const;
    // Counts the call; overrides call it first.
    virtual void Execute(std::string_view AParameters);
    void         Execute() { Execute(std::string_view()); }

    // GetSyntax, or empty when it raises.
    std::string Syntax() const;
    std::string GetShortcutAndSyntax() const;

    bool               Enabled() const { return FEnabled; }
    void               SetEnabled(bool AValue) { FEnabled = AValue; }
    const std::string& Shortcut() const { return FShortcut; }
    void               SetShortcut(std::string_view AValue) { FShortcut = AValue; }
    const std::string& Description() const { return FDescription; }
    void               SetDescription(std::string_view AValue) { FDescription = AValue; }
    const std::string& Response() const { return FResponse; }
    void               SetResponse(std::string_view AValue) { FResponse = AValue; }
    std::int32_t       ExecuteCount() const { return FExecuteCount; }
    void               SetExecuteCount(std::int32_t AValue) { FExecuteCount = AValue; }
    // Runs as soon as it is read, also while a perft counts and the lines before it wait: the
    // words that end work (stop, quit) and the readiness question.
    bool ActsAtOnce() const { return FActsAtOnce; }
    void SetActsAtOnce(bool AValue) { FActsAtOnce = AValue; }

    // "TQuitCommand" -> "Quit": a leading "T" and a trailing "Command" are dropped.
    static std::string ShortcutFromClassName(std::string_view AClassName);

private:
    std::string  FDescription;
    std::string  FShortcut;
    std::string  FResponse;
    bool         FEnabled = true;
    bool         FActsAtOnce = false;
    std::int32_t FExecuteCount = 0;
};

// A command without parameters.
class TSimpleCommand : public TCustomCommand {
public:
    using TCustomCommand::TCustomCommand;
    std::string GetSyntax() const override { return {}; }
    // Refuses any parameter text with "No parameters required.".
    void Execute(std::string_view AParameters) override;

protected:
    virtual void ExecuteNoParam() = 0;
};

// A protocol command this engine does not support: it answers "<name> command is not supported."
class TUnsupportedCommand : public TCustomCommand {
public:
    using TCustomCommand::TCustomCommand;
    void Execute(std::string_view AParameters) override;
};

// The command registry. It owns every command, also those a protocol created. Lookups ignore
// case and blanks inside registered names; among equal names the first registered wins.
// Used only on the console reader thread.
class TCommands {
public:
    TCommands() = default;
    virtual ~TCommands() = default;
    TCommands(const TCommands&) = delete;
    TCommands& operator=(const TCommands&) = delete;

    void                  Clear();
    TCustomCommand&       Add(std::unique_ptr<TCustomCommand> ACommand);
    template <class T> T& AddCommand(std::unique_ptr<T> ACommand) {
        T& result = *ACommand;
        Add(std::move(ACommand));
        return result;
    }
    void            Add(std::vector<std::unique_ptr<TCustomCommand>> ACommands);
    void            Delete(TCustomCommand& ACommand);
    void            Disable(TCustomCommand& ACommand);
    TCustomCommand* FindByString(std::string_view AName) const;
    // The enabled command of that name; raises a parse error ('Valid command') for an unknown
    // name and "Command X is disabled." for a disabled one.
    TCustomCommand& FindByStringException(std::string_view AName) const;
    void            WriteToCommonOutput() const;
    int             Count() const { return static_cast<int>(FCommands.size()); }
    TCustomCommand& Get(int AIndex) const {
        return *FCommands.at(static_cast<std::size_t>(AIndex));
    }

private:
    void RebuildIndex() const;

    mutable bool                                 FChanged = false;
    mutable std::vector<std::int32_t>            FCommandIndexes;
    mutable std::vector<std::string>             FCommandNamesSorted;
    std::vector<std::unique_ptr<TCustomCommand>> FCommands;
};
