#pragma once

#include <filesystem>

#include "apps/config/ProjectSettings.h"
#include "apps/lintra/Options.h"

namespace lintra {

// Finds the project of a run and reads its configuration into `options`. The configuration file
// is the lintra.toml of the --root folder or of the nearest folder above it (of the working
// folder without --root), none with --no-config. Without --root, the web root is the folder that
// file's root setting names, else the file's folder, else the working folder. options.base
// becomes the folder reports name files from (see ReportBase). Throws ConfigError as
// ApplyProjectConfig does.
void LocateProject(Options& options);

// Reads the configuration file `file` into `options`: what the command line left unset takes the
// file's value, what it set stays; the exclude setting goes to options.configExcludes. Returns
// the web root of a run without --root (see DefaultWebRoot). Throws ConfigError as
// ReadProjectSettings does.
std::filesystem::path ApplyProjectConfig(const std::filesystem::path& file, Options& options);

}  // namespace lintra
