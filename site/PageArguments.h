#pragma once

#include <filesystem>
#include <string>

#include "platform/Text.h"

namespace lintra {

// Turns paths named on the command line into the paths the control is given, relative to the
// project root.
class PageArguments {
 public:
  // `rootAsGiven` is the --root argument; `canonicalRoot` the same folder fully resolved. An
  // argument's bytes are spelt by the UTF-8 codec, so one that is not valid UTF-8 keeps every byte.
  PageArguments(const std::filesystem::path& rootAsGiven, std::filesystem::path canonicalRoot);

  // A PAGE or --changed argument as the control gets it: as written, except that leading "./"
  // (or ".\") are dropped, an absolute path inside the root is made relative to it first, and a
  // path that holds ".." has it resolved by name (as gfsCorrectWebPath does, "\" turned into
  // "/"). A path that climbs above the root keeps its leading "..".
  Text Page(const std::string& argument) const;

 private:
  // Page without resolving "..".
  Text AsWritten(const std::string& argument) const;

  std::filesystem::path absoluteRoot_;
  std::filesystem::path canonicalRoot_;
};

}  // namespace lintra
