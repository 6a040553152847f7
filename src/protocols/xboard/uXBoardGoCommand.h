#pragma once

#include "app/uCustomCommand.h"
#include "protocols/uci/uStopCommand.h"
#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// The play-state and search commands of the XBoard protocol. Commands without parameters refuse
// any with "No parameters required.".

// "force": the engine plays neither side; moves are only played.
class TForceCommand final : public TXBoardProtocolCommand {
public:
    TForceCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};

// "analyze": analyse mode; the engine analyses without end and plays no move. "analyze" and
// "go" are refused until "exit".
class TAnalyzeCommand final : public TXBoardProtocolCommand {
public:
    TAnalyzeCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};

// "go": the engine plays the side to move, now and after each move of the front end.
class TXBoardGoCommand final : public TXBoardProtocolCommand {
public:
    TXBoardGoCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};

// "exit": leaves analyse mode; refused outside it.
class TXBoardExitCommand final : public TXBoardProtocolCommand {
public:
    TXBoardExitCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};

// "playother": the engine plays the side not to move; it answers the next move.
class TPlayOtherCommand final : public TXBoardProtocolCommand {
public:
    TPlayOtherCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};

// "?": move now.
class TQuestionMarkCommand final : public TStopCommand {
public:
    TQuestionMarkCommand();
};

// "pause" and "resume" of the engine's thinking.
class TPauseCommand final : public TSimpleEngineCommand {
public:
    TPauseCommand();

protected:
    void ExecuteNoParam() override;
};

class TResumeCommand final : public TSimpleEngineCommand {
public:
    TResumeCommand();

protected:
    void ExecuteNoParam() override;
};

// ".": the status line of the search, then the current line when "UCI_ShowCurrLine" is on.
class TDotCommand final : public TSimpleEngineCommand {
public:
    TDotCommand();

protected:
    void ExecuteNoParam() override;
};
