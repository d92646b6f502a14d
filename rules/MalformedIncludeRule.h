#pragma once

#include "rules/Rule.h"

namespace lintra {

// malformed-include: a comment that holds "#include" without a file= or virtual= value, which
// the analysis cannot follow and which marks its file unreadable in the control's reports.
class MalformedIncludeRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
};

}  // namespace lintra
