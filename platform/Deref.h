#pragma once

#include <memory>

#include "platform/ErrorRecord.h"

namespace lintra {

// The object behind a reference that is about to be used; a null reference is the
// object-not-set error (91), as the platform raises it.
template <class T>
T& Deref(const std::shared_ptr<T>& object) {
  if (!object) RaisePlatformError(ErrorNumber::ObjectNotSet);
  return *object;
}

template <class T>
T& Deref(T* object) {
  if (!object) RaisePlatformError(ErrorNumber::ObjectNotSet);
  return *object;
}

}  // namespace lintra
