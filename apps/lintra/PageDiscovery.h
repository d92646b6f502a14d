#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Which pages of a project a run covers when none are named, and which are left out.
class PageDiscovery {
 public:
  // `excludes` are globs matched, as fnmatch does without flags ("*" also matches "/"), against
  // the web path of a page and of each folder above it.
  explicit PageDiscovery(std::vector<std::string> excludes) : excludes_(std::move(excludes)) {}

  // Whether `webPath` (relative to the root, "/" separators) or a folder it lies in is excluded.
  bool Excluded(const std::string& webPath) const;

  // The web path of every regular file (or link to one) below `root` whose name ends in ".asp"
  // in any letter case, in byte order. Hidden files and folders (names beginning with "."),
  // folders named "_vti_*", excluded paths and folders without read permission are left out;
  // symbolic links to folders are not followed. Throws std::filesystem::filesystem_error when the
  // walk fails otherwise.
  std::vector<std::string> FindPages(const std::filesystem::path& root) const;

 private:
  bool Matches(const std::string& webPath) const;

  std::vector<std::string> excludes_;
};
