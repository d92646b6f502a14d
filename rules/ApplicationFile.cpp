#include "rules/ApplicationFile.h"

#include "rules/VbScanner.h"

namespace lintra {

void TakeApplicationFile(TextView text, RuleSettings& settings) {
  const ScriptScan scan = ScanScript(text);
  settings.applicationNames = scan.serverObjects;
  for (const Declaration& declaration : scan.declarations) {
    settings.applicationNames.push_back(declaration.key);
  }
  settings.applicationTypeLibrary = scan.typeLibrary;
}

}  // namespace lintra
