#include "rules/DirectiveOrderRule.h"

#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "rules/SourceFacts.h"
#include "site/PageTree.h"

namespace lintra {

namespace {

// One file of the expanded page being walked: what of its text and its includes comes next.
struct Frame {
  File* node;
  const PageCommands* commands;
  size_t directive = 0;
  size_t child = 0;
  bool codeSeen = false;
};

// The offset of the include directive of `child` in its parent's text.
size_t Offset(const File& child) {
  return static_cast<size_t>(DirectiveOffset(child));
}

}  // namespace

const RuleInfo& DirectiveOrderRule::Info() const {
  // Microsoft's list of ASP error codes (learn.microsoft.com, archive/blogs/deva, "error code
  // list of asp error codes its description"): ASP 0140 Page Command Out Of Order, ASP 0141 Page
  // Command Repeated. "Designing Active Server Pages" (O'Reilly, ch. 2): directives must appear
  // before all other ASP code, or ASP 0140 follows.
  static const RuleInfo info{
      "directive-order", Severity::Error, "ASP 0140",
      "A page directive comes after script code, or a second one follows the first.",
      "The server allows one page directive (<%@ Language=... CodePage=... %>) per page, before "
      "any other script code of the page with its includes expanded. After code it stops the "
      "page with ASP 0140 (Page Command Out Of Order: the @ command must be the first command "
      "within the Active Server Page); a second one gives ASP 0141 (Page Command Repeated). "
      "Both usually come from an include that carries a directive of its own. Keep the one "
      "directive at the top of the page and remove it from included files. HTML text before "
      "the directive is not reported: the sources only speak of script code."};
  return info;
}

void DirectiveOrderRule::Check(PageCheck& page, FindingSet& findings) {
  bool codeSeen = false;
  bool directiveSeen = false;
  std::vector<Frame> walk = {{&page.Page(), &page.Facts().Commands(page.Page())}};
  while (!walk.empty()) {
    Frame& top = walk.back();
    const Files* children = top.node->IncludesIfAny();
    const size_t childAt =
        children && top.child < children->size() ? Offset(*(*children)[top.child]) : Text::npos;
    const size_t directiveAt = top.directive < top.commands->directives.size()
                                   ? top.commands->directives[top.directive].begin
                                   : Text::npos;
    const size_t codeAt = top.codeSeen ? Text::npos : top.commands->firstCode;
    if (codeAt != Text::npos && codeAt < directiveAt && codeAt < childAt) {
      top.codeSeen = codeSeen = true;
    } else if (directiveAt != Text::npos && directiveAt < childAt) {
      if (directiveSeen || codeSeen) {
        Report(page, findings, *top.node, top.commands->directives[top.directive], directiveSeen);
      }
      directiveSeen = true;
      ++top.directive;
    } else if (childAt != Text::npos) {
      File& child = *(*children)[top.child++];
      if (!child.CircularInclude()) walk.push_back({&child, &page.Facts().Commands(child)});
    } else {
      walk.pop_back();
    }
  }
}

void DirectiveOrderRule::Report(PageCheck& page, FindingSet& findings, File& node,
                                const PageCommand& command, bool repeated) const {
  const LineIndex& lines = page.Facts().Lines(node);
  const PlaceView place = PageCheck::TextPlace(node, lines, static_cast<int32_t>(command.begin + 1),
                                               static_cast<int32_t>(command.end + 1));
  findings.Report(Info().id, place, [&] {
    RuleFinding finding = Make(page, node, place.ToPlace(),
                               repeated ? u"page directive repeated: " + page.Page().FullPath() +
                                              u" already has a page directive"
                                        : u"page directive out of order: script code of " +
                                              page.Page().FullPath() + u" comes before it");
    if (repeated) finding.code = "ASP 0141";
    return finding;
  });
}

}  // namespace lintra
