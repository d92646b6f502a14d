#pragma once

#include <vector>

#include "platform/Text.h"
#include "site/ChangedFiles.h"

namespace lintra {

class Node;

// The files the user says have changed, and how the window recognises them: among the files of
// the pages it searches and among the nodes of the trees shown, each the file on disk as check
// and depends know it (see ChangedFiles).
class ChangeChoice {
 public:
  // `webPaths` are the real web paths of the files, as the window's disk host names them.
  explicit ChangeChoice(std::vector<Text> webPaths);

  // The files, for the search of the pages that depend on them.
  const ChangedFiles& Files() const { return files_; }
  // Whether `node` of the control's tree view shows one of the files.
  bool Shows(const Node& node) const;
  // The web paths, in order, separated by ", ".
  Text Names() const;

 private:
  std::vector<Text> webPaths_;
  ChangedFiles files_;
};

}  // namespace lintra
