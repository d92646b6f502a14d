#include "apps/qt/gui/DependantSearch.h"

#include "analysis/File.h"
#include "apps/qt/gui/AnalysisAttempt.h"
#include "apps/qt/gui/ViewCapacity.h"
#include "site/SiteAnalysis.h"

namespace lintra {

Dependants FindDependants(SiteAnalysis& site, WindowHost& host, const std::vector<Text>& pages,
                          const ChangedFiles& changed) {
  Dependants found;
  for (const Text& page : pages) {
    const std::optional<Text> failure = TryAnalysis(host, page, [&] {
      const std::shared_ptr<File> tree = site.Tree(page);
      if (changed.ReachedFrom(*tree)) found.pages.push_back({page, ViewCapacity::NodeCount(*tree)});
    });
    if (failure) found.failures.push_back(*failure);
  }
  return found;
}

}  // namespace lintra
