#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"
#include "platform/Utf8.h"
#include "rules/FindingCauses.h"

namespace lintra {

namespace {

// How many causes of one rule the text leaves out, at how many places.
struct RuleCauses {
  std::string_view ruleId;
  size_t shown = 0;
  size_t counted = 0;
  size_t countedPlaces = 0;
};

// At most this many causes of one rule are shown apart, unless they are errors; the others are
// counted.
constexpr size_t CausesShown = 25;

// The causes the text shows, and per rule with more, those it only counts.
struct Selection {
  std::vector<Cause> shown;
  std::vector<RuleCauses> counted;
};

// Every error of `causes` and at most CausesShown of each rule's other causes, in order; the rules
// with more, in the order of their first causes.
Selection Select(const std::vector<Cause>& causes) {
  Selection selection;
  std::vector<RuleCauses> rules;
  std::unordered_map<std::string_view, size_t> byRule;
  for (const Cause& cause : causes) {
    const auto [entry, added] = byRule.try_emplace(cause.first->ruleId, rules.size());
    if (added) rules.push_back({cause.first->ruleId});
    RuleCauses& rule = rules[entry->second];
    if (rule.shown < CausesShown || cause.first->severity == Severity::Error) {
      selection.shown.push_back(cause);
      ++rule.shown;
    } else {
      ++rule.counted;
      rule.countedPlaces += cause.places;
    }
  }
  std::copy_if(rules.begin(), rules.end(), std::back_inserter(selection.counted),
               [](const RuleCauses& rule) { return rule.counted > 0; });
  return selection;
}

// Writes the text, in colour when asked for, naming files by `paths`.
class TextWriter {
 public:
  TextWriter(const TextLook& look, const ReportPaths& paths) : look_(look), paths_(paths) {}

  // One cause's line: its first place, and the reach of that place when it is the only one, or
  // how many places and pages share the cause; with `detail`, its source line and include notes.
  void AddCause(const Cause& cause, bool detail) {
    const RuleFinding& finding = *cause.first;
    Location(finding.place);
    Label(finding.severity);
    text::AppendReadable(out_, finding.message);
    Paint("2", " [" + std::string(finding.ruleId) + "]");
    out_ += " (";
    if (cause.places == 1) {
      AppendReach(out_, finding, paths_);
    } else {
      if (!finding.code.empty()) out_ += std::string(finding.code) + "; ";
      out_ += std::to_string(cause.places) + " places in " + std::to_string(cause.pages) +
              (cause.pages == 1 ? " page" : " pages");
    }
    out_ += ")\n";
    if (!detail) return;
    Excerpt(finding.place);
    for (auto link = finding.chain.rbegin(); link != finding.chain.rend(); ++link) {
      Location(*link);
      Label(Severity::Note);
      out_ += "included from here\n";
    }
  }

  void Line(const std::string& line) { out_ += line + '\n'; }

  const std::string& Out() const { return out_; }

 private:
  void Paint(const char* code, const std::string& text) {
    if (look_.color) out_ += std::string("\x1b[") + code + 'm';
    out_ += text;
    if (look_.color) out_ += "\x1b[0m";
  }

  // "file:line:column: ", or "file: " for a place on a whole file, in bold.
  void Location(const Place& place) {
    std::string location = paths_.Of(place.file);
    if (place.line > 0) {
      location += ':' + std::to_string(place.line) + ':' + std::to_string(place.column);
    }
    Paint("1", location + ":");
    out_ += ' ';
  }

  // "error: ", "warning: " or "note: ", in bold red, magenta or cyan.
  void Label(Severity severity) {
    static constexpr const char* colors[] = {"1;31", "1;35", "1;36"};
    Paint(colors[static_cast<int>(severity)], std::string(SeverityName(severity)) + ":");
    out_ += ' ';
  }

  // The source line of `place` and under it a caret at its column, with tildes to the end of the
  // place on that line, as compilers draw them. Nothing for a whole file or a line too long to
  // read.
  void Excerpt(const Place& place) {
    constexpr size_t longest = 400;
    if (place.line < 1 || !look_.lineOf) return;
    const Text line = look_.lineOf(place.file, place.line);
    const size_t start = static_cast<size_t>(place.column - 1);
    if (line.size() > longest || start > line.size()) return;
    const std::string number = std::to_string(place.line);
    const size_t margin = std::max<size_t>(4, number.size());
    out_ += std::string(margin - number.size(), ' ') + number + " | ";
    text::AppendUtf8(out_, line);
    out_ += '\n' + std::string(margin, ' ') + " | " + Indent(TextView(line).substr(0, start));
    const size_t end = place.endLine == place.line && place.endColumn > place.column
                           ? std::min(line.size(), static_cast<size_t>(place.endColumn - 1))
                           : line.size();
    Paint("1;32", '^' + std::string(end > start + 1 ? end - start - 1 : 0, '~'));
    out_ += '\n';
  }

  // Blanks as wide as `text`, keeping its tabs so that a caret lines up with the text above.
  static std::string Indent(TextView text) {
    std::string blanks;
    for (char16_t unit : text) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) continue;
      blanks += unit == u'\t' ? '\t' : ' ';
    }
    return blanks;
  }

  const TextLook& look_;
  const ReportPaths& paths_;
  std::string out_;
};

// "by rule: 2 missing-include, 1 parent-path": how many findings each rule has, the rules of
// errors first, then by count.
std::string RuleCounts(const std::vector<RuleFinding>& findings) {
  std::unordered_map<std::string_view, std::pair<Severity, size_t>> counts;
  for (const RuleFinding& finding : findings) {
    auto& [severity, count] = counts.try_emplace(finding.ruleId, finding.severity, 0).first->second;
    severity = std::min(severity, finding.severity);
    ++count;
  }
  std::vector<std::tuple<Severity, size_t, std::string_view>> order;
  for (const auto& [rule, count] : counts) order.emplace_back(count.first, count.second, rule);
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return std::tuple(std::get<0>(a), std::get<1>(b), std::get<2>(a)) <
           std::tuple(std::get<0>(b), std::get<1>(a), std::get<2>(b));
  });
  std::string line = "by rule:";
  for (const auto& [severity, count, rule] : order) {
    line += ' ' + std::to_string(count) + ' ' + std::string(rule) + ',';
  }
  line.pop_back();
  return line;
}

}  // namespace

void WriteTextCheckReport(const CheckResult& result, const ReportPaths& paths,
                          const TextLook& look) {
  TextWriter writer(look, paths);
  bool grouped = false;
  if (look.allPlaces) {
    for (const RuleFinding& finding : result.findings) writer.AddCause({&finding, 1, 1}, true);
  } else {
    const Selection selection = Select(Causes(result.findings));
    grouped = !selection.counted.empty() || selection.shown.size() < result.findings.size();
    for (const Cause& cause : selection.shown) writer.AddCause(cause, false);
    for (const RuleCauses& rule : selection.counted) {
      writer.Line("... and " + std::to_string(rule.counted) + " more causes of [" +
                  std::string(rule.ruleId) + "] at " + std::to_string(rule.countedPlaces) +
                  " places");
    }
  }
  if (grouped) {
    writer.Line("one line per cause for " + std::to_string(result.findings.size()) +
                " places; --all-places lists every place");
  }
  if (!result.findings.empty()) writer.Line(RuleCounts(result.findings));
  writer.Line(Totals(result));
  WriteOutBytes(writer.Out());
}

}  // namespace lintra
