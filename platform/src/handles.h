// The process's kernel-object handles (files, snapshots), as one table so
// that CloseHandle closes whichever kind it is given.
#pragma once

#include <memory>

#include "win/base.h"

namespace sigplat::detail {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Handle values are never reused, so a handle closed twice is caught.
HANDLE InsertHandle(std::shared_ptr<KernelObject> object);

// Null when the handle is unknown or of another kind. The object stays alive
// while the caller holds it, even if another thread closes the handle.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);

template <class T>
std::shared_ptr<T> LookupHandleAs(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(LookupHandle(handle));
}

}  // namespace sigplat::detail
