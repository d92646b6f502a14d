#include "apps/qt/gui/DependantSearch.h"

#include "analysis/File.h"
#include "apps/qt/gui/AnalysisAttempt.h"
#include "apps/qt/gui/ViewCapacity.h"
#include "site/SiteAnalysis.h"

namespace lintra {

Dependants FindDependants(SiteAnalysis& site, WindowHost& host, const std::vector<Text>& pages,
                          const TextArray& matches) {
  Dependants found;
  for (const Text& page : pages) {
    const std::optional<Text> failure = TryAnalysis(host, page, [&] {
      if (const std::shared_ptr<File> tree = site.TreeIfDependant(page, matches)) {
        found.pages.push_back({page, ViewCapacity::NodeCount(*tree)});
      }
    });
    if (failure) found.failures.push_back(*failure);
  }
  return found;
}

}  // namespace lintra
