#pragma once

#include <memory>
#include <vector>

#include "rules/FindingSet.h"
#include "rules/Rule.h"
#include "rules/SourceFacts.h"

namespace lintra {

class File;

// Every rule of Lintra, in the order their findings are listed for a page.
std::vector<std::unique_ptr<Rule>> AllRules();

// Runs rules over the pages of one run, one page at a time, and gathers their findings, one per
// rule and place. The texts of the pages are scanned once each however many pages show them.
class Checker {
 public:
  explicit Checker(std::vector<std::unique_ptr<Rule>> rules = AllRules())
      : rules_(std::move(rules)) {}

  // Checks the page whose analysed tree is `page`; the tree may go once this returns.
  void Check(File& page);

  // Ends the run once every page is checked, for rules that judge the project as a whole;
  // `projectFiles` are the web paths of every file of the project.
  void Finish(const std::vector<Text>& projectFiles);

  const std::vector<std::unique_ptr<Rule>>& Rules() const { return rules_; }
  const std::vector<RuleFinding>& Findings() const { return findings_.Findings(); }

 private:
  std::vector<std::unique_ptr<Rule>> rules_;
  SourceFacts facts_;
  FindingSet findings_;
};

}  // namespace lintra
