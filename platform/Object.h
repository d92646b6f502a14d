#pragma once

#include <memory>

namespace lintra {

// The base of every class a host can hold. Hosts hold objects by std::shared_ptr; an object can
// hand out a reference to itself once it is owned that way.
class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;

 protected:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
};

}  // namespace lintra
