#pragma once

#include "support/uOutputInfo.h"

#include <string>
#include <string_view>

class TCustomConsole;

// The common output on the console: messages in the theme's colours (errors on the error
// stream), tables drawn with box characters.
class TConsoleOutputInfo final : public IOutputInfo {
public:
    explicit TConsoleOutputInfo(TCustomConsole& AConsole) : FConsole(AConsole) {}
    void    AddCaption(std::string_view AText) override;
    void    AddMessage(std::string_view AText, TMessageLevel ALevel) override;
    void    AddTable(const TTable& ATable) override;
    TDlgBtn Confirmation(std::string_view AText, TDlgButtons AButtons) override;

    // "Debug: ...", "Fatal Error: ...", or the text alone.
    static std::string PrefixedText(std::string_view AText, TMessageLevel ALevel);

private:
    void            FlushIfRedirected();
    TCustomConsole& FConsole;
};

class TCustomSplashScreen {
public:
    virtual ~TCustomSplashScreen() = default;
    virtual void Show() = 0;
    virtual void AddMessage(std::string_view AText) = 0;
    virtual void Hide() = 0;
};

// Product, description and copyright lines at start; later messages as information.
class TConsoleSplashScreen final : public TCustomSplashScreen {
public:
    explicit TConsoleSplashScreen(TCustomConsole& AConsole) : FConsole(AConsole) {}
    void Show() override;
    void AddMessage(std::string_view AText) override;
    void Hide() override {}
    bool ShowVersionInfo() const { return FShowVersionInfo; }
    void SetShowVersionInfo(bool AValue) { FShowVersionInfo = AValue; }

private:
    TCustomConsole& FConsole;
    bool            FShowVersionInfo = true;
};
