// Strings and dialog templates from a module's resources.
#include <algorithm>
#include <cstring>

#include "module_resources.h"
#include "sigplat/dialog_template.h"
#include "unsupported.h"

using sigplat::detail::ModuleResources;
using sigplat::detail::ResourcesOf;

WINBASEAPI int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (cchBufferMax == 0) {
    // Windows then hands out a read-only pointer to the resource's UTF-16
    // text, which an 8-bit platform has no form for.
    sigplat::ReportFailure("LoadStringA",
                           "a buffer size of 0 (a pointer to the resource itself) is not supported",
                           ERROR_NOT_SUPPORTED);
    return 0;
  }
  if (!lpBuffer || cchBufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::shared_ptr<ModuleResources> resources = ResourcesOf(hInstance, "LoadStringA");
  if (!resources) return 0;
  const auto& strings = resources->script.strings;
  auto found = strings.find(uID);
  if (found == strings.end()) {
    SetLastError(strings.empty() ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
    lpBuffer[0] = '\0';
    return 0;
  }
  size_t length = std::min(found->second.size(), static_cast<size_t>(cchBufferMax) - 1);
  std::memcpy(lpBuffer, found->second.data(), length);
  lpBuffer[length] = '\0';
  return static_cast<int>(length);
}

namespace sigplat {

SIGPLAT_API const DialogTemplate* FindDialogTemplate(HINSTANCE module, LPCSTR name) {
  int id = 0;
  if (!detail::ResourceNumber(name, "FindDialogTemplate", &id)) return nullptr;
  std::shared_ptr<ModuleResources> resources = ResourcesOf(module, "FindDialogTemplate");
  if (!resources) return nullptr;
  const auto& dialogs = resources->script.dialogs;
  auto found = dialogs.find(id);
  if (found == dialogs.end()) {
    SetLastError(dialogs.empty() ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  // The cache keeps the template for as long as the module stays loaded.
  return &found->second;
}

}  // namespace sigplat
