#include "rules/NameScan.h"

#include "rules/VbBuiltins.h"
#include "rules/VbUses.h"

namespace lintra {

namespace {

void PlaceUse(NameUse& use, const LineIndex& lines) {
  const LineColumn at = lines.At(use.offset + 1);
  use.line = at.line;
  use.column = at.column;
  use.endColumn = at.column + static_cast<int32_t>(use.key.size());
}

}  // namespace

NameScan ScanNames(TextView text, const LineIndex& lines, ScriptScan* script) {
  NameScan names;
  VbUses uses(text, names);
  ScriptScan scanned = ScanScript(text, lines, &uses);
  if (scanned.language == PageLanguage::Other) names = NameScan();
  for (size_t i = 0; i < names.uses.size(); ++i) {
    NameUse& use = names.uses[i];
    PlaceUse(use, lines);
    names.namesByText = names.namesByText || ReachesNamesByText(use.key);
    if (use.local < 0) names.pageUses.push_back(static_cast<uint32_t>(i));
  }
  for (LocalName& local : names.locals) PlaceName(local.declaration, lines);
  // The scan is kept as long as its text, while the texts of a site are checked page by page.
  names.uses.shrink_to_fit();
  names.pageUses.shrink_to_fit();
  if (script) *script = std::move(scanned);
  return names;
}

}  // namespace lintra
