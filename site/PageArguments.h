#pragma once

#include <filesystem>
#include <string>

#include "platform/Text.h"

// Turns paths named on the command line into the paths the control is given, relative to the
// project root.
class PageArguments {
 public:
  // `rootAsGiven` is the --root argument; `canonicalRoot` the same folder fully resolved. An
  // argument's bytes are spelt by the UTF-8 codec, so one that is not valid UTF-8 keeps every byte.
  PageArguments(const std::filesystem::path& rootAsGiven, std::filesystem::path canonicalRoot);

  // A PAGE argument as the control gets it: as written, except that leading "./" (or ".\") are
  // dropped and an absolute path inside the root is made relative to it first.
  Text Page(const std::string& argument) const;

  // A --changed argument as a web path: like Page, then "\" turned into "/", ".." resolved by
  // name and a leading "/" dropped.
  Text Changed(const std::string& argument) const;

 private:
  std::filesystem::path absoluteRoot_;
  std::filesystem::path canonicalRoot_;
};
