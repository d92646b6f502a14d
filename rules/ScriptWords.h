#pragma once

#include <vector>

#include "platform/Text.h"
#include "rules/AspBlocks.h"

namespace lintra {

// The words of `stretches` of `text`, server script in a language the rules do not parse (JScript):
// every run of letters, digits and underscores that does not begin with a digit, upper-cased,
// sorted and without repeats. The words of strings and comments are taken too, so that a name the
// script may call is never missed; a word too many only keeps a name counted as used. Linear in
// the length of the stretches.
std::vector<Text> ScriptWords(TextView text, const std::vector<TextStretch>& stretches);

}  // namespace lintra
