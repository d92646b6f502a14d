#pragma once

#include "platform/Text.h"

namespace lintra::lsp {

// What tells files of a site apart: the web path with "\" as "/", without leading "/" and in
// upper case, since the server finds a file whatever the letter case of its name.
Text FileKey(TextView webPath);
// Whether `key` is the FileKey of `webPath`, told without making that key.
bool HasFileKey(TextView webPath, TextView key);

}  // namespace lintra::lsp
