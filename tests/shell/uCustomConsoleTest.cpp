#include "shell/uCustomConsole.h"

#include "shell/uConsoleOutputInfo.h"

#include <gtest/gtest.h>

TEST(TCustomConsole, ConsoleColoursBecomeAnsiColours) {
    constexpr TColorAttribute Default = MakeAttribute(ccLightGray, ccBlack);
    struct TCase {
        TConsoleColor Foreground;
        TConsoleColor Background;
        const char*   Sequence;
    };
    constexpr TCase Cases[] = {
        {ccBlue, ccBlack, "\x1b[34;49m"},      {ccRed, ccBlack, "\x1b[31;49m"},
        {ccAqua, ccBlack, "\x1b[36;49m"},      {ccYellow, ccBlack, "\x1b[33;49m"},
        {ccLightBlue, ccBlack, "\x1b[94;49m"}, {ccWhite, ccRed, "\x1b[97;41m"},
        {ccWhite, ccPurple, "\x1b[97;45m"},    {ccLightGray, ccGray, "\x1b[39;100m"},
        {ccGray, ccBlack, "\x1b[90;49m"},      {ccLightAqua, ccBlue, "\x1b[96;44m"},
    };
    for (const auto& c : Cases)
        EXPECT_EQ(AnsiSequence(MakeAttribute(c.Foreground, c.Background), Default), c.Sequence)
            << int(c.Foreground) << "/" << int(c.Background);
}

TEST(TConsoleDarkTheme, KeepsTextReadable) {
    TConsoleDarkTheme theme;
    theme.SetDefaultColor(MakeAttribute(ccLightGray, ccBlack));
    EXPECT_EQ(theme.GetColorForMessageLevel(mlError), MakeAttribute(ccWhite, ccRed));
    EXPECT_EQ(theme.GetColorForMessageLevel(mlFatalError), MakeAttribute(ccWhite, ccPurple));
    EXPECT_EQ(theme.GetColorForMessageLevel(mlInformation), MakeAttribute(ccLightBlue, ccBlack));
    // Same colour on same colour changes intensity.
    EXPECT_EQ(theme.GetColor(ccRed, ccRed), MakeAttribute(ccLightRed, ccRed));
    // On a light background every foreground changes intensity.
    theme.SetDefaultColor(MakeAttribute(ccBlack, ccWhite));
    EXPECT_TRUE(theme.IsLightColor());
    EXPECT_EQ(theme.GetColor(ccLightBlue, ccWhite), MakeAttribute(ccBlue, ccWhite));
    EXPECT_EQ(TConsoleCustomTheme::ChangeColorIntensity(ccBlack), ccWhite);
    EXPECT_EQ(TConsoleCustomTheme::ChangeColorIntensity(ccLightGray), ccGray);
}

TEST(TConsoleOutputInfo, PrefixesDebugAndFatalMessages) {
    EXPECT_EQ(TConsoleOutputInfo::PrefixedText("x", mlDebug), "Debug: x");
    EXPECT_EQ(TConsoleOutputInfo::PrefixedText("x", mlFatalError), "Fatal Error: x");
    EXPECT_EQ(TConsoleOutputInfo::PrefixedText("x", mlError), "x");
    EXPECT_EQ(TConsoleOutputInfo::PrefixedText("x", mlWarning), "x");
}
