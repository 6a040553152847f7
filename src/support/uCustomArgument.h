#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One model of typed, named values for the command line, configuration files and the engine
// options a front end sets. Setters fire OnChange only when the value really changes.

enum TRequireCheck : std::uint8_t { rcRequired, rcOptional, rcDisabled };

class TCustomArgument {
public:
    using TOnChange = std::function<void(TCustomArgument&)>;

    TCustomArgument(std::string_view AShortcut, std::string_view ADescription,
                    TRequireCheck ARequireCheck);
    virtual ~TCustomArgument() = default;
    TCustomArgument(const TCustomArgument&) = delete;
    TCustomArgument& operator=(const TCustomArgument&) = delete;

    virtual std::string GetSyntax() const = 0;
    virtual bool        IsDefault() const = 0;
    virtual void        SetDefault() = 0;
    virtual std::string Preview() const;
    virtual std::string GetRequired() const;
    virtual std::string GetRequiredOrOptional() const;
    virtual std::string GetValueAsString() = 0;
    virtual void        SetValueFromString(std::string_view AValue) = 0;

    // "Argument "x" requires argument "y"" lines for required arguments that are not present.
    std::string Check() const;
    void        Require(TCustomArgument& AOther) { FRequires.push_back(&AOther); }
    std::string GetRequireList() const;
    // "-" + shortcut, then one space and the syntax when there is one.
    std::string GetArgumentShortcutAndSyntax() const;

    const std::string& Shortcut() const { return FShortcut; }
    void               SetShortcut(std::string_view AValue) { FShortcut = AValue; }
    const std::string& Description() const { return FDescription; }
    void               SetDescription(std::string_view AValue) { FDescription = AValue; }
    TRequireCheck      RequireCheck() const { return FRequireCheck; }
    void               SetRequireCheck(TRequireCheck AValue) { FRequireCheck = AValue; }
    // Reading it marks the argument as used.
    bool Exists() {
        FUsed = true;
        return FExists;
    }
    bool ExistsNoUsed() const { return FExists; }
    void SetExists(bool AValue) { FExists = AValue; }
    bool Used() const { return FUsed; }
    void SetUsed(bool AValue) { FUsed = AValue; }
    bool RequiredNotFound() const { return !FExists && FRequireCheck == rcRequired; }
    void SetOnChange(TOnChange AOnChange) { FOnChange = std::move(AOnChange); }

protected:
    void Changed() {
        if (FOnChange)
            FOnChange(*this);
    }

private:
    TOnChange                     FOnChange;
    std::vector<TCustomArgument*> FRequires;
    std::string                   FDescription;
    bool                          FUsed = false;
    bool                          FExists = false;
    std::string                   FShortcut;
    TRequireCheck                 FRequireCheck;
};

class TSwitchArgument final : public TCustomArgument {
public:
    TSwitchArgument(std::string_view AShortcut, std::string_view ADescription,
                    TRequireCheck ARequireCheck = rcOptional, bool ADefaultValue = false);
    std::string GetSyntax() const override { return {}; }
    bool        IsDefault() const override { return FValue == FDefaultValue; }
    void        SetDefault() override { FValue = FDefaultValue; }
    std::string GetValueAsString() override;
    // "", "1", "TRUE" give true; "0", "FALSE" false (any case); anything else is a parse error.
    void SetValueFromString(std::string_view AValue) override;

    bool Value() {
        SetUsed(true);
        return FValue;
    }
    bool DefaultValue() const { return FDefaultValue; }
    void SetValue(bool AValue);
    void SetDefaultValue(bool AValue) { FDefaultValue = AValue; }

private:
    bool FValue;
    bool FDefaultValue;
};

class TStringArgument : public TCustomArgument {
public:
    TStringArgument(std::string_view AShortcut, std::string_view ADescription,
                    TRequireCheck ARequireCheck = rcRequired, std::string_view ADefaultValue = {});
    std::string GetSyntax() const override { return "<text>"; }
    bool        IsDefault() const override { return FValue == FDefaultValue; }
    void        SetDefault() override { FValue = FDefaultValue; }
    std::string GetValueAsString() override { return Value(); }
    void        SetValueFromString(std::string_view AValue) override { SetValue(AValue); }

