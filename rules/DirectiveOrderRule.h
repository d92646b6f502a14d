#pragma once

#include "rules/PageCommands.h"
#include "rules/Rule.h"

namespace lintra {

// directive-order: a page directive (<%@ ... %>) that script code comes before in the expanded
// page, or a second page directive, most often brought in by an include.
class DirectiveOrderRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;

 private:
  // Reports the directive `command` of `node`'s text: out of order, or `repeated`.
  void Report(PageCheck& page, FindingSet& findings, File& node, const PageCommand& command,
              bool repeated) const;
};

}  // namespace lintra
