#pragma once

#include <memory>

#include "analysis/FileSupply.h"
#include "analysis/ResolvedIncludes.h"
#include "platform/Object.h"
#include "platform/Text.h"

namespace lintra {

class File;

// The analysis of the pages of one project, without a view: each page's tree goes to the caller,
// who reports on it and lets it go. The texts come straight from the supply, the seam every host
// (disk, editor buffers, memory) serves.
class SiteAnalysis {
 public:
  // Analyses pages of the project at `projectPath`, which every root is given, with the files
  // that `supply` serves; `supply` must outlive this.
  SiteAnalysis(FileSupply& supply, Text projectPath);
  SiteAnalysis(const SiteAnalysis&) = delete;
  SiteAnalysis& operator=(const SiteAnalysis&) = delete;

  // The include tree of `page`, a web path relative to the project; a page the supply cannot
  // find is a root flagged missing. Any other failure, among them the supply's abort, raises
  // RuntimeError with the record the supply raised (a failure that carries none gets the
  // platform error that matches it).
  std::shared_ptr<File> Tree(const Text& page);

 private:
  Text projectPath_;
  // The supply as the trees' Container: the object every node asks for its includes' texts.
  std::shared_ptr<Object> container_;
  // The directives' paths, resolved once for the pages analysed one after the other.
  ResolvedIncludes paths_;
};

}  // namespace lintra
