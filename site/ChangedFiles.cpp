#include "site/ChangedFiles.h"

#include "analysis/Dependency.h"
#include "analysis/DirectiveOf.h"
#include "analysis/File.h"
#include "analysis/PathSegments.h"
#include "analysis/PreOrder.h"
#include "site/MatchList.h"

namespace lintra {

namespace {

// `path` upper-cased, its segments joined by "/" (see JoinedSegments).
Text RootPathKey(TextView path) {
  return text::UCase(JoinedSegments(path));
}

}  // namespace

ChangedFiles::ChangedFiles(const std::vector<Text>& present, const std::vector<Text>& deleted)
    : matches_(MatchList(present)) {
  for (const Text& path : present) present_.insert(text::UCase(path));
  for (const Text& path : deleted) deleted_.insert(RootPathKey(path));
}

bool ChangedFiles::ReachedFrom(File& page) const {
  if (fbContainsMatch(page, matches_)) return true;
  if (deleted_.empty()) return false;
  bool found = false;
  ForEachFile(page, [&](const File& node, const File* parent) {
    found = found || (parent && IsDeleted(*parent, node));
  });
  return found;
}

bool ChangedFiles::Holds(const File* parent, const File& node) const {
  return present_.contains(text::UCase(node.FullPath())) || (parent && IsDeleted(*parent, node));
}

bool ChangedFiles::IsDeleted(const File& parent, const File& node) const {
  if (!node.MissingFile() || deleted_.empty()) return false;
  const Text* requested = RequestedPath(parent, node);
  return requested && deleted_.contains(RootPathKey(*requested));
}

}  // namespace lintra
