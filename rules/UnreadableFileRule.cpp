#include "rules/UnreadableFileRule.h"

#include "analysis/File.h"

namespace lintra {

const RuleInfo& UnreadableFileRule::Info() const {
  static const RuleInfo info{
      "unreadable-file", Severity::Error, "", "A page or included file cannot be read.",
      "The file exists, but Lintra could not read it (the system's reason is in the message: "
      "no read permission, larger than 256 MB, a read error). Nothing it holds or includes was "
      "checked, so the run's result is incomplete and the run ends with exit status 3. Whether "
      "the server can read it depends on the account it runs as; a file it cannot read stops "
      "every page that includes it. Give the account that runs Lintra read access, or remove "
      "the file from the site."};
  return info;
}

namespace {

Text Message(const File& node) {
  const File::ReadFailure& failure = *node.Unreadable();
  return u"unreadable file: " + failure.fullPath + u" cannot be read: " + failure.reason;
}

}  // namespace

void UnreadableFileRule::Check(PageCheck& page, FindingSet& findings) {
  File& root = page.Page();
  if (root.Unreadable()) {
    const Place place = PageCheck::FilePlace(root);
    findings.Report(Info().id, place, [&] { return Make(page, root, place, Message(root)); });
  }
  page.EachInclude([&](const PageCheck::Include& include) {
    if (!include.node.Unreadable()) return;
    ReportDirective(page, findings, include, [&] { return Message(include.node); });
  });
}

}  // namespace lintra
