#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace lintra {

// Where the pages begin among the arguments of a command that takes lists of paths. depends takes
// any number of paths after --changed and includers any number of FILEs, so a page written right
// after them would be read as one more path: their pages come after "--", and every argument
// after it is a page, however it looks.
struct PathLists {
  // How many arguments, argv[0] included, come before the "--".
  int optionCount = 0;
  // The arguments after the "--", in order.
  std::vector<std::string> pages;
};

// The arguments `argv` split at the first "--" when the command, argv[1], is depends or
// includers; otherwise every argument is an option or a value.
PathLists SplitPathLists(int argc, char** argv);

// Throws CLI::ValidationError when `command` has taken a PAGE argument after its option `list`:
// an option written between them ended the list, and the page may have been meant as one more
// value. The message tells to put pages after "--", as `usage` writes the command.
void RefusePagesAfter(const CLI::App& command, const std::string& list, const std::string& usage);

}  // namespace lintra
