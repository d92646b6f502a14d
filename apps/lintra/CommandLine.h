#pragma once

#include <optional>

#include "apps/lintra/Options.h"

namespace lintra {

// The result of reading the arguments: the options to run with, or the exit status to end
// with at once (after help was printed, or a usage error was reported on standard error).
struct ParsedCommandLine {
  std::optional<Options> options;
  int exitCode = 0;
};

// Reads the arguments of one run of lintra.
ParsedCommandLine ParseCommandLine(int argc, char** argv);

}  // namespace lintra
