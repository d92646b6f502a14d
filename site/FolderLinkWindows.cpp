#include <windows.h>

#include "site/FolderLink.h"

namespace lintra {

bool IsFolderLink(const std::filesystem::directory_entry& entry) {
  const DWORD attributes = GetFileAttributesW(entry.path().c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace lintra
