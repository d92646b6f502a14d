#pragma once

#include <optional>
#include <unordered_set>

#include "rules/Rule.h"

namespace lintra {

// undefined-name: in a page under Option Explicit, a name that its VBScript uses but that no file
// of the expanded page declares, and that neither VBScript, ASP, the page's server objects nor the
// application's global.asa give it. Only pages whose every name can be known are looked at (see
// KnownNames); each name is reported at its first use in each file.
class UndefinedNameRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;

 private:
  // Whether a file of `page` holds an Option statement, without which no Option Explicit is in
  // force and the page's names need not be resolved.
  static bool MayBeExplicit(PageCheck& page);
  // The upper-cased names that `page` declares anywhere (at script level, in bodies, as
  // parameters and members), its server objects and the application's names; none for a page
  // whose names may come from where no declaration shows them: a missing or circular include, a
  // server script in another language, a type library.
  static std::optional<std::unordered_set<TextView>> KnownNames(PageCheck& page);
};

}  // namespace lintra
