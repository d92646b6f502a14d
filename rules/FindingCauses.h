#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rules/RuleFinding.h"

namespace lintra {

// Whether `finding` comes before `other` in the order in which every surface lists findings: by
// file path, line and column, then rule and message.
bool ListedBefore(const RuleFinding& finding, const RuleFinding& other);

// The findings of one cause, those that share a rule and a message (see CauseKey): the one whose
// place comes first as a check lists them (by file path, line and column), whatever the order
// given, how many places it has, and how many pages reach them, each page once (by the findings'
// page numbers).
struct Cause {
  const RuleFinding* first = nullptr;
  size_t places = 0;
  int64_t pages = 0;
};

// The causes of `findings`, in the order in which each is first met; each
// points into `findings`.
std::vector<Cause> Causes(const std::vector<RuleFinding>& findings);

// Puts `causes` in the order in which they matter: the most severe first, then those that reach
// the most pages, else in the order given.
void RankCauses(std::vector<Cause>& causes);

}  // namespace lintra
