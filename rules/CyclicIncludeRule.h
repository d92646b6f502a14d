#pragma once

#include "rules/Rule.h"

namespace lintra {

// cyclic-include: an include directive that pulls in a file already among those including it.
class CyclicIncludeRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
};

}  // namespace lintra
