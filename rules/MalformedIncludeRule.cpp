#include "rules/MalformedIncludeRule.h"

#include "analysis/File.h"
#include "rules/SourceFacts.h"

namespace lintra {

const RuleInfo& MalformedIncludeRule::Info() const {
  // Microsoft's list of ASP error codes (archive/blogs/deva) and its translated copies, which
  // give 0128 as "Missing File or Virtual attribute"; Sun ONE Active Server Pages, "Examples:
  // ASP Server Object GetLastError Method", on a directive without its file parameter.
  static const RuleInfo info{
      "malformed-include", Severity::Error, "ASP 0128",
      "An include directive names no file with a file= or virtual= value.",
      "The server reads every <!-- #include --> comment before any script runs and stops the "
      "page with error ASP 0128 (Missing File or Virtual attribute) when the directive gives "
      "neither a file= nor a virtual= path, e.g. a misspelt attribute (virtal=) or one without "
      "a value (Microsoft's list of ASP error codes; Sun ONE ASP documents the same "
      "pre-processing error for a directive without its file parameter). Lintra cannot follow "
      "such a directive, and its tree and warnings mark the file that holds it as one that "
      "could not be opened. Write the directive as <!--#include file=\"path\"--> or "
      "<!--#include virtual=\"/path\"-->, or take \"#include\" out of a comment that is not "
      "meant to include anything."};
  return info;
}

// The analysis marks missing every file whose text holds a malformed directive, so only the texts
// of those are looked through.
void MalformedIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  const auto report = [&](File& node) {
    if (!node.MissingFile() || !node.SharedContent()) return;
    const LineIndex& lines = page.Facts().Lines(node);
    for (const ScannedDirective& directive : node.SharedContent()->Directives()) {
      if (directive.Form != ScannedDirective::Kind::Malformed) continue;
      const PlaceView place =
          PageCheck::TextPlace(node, lines, directive.Start, directive.Start + directive.Length);
      findings.Report(Info().id, place, [&] {
        return Make(page, node, place.ToPlace(),
                    u"malformed include: no file= or virtual= attribute with a value");
      });
    }
  };
  report(page.Page());
  page.EachInclude(report);
}

}  // namespace lintra
