#include "rules/Checker.h"

#include "rules/CyclicIncludeRule.h"
#include "rules/DuplicateIncludeRule.h"
#include "rules/MissingIncludeRule.h"
#include "rules/NameRedefinedRule.h"

namespace lintra {

std::vector<std::unique_ptr<Rule>> AllRules() {
  std::vector<std::unique_ptr<Rule>> rules;
  rules.push_back(std::make_unique<MissingIncludeRule>());
  rules.push_back(std::make_unique<CyclicIncludeRule>());
  rules.push_back(std::make_unique<NameRedefinedRule>());
  rules.push_back(std::make_unique<DuplicateIncludeRule>());
  return rules;
}

void Checker::Check(File& page) {
  findings_.BeginPage();
  PageCheck check(page, facts_);
  for (const std::unique_ptr<Rule>& rule : rules_) rule->Check(check, findings_);
}

void Checker::Finish(const std::vector<Text>&) {}

}  // namespace lintra
