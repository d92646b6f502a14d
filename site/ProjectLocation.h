#pragma once

#include <filesystem>
#include <string>

namespace lintra {

// The name of the file that configures a project.
inline constexpr const char* ConfigFileName = "lintra.toml";

// Where a project stands on disk, as every host finds it: the configuration file that governs a
// folder, the web root that file names, and the folder that reports name files from.

// The lintra.toml of `start` or of the nearest folder above it, up to the file system's root,
// fully resolved; empty when there is none.
std::filesystem::path FindConfigFile(const std::filesystem::path& start);

// The nearest folder at or above `start` that holds ".git" (the folder of a repository, or the
// file of a worktree), fully resolved; empty when there is none.
std::filesystem::path FindRepositoryTop(const std::filesystem::path& start);

// Why `setting`, the root setting of the configuration file in `folder`, names no web root:
// "does not exist", "is no folder" or "lies outside the folder of lintra.toml". Empty when it
// names a folder at or below `folder`.
std::string WhyNoWebRoot(const std::filesystem::path& folder, const std::string& setting);

// The folder that reports name files from, fully resolved: the folder of `configFile` when there
// is one, else the top of the repository that holds `root`, else `root` itself.
std::filesystem::path ReportBase(const std::filesystem::path& configFile,
                                 const std::filesystem::path& root);

}  // namespace lintra
