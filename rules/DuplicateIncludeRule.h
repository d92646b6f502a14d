#pragma once

#include "rules/Rule.h"

namespace lintra {

// duplicate-include: a file included again in a page where that redefines no name, once at the
// directive that brings it again: the page runs, but the file is compiled once for each copy, and
// each copy writes its output when the code around it runs.
class DuplicateIncludeRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
};

}  // namespace lintra
