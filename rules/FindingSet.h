#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Text.h"
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
    const KeyView key{ruleId, place.file, place.fileHash, place.line, place.column};
    const auto known = index_.find(key);
    if (known != index_.end()) {
      Count(known->second);
      return;
    }
    index_.emplace(Key{ruleId, Text(place.file), place.fileHash, place.line, place.column},
                   findings_.size());
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
  // What tells findings apart: the rule and the start of the place. Reports look their key up
  // as views, and only a finding's first report makes the key it is kept under.
  struct KeyView {
    std::string_view ruleId;
    TextView file;
    size_t fileHash;
    int32_t line;
    int32_t column;
  };
  struct Key {
    std::string ruleId;
    Text file;
    size_t fileHash;
    int32_t line;
    int32_t column;
    operator KeyView() const { return {ruleId, file, fileHash, line, column}; }
  };
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(const KeyView& key) const;
  };
  struct KeyEqual {
    using is_transparent = void;
    bool operator()(const KeyView& a, const KeyView& b) const {
      return a.line == b.line && a.column == b.column && a.ruleId == b.ruleId &&
             text::SameUnits(a.file, b.file);
    }
  };

  void Count(size_t index);

  int64_t page_ = 0;
  std::vector<RuleFinding> findings_;
  // The last page counted for each finding.
  std::vector<int64_t> findingPages_;
  std::unordered_map<Key, size_t, KeyHash, KeyEqual> index_;
};

}  // namespace lintra
