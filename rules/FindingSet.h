#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Text.h"
#include "rules/FindingIndex.h"
#include "rules/HashedPath.h"
#include "rules/RuleFinding.h"

namespace lintra {

// The findings of a run, one per rule and place: a place that a second page reaches again only
// counts that page.
class FindingSet {
 public:
  // Starts the findings of the next page, numbered one above the page before.
  void BeginPage() { ++page_; }
  // Starts the findings of the page numbered `page` in the run, a number above those of the pages
  // begun here before, for sets that share a run's pages between them (see Merge).
  void BeginPage(int64_t page) { page_ = page; }
  // The number of the page begun last.
  int64_t Page() const { return page_; }

  // Counts the current page for the finding of `ruleId` at `place` when there is one, and
  // otherwise keeps the finding that `make` returns (called only then). The kept finding's page
  // count starts at 1, with the current page's number.
  template <class Make>
  void Report(std::string_view ruleId, const PlaceView& place, Make&& make) {
    const auto [at, added] = index_.TryEmplace(KeyOf(ruleId, place), findings_.size());
    if (!added) {
      Count(at);
      return;
    }
    RuleFinding& finding = Add(make());
    finding.pageNumber = page_;
  }
  template <class Make>
  void Report(std::string_view ruleId, const Place& place, Make&& make) {
    Report(ruleId, ViewOf(place), std::forward<Make>(make));
  }
  // Keeps `finding` of `ruleId`, which a rule made over the pages it numbers (see
  // RuleFinding::pageNumber), unless the set holds a finding of that rule at its place already.
  void Keep(std::string_view ruleId, RuleFinding&& finding);

  // Makes room for `count` findings, so that they, and the findings of a smaller set merged in
  // any order, are held without moving those already held.
  void Reserve(size_t count);
  // Makes room for `more` findings beyond those held, growing by at least half as much again as
  // there is room for, as a vector grows, so that room made page after page costs no more than
  // findings added one by one.
  void MakeRoom(size_t more);

  // How Merge leaves the findings: in the order of the pages that first found them, each page's
  // in the order its set found them, as one set over all the pages holds them; or in any order,
  // for a caller that sorts them itself (a set merged so keeps no order after).
  enum class MergeOrder { FirstFound, Any };

  // Adds the findings of `other`, made over other pages of the same run, numbered as here: a
  // finding of both counts the pages of both and keeps the chain of the earlier page that found
  // it.
  void Merge(FindingSet&& other, MergeOrder order = MergeOrder::FirstFound);

  // Puts in each finding the numbers of the later pages counted for it (see
  // RuleFinding::laterPageNumbers), which the set gathers apart until then.
  void SettlePages();

  // In the order they were first found (unless merged in any order); their later page numbers
  // are those settled last (see SettlePages).
  const std::vector<RuleFinding>& Findings() const { return findings_; }
  // The findings, in the order of Findings, their pages settled, moved out of a set that is done
  // with.
  std::vector<RuleFinding> TakeFindings() &&;

 private:
  using Key = FindingKey;

  // The number of the rule `id` and of the file `file`, given on first sight. Files are numbered
  // so that a finding's key holds numbers only, and a look-up compares paths only among the few
  // files, which stay at hand.
  uint32_t RuleNumber(std::string_view id);
  uint32_t FileNumber(const HashedPathView& file);
  Key KeyOf(std::string_view ruleId, const PlaceView& place) {
    return {RuleNumber(ruleId), FileNumber({place.file, place.fileHash}), place.line, place.column};
  }
  static PlaceView ViewOf(const Place& place) {
    return {place.file, text::HashIgnoringCase(place.file), place.line, place.column};
  }
  // Holds `finding` as found first on the current page.
  RuleFinding& Add(RuleFinding&& finding);
  void Count(size_t index);
  // Notes that the page numbered `page` reaches the finding at `index`, besides its first.
  void CountLater(size_t index, int64_t page) {
    laterPages_.push_back({static_cast<uint32_t>(index), static_cast<uint32_t>(page)});
  }
  // The keys of the findings of `other`, by their place there, in this set's numbering.
  std::vector<Key> KeysOf(const FindingSet& other);
  // Puts the findings in the order of their first pages, and those of one first page by
  // `sequence`, each finding's place among the findings of the set that found it first.
  void SortByFirstPage(const std::vector<size_t>& sequence);

  int64_t page_ = 0;
  std::vector<RuleFinding> findings_;
  // The last page counted for each finding, and the page that found it first.
  std::vector<int64_t> findingPages_;
  std::vector<int64_t> firstPages_;
  // Each later page counted for a finding, by the finding's place in findings_, until settled;
  // kept small, as a site's pages reach its shared files many times over.
  struct LaterPage {
    uint32_t finding;
    uint32_t page;
  };
  std::vector<LaterPage> laterPages_;
  FindingIndex index_;
  std::vector<std::string> rules_;
  // The rule last numbered, known by where its id lies, as one rule reports many times in a row.
  const char* lastRule_ = nullptr;
  uint32_t lastRuleNumber_ = 0;
  std::unordered_map<HashedPath, uint32_t, HashedPathHash, SamePath> files_;
};

}  // namespace lintra
