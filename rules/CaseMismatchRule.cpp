#include "rules/CaseMismatchRule.h"

#include <algorithm>

#include "analysis/File.h"
#include "analysis/PathSegments.h"
#include "rules/IncludePaths.h"

namespace lintra {

namespace {

// Whether `path` is the FullPath of `node`, letter for letter.
bool IsFullPath(const Text& path, const File& node) {
  const size_t folder = node.Path().size();
  return path.size() == folder + node.Name().size() &&
         text::SameUnits(TextView(path).substr(0, folder), node.Path()) &&
         text::SameUnits(TextView(path).substr(folder), node.Name());
}

// Whether `requested` and `found`, one file in different letter case, differ in their first
// folder alone and that folder is one of the virtual `folders`, which IIS's configuration matches
// whatever its case (a configuration value ignores case unless its schema says otherwise:
// learn.microsoft.com, iis/web-development-reference/native-code-api-reference/
// iapphostpropertyschema-iscasesensitive-property).
bool OnlyAVirtualFolderDiffers(TextView requested, TextView found,
                               const std::vector<Text>& folders) {
  const std::vector<TextView> asked = PathSegments(requested);
  const std::vector<TextView> given = PathSegments(found);
  if (given.size() < 2 || asked.size() != given.size() ||
      !std::equal(asked.begin() + 1, asked.end(), given.begin() + 1)) {
    return false;
  }
  return std::any_of(folders.begin(), folders.end(),
                     [&](const Text& folder) { return text::SameIgnoringCase(folder, given[0]); });
}

}  // namespace

const RuleInfo& CaseMismatchRule::Info() const {
  // Microsoft's knowledge base article Q324054 on moving sites between UNIX and Windows: NTFS
  // is case-aware but not case-sensitive, UNIX file names are case-sensitive.
  static const RuleInfo info{
      "case-mismatch", Severity::Warning, "",
      "An include path names its file in other letter case than the disk.",
      "IIS on NTFS finds a file whatever the letter case of its name, so the page runs today. A "
      "case-sensitive file system (Linux, a container, some build and deploy tools) does not, "
      "and the include then fails with ASP 0126 or its equivalent (Microsoft knowledge base "
      "article Q324054: UNIX file names are case-sensitive, NTFS is only case-aware). Spell the "
      "path in the directive as the file is named on disk."};
  return info;
}

void CaseMismatchRule::Check(PageCheck& page, FindingSet& findings) {
  page.EachInclude([&](const PageCheck::Include& include) {
    File& node = include.node;
    if (!node.SharedContent() || !node.Respelt()) return;
    const std::optional<Text> requested = PageCheck::RequestedPath(include);
    if (!requested) return;
    if (IsFullPath(*requested, node)) return;
    const Text found = node.FullPath();
    if (!DiffersOnlyInCase(*requested, found)) return;
    if (OnlyAVirtualFolderDiffers(*requested, found, page.Settings().virtualFolders)) return;
    ReportDirective(page, findings, include, [&] {
      return u"case mismatch: " + *requested + u" is spelt " + found + u" on disk";
    });
  });
}

}  // namespace lintra
