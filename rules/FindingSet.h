#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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
  void Report(const std::string& ruleId, const Place& place, Make&& make) {
    const KeyView key{ruleId, place.file, place.line, place.column};
    const auto known = index_.find(key);
    if (known != index_.end()) {
      Count(known->second);
      return;
    }
    index_.emplace(Key{ruleId, place.file, place.line, place.column}, findings_.size());
    findings_.push_back(make());
    findingPages_.push_back(page_);
  }

  // In the order they were first found.
  const std::vector<RuleFinding>& Findings() const { return findings_; }

 private:
  // What tells findings apart: the rule and where the place starts. Looked up through a
  // KeyView, so that a place reached again costs no copy of its names.
  struct Key {
    std::string ruleId;
    Text file;
    int32_t line;
    int32_t column;
  };
  struct KeyView {
    std::string_view ruleId;
    TextView file;
    int32_t line;
    int32_t column;
  };
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(const KeyView& key) const;
    size_t operator()(const Key& key) const {
      return (*this)(KeyView{key.ruleId, key.file, key.line, key.column});
    }
  };
  struct KeyEqual {
    using is_transparent = void;
    static KeyView View(const Key& key) { return {key.ruleId, key.file, key.line, key.column}; }
    static KeyView View(const KeyView& key) { return key; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
      const KeyView x = View(a);
      const KeyView y = View(b);
      return x.line == y.line && x.column == y.column && x.ruleId == y.ruleId && x.file == y.file;
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
