// The colour map: one "red:green:blue:keyword" entry per line, first match
// wins. Read afresh at every lookup so that a site's edits take effect at once.
#include "rules/colour_map.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "env/trace.h"
#include "extension/message_state.h"
#include "rules/settings_store.h"
#include "rules/site_files.h"

namespace {

// A whole line without its line end, however long; FALSE at the end of the file.
bool ReadLine(std::FILE* pFile, std::string* pLine) {
  pLine->clear();
  char szChunk[128];
  while (std::fgets(szChunk, sizeof szChunk, pFile)) {
    pLine->append(szChunk);
    if (!pLine->empty() && pLine->back() == '\n') {
      pLine->pop_back();
      return true;
    }
  }
  return !pLine->empty();
}

// Leading spaces allowed; read up to the first character that is not a
// hexadecimal digit; no digit at all is 0; anything above FF is FF.
DWORD ParseColourField(const std::string& field) {
  size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  DWORD dwValue = 0;
  for (; i < field.size() && std::isxdigit(static_cast<unsigned char>(field[i])); ++i) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(field[i])));
    dwValue = dwValue * 16 + static_cast<DWORD>(c <= '9' ? c - '0' : c - 'A' + 10);
    if (dwValue > 0xFF) dwValue = 0x100;  // stays above FF without overflowing
  }
  return dwValue > 0xFF ? 0xFF : dwValue;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = line[0] == ':' ? 1 : 0;  // a leading colon shifts the fields by one
  while (true) {
    const size_t colon = line.find(':', start);
    fields.push_back(line.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  fields.resize(4 > fields.size() ? 4 : fields.size());
  return fields;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

void CheckColourMap(COLORREF* pColour) {
  SIGTRACE(TRACE_FUNCTION, "CheckColourMap()\r\n");
  const std::string classification = Upper(szFirstLineClass);

  HKEY hKey = nullptr;
  if (!OpenSettingsKey(HKEY_CURRENT_USER, szExchangeExt, KEY_READ, &hKey)) {
    MessageBoxA(GetFocus(),
                "HKEY_CURRENT_USER\\Software\\Microsoft\\Exchange\\Client\\Extensions\\Sigilon for "
                "Outlook",
                "Error accessing Registry Key", MB_OK | MB_ICONERROR);
    return;
  }
  RegCloseKey(hKey);
  char szPath[kSiteFilePathMax + 1];
  BuildSiteFilePath(szPath, "SIGILON.MAP");
  std::FILE* pFile = WinFOpen(szPath, "r");
  if (!pFile) {
    char szMessage[kSiteFilePathMax + 40];
    std::snprintf(szMessage, sizeof szMessage, "Can't open SIGILON.MAP file\n%s", szPath);
    MessageBoxA(GetFocus(), szMessage, "Error!  Missing file", MB_OK | MB_ICONERROR);
    return;
  }
  std::string line;
  while (ReadLine(pFile, &line)) {
    if (line.empty() || line[0] == ';') continue;
    const std::vector<std::string> fields = SplitFields(line);
    const DWORD dwRed = ParseColourField(fields[0]);
    const DWORD dwGreen = ParseColourField(fields[1]);
    const DWORD dwBlue = ParseColourField(fields[2]);
    const std::string keyword = Trim(fields[3]);
    if (keyword.empty()) {
      char szMessage[kSiteFilePathMax + 80];
      std::snprintf(szMessage, sizeof szMessage,
                    "Missing keyword in  SIGILON.MAP file\n%s \nfor colour %X:%2X:%02X", szPath,
                    static_cast<unsigned>(dwRed), static_cast<unsigned>(dwGreen),
                    static_cast<unsigned>(dwBlue));
      MessageBoxA(GetFocus(), szMessage, "Error!  Incorrect file format", MB_OK | MB_ICONERROR);
      continue;
    }
    if (classification.find(Upper(keyword)) != std::string::npos) {
      *pColour = dwRed + dwGreen * 256 + dwBlue * 65536;
      break;
    }
  }
  std::fclose(pFile);
}
