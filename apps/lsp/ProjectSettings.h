#pragma once

#include <filesystem>
#include <functional>

#include "apps/config/ProjectSettings.h"

namespace lintra::lsp {

// Reads the configuration that governs the workspace folder `folder`; throws ConfigError when
// there is one that cannot be used.
using ProjectLoader = std::function<ProjectSettings(const std::filesystem::path& folder)>;

}  // namespace lintra::lsp
