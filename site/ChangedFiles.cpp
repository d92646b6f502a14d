#include "site/ChangedFiles.h"

#include "analysis/DirectiveOf.h"
#include "analysis/File.h"
#include "analysis/PathSegments.h"
#include "analysis/PreOrder.h"

namespace lintra {

namespace {

// `path` upper-cased, its segments joined by "/" (see JoinedSegments).
Text RootPathKey(TextView path) {
  return text::UCase(JoinedSegments(path));
}

}  // namespace

ChangedFiles::ChangedFiles(const std::vector<Text>& present, const std::vector<Text>& deleted,
                           OnDisk onDisk)
    : onDisk_(std::move(onDisk)) {
  for (const Text& path : present) present_.insert(text::UCase(path));
  for (const Text& path : deleted) deleted_.insert(RootPathKey(path));
}

bool ChangedFiles::ReachedFrom(File& page) const {
  bool found = false;
  ForEachFile(page,
              [&](const File& node, const File* parent) { found = found || Holds(parent, node); });
  return found;
}

bool ChangedFiles::Holds(const File* parent, const File& node) const {
  return IsPresent(node) || (parent && IsDeleted(*parent, node));
}

// A missing node carries only its file's name, which may lead to another file of that name; one
// that could not be read keeps the path it was found by.
bool ChangedFiles::IsPresent(const File& node) const {
  const File::ReadFailure* unreadable = node.Unreadable();
  if (present_.empty() || (node.MissingFile() && !unreadable)) return false;
  const Text path = unreadable ? unreadable->fullPath : node.FullPath();
  const std::optional<Text> webPath = onDisk_ ? onDisk_(path) : path;
  return webPath && present_.contains(text::UCase(*webPath));
}

bool ChangedFiles::IsDeleted(const File& parent, const File& node) const {
  if (!node.MissingFile() || deleted_.empty()) return false;
  const std::optional<Text> requested = RequestedPath(parent, node);
  return requested && deleted_.contains(RootPathKey(*requested));
}

}  // namespace lintra
