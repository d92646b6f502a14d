#pragma once

#include "platform/Text.h"

namespace lintra {

// Whether `key`, an upper-cased name (see NamePlace::key), is one that every ASP page written in
// VBScript knows without declaring it: a VBScript function, constant or object, a statement that
// reads like a name, a literal keyword, or one of the objects that ASP gives every script.
bool IsVbBuiltin(TextView key);

// Whether `key`, an upper-cased name, is a built-in that runs a text as code (Execute,
// ExecuteGlobal, Eval), which may declare and use any name.
bool RunsText(TextView key);
// Whether the upper-cased name `key` is one of the built-ins that reach names by text: those that
// run text (see RunsText) and GetRef.
bool ReachesNamesByText(TextView key);

}  // namespace lintra
