#include "apps/lintra/PathLists.h"

#include <algorithm>
#include <string_view>

namespace lintra {

PathLists SplitPathLists(int argc, char** argv) {
  const bool lists = argc > 1 && (std::string_view(argv[1]) == "depends" ||
                                  std::string_view(argv[1]) == "includers");
  char** const end = argv + argc;
  char** const separator =
      lists ? std::find_if(argv + 2, end, [](const char* a) { return std::string_view(a) == "--"; })
            : end;
  PathLists split{static_cast<int>(separator - argv), {}};
  if (separator != end) split.pages.assign(separator + 1, end);
  return split;
}

void RefusePagesAfter(const CLI::App& command, const std::string& list, const std::string& usage) {
  const CLI::Option* pages = command.get_option("PAGE");
  const CLI::Option* values = command.get_option(list);
  size_t page = 0;
  bool afterList = false;
  for (const CLI::Option* option : command.parse_order()) {
    if (option == values) afterList = true;
    if (option != pages) continue;
    if (afterList) {
      throw CLI::ValidationError("page " + pages->results()[page] + " follows " + list +
                                 ": write pages after --, as in " + usage);
    }
    ++page;
  }
}

}  // namespace lintra
