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

  // The web path of every regular file (or link to one) below `root`, in byte order of the
  // paths: the files of the project that its pages could include. Hidden files and folders
  // (names beginning with "."), folders named "_vti_*", excluded paths and folders without read
  // permission are left out; symbolic links to folders are not followed. Throws
  // std::filesystem::filesystem_error when the walk fails otherwise.
  std::vector<Text> FindFiles(const std::filesystem::path& root) const;
  // A file that FindFiles lists, and whether the walk found a regular file there and no
  // symbolic link, by what the folder listing says of the entry (it follows no link).
  struct FoundFile {
    Text webPath;
    bool plain = false;
  };
  // The files FindFiles lists, in its order, each with what the walk found.
  std::vector<FoundFile> FindFileEntries(const std::filesystem::path& root) const;

  // The pages among `files`, in their order: those whose name ends in ".asp" in any letter case.
  static std::vector<Text> PagesAmong(const std::vector<Text>& files);

  // The globs that left out nothing (no file and no folder) in the calls of Excluded and FindFiles
  // so far, in the order given. A folder left out is not looked into, so a glob that
  // would match only what lies inside it counts as matching nothing.
  std::vector<std::string> UnmatchedExcludes() const;

 private:
  // Whether a glob matches `webPath`, recording every glob that does.
  bool Matches(const std::string& webPath) const;

  std::vector<std::string> excludes_;
  // Whether each glob has matched; a record of the calls, not part of the discovery's state.
  mutable std::vector<bool> matched_;
};

}  // namespace lintra
