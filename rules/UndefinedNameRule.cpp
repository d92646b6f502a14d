#include "rules/UndefinedNameRule.h"

#include <algorithm>
#include <set>
#include <utility>

#include "analysis/File.h"
#include "rules/SourceFacts.h"
#include "rules/VbBuiltins.h"

namespace lintra {

const RuleInfo& UndefinedNameRule::Info() const {
  // The VBScript language reference (learn.microsoft.com, previous-versions bw9t3484, "Option
  // Explicit Statement"): under Option Explicit every variable must be declared with Dim,
  // Private, Public or ReDim, and using an undeclared name is an error; "VBScript Run-time Errors"
  // (xe43cc8d): 500, "Variable is undefined" (800a01f4).
  static const RuleInfo info{
      "undefined-name", Severity::Error, "VBScript 800a01f4",
      "A name the page's script uses is declared nowhere in the page under Option Explicit.",
      "Under Option Explicit every variable must be declared (Dim, Public, Private, ReDim, "
      "Const, or a Sub, Function, Property or Class) before the script may use it; VBScript "
      "stops the page with run-time error 500, \"Variable is undefined\" (800a01f4), when the "
      "statement runs, or \"Type mismatch\" (800a000d) for a call of a function that does not "
      "exist, and \"Class not defined\" (506) for New of an unknown class. The usual causes are a "
      "misspelt name and a missing include. Only pages whose first statement, includes "
      "expanded, is Option Explicit are looked at, and a name is reported only when no file of "
      "the page declares it anywhere (even as a local of another procedure) and it is none of "
      "VBScript's functions, constants and objects, ASP's objects (Response, Request, Server, "
      "Session, Application, ObjectContext), the page's <object runat=\"server\"> ids or the "
      "objects and declarations of the application's global.asa. Pages that run text as code "
      "(Execute, ExecuteGlobal, Eval), hold server script in another language or a type "
      "library (<!-- METADATA -->), or have a missing include, are left out. Declare the name, "
      "correct its spelling, or include the file that declares it. Sources: VBScript language "
      "reference, \"Option Explicit Statement\" and \"VBScript Run-time Errors\" "
      "(learn.microsoft.com, previous-versions bw9t3484 and xe43cc8d); \"VBScript Functions\" "
      "(3ca8tfek) and \"VBScript Constants\"."};
  return info;
}

void UndefinedNameRule::Check(PageCheck& page, FindingSet& findings) {
  if (page.Settings().applicationTypeLibrary || !MayBeExplicit(page)) return;
  const PageNames& names = page.Names();
  if (!names.OptionExplicit()) return;
  std::vector<const PageUse*> unknown;
  for (const PageUse& use : names.Uses()) {
    // A use in a file that a directive brings into a procedure body is not looked at.
    if (use.declaration != PageNames::Unresolved || use.inBody) continue;
    if (RunsText(use.use->key)) return;
    if (!IsVbBuiltin(use.use->key)) unknown.push_back(&use);
  }
  if (unknown.empty()) return;
  const std::optional<std::unordered_set<TextView>> known = KnownNames(page);
  if (!known) return;
  std::set<std::pair<uint32_t, TextView>> reported;
  for (const PageUse* use : unknown) {
    const NameUse& named = *use->use;
    if (known->count(named.key) || !reported.emplace(use->node, named.key).second) continue;
    File& node = *page.Tree().Nodes()[use->node].file;
    const PlaceView place{node.FullPathView(), node.FullPathHash(), named.line,
                          named.column,        named.line,          named.endColumn};
    findings.Report(Info().id, place, [&] {
      const TextView written = WrittenName(node.SharedContent()->Value(), named);
      return Make(
          page, node, place.ToPlace(),
          text::Concat({u"undefined name: ", written, u" is declared nowhere in the page"}));
    });
  }
}

bool UndefinedNameRule::MayBeExplicit(PageCheck& page) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  return std::any_of(nodes.begin(), nodes.end(), [&](const PageTree::Node& node) {
    return page.Facts().Script(*node.file).optionStatement;
  });
}

std::optional<std::unordered_set<TextView>> UndefinedNameRule::KnownNames(PageCheck& page) {
  std::unordered_set<TextView> known;
  for (const Text& name : page.Settings().applicationNames) known.insert(name);
  for (const PageTree::Node& node : page.Tree().Nodes()) {
    if (!PageCheck::Compiled(*node.file)) return std::nullopt;
    const ScriptScan& scan = page.Facts().Script(*node.file);
    if (scan.otherScript || scan.typeLibrary) return std::nullopt;
    for (const Declaration& declaration : scan.declarations) known.insert(declaration.key);
    for (const Text& object : scan.serverObjects) known.insert(object);
    const NameScan& names = page.Facts().Names(*node.file);
    for (const LocalName& local : names.locals) known.insert(local.declaration.key);
    for (const Text& array : names.reDimmed) known.insert(array);
  }
  return known;
}

}  // namespace lintra
