#include <system_error>

#include "site/FolderLink.h"

namespace lintra {

bool IsFolderLink(const std::filesystem::directory_entry& entry) {
  std::error_code error;
  return entry.is_symlink(error);
}

}  // namespace lintra
