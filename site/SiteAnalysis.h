#pragma once

#include <memory>

#include "control/Lintra.h"
#include "control/LintraEvents.h"
#include "platform/Text.h"
#include "platform/TextArray.h"

namespace lintra {

class File;

// The analysis of the pages of one project through the include-tree control, without a tree
// view: each page's tree goes to the caller, who reports on it and lets it go. The host serves
// the files, connected to the control as its event handler while this lives.
class SiteAnalysis {
 public:
  // Analyses pages of the project at `projectPath`, which the control is handed with every page,
  // with the files that `host` serves; `host` must outlive this.
  SiteAnalysis(LintraEvents& host, Text projectPath);
  // Disconnects the host.
  ~SiteAnalysis();
  SiteAnalysis(const SiteAnalysis&) = delete;
  SiteAnalysis& operator=(const SiteAnalysis&) = delete;

  // The include tree of `page`, a web path relative to the project; a page the host cannot
  // supply is a root flagged missing. Any other failure, among them the host's abort answer,
  // raises RuntimeError with source "Lintra.Lintra.ParseFile", as the control's ParseFile does.
  std::shared_ptr<File> Tree(const Text& page);

  // The include tree of `page` when the page or a file it includes stands in `matches` (see
  // MatchList), otherwise null. Failures other than not-found raise RuntimeError with the source
  // they had (the host's abort answer: "Lintra.fsGetFile"), as the control's DisplayIfDependant
  // raises them.
  std::shared_ptr<File> TreeIfDependant(const Text& page, const TextArray& matches);

 private:
  Text projectPath_;
  std::shared_ptr<Lintra> control_;
};

}  // namespace lintra
