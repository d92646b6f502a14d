#pragma once

#include <unordered_set>
#include <vector>

#include "platform/Text.h"
#include "platform/TextArray.h"

namespace lintra {

class Node;

// The files the user says have changed, and how the window recognises them: in the list that
// pages are matched against, and among the nodes of the trees shown.
class ChangedFiles {
 public:
  // `webPaths` are relative to the root, as the disk host names files to the control.
  explicit ChangedFiles(std::vector<Text> webPaths);

  // The list that the site analysis matches pages against (see MatchList).
  const TextArray& Matches() const { return matches_; }
  // Whether `node` of the control's tree view shows one of the files: its file's full path
  // equals one of them without regard to letter case, as the match compares.
  bool Shows(const Node& node) const;
  // The web paths, in order, separated by ", ".
  Text Names() const;

 private:
  std::vector<Text> webPaths_;
  TextArray matches_;
  std::unordered_set<Text> upperCased_;
};

}  // namespace lintra
