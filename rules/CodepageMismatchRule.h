#pragma once

#include "rules/Rule.h"

namespace lintra {

// codepage-mismatch: files of one page whose text that reaches the reader is saved in encodings
// that one response cannot carry: UTF-8 beside a legacy code page, or a file that is not UTF-8 in a
// page that declares CODEPAGE=65001; and, as a note, an include that starts with a UTF-8
// byte-order mark.
class CodepageMismatchRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;

 private:
  // Reports `message` at `place`, in `node`, with `severity` unless the settings choose another.
  void Report(PageCheck& page, FindingSet& findings, File& node, Place place, const Text& message,
              Severity severity = Severity::Warning) const;
};

}  // namespace lintra
