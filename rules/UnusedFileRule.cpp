#include "rules/UnusedFileRule.h"

#include "analysis/File.h"
#include "rules/IncludePaths.h"

namespace lintra {

const RuleInfo& UnusedFileRule::Info() const {
  static const RuleInfo info{
      Id, Severity::Note, "", "A file that exists only to be included is included by no page.",
      "Files with an include-only extension (.inc unless the settings name others) do nothing "
      "on their own. One that no page of the project includes is dead code that still lies in "
      "the site, where it may be downloaded (see exposed-include) and where readers take it for "
      "code in use. Reported only when the run covers the whole project. Delete the file, or "
      "include it where it was meant to be used. This is the project's own housekeeping, not a "
      "server error."};
  return info;
}

void UnusedFileRule::Check(PageCheck& page, FindingSet&) {
  if (!page.Settings().wholeProject) return;
  const std::vector<std::string>& extensions = page.Settings().includeOnlyExtensions;
  const auto noteUsed = [&](TextView file, size_t hash) {
    if (!HasExtension(file, extensions)) return;
    const HashedPathView path{file, hash};
    if (used_.find(path) == used_.end()) used_.insert(HashedPath{Text(file), hash});
  };
  const auto note = [&](File& node) {
    if (node.SharedContent()) {
      noteUsed(node.FullPathView(), node.FullPathHash());
    } else if (const File::ReadFailure* failure = node.Unreadable()) {
      noteUsed(failure->fullPath, text::HashIgnoringCase(failure->fullPath));
    }
  };
  note(page.Page());
  page.EachInclude(note);
}

void UnusedFileRule::TakeNotes(Rule& other) {
  auto& noted = static_cast<UnusedFileRule&>(other).used_;
  used_.merge(noted);
}

void UnusedFileRule::Finish(const ProjectCheck& project, FindingSet& findings) {
  if (!project.settings.wholeProject) return;
  for (const Text& file : project.files) {
    if (!HasExtension(file, project.settings.includeOnlyExtensions)) continue;
    if (used_.find(HashedPathView{file, text::HashIgnoringCase(file)}) != used_.end()) continue;
    const Place place{file};
    findings.Report(Info().id, place,
                    [&] { return Make(project, place, u"unused file: no page includes " + file); });
  }
}

}  // namespace lintra
