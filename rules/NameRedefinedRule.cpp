#include "rules/NameRedefinedRule.h"

#include "analysis/File.h"

namespace lintra {

const RuleInfo& NameRedefinedRule::Info() const {
  // What VBScript refuses, as its authors and users describe it: a name declared twice in one
  // script fails with "Name redefined", a second declaration in another script does not, and a
  // procedure may be declared again at will outside a class (developer.rhino3d.com, guides/
  // rhinoscript/vbscript-variable-hoisting); a Const and a Dim of one name fail with "name
  // redefined" whatever their order, since Dim is hoisted to the top of its scope and Const is
  // not (learn.microsoft.com, archive/blogs/ericlippert/vbscript-constants-are-not-hoisted). The
  // server compiles a page's <% %> code, includes expanded, as one script.
  static const RuleInfo info{
      "name-redefined", Severity::Error, "VBScript 800a0411",
      "A script-level name is declared again in the page as the server compiles it.",
      "The server compiles a page's script with every include expanded in place, and VBScript "
      "stops it with compilation error 800a0411 (Name redefined) when one name is declared twice "
      "at script level: Dim, Public or Private of a name already declared, Const before or after "
      "another declaration of the name, a second Class of one name, or Dim after ReDim. Names "
      "compare without regard to case. A file of declarations included twice is the usual cause: "
      "include it once, or rename one of the declarations. A file that comes again is reported "
      "once, at the directive that brings it again, with the names it declares again; a name "
      "that two files declare, at its second declaration. A second Sub or Function of one name "
      "is allowed (the last one wins) and is not reported. Sources: developer.rhino3d.com, "
      "\"VBScript variable hoisting\"; Eric Lippert, \"VBScript constants are not hoisted\" "
      "(learn.microsoft.com, archive/blogs/ericlippert)."};
  return info;
}

void NameRedefinedRule::Check(PageCheck& page, FindingSet& findings) {
  std::vector<std::pair<const PageCheck::Repeat*, std::vector<const Redefinition*>>> byRepeat;
  for (const Redefinition& redefinition : page.Redefinitions()) {
    const PageCheck::Repeat* repeat = page.RepeatRedefining(redefinition);
    if (!repeat) {
      ReportName(page, findings, redefinition);
    } else if (!byRepeat.empty() && byRepeat.back().first == repeat) {
      byRepeat.back().second.push_back(&redefinition);
    } else {
      byRepeat.push_back({repeat, {&redefinition}});
    }
  }
  for (const auto& [repeat, redefinitions] : byRepeat) {
    ReportRepeat(page, findings, *repeat, redefinitions);
  }
}

void NameRedefinedRule::ReportName(PageCheck& page, FindingSet& findings,
                                   const Redefinition& redefinition) const {
  const Place place = PageCheck::DeclarationPlace(*redefinition.node, *redefinition.second);
  findings.Report(Info().id, place, [&] {
    const Place first = PageCheck::DeclarationPlace(*redefinition.firstNode, *redefinition.first);
    RuleFinding finding = Make(
        page, *redefinition.node, place,
        u"name redefined: " + redefinition.second->name + u" is already declared at " + first.file +
            u":" + text::FromNumber(first.line) + u":" + text::FromNumber(first.column));
    finding.related.push_back(first);
    return finding;
  });
}

void NameRedefinedRule::ReportRepeat(PageCheck& page, FindingSet& findings,
                                     const PageCheck::Repeat& repeat,
                                     const std::vector<const Redefinition*>& redefinitions) const {
  const PageCheck::Include& again = *repeat.again;
  const PlaceView start = PageCheck::DirectiveStart(again);
  findings.Report(Info().id, start, [&] {
    const PlaceView first = PageCheck::DirectivePlace(*repeat.first);
    RuleFinding finding =
        Make(page, again.parent, PageCheck::DirectivePlace(again, start).ToPlace(),
             text::Concat({u"name redefined: ", again.node.FullPathView(),
                           u" was already included at ", LineLocation(first.file, first.line),
                           u" and declares again ", NameList(redefinitions)}));
    for (const Redefinition* redefinition : redefinitions) {
      finding.related.push_back(
          PageCheck::DeclarationPlace(*redefinition->firstNode, *redefinition->first));
    }
    return finding;
  });
}

Text NameRedefinedRule::NameList(const std::vector<const Redefinition*>& redefinitions) {
  constexpr size_t Shown = 8;
  Text names;
  for (size_t i = 0; i < redefinitions.size() && i < Shown; ++i) {
    if (i > 0) names += u", ";
    names += redefinitions[i]->second->name;
  }
  if (redefinitions.size() > Shown) {
    names +=
        u" and " + text::FromNumber(static_cast<int64_t>(redefinitions.size() - Shown)) + u" more";
  }
  return names;
}

}  // namespace lintra
