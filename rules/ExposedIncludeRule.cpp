#include "rules/ExposedIncludeRule.h"

#include "analysis/File.h"
#include "rules/IncludePaths.h"
#include "rules/SourceFacts.h"

namespace lintra {

namespace {

// The extension of `name`, from its last dot, as it is written.
TextView ExtensionOf(TextView name) {
  const size_t dot = name.rfind(u'.');
  return dot == TextView::npos ? TextView() : name.substr(dot);
}

// Whether the server of `settings` sends the file `name` as it is when asked for it.
bool Served(TextView name, const RuleSettings& settings) {
  return settings.serveAnyExtension || HasExtension(name, settings.servedExtensions);
}

Text Message(File& node, bool served) {
  const TextView file = node.FullPathView();
  const TextView extension = ExtensionOf(node.Name());
  if (served) {
    return text::Concat({u"exposed include: ", file, u" holds server code, and the server sends ",
                         extension, u" files as they are, so its source can be downloaded"});
  }
  return text::Concat({u"exposed include: ", file, u" holds server code; IIS 6 and later refuse ",
                       extension,
                       u" files, but IIS 5 and a server that sends any extension show its source"});
}

}  // namespace

const RuleInfo& ExposedIncludeRule::Info() const {
  // Microsoft's knowledge base article Q296096: IIS 4 and 5 return a file type without a script
  // mapping as it is, source code included. Q326965: earlier versions had a wildcard MIME mapping
  // and served any extension; IIS 6 serves only the extensions of its MIME map. The IIS 6.0
  // documentation, "Enabling Only Essential MIME Types": the others get 404 (logged as 404.3).
  // The IIS configuration reference, <mimeMap>: IIS 7 and later do not return a file type that is
  // not in <staticContent>; its list as installed has .txt, .htm, .html, .xml, .js, .css and .vbs,
  // and no .inc, .ini, .cfg or .bak.
  static const RuleInfo info{
      "exposed-include", Severity::Note, "",
      "An included file holds server code under an extension the server does not run as script.",
      "An include is merged into the page that names it, but the file also lies in the site, and "
      "anyone who guesses its URL can ask for it on its own. The server runs only the extensions "
      "mapped to ASP (.asp, .asa); a file of any other extension it sends as it is or refuses. "
      "IIS 5 and earlier send every extension (Microsoft knowledge base articles Q296096, "
      "Q326965); IIS 6 and later send only the extensions of their MIME map and answer 404.3 "
      "for the others (IIS 6.0 documentation, \"Enabling Only Essential MIME Types\"; IIS "
      "configuration reference, <mimeMap>). As installed, that map has .txt, .htm, .html, .xml, "
      ".js, .css and .vbs, but not .inc, .ini, .cfg or .bak. So an included file that holds "
      "server code (<% %> or <script runat=\"server\">) under a served extension shows its code, "
      "connection strings and passwords included, to anyone: a warning. Under an extension a "
      "server as installed refuses it is a note, and a warning with serve-any-extension = true "
      "for a server that sends any extension. A file without server code holds nothing that "
      "the page does not show anyway. Rename the file to .asp (and its directives), or keep it "
      "outside the site's folders."};
  return info;
}

Severity ExposedIncludeRule::DefaultSeverity(const RuleSettings& settings) const {
  return settings.serveAnyExtension ? Severity::Warning : Severity::Note;
}

void ExposedIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  const RuleSettings& settings = page.Settings();
  page.EachInclude([&](File& node) {
    if (!node.SharedContent() || !HasExtension(node.Name(), settings.nonScriptExtensions) ||
        !page.Facts().Script(node).serverCode) {
      return;
    }
    const PlaceView place{node.FullPathView(), node.FullPathHash()};
    findings.Report(Info().id, place, [&] {
      const bool served = Served(node.Name(), settings);
      RuleFinding finding = Make(page, node, place.ToPlace(), Message(node, served));
      finding.severity =
          ChosenSeverity(settings).value_or(served ? Severity::Warning : Severity::Note);
      return finding;
    });
  });
}

}  // namespace lintra
