#include "rules/VbBranches.h"

#include <algorithm>

namespace lintra {

namespace {

bool Holds(const TextSpan& span, int32_t offset) {
  return span.begin <= offset && offset < span.end;
}

// The position of the innermost of `branches` that holds `offset`, or -1. Branches nest or lie
// apart, so the innermost that holds it is the last to start before it or one that holds that.
int32_t Innermost(const std::vector<Branch>& branches, int32_t offset) {
  const auto after =
      std::upper_bound(branches.begin(), branches.end(), offset,
                       [](int32_t at, const Branch& branch) { return at < branch.span.begin; });
  auto at = static_cast<int32_t>(after - branches.begin()) - 1;
  while (at >= 0 && !Holds(branches[static_cast<size_t>(at)].span, offset)) {
    at = branches[static_cast<size_t>(at)].parent;
  }
  return at;
}

}  // namespace

bool InOtherBranches(const std::vector<Branch>& branches, int32_t first, int32_t second) {
  for (int32_t a = Innermost(branches, first); a >= 0;
       a = branches[static_cast<size_t>(a)].parent) {
    for (int32_t b = Innermost(branches, second); b >= 0;
         b = branches[static_cast<size_t>(b)].parent) {
      if (branches[static_cast<size_t>(a)].block == branches[static_cast<size_t>(b)].block) {
        return a != b;
      }
    }
  }
  return false;
}

bool VbBranches::Statement(const std::vector<VbToken>& tokens) {
  const size_t at = tokens[0].start;
  size_t head = 0;
  if (IsWord(tokens, 0, u"else")) {
    NextBranch(false, at, false);
    // "Else If c Then" opens a block inside the Else branch.
    head = 1;
  } else if (IsWord(tokens, 0, u"elseif")) {
    NextBranch(false, at, false);
    return true;
  } else if (IsWord(tokens, 0, u"case")) {
    NextBranch(true, at, false);
    return true;
  } else if (IsWord(tokens, 0, u"end")) {
    if (IsWord(tokens, 1, u"if")) NextBranch(false, at, true);
    if (IsWord(tokens, 1, u"select")) NextBranch(true, at, true);
    return true;
  } else if (IsWord(tokens, 0, u"select") && IsWord(tokens, 1, u"case")) {
    open_.push_back({true, blocks_++, -1});
    return true;
  }
  if (!IsWord(tokens, head, u"if")) return head == 1;
  if (IsWord(tokens, tokens.size() - 1, u"then")) {
    open_.push_back({false, blocks_++, static_cast<int32_t>(tokens[head].start)});
  }
  return true;
}

void VbBranches::Finish() {
  std::sort(out_.begin(), out_.end(),
            [](const Branch& a, const Branch& b) { return a.span.begin < b.span.begin; });
  std::vector<int32_t> holding;
  for (size_t i = 0; i < out_.size(); ++i) {
    while (!holding.empty() &&
           out_[static_cast<size_t>(holding.back())].span.end <= out_[i].span.begin) {
      holding.pop_back();
    }
    out_[i].parent = holding.empty() ? -1 : holding.back();
    holding.push_back(static_cast<int32_t>(i));
  }
}

void VbBranches::NextBranch(bool select, size_t at, bool closes) {
  if (open_.empty() || open_.back().select != select) return;
  Block& block = open_.back();
  const int32_t offset = static_cast<int32_t>(at);
  if (block.branchBegin >= 0) out_.push_back({{block.branchBegin, offset}, block.id, -1});
  block.branchBegin = offset;
  if (closes) open_.pop_back();
}

bool VbBranches::IsWord(const std::vector<VbToken>& tokens, size_t index,
                        TextView lowerWord) const {
  return index < tokens.size() && lintra::IsWord(text_, tokens[index], lowerWord);
}

}  // namespace lintra