    const std::string& Value() {
        SetUsed(true);
        return FValue;
    }
    const std::string& DefaultValue() const { return FDefaultValue; }
    void               SetValue(std::string_view AValue);
    void               SetDefaultValue(std::string_view AValue) { FDefaultValue = AValue; }

protected:
    std::string FDefaultValue;
    std::string FValue;
};

class TFileNameArgument final : public TStringArgument {
public:
    TFileNameArgument(std::string_view AShortcut, std::string_view ADescription,
                      TRequireCheck ARequireCheck = rcRequired, bool AMustExists = true);
    std::string GetSyntax() const override { return "<filename>"; }
    // Resolves the name against the start directory, stores it, then checks that it exists.
    void SetValueFromString(std::string_view AValue) override;
    bool MustExists() const { return FMustExists; }
    void SetMustExists(bool AValue) { FMustExists = AValue; }
    // The full file name for a given name (absolute, or relative to the start directory).
    static std::string ResolveFileName(std::string_view AName);

private:
    bool FMustExists;
};

class TNumericalSet {
public:
    virtual ~TNumericalSet() = default;
    virtual bool        Contains(std::int64_t ANumber) const = 0;
    virtual std::string Description() const = 0;
};

class TNumericalInterval final : public TNumericalSet {
public:
    TNumericalInterval();
    TNumericalInterval(std::int64_t AMinimalValue, std::int64_t AMaximalValue);
    bool Contains(std::int64_t ANumber) const override {
        return ANumber >= FMinimalValue && ANumber <= FMaximalValue;
    }
    // "Interval [min..max]" with grouped integers.
    std::string  Description() const override;
    std::int64_t MinimalValue() const { return FMinimalValue; }
    std::int64_t MaximalValue() const { return FMaximalValue; }
    void         SetMinimalValue(std::int64_t AValue) { FMinimalValue = AValue; }
    void         SetMaximalValue(std::int64_t AValue) { FMaximalValue = AValue; }

private:
    std::int64_t FMinimalValue;
    std::int64_t FMaximalValue;
};

class TNumericArgument : public TCustomArgument {
public:
    TNumericArgument(std::string_view AShortcut, std::string_view ADescription,
                     std::unique_ptr<TNumericalSet> ANumericalSet,
                     TRequireCheck ARequireCheck = rcRequired, std::int64_t ADefaultValue = 0);
    std::string GetSyntax() const override;
    bool        IsDefault() const override { return FValue == FDefaultValue; }
    void        SetDefault() override { FValue = FDefaultValue; }
    std::string GetValueAsString() override { return std::to_string(Value()); }
    // A value outside the set is refused and the old value kept, so an out-of-range setting
    // from a front end can never reach the engine.
    void SetValueFromString(std::string_view AValue) override;

    std::int64_t Value() {
        SetUsed(true);
        return FValue;
    }
    std::int64_t ValueNoUsed() const { return FValue; }
    std::int64_t DefaultValue() const { return FDefaultValue; }
    // Stores without a range check (for the owner's own, trusted values).
    void                 SetValue(std::int64_t AValue);
    void                 SetDefaultValue(std::int64_t AValue) { FDefaultValue = AValue; }
    const TNumericalSet& NumericalSet() const { return *FNumericalSet; }

protected:
    std::unique_ptr<TNumericalSet> FNumericalSet;

private:
    std::int64_t FValue;
    std::int64_t FDefaultValue;
};

class TNumericalIntervalArgument final : public TNumericArgument {
public:
    TNumericalIntervalArgument(std::string_view AShortcut, std::string_view ADescription,
                               std::int64_t AMinimalValue, std::int64_t AMaximalValue,
                               std::int64_t  ADefaultValue,
                               TRequireCheck ARequireCheck = rcRequired);
    TNumericalInterval& NumericalInterval() {
        return static_cast<TNumericalInterval&>(*FNumericalSet);
    }
    const TNumericalInterval& NumericalInterval() const {
        return static_cast<const TNumericalInterval&>(*FNumericalSet);
    }
};

class TComboArgument final : public TCustomArgument {
public:
    TComboArgument(std::string_view AShortcut, std::string_view ADescription,
                   std::vector<std::string> ACaptions, int ADefaultValue = -1,
                   TRequireCheck ARequireCheck = rcRequired);
    std::string GetSyntax() const override;
    bool        IsDefault() const override { return FValue == FDefaultValue; }
    void        SetDefault() override { FValue = FDefaultValue; }
    // The caption at the value, or "N/A".
    std::string GetValueAsString() override;
    // The first caption equal to AValue ignoring case; no match is a parse error.
    void SetValueFromString(std::string_view AValue) override;

