#include "rules/ExposedIncludeRule.h"

#include "analysis/File.h"
#include "rules/IncludePaths.h"

namespace lintra {

const RuleInfo& ExposedIncludeRule::Info() const {
  // Microsoft's knowledge base article Q296096: a file type without a script mapping is returned
  // to the browser as it is, source code included. powerasp.net, "Server Side Include Files
  // (.inc or .asp)": an .inc file requested directly shows its source, connection strings
  // included; IIS 6 answers 404 for extensions it has no MIME type for. The IIS 6.0 SDK,
  // "Including Files in ASP Applications" (ms524876): do not store sensitive data in include
  // files, or map .inc to asp.dll instead of ssinc.dll.
  static const RuleInfo info{
      "exposed-include", Severity::Warning, "",
      "An included file has an extension the server does not run as script.",
      "An include is merged into the page that names it, but the file also lies in the site, "
      "and anyone who guesses its URL can ask for it on its own. The server runs only the "
      "extensions mapped to ASP (.asp, .asa); any other file it sends as it is, source and "
      "passwords included (Microsoft knowledge base article Q296096 on files without a script "
      "mapping; powerasp.net on .inc files; the IIS 6.0 SDK advises against sensitive data in "
      "include files). IIS 6 and later refuse extensions without a MIME type or hand .inc to the "
      "server-side include interpreter, which does not run ASP code either; .txt, .htm, .xml, "
      ".js and many others are served as they are. "
      "Rename the file to .asp (and its directives), or keep it outside the site's folders."};
  return info;
}

void ExposedIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  const std::vector<std::string>& extensions = page.Settings().nonScriptExtensions;
  page.EachInclude([&](File& node) {
    if (!node.SharedContent() || !HasExtension(node.Name(), extensions)) return;
    const PlaceView place{node.FullPathView(), node.FullPathHash()};
    findings.Report(Info().id, place, [&] {
      return Make(page, node, place.ToPlace(),
                  text::Concat({u"exposed include: ", place.file,
                                u" is not run as script, so its source can be downloaded"}));
    });
  });
}

}  // namespace lintra
