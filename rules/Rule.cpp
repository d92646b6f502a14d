#include "rules/Rule.h"

#include "analysis/File.h"

namespace lintra {

RuleFinding Rule::Make(PageCheck& page, File& holder, Place place, Text message) const {
  const RuleInfo& info = Info();
  return {info.id,
          info.severity,
          info.code,
          std::move(message),
          std::move(place),
          {},
          page.Page().FullPath(),
          page.ChainTo(holder),
          1};
}

}  // namespace lintra
