#include "rules/site_files.h"

#include <cstdio>
#include <cstring>

#include "rules/settings_store.h"

int BuildSiteFilePath(char* szPath, const char* szFileName) {
  char szFolder[136] = "";
  HKEY hKey = nullptr;
  BOOL bRead = FALSE;
  if (OpenSettingsKey(HKEY_CURRENT_USER, szExchangeExt, KEY_READ, &hKey)) {
    bRead = ReadRegistryString(hKey, "ClassificationPath", szFolder, sizeof szFolder);
    RegCloseKey(hKey);
  }
  const size_t n = std::strlen(szFolder);
  const char* szSeparator = n > 0 && szFolder[n - 1] == '\\' ? "" : "\\";
  const int cch = std::snprintf(szPath, kSiteFilePathMax + 1, "%s%s%s", szFolder, szSeparator,
                                szFileName);
  return bRead && cch > 0 && static_cast<size_t>(cch) <= kSiteFilePathMax;
}
