// Inspection of stored messages through the host's MAPI objects. Every call
// fetches its properties afresh and releases what it obtained.
#include "rules/message_checks.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "env/trace.h"
#include "extension/message_state.h"
#include "rules/classification_list.h"
#include "rules/mapi_text.h"
#include "rules/settings_store.h"

const char szICARUS[20] = "*ICARUS ENCRYPTED*";
const char szEncrypted[20] = "ENCRYPTED: ICARUS";

namespace {

void UpperCase(char* psz) {
  for (; *psz; ++psz) *psz = static_cast<char>(std::toupper(static_cast<unsigned char>(*psz)));
}

// The message a scan of the selection reads: the selected item, opened
// through the store, or the context's own item when the selection names none.
class SelectedMessage {
 public:
  SelectedMessage() = default;
  SelectedMessage(const SelectedMessage&) = delete;
  SelectedMessage& operator=(const SelectedMessage&) = delete;
  ~SelectedMessage() {
    if (m_pOpened) m_pOpened->Release();
    if (m_pEntryId) MAPIFreeBuffer(m_pEntryId);
  }

  // Steps common to both scans; FALSE when there is nothing to scan (the
  // user has been told when something failed).
  BOOL Reach(LPEXCHEXTCALLBACK lpeecb, const char* szCaller, ULONG* pulObjType) {
    if (FAILED(m_context.Get(lpeecb))) {
      MessageBoxA(GetFocus(), "Error: Couldn't access the message store.", szCaller,
                  MB_OK | MB_ICONERROR);
      return FALSE;
    }
    ULONG cbEntryId = 0;
    ULONG ulType = 0;
    const HRESULT hr =
        lpeecb->GetSelectionItem(0, &cbEntryId, &m_pEntryId, &ulType, nullptr, 0, nullptr, 0);
    if (pulObjType) *pulObjType = ulType;
    if (FAILED(hr) || ulType != MAPI_MESSAGE) return FALSE;
    if (m_pEntryId) {
      ULONG ulOpenedType = 0;
      if (!m_context.pStore ||
          FAILED(m_context.pStore->OpenEntry(cbEntryId, m_pEntryId, nullptr, MAPI_BEST_ACCESS,
                                             &ulOpenedType,
                                             reinterpret_cast<LPUNKNOWN*>(&m_pOpened))) ||
          !m_pOpened) {
        MessageBoxA(GetFocus(), "Error: Couldn't access the message.", szCaller,
                    MB_OK | MB_ICONERROR);
        return FALSE;
      }
      m_pMessage = m_pOpened;
    } else {
      m_pMessage = m_context.pItem;
    }
    if (!m_pMessage) {
      MessageBoxA(GetFocus(), "Error: Couldn't access the message.", szCaller, MB_OK | MB_ICONERROR);
      return FALSE;
    }
    return TRUE;
  }
  LPMAPIPROP Message() const { return m_pMessage; }

