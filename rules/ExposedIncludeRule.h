#pragma once

#include "rules/Rule.h"

namespace lintra {

// exposed-include: an included file whose extension the server does not run as script, so that
// anyone who asks for it gets its source.
class ExposedIncludeRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
};

}  // namespace lintra
