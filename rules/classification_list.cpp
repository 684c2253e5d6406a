// The classification list and the two marking scans. The list is read afresh
// at every check so that a site's edits take effect at once.
#include "rules/classification_list.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>

#include "env/trace.h"
#include "extension/message_state.h"
#include "rules/settings_store.h"
#include "rules/site_files.h"

namespace {

constexpr size_t kEntryMax = 199;           // characters of one list entry
constexpr size_t kBodyTraceMax = 2000;      // longer bodies are not dumped to the log
constexpr size_t kFirstLineWindow = 1024;   // where FindFirstLineClass looks
constexpr size_t kFirstLineClassMax = 96;   // characters kept of a marking line

void CopyClass(char* szDest, const char* pText, size_t cch) {
  if (cch > kClassSize - 1) cch = kClassSize - 1;
  std::memcpy(szDest, pText, cch);
  szDest[cch] = '\0';
}

void UpperCase(char* p, size_t cch) {
  for (size_t i = 0; i < cch; ++i) p[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(p[i])));
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// A working copy in upper case with a line end appended, so that every line
// of it ends with one.
char* UpperCopyWithLineEnd(const char* szText, size_t cch) {
  char* pCopy = new (std::nothrow) char[cch + 3];
  if (!pCopy) return nullptr;
  std::memcpy(pCopy, szText, cch);
  UpperCase(pCopy, cch);
  std::memcpy(pCopy + cch, "\r\n", 3);
  return pCopy;
}

int FindAutodinClass(char* pCopy) {
  char* pStart = pCopy;
  while (*pStart == ':') ++pStart;
  // Line ends before the first line's text belong to the taken text, so that
  // a body starting with an empty line never matches.
  char* pLine = pStart;
  while (IsLineEnd(*pLine)) ++pLine;
  char* pEnd = pLine;
  while (*pEnd && !IsLineEnd(*pEnd) && *pEnd != ':') ++pEnd;
  while (pEnd > pStart && pEnd[-1] == ' ') --pEnd;
  *pEnd = '\0';
  return VerifyClassification(pStart);
}

int FindPrefixClass(const char* szText, const char* pCopy) {
  int nResult = 0;
  const char* pMarking = nullptr;
  if (_strnicmp(pCopy, szCLASSIFICATION, static_cast<size_t>(nClassMatchLength)) == 0) {
    pMarking = pCopy;
    bFirstLineClassFound = TRUE;
    nResult = 1;
  } else {
    char szSeek[kPrefixSize + 1];
    std::snprintf(szSeek, sizeof szSeek, "\n%s", szCLASSIFICATION);
    pMarking = std::strstr(pCopy, szSeek);
    bFirstLineClassFound = FALSE;
  }
  szBodyClass[0] = '\0';
  if (!pMarking) {
    bBodyClassFound = FALSE;
    SIGTRACE(TRACE_CLASSIFICATION, "FindBodyClass [NO CLASSIFICATION FOUND]\r\n");
    return 0;
  }

  // The classification is read from the text as given, not the upper-case copy.
  const char* pColon = std::strchr(szText + (pMarking - pCopy), ':');
  const char* pClass = "";
  size_t cch = 0;
  if (pColon) {
    pClass = pColon + 1;
    while (*pClass == '\n') ++pClass;
    const char* pLineEnd = std::strchr(pClass, '\n');
    cch = pLineEnd ? static_cast<size_t>(pLineEnd - pClass) : std::strlen(pClass);
    if (cch > 0 && pClass[cch - 1] == '\r') --cch;
    while (cch > 0 && *pClass == ' ') {
      ++pClass;
      --cch;
    }
  }
  CopyClass(szBodyClass, pClass, cch);
  if (nResult == 0) nResult = 2;
  bBodyClassFound = TRUE;
  bClassFound = TRUE;
  SIGTRACE(TRACE_CLASSIFICATION, "FindBodyClass  szBodyClass=%s\r\n", szBodyClass);
  return nResult;
}

}  // namespace

