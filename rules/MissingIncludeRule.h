#pragma once

#include "rules/Rule.h"

namespace lintra {

// missing-include: an include directive whose file does not exist or is refused.
class MissingIncludeRule : public Rule {
 public:
  static constexpr const char* Id = "missing-include";

  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
};

}  // namespace lintra
