#pragma once

#include <cstddef>
#include <future>
#include <string>
#include <string_view>
#include <vector>

#include "apps/lintra/Session.h"
#include "rules/Rule.h"
#include "rules/RuleFinding.h"
#include "rules/RuleSettings.h"

namespace lintra {

// Everything one check run reports, in the order every format reports it.
struct CheckResult {
  // The rules that ran, each at the severity the project gives it; rules turned off are left out.
  std::vector<RuleInfo> rules;
  // Sorted by file, line, column and rule, each at the severity the project gives its rule.
  std::vector<RuleFinding> findings;
  // The fingerprint of each finding, by its position, that knows it again in a later run however
  // its lines have moved (see Fingerprints); none when the run shows and compares none.
  std::vector<std::string> fingerprints;
  // The pages whose analysis succeeded.
  size_t pages = 0;
  // The findings left out because the baseline knows them.
  size_t baselined = 0;
  // The least severity reported, and how many findings of lower ones were left out.
  Severity leastSeverity = Severity::Note;
  size_t belowSeverity = 0;
  std::vector<PageFailure> failures;

  size_t Count(Severity severity) const;
  // The position in `rules` of the rule `id`; rules.size() when it is not there.
  size_t RuleIndex(std::string_view id) const;
};

// The rules that ran and their findings as check reports them, the findings sorted, part of them
// by work launched as `launch` says (see LaunchFor). Fingerprints are left empty.
CheckResult Settle(std::vector<RuleInfo> rules, std::vector<RuleFinding> findings,
                   std::launch launch);

// Leaves out of `result` the findings of a severity lower than `least`, counting them. Call it
// before fingerprints are taken.
void LeaveOutBelow(CheckResult& result, Severity least);

// "docs/rules/ID.md", where the rule `id` is explained.
std::string RuleHelpPath(const std::string& id);

}  // namespace lintra
