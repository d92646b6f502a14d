#pragma once

#include <cstdint>
#include <vector>

#include "platform/Text.h"
#include "rules/VbScanner.h"
#include "rules/VbToken.h"

namespace lintra {

// Whether the offsets `first` and `second` lie in different branches of one block among
// `branches`, as VbBranches keeps them: each time that block runs, at most one of the two places
// does.
bool InOtherBranches(const std::vector<Branch>& branches, int32_t first, int32_t second);

// Follows the block If and Select Case statements of one script, statement by statement, and
// keeps the branches of the blocks it sees. A single-line If (a statement after Then) opens no
// block; a branch or End that no open block of its kind takes is passed over, and a branch still
// open when the text ends is not kept.
class VbBranches {
 public:
  // Branches go to `out`, which must outlive this.
  VbBranches(TextView text, std::vector<Branch>& out) : text_(text), out_(out) {}

  // Takes the next statement, `tokens` (not empty); false when it is none of If, ElseIf, Else,
  // Case, Select Case and End.
  bool Statement(const std::vector<VbToken>& tokens);
  // After the last statement: puts the branches in order of their starts and links each to the
  // branch that holds it.
  void Finish();

 private:
  struct Block {
    bool select = false;
    int32_t id = 0;
    // The start of the branch going on, or -1 before a Select Case's first Case.
    int32_t branchBegin = -1;
  };

  // Ends the branch going on in the innermost block, when it is a Select Case (`select`) or a
  // block If as asked, at `at`, and begins the next one there unless `closes`.
  void NextBranch(bool select, size_t at, bool closes);
  bool IsWord(const std::vector<VbToken>& tokens, size_t index, TextView lowerWord) const;

  TextView text_;
  std::vector<Branch>& out_;
  std::vector<Block> open_;
  int32_t blocks_ = 0;
};

}  // namespace lintra
