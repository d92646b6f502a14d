#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Text.h"
#include "rules/HashedPath.h"
#include "rules/RuleFinding.h"

namespace lintra {

// The findings of a run, one per rule and place: a place that a second page reaches again only
// counts that page.
class FindingSet {
 public:
  // Starts the findings of the next page.
  void BeginPage() { ++page_; }

  // Counts the current page for the finding of `ruleId` at `place` when there is one, and
  // otherwise keeps the finding that `make` returns (called only then). The kept finding's page
  // count starts at 1.
  template <class Make>
  void Report(const std::string& ruleId, const PlaceView& place, Make&& make) {
    const Key key{RuleNumber(ruleId), FileNumber({place.file, place.fileHash}), place.line,
                  place.column};
    const auto [entry, added] = index_.try_emplace(key, findings_.size());
    if (!added) {
      Count(entry->second);
      return;
    }
    findings_.push_back(make());
    findingPages_.push_back(page_);
  }
  template <class Make>
  void Report(const std::string& ruleId, const Place& place, Make&& make) {
    Report(ruleId,
           PlaceView{place.file, text::HashIgnoringCase(place.file), place.line, place.column},
           std::forward<Make>(make));
  }

  // Adds the findings of `later`, made over pages that come after this set's and that this set
  // has not counted: a finding found here keeps its first page and chain and adds `later`'s page
  // count; a new one is kept after the findings here, in `later`'s order. The result is what one
  // set over both runs of pages would hold.
  void Merge(FindingSet&& later);

  // In the order they were first found.
  const std::vector<RuleFinding>& Findings() const { return findings_; }
  // The findings, in the order they were first found, moved out of a set that is done with.
  std::vector<RuleFinding> TakeFindings() && { return std::move(findings_); }

 private:
  // What tells findings apart: the rule and the file, by their numbers, and the start of the
  // place.
  struct Key {
    uint32_t rule;
    uint32_t file;
    int32_t line;
    int32_t column;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& key) const;
  };

  // The number of the rule `id` and of the file `file`, given on first sight. Files are numbered
  // so that a finding's key holds numbers only, and a look-up compares paths only among the few
  // files, which stay at hand.
  uint32_t RuleNumber(std::string_view id);
  uint32_t FileNumber(const HashedPathView& file);
  void Count(size_t index);

  int64_t page_ = 0;
  std::vector<RuleFinding> findings_;
  // The last page counted for each finding.
  std::vector<int64_t> findingPages_;
  std::unordered_map<Key, size_t, KeyHash> index_;
  std::vector<std::string> rules_;
  // The rule last numbered, known by where its id lies, as one rule reports many times in a row.
  const char* lastRule_ = nullptr;
  uint32_t lastRuleNumber_ = 0;
  std::unordered_map<HashedPath, uint32_t, HashedPathHash, SamePath> files_;
};

}  // namespace lintra
