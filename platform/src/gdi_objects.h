// Bitmaps and icons as the process's handles stand for them. Handle values
// are never reused, so a handle used after DeleteObject or DestroyIcon is
// caught rather than reaching a newer object.
#pragma once

#include <memory>

#include "bitmap.h"
#include "win/base.h"

namespace sigplat::detail {

class GdiObject {
 public:
  virtual ~GdiObject() = default;
};

class BitmapObject : public GdiObject {
 public:
  DecodedBitmap image;
  bool dibSection = false;  // keeps the stored depth and colour table; else screen format
};

// Icons are not GDI objects on Windows (DeleteObject refuses them), but they
// live in the same table here.
class IconObject : public GdiObject {
 public:
  DecodedIcon icon;
  bool shared = false;  // LoadIconA's: owned by its module, not by the caller
};

HANDLE InsertGdiObject(std::shared_ptr<GdiObject> object);
std::shared_ptr<GdiObject> LookupGdiObject(const void* handle);
// Takes the object out of the table; null when the handle is unknown.
std::shared_ptr<GdiObject> RemoveGdiObject(const void* handle);

template <class T>
std::shared_ptr<T> LookupGdiObjectAs(const void* handle) {
  return std::dynamic_pointer_cast<T>(LookupGdiObject(handle));
}

}  // namespace sigplat::detail
