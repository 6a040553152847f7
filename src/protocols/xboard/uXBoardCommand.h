#pragma once

#include "engine/uProtocolHost.h"

// "xboard": switches the console into the XBoard protocol once and for all. It installs the
// XBoard output and makes a TXBoardProtocol the console's protocol; from then on SIGINT, which
// xboard sends to interrupt thinking before it has read our "sigint=0", is ignored.
// Used on the console reader thread.
class TXBoardCommand final : public TProtocolCommand {
public:
    TXBoardCommand();

protected:
    void ExecuteNoParam() override;
};
