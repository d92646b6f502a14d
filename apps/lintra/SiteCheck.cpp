#include "apps/lintra/SiteCheck.h"

#include "apps/lintra/Progress.h"
#include "rules/ApplicationFile.h"

namespace lintra {

RuleSettings RunSettings(const Options& options, Session& session) {
  RuleSettings settings = options.ruleSettings;
  settings.wholeProject = options.pages.empty();
  if (const std::shared_ptr<const SourceText> application =
          session.Source(Text(ApplicationFilePath))) {
    TakeApplicationFile(application->Value(), settings);
  }
  return settings;
}

size_t CheckRun(Session& session, const Options& options, const std::vector<Text>& pages,
                Checker& checker, FindingSet::MergeOrder order, const CheckedTree& visit) {
  const bool whole = checker.Settings().wholeProject;
  size_t checked = 0;
  {
    Progress progress(pages.size());
    checked = CheckPages(session, options, pages, checker, progress, order, visit);
  }
  // A page that failed hides some of the includes the whole project shows.
  if (checked == pages.size()) checker.Finish(whole ? session.ProjectFiles() : std::vector<Text>());
  return checked;
}

}  // namespace lintra
