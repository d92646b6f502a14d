#include "rules/CyclicIncludeRule.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "analysis/File.h"

namespace lintra {

namespace {

// "a.inc -> b.inc -> a.inc": the files from the one `node` repeats down to `node`.
Text Loop(File& node) {
  const Text path = node.FullPath();
  std::vector<Text> loop = {path};
  for (std::shared_ptr<File> at = node.Parent(); at; at = at->Parent()) {
    loop.push_back(at->FullPath());
    if (text::SameIgnoringCase(loop.back(), path)) break;
  }
  std::reverse(loop.begin(), loop.end());
  Text joined;
  for (const Text& file : loop) joined += (joined.empty() ? u"" : u" -> ") + file;
  return joined;
}

}  // namespace

const RuleInfo& CyclicIncludeRule::Info() const {
  // Microsoft's list of ASP errors, Windows Server 2003 documentation, table E.4 (learn.
  // microsoft.com, cc785706), and its ASP error code list (archive/blogs/deva).
  static const RuleInfo info{
      "cyclic-include", Severity::Error, "ASP 0135",
      "An include directive closes a loop of includes.",
      "The server refuses a page whose includes come back to a file that is already being "
      "included, with error ASP 0135 (Cyclic Include; Microsoft's list of ASP errors). Remove "
      "the directive that closes the loop, or move what both files need into a third file that "
      "each includes once."};
  return info;
}

void CyclicIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  page.EachInclude([&](const PageCheck::Include& include) {
    if (!include.node.CircularInclude()) return;
    ReportDirective(page, findings, include,
                    [&] { return u"cyclic include: " + Loop(include.node); });
  });
}

}  // namespace lintra
