#pragma once

#include "rules/Rule.h"

namespace lintra {

// codepage-mismatch: files of one page saved in encodings that one response cannot carry: UTF-8
// beside a legacy code page, a file that is not UTF-8 in a page that declares CODEPAGE=65001, or
// an include that starts with a UTF-8 byte-order mark.
class CodepageMismatchRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;

 private:
  void Report(PageCheck& page, FindingSet& findings, File& node, Place place,
              const Text& message) const;
};

}  // namespace lintra
