#pragma once

#include <string>
#include <vector>

// The life of rank 0: reads the command line, expands the tree into work items, reads the
// journal, hands the items out (biggest first, on demand) to the other processes and to its own
// counting thread, journals every finished item, and writes the result. Bad input ends every
// process with one error from here. The exit code of the process.
int RunPerftCoordinator(const std::vector<std::string>& AArguments, int AProcessCount);
