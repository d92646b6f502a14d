#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "apps/host/DiskFiles.h"
#include "platform/Text.h"
#include "site/PageDiscovery.h"

namespace lintra {

// The files of a project as every host lists them: the entries that a PageDiscovery finds below
// the root, each as the project's DiskFiles finds it on this system (under Wine a link to a file
// shows as a plain file; a plain file that the walk saw is itself, see DiskFiles::WebPathOnDisk).
// An entry that is a link to another file of the project is that file, named by its real web
// path; one that cannot be read within the root (a link that leads outside it) is left out, for
// each host to tell in its own way.
class ProjectListing {
 public:
  // Lists the files below files.Root() with `discovery`; throws
  // std::filesystem::filesystem_error when the walk fails (see PageDiscovery::FindFiles).
  ProjectListing(const DiskFiles& files, const PageDiscovery& discovery);

  // The entries kept, in byte order, each under the name it is listed by (a link by its own).
  const std::vector<Text>& Entries() const { return entries_; }
  // The entries left out, in byte order.
  const std::vector<Text>& LeftOut() const { return leftOut_; }
  // The real web path of `path`: the file it leads to when it is an entry that is a link,
  // otherwise `path` itself.
  const Text& RealPath(const Text& path) const;
  // `paths`, entries or not, each by RealPath, in order of first sight and each once.
  std::vector<Text> EachFileOnce(const std::vector<Text>& paths) const;
  // The files of the project, each once by its real web path.
  const std::vector<Text>& Files() const { return files_; }
  // The pages of the project (the entries whose name ends in ".asp", see
  // PageDiscovery::PagesAmong), each once by its real web path.
  std::vector<Text> Pages() const { return EachFileOnce(PageDiscovery::PagesAmong(entries_)); }

  // Why `entry`, one left out, is not listed, in one line for the user.
  static std::string LeftOutMessage(const Text& entry);

 private:
  std::vector<Text> entries_;
  std::vector<Text> leftOut_;
  std::vector<Text> files_;
  // The entries that the host finds under another path, each with that path.
  std::unordered_map<Text, Text> linkTargets_;
};

// `paths` in order, each once: a path met before is left out.
std::vector<Text> EachOnce(std::vector<Text> paths);

}  // namespace lintra