    int Value() {
        SetUsed(true);
        return FValue;
    }
    int                             DefaultValue() const { return FDefaultValue; }
    void                            SetValue(int AValue);
    void                            SetDefaultValue(int AValue) { FDefaultValue = AValue; }
    const std::vector<std::string>& Captions() const { return FCaptions; }
    void SetCaptions(std::vector<std::string> ACaptions) { FCaptions = std::move(ACaptions); }

private:
    std::vector<std::string> FCaptions;
    int                      FValue;
    int                      FDefaultValue;
};

class TButtonArgument final : public TCustomArgument {
public:
    TButtonArgument(std::string_view AShortcut, std::string_view ADescription,
                    TRequireCheck ARequireCheck = rcRequired);
    std::string GetSyntax() const override { return {}; }
    bool        IsDefault() const override { return true; }
    void        SetDefault() override {}
    std::string GetValueAsString() override { return {}; }
    // A press.
    void SetValueFromString(std::string_view) override { Changed(); }
};

// An ordered list of arguments. It does not own them unless given ownership with Own().
class TArguments {
public:
    explicit TArguments(std::string_view AName = {}) : FName(AName) {}
    virtual ~TArguments() = default;
    TArguments(const TArguments&) = delete;
    TArguments& operator=(const TArguments&) = delete;

    void Add(TCustomArgument& AArgument) { FArguments.push_back(&AArgument); }
    // Adds and keeps the argument alive as long as the list.
    template <class T> T& Own(std::unique_ptr<T> AArgument) {
        T& result = *AArgument;
        FArguments.push_back(AArgument.get());
        FOwned.push_back(std::move(AArgument));
        return result;
    }
    TCustomArgument& Get(int AIndex) const {
        return *FArguments.at(static_cast<std::size_t>(AIndex));
    }
    int  Count() const { return static_cast<int>(FArguments.size()); }
    void DeleteAll();
    // Resets Exists and Used of every argument.
    void             Clear();
    TCustomArgument* FindByString(std::string_view AName) const;

    // Parses argv-style tokens (without the program). "-name value", "-name:value", "--name";
    // a value that starts with "-" is the next name.
    virtual void Parse(const std::vector<std::string>& ATokens);
    // Parses a full command line text (program path first), with double quotes around values.
    void ParseCommandLine(std::string_view ACommandLine);

    std::string Check() const;
    std::string ShowRequired() const;
    std::string ShowUnused() const;
    void        WriteUnused() const;
    int         ExistsCount() const;
    int         RequiredArgumentCount() const;

    // The help table (caption = Name) and the value table to the common output.
    void WriteToCommonOutput() const;
    void WriteValuesToCommonOutput() const;

    const std::string&                   Name() const { return FName; }
    void                                 SetName(std::string_view AName) { FName = AName; }
    const std::vector<TCustomArgument*>& Items() const { return FArguments; }

    // Splits a command line text (program path first) into tokens by the quoting rules.
    static std::vector<std::string> TokenizeCommandLine(std::string_view ACommandLine);

protected:
    void Apply(const std::vector<std::pair<std::string, std::string>>& APairs);

private:
    std::vector<TCustomArgument*>                 FArguments;
    std::vector<std::unique_ptr<TCustomArgument>> FOwned;
    std::string                                   FName;
};

// Holds the switch "h" and shows the help table when it is given, or when nothing was given
// and some argument is required.
class TDefaultArguments final : public TArguments {
public:
    TDefaultArguments();
    void             Parse(const std::vector<std::string>& ATokens) override;
    TSwitchArgument& Help() { return *FHelp; }

private:
    std::unique_ptr<TSwitchArgument> FHelp;
};

// The process's start: its arguments and directory, kept from main().
class TStartState {
public:
    static void SetArguments(int argc, const char* const* argv);
    // argv without the program.
    static const std::vector<std::string>& Arguments();
    // argv including the program.
    static const std::vector<std::string>& FullArguments();
    static std::string                     CommandLine();
    static const std::string&              StartDirectory();
    static bool                            RunFromIDE();
};
