#pragma once

#include <functional>

enum TTerminationSignal { tsInterrupt, tsQuit, tsHangup, tsTerminate };

// Routes SIGINT, SIGQUIT, SIGHUP and SIGTERM to AHandler, called on a watcher thread (never
// inside the signal handler itself, which only writes to a pipe). SIGPIPE is ignored so that a
// closed front end shows up as a failed write.
void InstallTerminationSignals(std::function<void(TTerminationSignal)> AHandler);
// Replaces the handler; an empty handler swallows the signals (used while shutting down, when
// the program is ending anyway and must not be cut short).
void SetTerminationHandler(std::function<void(TTerminationSignal)> AHandler);
// Stops the watcher and restores the default dispositions.
void RemoveTerminationSignals();
// xboard may send SIGINT before it has read our feature line; in that protocol it is ignored.
void SetInterruptSignalIgnored(bool AIgnored);
