#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "apps/config/ConfiguredPages.h"
#include "apps/config/ProjectSettings.h"
#include "apps/host/DiskFiles.h"
#include "platform/Text.h"

namespace lintra {

// Where the desktop app finds a project's pages and how it names files on disk to the control.
namespace ProjectPages {

// The pages that check takes when none are named: those that the `pages` of `settings` name, with
// the entries that name no file (see ConfiguredPages), else as every host lists them (see
// ProjectListing): the ".asp" entries below the root of `files`, hidden files and folders,
// "_vti_*" folders and what the excludes match left out, each by its real web path and once, in
// the byte order of the first entry that names it; an entry that cannot be read within the root
// is left out without a word.
ConfiguredPageList Find(const DiskFiles& files, const ProjectSettings& settings = {});

// The web path of `file` relative to `root`, both resolved as far as they exist; nothing when
// `file` does not lie below `root`.
std::optional<Text> WebPathOf(const std::filesystem::path& root, const std::filesystem::path& file);

}  // namespace ProjectPages

}  // namespace lintra
