#include "rules/MissingIncludeRule.h"

#include "analysis/File.h"

namespace lintra {

const RuleInfo& MissingIncludeRule::Info() const {
  static const RuleInfo info{
      "missing-include", Severity::Error, "ASP 0126", "An included file cannot be found.",
      "The server stops the page with error ASP 0126 (Include file not found) when the file an "
      "include directive names does not exist, lies outside the site or cannot be read. Correct "
      "the path in the directive, or add the file."};
  return info;
}

void MissingIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  page.EachInclude([&](File& node) {
    if (!node.MissingFile() || !node.Content().empty()) return;
    ReportDirective(page, findings, node,
                    [&] { return u"include file not found: " + node.FullPath(); });
  });
}

}  // namespace lintra
