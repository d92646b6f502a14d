#include "control/ControlSupport.h"

namespace lintra {

namespace control {

std::shared_ptr<File> FileOf(const Node& node) {
  const std::shared_ptr<Object>& tag = node.Tag();
  if (!tag) return nullptr;
  auto file = std::dynamic_pointer_cast<File>(tag);
  if (!file) RaisePlatformError(ErrorNumber::TypeMismatch);
  return file;
}

}  // namespace control

}  // namespace lintra
