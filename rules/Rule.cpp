#include "rules/Rule.h"

#include "analysis/File.h"

namespace lintra {

void Rule::Finish(const ProjectCheck&, FindingSet&) {}

Severity Rule::SeverityIn(const RuleSettings& settings) const {
  return ChosenSeverity(settings).value_or(DefaultSeverity(settings));
}

std::optional<Severity> Rule::ChosenSeverity(const RuleSettings& settings) const {
  const auto chosen = settings.severities.find(Info().id);
  if (chosen == settings.severities.end()) return std::nullopt;
  return chosen->second;
}

Severity Rule::DefaultSeverity(const RuleSettings&) const {
  return Info().severity;
}

RuleFinding Rule::Make(PageCheck& page, File& holder, Place place, Text message) const {
  const RuleInfo& info = Info();
  return {info.id,
          SeverityIn(page.Settings()),
          info.code,
          std::move(message),
          std::move(place),
          {},
          Text(page.Page().FullPathView()),
          page.ChainTo(holder),
          1,
          0,
          {}};
}

RuleFinding Rule::Make(const ProjectCheck& project, Place place, Text message) const {
  const RuleInfo& info = Info();
  return {info.id,
          SeverityIn(project.settings),
          info.code,
          std::move(message),
          std::move(place),
          {},
          {},
          {},
          0,
          0,
          {}};
}

void Rule::TakeNotes(Rule&) {}

}  // namespace lintra
