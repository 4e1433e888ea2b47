#pragma once

#include "cli/commandline.h"

namespace pw::word {
class ApplicationFactory;
}

namespace pw::cli {

class Console;

// Each runs its engine with the command line's request and returns the exit status.
int runSplitCommand(const CommandLine& command, Console& console, word::ApplicationFactory& office);
int runMergeCommand(const CommandLine& command, Console& console, word::ApplicationFactory& office);

}  // namespace pw::cli
