#pragma once

#include "rules/Rule.h"

namespace lintra {

// parent-path: an include directive whose path climbs to a parent folder with "..", which the
// server refuses unless parent paths are enabled.
class ParentPathRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;

 protected:
  // A warning where the settings enable parent paths, an error otherwise.
  Severity DefaultSeverity(const RuleSettings& settings) const override;
};

}  // namespace lintra
