#include "shell/uConsoleOutputInfo.h"

#include "shell/uConsoleTable.h"
#include "shell/uCustomConsole.h"
#include "support/uExceptions.h"
#include "support/uProjectInfo.h"
#include "support/uTextHelpers.h"

#include <iostream>

std::string TConsoleOutputInfo::PrefixedText(std::string_view AText, TMessageLevel ALevel) {
    switch (ALevel) {
    case mlDebug:
        return "Debug: " + std::string(AText);
    case mlFatalError:
        return "Fatal Error: " + std::string(AText);
    default:
        return std::string(AText);
    }
}

void TConsoleOutputInfo::FlushIfRedirected() {
    if (FConsole.IsRedirected())
        FConsole.Flush();
}

void TConsoleOutputInfo::AddCaption(std::string_view AText) {
    FConsole.WriteLine(AText);
    FlushIfRedirected();
}

void TConsoleOutputInfo::AddMessage(std::string_view AText, TMessageLevel ALevel) {
    const std::string text = PrefixedText(AText, ALevel);
    if (ALevel == mlError || ALevel == mlFatalError) {
        FConsole.WriteErrorLine(text);
        return;
    }
    FConsole.WriteLine(text, FConsole.Theme().GetColorForMessageLevel(ALevel));
    FlushIfRedirected();
}

void TConsoleOutputInfo::AddTable(const TTable& ATable) {
    TConsoleTable(FConsole, ATable).WriteToConsole();
    FlushIfRedirected();
}

TDlgBtn TConsoleOutputInfo::Confirmation(std::string_view AText, TDlgButtons AButtons) {
    if (FConsole.IsRedirected())
        return mbCancel;
    std::vector<std::string> captions;
    std::vector<TDlgBtn>     buttons;
    for (int i = mbOK; i <= mbClose; ++i)
        if ((AButtons & ButtonSet(TDlgBtn(i))) != 0) {
            captions.push_back(ReplaceAll(ButtonCaption(TDlgBtn(i)), "&", ""));
            buttons.push_back(TDlgBtn(i));
        }
    std::string prompt(AText);
    prompt += " [";
    for (std::size_t i = 0; i < captions.size(); ++i)
        prompt += (i > 0 ? "|" : "") + captions[i];
    prompt += "]";
    while (true) {
        FConsole.WriteLine(prompt, FConsole.Theme().GetColorForMessageLevel(mlConfirmation));
        std::string answer;
        if (!std::getline(std::cin, answer))
            return mbCancel;
        for (std::size_t i = 0; i < captions.size(); ++i)
            if (SameText(captions[i], ReplaceAll(answer, "&", "")))
                return buttons[i];
        FConsole.WriteErrorLine(EParseError::Message("Parse:", captions, answer));
    }
}

void TConsoleSplashScreen::Show() {
    if (!FShowVersionInfo)
        return;
    FConsole.WriteLine(
        ProjectInfo(piProductName) + " [Version " + ProjectInfo(piProductVersion) + "]", ccWhite);
    const std::string description = ProjectInfo(piFileDescription);
    if (!description.empty())
        FConsole.WriteLine(description, ccLightGray);
    const std::string legal = ProjectInfo(piLegalCopyright);
    if (!legal.empty())
        FConsole.WriteLine(legal + " " + ProjectInfo(piCompanyName), ccGray);
    FConsole.WriteLine("");
}

void TConsoleSplashScreen::AddMessage(std::string_view AText) {
    WriteInformation(AText);
}
