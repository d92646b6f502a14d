#pragma once

#include "rules/Rule.h"

namespace lintra {

// parent-path: an include directive whose path climbs to a parent folder with "..", which the
// server refuses unless parent paths are enabled.
class ParentPathRule : public Rule {
 public:
  static constexpr const char* Id = "parent-path";

  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;
  // Whether this rule, run under `settings`, reports the directive of `include` as one the server
  // refuses for its ".." segment, before it looks for the file: then that is the directive's one
  // finding.
  static bool ReportsRefusal(const RuleSettings& settings, const PageCheck::Include& include);

 protected:
  // A warning where the settings enable parent paths, an error otherwise.
  Severity DefaultSeverity(const RuleSettings& settings) const override;
};

}  // namespace lintra
