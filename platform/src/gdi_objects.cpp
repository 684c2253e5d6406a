#include "gdi_objects.h"

#include <cstdint>
#include <map>
#include <mutex>

#include "sigplat/gdi.h"

namespace sigplat::detail {
namespace {

struct GdiTable {
  std::mutex lock;
  std::map<uintptr_t, std::shared_ptr<GdiObject>> objects;
  uintptr_t next = 0x00A00010;  // apart from kernel handles and window handles, to catch mix-ups
};

GdiTable& Table() {
  static GdiTable* table = new GdiTable;
  return *table;
}

}  // namespace

HANDLE InsertGdiObject(std::shared_ptr<GdiObject> object) {
  GdiTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  uintptr_t value = t.next;
  t.next += 4;
  t.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<GdiObject> LookupGdiObject(const void* handle) {
  GdiTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == t.objects.end() ? nullptr : it->second;
}

std::shared_ptr<GdiObject> RemoveGdiObject(const void* handle) {
  GdiTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == t.objects.end()) return nullptr;
  std::shared_ptr<GdiObject> object = std::move(it->second);
  t.objects.erase(it);
  return object;
}

}  // namespace sigplat::detail

using namespace sigplat::detail;

WINBASEAPI BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  if (!ho) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // An icon is a user object: DeleteObject does not know its handle.
  std::shared_ptr<GdiObject> object = LookupGdiObject(ho);
  if (!object || std::dynamic_pointer_cast<IconObject>(object)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  RemoveGdiObject(ho);
  return TRUE;
}

WINBASEAPI BOOL WINAPI DestroyIcon(HICON hIcon) {
  std::shared_ptr<IconObject> icon = LookupGdiObjectAs<IconObject>(hIcon);
  if (!icon) {
    SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return FALSE;
  }
  // A shared icon belongs to its module and goes when the module goes.
  if (!icon->shared) RemoveGdiObject(hIcon);
  return TRUE;
}

namespace sigplat {

SIGPLAT_API bool DescribeBitmap(HBITMAP bitmap, BitmapInfo* info) {
  std::shared_ptr<BitmapObject> object = LookupGdiObjectAs<BitmapObject>(bitmap);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  const DecodedBitmap& image = object->image;
  *info = BitmapInfo{};
  info->width = image.width;
  info->height = image.height;
  info->bitsPerPixel = image.bitsPerPixel;
  info->dibSection = object->dibSection;
  info->colourTable = image.colourTable;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) info->pixels.push_back(image.PixelColour(x, y));
  }
  return true;
}

SIGPLAT_API bool DescribeIcon(HICON icon, IconInfo* info) {
  std::shared_ptr<IconObject> object = LookupGdiObjectAs<IconObject>(icon);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  const DecodedBitmap& image = object->icon.image;
  *info = IconInfo{};
  info->width = image.width;
  info->height = image.height;
  info->bitsPerPixel = image.bitsPerPixel;
  info->shared = object->shared;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) info->pixels.push_back(image.PixelColour(x, y));
  }
  for (uint8_t bit : object->icon.transparent) info->transparent.push_back(bit != 0);
  return true;
}

}  // namespace sigplat
