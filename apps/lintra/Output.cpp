#include "apps/lintra/Output.h"

#include <unistd.h>
#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Utf8.h"

namespace lintra {

// Encodes a piece at a time, so that a report of megabytes never has a second copy in UTF-8; a
// piece never ends between the two halves of a surrogate pair.
void WriteOut(TextView text) {
  constexpr size_t piece = size_t{1} << 16;
  while (!text.empty()) {
    size_t length = std::min(piece, text.size());
    if (length < text.size() && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) ++length;
    WriteOutBytes(text::ToBytes(text.substr(0, length)));
    text.remove_prefix(length);
  }
}

void WriteOutBytes(std::string_view bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

bool ColorWanted(ColorChoice choice) {
  if (choice != ColorChoice::Auto) return choice == ColorChoice::Always;
  const char* noColor = std::getenv("NO_COLOR");
  const char* term = std::getenv("TERM");
  return isatty(STDOUT_FILENO) && (noColor == nullptr || *noColor == '\0') &&
         (term == nullptr || std::string_view(term) != "dumb");
}

void WriteError(std::string_view message) {
  std::fflush(stdout);
  std::string line = "lintra: ";
  line.append(message);
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace lintra
