#pragma once

#include <stdexcept>
#include <string>

#include "apps/lintra/Options.h"

namespace lintra {

// A configuration file that cannot be used; what() is one line that names the file, the line and
// column, and the problem.
class ConfigError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The name of the configuration file at a project's root.
inline constexpr const char* ConfigFileName = "lintra.toml";

// Reads the configuration file at options.root, when there is one, into `options`: what the
// command line left unset takes the file's value, what it set stays. Throws ConfigError when the
// file cannot be read, is no TOML, or holds a setting that is unknown or of the wrong kind.
void ApplyProjectConfig(Options& options);

}  // namespace lintra