int VerifyClassification(const char* szClass) {
  SIGTRACE(TRACE_FUNCTION, "VerifyClassification()\r\n");
  char szPath[kSiteFilePathMax + 1];
  BuildSiteFilePath(szPath, "SIGILON.TXT");
  std::FILE* pFile = WinFOpen(szPath, "r");
  if (!pFile) {
    char szMessage[kSiteFilePathMax + 40];
    std::snprintf(szMessage, sizeof szMessage, "Can't open SIGILON.TXT file\n%s", szPath);
    MessageBoxA(GetFocus(), szMessage, "Error!  Missing file", MB_OK | MB_ICONERROR);
    bCancelled = TRUE;
    return 0;
  }
  const size_t cchClass = std::strlen(szClass);
  int nResult = 0;
  char szLine[kEntryMax + 1];
  while (std::fgets(szLine, sizeof szLine, pFile)) {
    size_t cch = std::strlen(szLine);
    if (cch > 0 && szLine[cch - 1] == '\n') szLine[--cch] = '\0';
    if (cch == cchClass && _stricmp(szLine, szClass) == 0) {
      bFirstLineClassFound = TRUE;
      bClassFound = TRUE;
      CopyClass(szBodyClass, szClass, cchClass);
      nResult = 1;
      break;
    }
  }
  std::fclose(pFile);
  SIGTRACE(TRACE_CLASSIFICATION, "VerifyClassification  szBodyClass=%s\r\n",
           nResult ? szBodyClass : "[NOT IN LIST]");
  return nResult;
}

int FindBodyClass(const char* szText) {
  SIGTRACE(TRACE_FUNCTION, "FindBodyClass()\r\n");
  const size_t cch = std::strlen(szText);
  if (cch == 0) return 0;
  SIGTRACE(TRACE_CLASSIFICATION, "FindBodyClass  Length of Body = %d bytes\r\n",
           static_cast<int>(cch));
  if (cch <= kBodyTraceMax) {
    SIGTRACE(TRACE_CLASSIFICATION,
             ">>>>>>>>>> Begin Body Text <<<<<<<<<<\r\n%s>>>>>>>>>> End Body Text <<<<<<<<<<\r\n",
             szText);
  } else {
    SIGTRACE(TRACE_CLASSIFICATION, "FindBodyClass  Length of Body is greater than %d characters.\r\n",
             static_cast<int>(kBodyTraceMax));
  }
  char* pCopy = UpperCopyWithLineEnd(szText, cch);
  if (!pCopy) return 0;
  const int nResult = bAUTODIN ? FindAutodinClass(pCopy) : FindPrefixClass(szText, pCopy);
  delete[] pCopy;
  return nResult;
}

void FindFirstLineClass(const char* szText) {
  SIGTRACE(TRACE_FUNCTION, "*FindFirstLineClass()\r\n");
  szFirstLineClass[0] = '\0';
  size_t cch = std::strlen(szText);
  if (cch > kFirstLineWindow) cch = kFirstLineWindow;
  char szWindow[kFirstLineWindow + 1];
  std::memcpy(szWindow, szText, cch);
  szWindow[cch] = '\0';

  const char* p = szWindow;
  if (!bAUTODIN) {
    UpperCase(szWindow, cch);
    char szPrefix[kPrefixSize];
    std::snprintf(szPrefix, sizeof szPrefix, "%s", szClassInsert);
    _strupr(szPrefix);
    p = std::strstr(szWindow, szPrefix);
    if (!p) {
      SIGTRACE(TRACE_CLASSIFICATION, "FindFirstLineClass [%s]\r\n", szFirstLineClass);
      return;
    }
    p += std::strlen(szPrefix);
  }
  while (*p == ' ') ++p;
  while (IsLineEnd(*p)) ++p;
  size_t cchLine = 0;
  while (p[cchLine] && !IsLineEnd(p[cchLine])) ++cchLine;
  if (cchLine > kFirstLineClassMax) cchLine = kFirstLineClassMax;
  while (cchLine > 0 && *p == ':') {
    ++p;
    --cchLine;
  }
  const char* pColon = static_cast<const char*>(std::memchr(p, ':', cchLine));
  if (pColon) cchLine = static_cast<size_t>(pColon - p);
  while (cchLine > 0 && p[cchLine - 1] == ' ') --cchLine;
  CopyClass(szFirstLineClass, p, cchLine);
  SIGTRACE(TRACE_CLASSIFICATION, "FindFirstLineClass [%s]\r\n", szFirstLineClass);
}
