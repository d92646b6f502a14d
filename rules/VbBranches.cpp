#include "rules/VbBranches.h"

#include <algorithm>

namespace lintra {

namespace {

bool Holds(const TextSpan& span, int32_t offset) {
  return span.begin <= offset && offset < span.end;
}

}  // namespace

bool InOtherBranches(const std::vector<Branch>& branches, int32_t first, int32_t second) {
  std::vector<int32_t> blocks;
  for (const Branch& branch : branches) {
    if (Holds(branch.span, first) && !Holds(branch.span, second)) blocks.push_back(branch.block);
  }
  if (blocks.empty()) return false;
  return std::any_of(branches.begin(), branches.end(), [&](const Branch& branch) {
    return Holds(branch.span, second) &&
           std::find(blocks.begin(), blocks.end(), branch.block) != blocks.end();
  });
}

void VbBranches::Statement(const std::vector<VbToken>& tokens) {
  const size_t at = tokens[0].start;
  size_t head = 0;
  if (IsWord(tokens, 0, u"else")) {
    NextBranch(false, at, false);
    // "Else If c Then" opens a block inside the Else branch.
    head = 1;
  } else if (IsWord(tokens, 0, u"elseif")) {
    NextBranch(false, at, false);
    return;
  } else if (IsWord(tokens, 0, u"case")) {
    NextBranch(true, at, false);
    return;
  } else if (IsWord(tokens, 0, u"end")) {
    if (IsWord(tokens, 1, u"if")) NextBranch(false, at, true);
    if (IsWord(tokens, 1, u"select")) NextBranch(true, at, true);
    return;
  } else if (IsWord(tokens, 0, u"select") && IsWord(tokens, 1, u"case")) {
    open_.push_back({true, blocks_++, -1});
    return;
  }
  if (IsWord(tokens, head, u"if") && IsWord(tokens, tokens.size() - 1, u"then")) {
    open_.push_back({false, blocks_++, static_cast<int32_t>(tokens[head].start)});
  }
}

void VbBranches::NextBranch(bool select, size_t at, bool closes) {
  if (open_.empty() || open_.back().select != select) return;
  Block& block = open_.back();
  const int32_t offset = static_cast<int32_t>(at);
  if (block.branchBegin >= 0) out_.push_back({{block.branchBegin, offset}, block.id});
  block.branchBegin = offset;
  if (closes) open_.pop_back();
}

bool VbBranches::IsWord(const std::vector<VbToken>& tokens, size_t index,
                        TextView lowerWord) const {
  return index < tokens.size() && lintra::IsWord(text_, tokens[index], lowerWord);
}

}  // namespace lintra
