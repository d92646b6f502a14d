#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Text.h"
#include "rules/FindingSet.h"
#include "rules/Rule.h"
#include "rules/RuleSettings.h"
#include "rules/SourceFacts.h"
#include "site/PageTree.h"

namespace lintra {

class File;

// What the check of one page learns of it beyond its findings, for the views of each page.
struct PageJudgement {
  // By node of the page's tree (PageTree::Nodes): whether the page can do without the include
  // that brings it (see UnneededIncludes); empty unless the checker judges includes.
  std::vector<bool> unneededIncludes;
};

// The rules of one page shared out between alike checkers on several threads (see
// Checker::Alike): each checker runs the next rule that none has taken yet, until none is left,
// so every rule runs once, on whichever thread is free first.
class RuleShare {
 public:
  // The position, among the running rules, of the next rule to run.
  size_t Take() { return next_.fetch_add(1, std::memory_order_relaxed); }

 private:
  std::atomic<size_t> next_ = 0;
};

// Every rule of Lintra, in the order they run and are described: what the include tree itself
// shows (missing, unreadable, malformed, circular and duplicate includes), then the directives'
// paths, then the page's script, its encodings and the files it exposes or leaves unused.
std::vector<std::unique_ptr<Rule>> AllRules();

// Runs rules over the pages of one run, one page at a time, and gathers their findings, one per
// rule and place. The texts of the pages are scanned once each however many pages show them.
// The settings decide each rule's severity; a rule they turn off is not run.
class Checker {
 public:
  explicit Checker(RuleSettings settings = {},
                   std::vector<std::unique_ptr<Rule>> rules = AllRules());

  // From now on also judges which includes each page can do without, whether unused-include
  // runs or not, and hands the judgement from Check.
  void JudgeIncludes() { judgeIncludes_ = true; }

  // A new checker that checks and judges as this one does, for other pages of the same run, and
  // shares what this one learns of the texts (see SharedFacts).
  Checker Alike() const;

  // Learns now what the rules ask of any text, of `text`, which a page still to be checked
  // shows: a checker that shares this one's facts (see Alike) then finds it made.
  void Learn(const std::shared_ptr<const SourceText>& text) { facts_.Script(text); }

  // Checks the page whose analysed tree is `page`, the next page of the run; the tree may go
  // once this returns.
  PageJudgement Check(const PageTree& page);
  // Checks `page` as the page numbered `number`, as Check does, with the rules that it takes
  // from `share`, and leaves the rest to the checkers alike that share them; a checker that
  // judges includes judges them whichever rules it takes. Rules only read a tree, so the
  // checkers that share its rules may check it at once, each on a thread of its own.
  PageJudgement Check(const PageTree& page, int64_t number, RuleShare& share);
  // Checks `page` as the page numbered `number` of the run, for checkers that share a run's
  // pages between them (see Merge); numbers rise from one page to the next of one checker.
  PageJudgement Check(const PageTree& page, int64_t number);
  // Runs what only the whole project shows, once after the last page: `projectFiles` are every
  // file of the project, relative to its root with "/" separators, as the include trees name
  // them (see PageDiscovery::FindFiles).
  void Finish(const std::vector<Text>& projectFiles);

  const RuleSettings& Settings() const { return settings_; }
  // The descriptions of the rules the settings leave on, in the order they run, each at the
  // severity the settings give it.
  std::vector<RuleInfo> RunningRules() const;
  // The findings of the pages in the order they were checked, then those of Finish.
  const std::vector<RuleFinding>& Findings() const { return findings_.Findings(); }

  // Hands over the findings of the pages checked since the last call and starts afresh; what
  // was learnt of the texts is kept. With Merge, a run's pages can be shared between several
  // checkers, one per thread, each numbering its pages by their place in the run, and their
  // findings put together as one checker would have found them.
  FindingSet TakeFindings() { return std::exchange(findings_, FindingSet()); }
  // Adds `other`, the findings of other pages of the run (see FindingSet::Merge).
  void Merge(FindingSet&& other,
             FindingSet::MergeOrder order = FindingSet::MergeOrder::FirstFound) {
    findings_.Merge(std::move(other), order);
  }
  // Takes in what the rules of `other`, a checker with the same rules that checked other pages
  // of the run, noted for Finish.
  void TakeNotes(Checker& other);

 private:
  // Runs the rules on `page`, whose findings are begun: all of them, or those taken from `share`
  // when there is one.
  PageJudgement CheckBegun(const PageTree& page, RuleShare* share = nullptr);

  RuleSettings settings_;
  std::vector<std::unique_ptr<Rule>> rules_;
  // The rules the settings leave on.
  std::vector<Rule*> running_;
  SourceFacts facts_;
  FindingSet findings_;
  bool judgeIncludes_ = false;
};

}  // namespace lintra
