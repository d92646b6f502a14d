#pragma once

#include "platform/Text.h"
#include "rules/RuleSettings.h"

namespace lintra {

// The web path of the application file, at the project's root, whose objects every page knows.
inline constexpr TextView ApplicationFilePath = u"global.asa";

// Sets what `text`, the application's global.asa, gives every page's script in `settings`
// (RuleSettings::applicationNames and applicationTypeLibrary): the ids of its server objects, the
// names its script declares at script level, and whether a METADATA comment brings a type
// library.
void TakeApplicationFile(TextView text, RuleSettings& settings);

}  // namespace lintra
