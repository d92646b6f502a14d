#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "apps/lintra/CheckResult.h"
#include "platform/Text.h"

namespace lintra {

// The text of line `line` (from 1) of the project file `file`; empty when there is none.
using LineText = std::function<Text(const Text& file, int32_t line)>;

// The fingerprint of each of `findings`, sorted as CheckResult keeps them, "HASH:N": HASH, 16
// hex digits, hashes the rule, the file and the text of the line the finding stands on without
// the white space at its ends (an empty line for a finding on a whole file); N counts the findings
// before it with the same HASH. Moving lines keeps every fingerprint; editing a flagged line
// makes it new.
std::vector<std::string> Fingerprints(const std::vector<RuleFinding>& findings,
                                      const LineText& lineOf);

// The key of `finding`'s cause, which the findings of one cause share (see RuleFinding): 16 hex
// digits that hash the rule and the message.
std::string CauseKey(const RuleFinding& finding);

}  // namespace lintra
