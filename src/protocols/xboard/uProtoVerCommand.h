#pragma once

#include "app/uCustomCommand.h"
#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// The session commands of the XBoard protocol: the feature negotiation and the commands that
// only inform the engine.

// "protover N": stores the version and answers with the feature list. A missing or unreadable
// number is version 0; the features are written anyway.
class TProtoVerCommand final : public TXBoardProtocolCommand {
public:
    TProtoVerCommand();
    std::string GetSyntax() const override { return "[Protocol Version]"; }
    void        Execute(std::string_view AParameters) override;
};

// "accepted FEATURE" and "rejected FEATURE": the front end's answer to a feature; nothing to do.
class TAcceptedCommand final : public TEngineCommand {
public:
    TAcceptedCommand();
};

class TRejectedCommand final : public TEngineCommand {
public:
    TRejectedCommand();
};

// "ping N": "pong " and the parameter text as it came. Commands run in input order, so the
// answer also tells that everything sent before it is done.
class TPingCommand final : public TEngineCommand {
public:
    TPingCommand();
    std::string GetSyntax() const override { return "[Id]"; }
    void        Execute(std::string_view AParameters) override;
};

// "name X", "ics HOST", "computer": facts about the opponent the engine does not use.
class TNameCommand final : public TEngineCommand {
public:
    TNameCommand();
    std::string GetSyntax() const override { return "[UserName]"; }
};

class TICSCommand final : public TEngineCommand {
public:
    TICSCommand();
    std::string GetSyntax() const override { return "[HostName]"; }
};

class TComputerCommand final : public TSimpleEngineCommand {
public:
    TComputerCommand();

protected:
    void ExecuteNoParam() override {}
};
