#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "apps/host/VirtualDirectory.h"
#include "platform/Text.h"

namespace lintra {

// How check's reports name a file, in every format and in baselines: by its real path relative
// to the report base (see ReportBase), "/" between folders and never a leading "/", so that a
// terminal, an editor or code scanning finds the file from the base.
class ReportPaths {
 public:
  // Names the files below `root`, and those of `virtualDirectories`, from `base`; `root` and
  // `base` fully resolved.
  ReportPaths(std::filesystem::path root, std::filesystem::path base,
              const std::vector<VirtualDirectory>& virtualDirectories);

  // The web root, and the folder the paths are relative to.
  const std::filesystem::path& Root() const { return root_; }
  const std::filesystem::path& Base() const { return base_; }

  // The path of the file at `webPath`, a web path relative to the root as the host names files,
  // for people to read: a byte of the name that is not UTF-8 as "\xNN" (see text::ToReadable).
  std::string Of(TextView webPath) const;
  // Appends Of(webPath) to `out`.
  void Append(std::string& out, TextView webPath) const;
  // As Of, with every byte that the name kept because it was not valid UTF-8 written back as
  // itself rather than as "\xNN": the name on disk, for a URI, which percent-encodes its bytes.
  std::string BytesOf(TextView webPath) const;

 private:
  // A folder the web paths below `webFolder` ("shared/") are served from, as a path from the
  // base ending in "/".
  struct Served {
    Text webFolder;
    Text prefix;
  };

  // The folder `webPath` is served from; `webPath` is left relative to its webFolder.
  const Served& ServedFrom(TextView& webPath) const;

  std::filesystem::path root_;
  std::filesystem::path base_;
  // The virtual directories, then the root with an empty webFolder.
  std::vector<Served> served_;
};

}  // namespace lintra
