#include "rules/ParentPathRule.h"

#include "analysis/DirectiveOf.h"
#include "analysis/File.h"
#include "rules/IncludePaths.h"

namespace lintra {

const RuleInfo& ParentPathRule::Info() const {
  // Microsoft's knowledge base article Q226474, "Err Msg: Active Server Pages, ASP 0131
  // Disallowed Parent Path" (support.microsoft.com/kb/226474), and iis.net on parent paths being
  // off by default since IIS 6.
  static const RuleInfo info{
      Id, Severity::Error, "ASP 0131", "An include path climbs to a parent folder with \"..\".",
      "With parent paths disabled, the default since IIS 6, the server stops a page whose "
      "include directive (file= or virtual=) has a \"..\" segment, with error ASP 0131 "
      "(Disallowed Parent Path: the Include file cannot contain '..' to indicate the parent "
      "directory; Microsoft knowledge base article Q226474). Name the file by its virtual path "
      "from the site root instead, as virtual=\"/inc/header.inc\". Where the server enables "
      "parent paths the page runs, and this is a warning."};
  return info;
}

Severity ParentPathRule::DefaultSeverity(const RuleSettings& settings) const {
  return settings.parentPathsEnabled ? Severity::Warning : Severity::Error;
}

namespace {

// Whether the directive of `include` names its file through a ".." segment.
bool ClimbsToParent(const PageCheck::Include& include) {
  const ScannedDirective* directive = PageCheck::DirectiveOf(include);
  if (!directive) return false;
  return NamesParentFolder(TextView(include.parent.Content())
                               .substr(static_cast<size_t>(directive->Start - 1),
                                       static_cast<size_t>(directive->Length)));
}

}  // namespace

bool ParentPathRule::ReportsRefusal(const RuleSettings& settings,
                                    const PageCheck::Include& include) {
  return !settings.parentPathsEnabled && !settings.Off(Id) && ClimbsToParent(include);
}

void ParentPathRule::Check(PageCheck& page, FindingSet& findings) {
  page.EachInclude([&](const PageCheck::Include& include) {
    if (!ClimbsToParent(include)) return;
    ReportDirective(page, findings, include, [&] {
      return u"parent path: the include path of " + NamedPath(include.parent, include.node) +
             u" uses \"..\"";
    });
  });
}

}  // namespace lintra
