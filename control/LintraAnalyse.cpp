#include "analysis/PageAnalysis.h"
#include "control/Lintra.h"

namespace lintra {

std::shared_ptr<File> Lintra::AnalysePage(const Text& ProjectPath, const Text& FilePath) {
  return lintra::AnalysePage(shared_from_this(), ProjectPath, FilePath);
}

}  // namespace lintra
