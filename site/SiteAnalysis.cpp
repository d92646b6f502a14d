#include "site/SiteAnalysis.h"

#include <exception>

#include "analysis/Dependency.h"
#include "analysis/File.h"
#include "platform/ErrorRecord.h"

namespace lintra {

SiteAnalysis::SiteAnalysis(LintraEvents& host, Text projectPath)
    : projectPath_(std::move(projectPath)), control_(std::make_shared<Lintra>()) {
  control_->Events(&host);
}

SiteAnalysis::~SiteAnalysis() {
  control_->Events(nullptr);
}

std::shared_ptr<File> SiteAnalysis::Tree(const Text& page) {
  return control_->ParseFileTree(projectPath_, page);
}

std::shared_ptr<File> SiteAnalysis::TreeIfDependant(const Text& page, const TextArray& matches) {
  std::shared_ptr<File> root;
  try {
    root = control_->AnalysePage(projectPath_, page);
  } catch (const RuntimeError&) {
    throw;
  } catch (...) {
    throw RuntimeError(CurrentErrorRecord(std::current_exception()));
  }
  return fbContainsMatch(*root, matches) ? root : nullptr;
}

}  // namespace lintra
