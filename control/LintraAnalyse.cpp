#include "analysis/PageAnalysis.h"
#include "control/Lintra.h"

std::shared_ptr<File> Lintra::AnalysePage(const Text& ProjectPath, const Text& FilePath) {
  return ::AnalysePage(shared_from_this(), ProjectPath, FilePath);
}
