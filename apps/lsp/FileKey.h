#pragma once

#include "platform/Text.h"

namespace lintra::lsp {

// What tells files of a site apart: the web path with "\" as "/" and without leading "/", in the
// letter case it is written in. The server names every file that is on disk by its real web path
// (see DiskFiles::WebPathOnDisk), as the command line does, so two files whose names differ only
// in letter case, which a case-sensitive disk holds, stay two files, each with its diagnostics.
Text FileKey(TextView webPath);
// Whether `key` is the FileKey of `webPath`, told without making that key.
bool HasFileKey(TextView webPath, TextView key);

}  // namespace lintra::lsp
