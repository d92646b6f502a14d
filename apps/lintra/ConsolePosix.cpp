#include "apps/lintra/Console.h"

namespace lintra {

void PrepareStandardStreams() {}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace lintra
