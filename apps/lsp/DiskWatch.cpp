#include "apps/lsp/DiskWatch.h"

#include "apps/lsp/DiskStamps.h"
#ifdef __linux__
#include <system_error>

#include "apps/lsp/InotifyWatch.h"
#endif

namespace lintra::lsp {

std::unique_ptr<DiskWatch> MakeDiskWatch() {
#ifdef __linux__
  try {
    return std::make_unique<InotifyWatch>();
  } catch (const std::system_error&) {
  }
#endif
  return std::make_unique<DiskStamps>();
}

}  // namespace lintra::lsp
