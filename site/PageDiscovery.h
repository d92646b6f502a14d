#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// Which pages of a project a run covers when none are named, and which are left out.
class PageDiscovery {
 public:
  // `excludes` are globs matched, as fnmatch does without flags ("*" also matches "/"), against
  // the bytes of the web path of a page and of each folder above it. Names are spelt by the UTF-8
  // codec, so a name that is not valid UTF-8 keeps every byte.
  explicit PageDiscovery(std::vector<std::string> excludes)
      : excludes_(std::move(excludes)), matched_(excludes_.size(), false) {}

  // Whether `page` (relative to the root, "/" or "\" separators) or a folder it lies in is
  // excluded.
  bool Excluded(TextView page) const;

  // The web path of every regular file (or link to one) below `root` whose name ends in ".asp"
  // in any letter case, in byte order of the paths. Hidden files and folders (names beginning
  // with "."), folders named "_vti_*", excluded paths and folders without read permission are
  // left out; symbolic links to folders are not followed. Throws
  // std::filesystem::filesystem_error when the walk fails otherwise.
  std::vector<Text> FindPages(const std::filesystem::path& root) const;

  // The web path of every regular file (or link to one) below `root`, pages or not, in byte
  // order of the paths, with the same files and folders left out as FindPages leaves out: the
  // files of the project that its pages could include.
  std::vector<Text> FindFiles(const std::filesystem::path& root) const;

  // The globs that left out no page and no folder in the calls of Excluded and FindPages so
  // far, in the order given. A folder left out is not looked into, so a glob that would match
  // only what lies inside it counts as matching nothing.
  std::vector<std::string> UnmatchedExcludes() const;

 private:
  // The web paths, as bytes and sorted, of the pages below `root`, or of every file when not
  // `pagesOnly`.
  std::vector<std::string> WebPathBytes(const std::filesystem::path& root, bool pagesOnly) const;
  // Whether a glob matches `webPath`, recording every glob that does.
  bool Matches(const std::string& webPath) const;

  std::vector<std::string> excludes_;
  // Whether each glob has matched; a record of the calls, not part of the discovery's state.
  mutable std::vector<bool> matched_;
};

}  // namespace lintra
