#include "rules/Checker.h"

#include "rules/CaseMismatchRule.h"
#include "rules/CodepageMismatchRule.h"
#include "rules/CyclicIncludeRule.h"
#include "rules/DirectiveOrderRule.h"
#include "rules/DuplicateIncludeRule.h"
#include "rules/ExposedIncludeRule.h"
#include "rules/MalformedIncludeRule.h"
#include "rules/MissingIncludeRule.h"
#include "rules/NameRedefinedRule.h"
#include "rules/ParentPathRule.h"
#include "rules/UndefinedNameRule.h"
#include "rules/UnreadableFileRule.h"
#include "rules/UnusedFileRule.h"
#include "rules/UnusedIncludeRule.h"

namespace lintra {

std::vector<std::unique_ptr<Rule>> AllRules() {
  std::vector<std::unique_ptr<Rule>> rules;
  rules.push_back(std::make_unique<MissingIncludeRule>());
  rules.push_back(std::make_unique<UnreadableFileRule>());
  rules.push_back(std::make_unique<MalformedIncludeRule>());
  rules.push_back(std::make_unique<CyclicIncludeRule>());
  rules.push_back(std::make_unique<DuplicateIncludeRule>());
  rules.push_back(std::make_unique<ParentPathRule>());
  rules.push_back(std::make_unique<CaseMismatchRule>());
  rules.push_back(std::make_unique<DirectiveOrderRule>());
  rules.push_back(std::make_unique<NameRedefinedRule>());
  rules.push_back(std::make_unique<UndefinedNameRule>());
  rules.push_back(std::make_unique<CodepageMismatchRule>());
  rules.push_back(std::make_unique<ExposedIncludeRule>());
  rules.push_back(std::make_unique<UnusedFileRule>());
  rules.push_back(std::make_unique<UnusedIncludeRule>());
  return rules;
}

Checker::Checker(RuleSettings settings, std::vector<std::unique_ptr<Rule>> rules)
    : settings_(std::move(settings)), rules_(std::move(rules)) {
  for (const std::unique_ptr<Rule>& rule : rules_) {
    if (!settings_.Off(rule->Info().id)) running_.push_back(rule.get());
  }
}

Checker Checker::Alike() const {
  Checker alike(settings_);
  alike.judgeIncludes_ = judgeIncludes_;
  alike.facts_ = SourceFacts(facts_.Shared());
  return alike;
}

std::vector<RuleInfo> Checker::RunningRules() const {
  std::vector<RuleInfo> rules;
  for (const Rule* rule : running_) {
    rules.push_back(rule->Info());
    rules.back().severity = rule->SeverityIn(settings_);
  }
  return rules;
}

PageJudgement Checker::Check(const PageTree& page) {
  findings_.BeginPage();
  return CheckBegun(page);
}

PageJudgement Checker::Check(const PageTree& page, int64_t number) {
  findings_.BeginPage(number);
  return CheckBegun(page);
}

PageJudgement Checker::Check(const PageTree& page, int64_t number, RuleShare& share) {
  findings_.BeginPage(number);
  return CheckBegun(page, &share);
}

PageJudgement Checker::CheckBegun(const PageTree& page, RuleShare* share) {
  PageCheck check(page, facts_, settings_);
  // Most nodes of a page hold one finding or none, so room for one each spares moving the
  // findings so far while the page's are added.
  findings_.MakeRoom(page.Nodes().size());
  size_t next = share ? share->Take() : 0;
  while (next < running_.size()) {
    running_[next]->Check(check, findings_);
    next = share ? share->Take() : next + 1;
  }
  PageJudgement judgement;
  if (judgeIncludes_) judgement.unneededIncludes = check.Unneeded();
  return judgement;
}

void Checker::TakeNotes(Checker& other) {
  for (size_t i = 0; i < rules_.size() && i < other.rules_.size(); ++i) {
    rules_[i]->TakeNotes(*other.rules_[i]);
  }
}

void Checker::Finish(const std::vector<Text>& projectFiles) {
  findings_.BeginPage();
  const ProjectCheck project{settings_, projectFiles};
  for (Rule* rule : running_) rule->Finish(project, findings_);
  findings_.SettlePages();
}

}  // namespace lintra
