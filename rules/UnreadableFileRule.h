#pragma once

#include "rules/Rule.h"

namespace lintra {

// unreadable-file: a page, or a file a directive includes, that exists but could not be read, so
// that what it holds and includes is unknown.
class UnreadableFileRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
};

}  // namespace lintra
