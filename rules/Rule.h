#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rules/FindingSet.h"
#include "rules/PageCheck.h"
#include "rules/RuleFinding.h"
#include "rules/RuleSettings.h"

namespace lintra {

// What a rule is, for the reports that list the rules.
struct RuleInfo {
  std::string id;
  Severity severity = Severity::Error;
  // The server's error number, as RuleFinding::code.
  std::string code;
  // One line on what it finds.
  std::string summary;
  // Why it matters and how to fix it, with what the server is known to do.
  std::string help;
};

// What a rule sees of the whole project once every page is checked.
struct ProjectCheck {
  const RuleSettings& settings;
  // Every file of the project, relative to its root with "/" separators.
  const std::vector<Text>& files;
};

// One check that Lintra makes of every page, in a file of its own.
class Rule {
 public:
  virtual ~Rule() = default;
  virtual const RuleInfo& Info() const = 0;
  // Reports the findings of `page` to `findings`.
  virtual void Check(PageCheck& page, FindingSet& findings) = 0;
  // Reports what only the whole project shows, once after the last page.
  virtual void Finish(const ProjectCheck& project, FindingSet& findings);
  // Takes in what `other`, this same rule in another checker of the run, noted of the pages it
  // checked, for a run whose pages several checkers share; a rule that keeps nothing from page
  // to page has nothing to take.
  virtual void TakeNotes(Rule& other);

  // The severity this rule reports with under `settings`: the one they set for it, or else its
  // own (see DefaultSeverity).
  Severity SeverityIn(const RuleSettings& settings) const;
  // The severity `settings` set for this rule, if they set one.
  std::optional<Severity> ChosenSeverity(const RuleSettings& settings) const;

 protected:
  // The severity of this rule's findings when the settings name none: Info().severity unless a
  // rule depends on what the server allows.
  virtual Severity DefaultSeverity(const RuleSettings& settings) const;

  // A finding of this rule at `place`, in the file of `holder`, reached from `page`.
  RuleFinding Make(PageCheck& page, File& holder, Place place, Text message) const;
  // A finding of this rule at `place` that no page reaches.
  RuleFinding Make(const ProjectCheck& project, Place place, Text message) const;

  // Reports a finding of this rule at the directive that pulled `include`'s node in, with the
  // message that `message` returns (called only for the first page that reaches the directive).
  template <class Message>
  void ReportDirective(PageCheck& page, FindingSet& findings, const PageCheck::Include& include,
                       Message&& message) const {
    const PlaceView start = PageCheck::DirectiveStart(include);
    findings.Report(Info().id, start, [&] {
      return Make(page, include.parent, PageCheck::DirectivePlace(include, start).ToPlace(),
                  message());
    });
  }
};

}  // namespace lintra
