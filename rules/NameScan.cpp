#include "rules/NameScan.h"

#include "rules/VbBuiltins.h"

#include "rules/VbUses.h"

namespace lintra {

NameScan ScanNames(TextView text, const LineIndex& lines, ScriptScan* script) {
  NameScan names;
  VbUses uses(text, names);
  ScriptScan scanned = ScanScript(text, lines, &uses);
  if (scanned.language == PageLanguage::Other) names = NameScan();
  for (NameUse& use : names.uses) {
    PlaceName(use, lines);
    names.namesByText = names.namesByText || ReachesNamesByText(use.key);
  }
  for (LocalName& local : names.locals) PlaceName(local.declaration, lines);
  if (script) *script = std::move(scanned);
  return names;
}

}  // namespace lintra
