#include "rules/VbBranches.h"

#include <algorithm>
#include <utility>

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

bool EndsResponseAfter(const std::vector<Branch>& branches, int32_t place, int32_t outside) {
  for (int32_t at = Innermost(branches, place); at >= 0;
       at = branches[static_cast<size_t>(at)].parent) {
    const Branch& branch = branches[static_cast<size_t>(at)];
    // The branches around one that holds `outside` hold it too.
    if (Holds(branch.span, outside)) return false;
    if (branch.ends > place) return true;
  }
  return false;
}

VbBranches::Lead VbBranches::LeadOf(TextView text, const VbToken& first) {
  static constexpr std::pair<TextView, Lead> Leads[] = {{u"if", Lead::If},
                                                        {u"else", Lead::Else},
                                                        {u"elseif", Lead::ElseIf},
                                                        {u"case", Lead::Case},
                                                        {u"select", Lead::Select},
                                                        {u"end", Lead::End},
                                                        {u"for", Lead::For},
                                                        {u"do", Lead::Do},
                                                        {u"while", Lead::While},
                                                        {u"next", Lead::Next},
                                                        {u"loop", Lead::Loop},
                                                        {u"wend", Lead::Wend},
                                                        {u"response", Lead::Response}};
  const auto found = FindWord(text, first, Leads, [](const auto& lead) { return lead.first; });
  return found == std::end(Leads) ? Lead::Other : found->second;
}

bool VbBranches::Statement(const std::vector<VbToken>& tokens, bool inBody) {
  const Lead lead = LeadOf(text_, tokens[0]);
  if (lead == Lead::Other) return false;
  if (BlockStatement(lead, tokens, inBody) || LoopStatement(lead)) return true;
  if (lead != Lead::Response || !EndsResponse(tokens)) return false;
  NoteEnd(tokens[0].start, inBody);
  return true;
}

bool VbBranches::BlockStatement(Lead lead, const std::vector<VbToken>& tokens, bool inBody) {
  const size_t at = tokens[0].start;
  size_t head = 0;
  switch (lead) {
    case Lead::Else:
      NextBranch(false, at, false);
      // "Else If c Then" opens a block inside the Else branch.
      head = 1;
      break;
    case Lead::ElseIf:
      NextBranch(false, at, false);
      return true;
    case Lead::Case:
      NextBranch(true, at, false);
      return true;
    case Lead::End:
      if (IsWord(tokens, 1, u"if")) NextBranch(false, at, true);
      if (IsWord(tokens, 1, u"select")) NextBranch(true, at, true);
      return true;
    case Lead::Select:
      if (!IsWord(tokens, 1, u"case")) return false;
      open_.push_back({true, blocks_++, -1, loops_, inBody});
      return true;
    case Lead::If:
      break;
    default:
      return false;
  }
  if (!IsWord(tokens, head, u"if")) return head == 1;
  if (IsWord(tokens, tokens.size() - 1, u"then")) {
    open_.push_back({false, blocks_++, static_cast<int32_t>(tokens[head].start), loops_, inBody});
  }
  return true;
}

bool VbBranches::LoopStatement(Lead lead) {
  switch (lead) {
    case Lead::For:
    case Lead::Do:
    case Lead::While:
      ++loops_;
      return true;
    case Lead::Next:
    case Lead::Loop:
    case Lead::Wend:
      if (loops_ > 0) --loops_;
      return true;
    default:
      return false;
  }
}

bool VbBranches::EndsResponse(const std::vector<VbToken>& tokens) const {
  if (!IsWord(tokens, 0, u"response") || !IsPunct(tokens, 1, u'.')) return false;
  if (IsWord(tokens, 2, u"redirect")) return true;
  // End takes no argument: "Response.End()" is the one other way to write the call.
  return IsWord(tokens, 2, u"end") &&
         (tokens.size() == 3 ||
          (tokens.size() == 5 && IsPunct(tokens, 3, u'(') && IsPunct(tokens, 4, u')')));
}

void VbBranches::NoteEnd(size_t at, bool inBody) {
  if (open_.empty()) return;
  Block& block = open_.back();
  if (block.ends < 0 && block.branchBegin >= 0 && block.loops == loops_ && block.inBody == inBody) {
    block.ends = static_cast<int32_t>(at);
  }
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
  if (block.branchBegin >= 0) {
    out_.push_back({{block.branchBegin, offset}, block.id, -1, block.ends});
  }
  block.branchBegin = offset;
  block.ends = -1;
  if (closes) open_.pop_back();
}

bool VbBranches::IsWord(const std::vector<VbToken>& tokens, size_t index,
                        TextView lowerWord) const {
  return index < tokens.size() && lintra::IsWord(text_, tokens[index], lowerWord);
}

bool VbBranches::IsPunct(const std::vector<VbToken>& tokens, size_t index, char16_t unit) const {
  return index < tokens.size() && lintra::IsPunct(text_, tokens[index], unit);
}

}  // namespace lintra
