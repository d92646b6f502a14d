#pragma once

#include "rules/Rule.h"

namespace lintra {

// name-redefined: a script-level name that the page, as the server compiles it, declares again
// where VBScript refuses it (see NameTable).
class NameRedefinedRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
  bool ReadsRedefinitions() const override { return true; }
};

}  // namespace lintra
