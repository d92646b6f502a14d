#pragma once

#include "rules/Rule.h"

namespace lintra {

// exposed-include: an included file that holds server code under an extension the server does not
// run as script, so that a request for the file on its own would show that code as it is. A
// warning where the server sends the file (its extension has a MIME type, or the server sends any
// extension), a note where a server as installed refuses it.
class ExposedIncludeRule : public Rule {
 public:
  const RuleInfo& Info() const override;
  void Check(PageCheck& page, FindingSet& findings) override;

 protected:
  // A warning where the settings say the server sends files of any extension, a note otherwise.
  Severity DefaultSeverity(const RuleSettings& settings) const override;
};

}  // namespace lintra