 private:
  ContextObjects m_context;
  LPENTRYID m_pEntryId = nullptr;
  LPMAPIPROP m_pOpened = nullptr;
  LPMAPIPROP m_pMessage = nullptr;  // not owned
};

void CopyCut(char* szResult, const char* szText, size_t cchMax) {
  size_t cch = std::strlen(szText);
  if (cch > cchMax) cch = cchMax;
  if (cch > kClassSize - 1) cch = kClassSize - 1;
  std::memcpy(szResult, szText, cch);
  szResult[cch] = '\0';
}

// The context's own item, for the ICARUS checks; the owner window for their
// message boxes.
BOOL ReachContextItem(LPEXCHEXTCALLBACK lpeecb, ContextObjects* pObjects, const char* szCaller) {
  HWND hwnd = nullptr;
  lpeecb->GetWindow(&hwnd);
  if (FAILED(pObjects->Get(lpeecb)) || !pObjects->pItem) {
    MessageBoxA(hwnd, "Error: Couldn't access the message.", szCaller, MB_OK | MB_ICONERROR);
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int CheckBodyClass(LPEXCHEXTCALLBACK lpeecb, char* szResult, ULONG* pulObjType) {
  SIGTRACE(TRACE_FUNCTION, "CheckBodyClass()\r\n");
  bMessageBodyExists = TRUE;
  SelectedMessage message;
  if (!message.Reach(lpeecb, "CheckBodyClass", pulObjType)) {
    szResult[0] = '\0';
    return 0;
  }
  SIGTRACE(TRACE_MAPI_OBJECTS, "CheckBodyClass pMessage=%p\r\n",
           static_cast<void*>(message.Message()));
  char* pszBody = nullptr;
  const TextRead read = ReadTextProperty(message.Message(), PR_BODY, &pszBody);
  if (read == TextRead::NoProperty) {
    bMessageBodyExists = FALSE;
    return 0;
  }
  if (read != TextRead::Read) return 0;
  int nResult = 0;
  szResult[0] = '\0';
  if (pszBody[0] != '\0' && FindBodyClass(pszBody) != 0) {
    nResult = 1;
    const int cchMax = 193 - nClassMatchLength;
    CopyCut(szResult, szBodyClass, cchMax > 0 ? static_cast<size_t>(cchMax) : 0);
  }
  MAPIFreeBuffer(pszBody);
  SIGTRACE(TRACE_CLASSIFICATION, "CheckBodyClass [%s] bBodyClassExists=%d\r\n", szResult, nResult);
  return nResult;
}

int CheckHeaderClass(LPEXCHEXTCALLBACK lpeecb, char* szResult, ULONG* pulObjType) {
  SIGTRACE(TRACE_FUNCTION, "CheckHeaderClass()\r\n");
  szResult[0] = '\0';
  SelectedMessage message;
  if (!message.Reach(lpeecb, "CheckHeaderClass", pulObjType)) return 0;
  SIGTRACE(TRACE_MAPI_OBJECTS, "CheckHeaderClass pMessage=%p\r\n",
           static_cast<void*>(message.Message()));
  bIcarus = FALSE;
  char* pszHeader = nullptr;
  if (ReadTextProperty(message.Message(), PR_TRANSPORT_MESSAGE_HEADERS, &pszHeader) !=
      TextRead::Read) {
    return 0;
  }
  SIGTRACE(TRACE_HEADER, "Length of SMTP Header = %d bytes\r\n",
           static_cast<int>(std::strlen(pszHeader)));
  SIGTRACE(TRACE_HEADER,
           ">>>>>>>>>> Begin SMTP Header <<<<<<<<<<\r\n%s\r\n>>>>>>>>>> End SMTP Header "
           "<<<<<<<<<<\r\n",
           pszHeader);
  int nResult = 0;
  if (FindBodyClass(pszHeader) != 0) {
    nResult = 1;
    CopyCut(szResult, szBodyClass, kClassSize - 1);
  }
  MAPIFreeBuffer(pszHeader);
  SIGTRACE(TRACE_CLASSIFICATION, "CheckHeaderClass [%s] bSMTPClassExists=%d\r\n", szResult,
           nResult);
  return nResult;
}

int CheckHeaderICARUS(LPEXCHEXTCALLBACK lpeecb) {
  SIGTRACE(TRACE_FUNCTION, "CheckHeaderICARUS()\r\n");
  ContextObjects objects;
  if (!ReachContextItem(lpeecb, &objects, "CheckHeaderClass")) return 0;
  bIcarus = FALSE;
  char* pszHeader = nullptr;
  if (ReadTextProperty(objects.pItem, PR_TRANSPORT_MESSAGE_HEADERS, &pszHeader) != TextRead::Read) {
    return 0;
  }
  int nResult = 0;
  if (pszHeader[0] != '\0') {
    UpperCase(pszHeader);
    nResult = std::strstr(pszHeader, szEncrypted) ? 1 : 0;
  }
  MAPIFreeBuffer(pszHeader);
  return nResult;
}

int CheckSubjectICARUS(LPEXCHEXTCALLBACK lpeecb) {
  SIGTRACE(TRACE_FUNCTION, "CheckSubjectICARUS()\r\n");
  ContextObjects objects;
  if (!ReachContextItem(lpeecb, &objects, "CheckSubjectICARUS")) return 0;
  SIGTRACE(TRACE_SUBJECT, "pMessage: %p\r\n", static_cast<void*>(objects.pItem));
  SizedSPropTagArray(1, tags) = {1, {PR_SUBJECT}};
  ULONG cValues = 0;
  LPSPropValue pValues = nullptr;
  if (FAILED(objects.pItem->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &cValues,
                                     &pValues))) {
    return 0;
  }
  int nResult = 0;
  if (pValues && cValues >= 1 && PROP_TYPE(pValues[0].ulPropTag) == PT_STRING8 &&
      pValues[0].Value.lpszA && pValues[0].Value.lpszA[0] != '\0') {
    char* pszSubject = pValues[0].Value.lpszA;
    SIGTRACE(TRACE_SUBJECT, "Subject: %s\r\n", pszSubject);
    UpperCase(pszSubject);
    nResult = std::strstr(pszSubject, szICARUS) ? 1 : 0;
  }
  if (pValues) MAPIFreeBuffer(pValues);
  return nResult;
}
