#pragma once

#include <unordered_set>

#include "rules/HashedPath.h"
#include "rules/Rule.h"

namespace lintra {

// unused-file: in a run over the whole project, a file with an include-only extension that no
// page includes.
class UnusedFileRule : public Rule {
 public:
  static constexpr const char* Id = "unused-file";

  const RuleInfo& Info() const override;
  // Notes the include-only files that `page` reaches; reports nothing.
  void Check(PageCheck& page, FindingSet& findings) override;
  void Finish(const ProjectCheck& project, FindingSet& findings) override;
  // Adds the files that `other`, an UnusedFileRule, noted.
  void TakeNotes(Rule& other) override;

 private:
  // The paths of the files noted.
  std::unordered_set<HashedPath, HashedPathHash, SamePathIgnoringCase> used_;
};

}  // namespace lintra
