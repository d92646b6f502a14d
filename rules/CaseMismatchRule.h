#pragma once

#include "rules/Rule.h"

namespace lintra {

// case-mismatch: an include directive whose file was found only by ignoring letter case. It relies
// on a file system that ignores case, and breaks on one that does not.
class CaseMismatchRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
};

}  // namespace lintra
