#include "site/SiteAnalysis.h"

#include <exception>

#include "analysis/File.h"
#include "analysis/PageAnalysis.h"
#include "platform/ErrorRecord.h"

namespace lintra {

namespace {

// Lends a supply that the caller owns to the trees as their Container.
class LentSupply : public Object, public FileSupply {
 public:
  explicit LentSupply(FileSupply& supply) : supply_(supply) {}
  std::shared_ptr<const SourceText> fsGetFile(Text& FilePath) override {
    return supply_.fsGetFile(FilePath);
  }

 private:
  FileSupply& supply_;
};

}  // namespace

SiteAnalysis::SiteAnalysis(FileSupply& supply, Text projectPath)
    : projectPath_(std::move(projectPath)), container_(std::make_shared<LentSupply>(supply)) {}

std::shared_ptr<File> SiteAnalysis::Tree(const Text& page) {
  try {
    return AnalysePage(container_, projectPath_, page, &paths_);
  } catch (const RuntimeError&) {
    throw;
  } catch (...) {
    throw RuntimeError(CurrentErrorRecord(std::current_exception()));
  }
}

}  // namespace lintra
