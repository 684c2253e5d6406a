// Bitmaps and icons from a module's resources: LoadImageA and its two short
// forms. The image is decoded from the embedded file at each load, as Windows
// makes a new object for each call (except for LoadIconA's shared icons).
#include <cstdio>
#include <string>

#include "gdi_objects.h"
#include "module_registry.h"
#include "module_resources.h"
#include "unsupported.h"

namespace sigplat::detail {
namespace {

// The system colours the load options map to, those of a current Windows in
// its default theme.
constexpr COLORREF kColour3DShadow = RGB(160, 160, 160);
constexpr COLORREF kColour3DFace = RGB(240, 240, 240);
constexpr COLORREF kColour3DLight = RGB(227, 227, 227);
constexpr COLORREF kColourWindow = RGB(255, 255, 255);

// SM_CXICON and SM_CYICON.
constexpr int kSystemIconSize = 32;

constexpr UINT kSupportedLoadFlags = LR_DEFAULTCOLOR | LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS |
                                     LR_LOADTRANSPARENT | LR_DEFAULTSIZE;

HANDLE Fail(const char* api, const std::string& reason, DWORD error) {
  ReportFailure(api, reason, error);
  return nullptr;
}

std::string Hex(UINT value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

// The embedded file of a BITMAP or ICON, or null with the last error set.
const std::string* ResourceFile(const ModuleResources& resources,
                                const std::map<int, std::string>& files, int id) {
  auto found = files.find(id);
  if (found == files.end()) {
    SetLastError(files.empty() ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return resources.archive.FindFile(found->second);
}

// Grey shades and the top-left pixel's colour, both in the colour table, so
// only images that have one are changed, as on Windows.
void AdjustColourTable(DecodedBitmap* image, UINT flags) {
  if (!image->Indexed() || image->colourTable.empty()) return;
  if (flags & LR_LOADMAP3DCOLORS) {
    for (COLORREF& colour : image->colourTable) {
      if (colour == RGB(128, 128, 128))
        colour = kColour3DShadow;
      else if (colour == RGB(192, 192, 192))
        colour = kColour3DFace;
      else if (colour == RGB(223, 223, 223))
        colour = kColour3DLight;
    }
  }
  if ((flags & LR_LOADTRANSPARENT) && !image->indices.empty()) {
    // Together with LR_LOADMAP3DCOLORS the background becomes the face colour.
    image->colourTable[image->indices[0]] =
        (flags & LR_LOADMAP3DCOLORS) ? kColour3DFace : kColourWindow;
  }
}

// A device-dependent bitmap has the screen's format: 32 bits, no colour table.
void ToScreenFormat(DecodedBitmap* image) {
  if (!image->Indexed()) {
    image->bitsPerPixel = 32;
    return;
  }
  std::vector<COLORREF> colours;
  colours.reserve(image->indices.size());
  for (uint8_t index : image->indices) colours.push_back(image->colourTable[index]);
  image->colours = std::move(colours);
  image->indices.clear();
  image->colourTable.clear();
  image->bitsPerPixel = 32;
}

HANDLE LoadBitmapResource(const ModuleResources& resources, int id, int cx, int cy, UINT flags,
                          const char* api) {
  const std::string* file = ResourceFile(resources, resources.script.bitmapFiles, id);
  if (!file) return nullptr;
  auto bitmap = std::make_shared<BitmapObject>();
  std::string error;
  if (!DecodeBmpFile(*file, &bitmap->image, &error))
    return Fail(api, "bitmap " + std::to_string(id) + ": " + error, ERROR_INVALID_DATA);
  if ((cx != 0 && cx != bitmap->image.width) || (cy != 0 && cy != bitmap->image.height)) {
    return Fail(api,
                "bitmap " + std::to_string(id) + " is " + std::to_string(bitmap->image.width) +
                    "x" + std::to_string(bitmap->image.height) + "; stretching it to " +
                    std::to_string(cx) + "x" + std::to_string(cy) + " is not supported",
                ERROR_NOT_SUPPORTED);
  }
  AdjustColourTable(&bitmap->image, flags);
  bitmap->dibSection = (flags & LR_CREATEDIBSECTION) != 0;
  if (!bitmap->dibSection) ToScreenFormat(&bitmap->image);
  return InsertGdiObject(bitmap);
}

// The icon image of the asked size: the system size for 0 with
// LR_DEFAULTSIZE, the first image's for 0 without.
HANDLE LoadIconResource(const ModuleResources& resources, int id, int cx, int cy, UINT flags,
                        bool shared, const char* api) {
  const std::string* file = ResourceFile(resources, resources.script.iconFiles, id);
  if (!file) return nullptr;
  std::vector<DecodedIcon> images;
  std::string error;
  if (!DecodeIcoFile(*file, &images, &error))
    return Fail(api, "icon " + std::to_string(id) + ": " + error, ERROR_INVALID_DATA);
  int width = cx != 0 ? cx : (flags & LR_DEFAULTSIZE) ? kSystemIconSize : images[0].image.width;
  int height = cy != 0 ? cy : (flags & LR_DEFAULTSIZE) ? kSystemIconSize : images[0].image.height;
  for (DecodedIcon& image : images) {
    if (image.image.width == width && image.image.height == height) {
      auto icon = std::make_shared<IconObject>();
      icon->icon = std::move(image);
      icon->shared = shared;
      return InsertGdiObject(icon);
    }
  }
  return Fail(api,
              "icon " + std::to_string(id) + " has no " + std::to_string(width) + "x" +
                  std::to_string(height) + " image, and scaling icons is not supported",
              ERROR_NOT_SUPPORTED);
}

HANDLE LoadModuleImage(HINSTANCE module, LPCSTR name, UINT type, int cx, int cy, UINT flags,
                       const char* api) {
  if (!module) {
    return Fail(api, "the system's own bitmaps and icons (a null module) are not supported",
                ERROR_NOT_SUPPORTED);
  }
  if (flags & ~kSupportedLoadFlags) {
    return Fail(api, "load options " + Hex(flags & ~kSupportedLoadFlags) + " are not supported",
                ERROR_NOT_SUPPORTED);
  }
  int id = 0;
  if (!ResourceNumber(name, api, &id)) return nullptr;
  std::shared_ptr<ModuleResources> resources = ResourcesOf(module, api);
  if (!resources) return nullptr;
  switch (type) {
    case IMAGE_BITMAP:
      return LoadBitmapResource(*resources, id, cx, cy, flags, api);
    case IMAGE_ICON:
      return LoadIconResource(*resources, id, cx, cy, flags, false, api);
    default:
      return Fail(api, "image type " + std::to_string(type) + " is not supported",
                  ERROR_NOT_SUPPORTED);
  }
}

}  // namespace
}  // namespace sigplat::detail

using namespace sigplat::detail;

WINBASEAPI HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy,
                                    UINT fuLoad) {
  return LoadModuleImage(hInst, name, type, cx, cy, fuLoad, "LoadImageA");
}

WINBASEAPI HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
  return static_cast<HBITMAP>(
      LoadModuleImage(hInstance, lpBitmapName, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR, "LoadBitmapA"));
}

// The system-size image, shared: every call for the same icon gives the same
// handle, which lives as long as the module.
WINBASEAPI HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  if (!hInstance) {
    Fail("LoadIconA", "the system's own icons (IDI_*) are not supported", ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  int id = 0;
  if (!ResourceNumber(lpIconName, "LoadIconA", &id)) return nullptr;
  std::lock_guard<std::recursive_mutex> guard(sigplat::detail::LoaderLock());
  std::shared_ptr<ModuleResources> resources = ResourcesOf(hInstance, "LoadIconA");
  if (!resources) return nullptr;
  auto known = resources->sharedIcons.find(id);
  if (known != resources->sharedIcons.end()) return known->second;
  HANDLE icon = LoadIconResource(*resources, id, 0, 0, LR_DEFAULTSIZE, true, "LoadIconA");
  if (icon) resources->sharedIcons.emplace(id, static_cast<HICON>(icon));
  return static_cast<HICON>(icon);
}
