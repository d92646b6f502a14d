#pragma once

#include <vector>

#include "rules/Rule.h"

namespace lintra {

// name-redefined: a script-level name that the page, as the server compiles it, declares again
// where VBScript refuses it (see NameTable). One finding per cause: a file that comes again is
// reported at the directive that brings it again, naming what it declares again; a name that two
// files declare, at its second declaration.
class NameRedefinedRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;

 private:
  void ReportName(PageCheck& page, FindingSet& findings, const Redefinition& redefinition) const;
  void ReportRepeat(PageCheck& page, FindingSet& findings, const PageCheck::Repeat& repeat,
                    const std::vector<const Redefinition*>& redefinitions) const;
  // The names that `redefinitions` declare again, the first few of them and how many more.
  static Text NameList(const std::vector<const Redefinition*>& redefinitions);
};

}  // namespace lintra
