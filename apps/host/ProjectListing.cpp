#include "apps/host/ProjectListing.h"

#include <unordered_set>

#include "platform/Utf8.h"

namespace lintra {

ProjectListing::ProjectListing(const DiskFiles& files, const PageDiscovery& discovery) {
  for (auto& [entry, plain] : discovery.FindFileEntries(files.Root())) {
    std::optional<Text> real = files.WebPathOnDisk(entry, plain);
    if (!real) {
      leftOut_.push_back(std::move(entry));
      continue;
    }
    if (*real != entry) linkTargets_.emplace(entry, std::move(*real));
    entries_.push_back(std::move(entry));
  }
  files_ = EachFileOnce(entries_);
}

const Text& ProjectListing::RealPath(const Text& path) const {
  const auto link = linkTargets_.find(path);
  return link != linkTargets_.end() ? link->second : path;
}

std::vector<Text> ProjectListing::EachFileOnce(const std::vector<Text>& paths) const {
  std::vector<Text> real;
  real.reserve(paths.size());
  for (const Text& path : paths) real.push_back(RealPath(path));
  return EachOnce(std::move(real));
}

std::string ProjectListing::LeftOutMessage(const Text& entry) {
  return text::ToUtf8(entry) +
         " cannot be read within the root (a link that leads outside it?); it is left out";
}

std::vector<Text> EachOnce(std::vector<Text> paths) {
  std::vector<Text> once;
  std::unordered_set<Text> seen;
  for (Text& path : paths) {
    if (seen.insert(path).second) once.push_back(std::move(path));
  }
  return once;
}

}  // namespace lintra
