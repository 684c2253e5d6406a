// The message class filter: a class outside the standard table, or a standard
// class whose item carries the custom-form property, marks a custom form.
#include "rules/message_class.h"

#include <cctype>
#include <cstring>
#include <string>

#include "env/trace.h"
#include "rules/mapi_text.h"

namespace {

const char* const kStandardClasses[] = {
    "IPM",
    "IPM.NOTE",
    "IPM.POST",
    "IPM.NOTE.RFC822",
    "IPM.NOTE.RFC822.MIME",
    "IPM.NOTE.MSP",
    "IPM.NOTE.MSP.SIGNED",
    "IPM.NOTE.P22",
    "IPM.NOTE.RULES.OOFTEMPLATE.MICROSOFT",
    "IPM.NOTE.RULES.REPLYTEMPLATE.MICROSOFT",
    "IPM.NOTE.P772",
};

constexpr LONG kCustomFormPropertyId = 0x8542;

bool IsStandardClass(const char* szClass) {
  std::string upper = szClass;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* szStandard : kStandardClasses) {
    if (upper == szStandard) return true;
  }
  return false;
}

// The custom-form property's value: 0 when absent or zero.
int CustomFormValue(LPMAPIPROP pItem, HWND hwnd) {
  GUID guidCommon;
  MakeGuid(&guidCommon, 0x00062008, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46);
  MAPINAMEID name = {};
  name.lpguid = &guidCommon;
  name.ulKind = MNID_ID;
  name.Kind.lID = kCustomFormPropertyId;
  LPMAPINAMEID pName = &name;
  LPSPropTagArray pTags = nullptr;
  if (FAILED(pItem->GetIDsFromNames(1, &pName, 0, &pTags)) || !pTags) {
    if (pTags) MAPIFreeBuffer(pTags);
    MessageBoxA(hwnd, "Failed to GetIDsFromNames.", "CheckMessageClass", MB_OK);
    return 0;
  }
  ULONG cValues = 0;
  LPSPropValue pValues = nullptr;
  const HRESULT hr = pItem->GetProps(pTags, 0, &cValues, &pValues);
  int nResult = 0;
  if (SUCCEEDED(hr) && pValues && cValues >= 1) {
    // An absent property reports MAPI_E_NOT_FOUND in the value's place.
    const ULONG ulValue = pValues[0].Value.ul;
    SIGTRACE(TRACE_MESSAGE_CLASS, "Custom Property 0x%X [0x%X]\r\n",
             static_cast<unsigned>(pValues[0].ulPropTag), static_cast<unsigned>(ulValue));
    nResult = ulValue != 0 && ulValue != static_cast<ULONG>(MAPI_E_NOT_FOUND) ? 1 : 0;
  }
  if (pValues) MAPIFreeBuffer(pValues);
  MAPIFreeBuffer(pTags);
  return nResult;
}

}  // namespace

void MakeGuid(GUID* pGuid, DWORD Data1, WORD Data2, WORD Data3, BYTE b0, BYTE b1, BYTE b2, BYTE b3,
              BYTE b4, BYTE b5, BYTE b6, BYTE b7) {
  if (!pGuid) return;
  pGuid->Data1 = Data1;
  pGuid->Data2 = Data2;
  pGuid->Data3 = Data3;
  const BYTE bytes[8] = {b0, b1, b2, b3, b4, b5, b6, b7};
  std::memcpy(pGuid->Data4, bytes, sizeof bytes);
}

int CheckMessageClass(LPEXCHEXTCALLBACK lpeecb) {
  SIGTRACE(TRACE_FUNCTION, "CheckMessageClass()\r\n");
  HWND hwnd = nullptr;
  lpeecb->GetWindow(&hwnd);
  ContextObjects objects;
  if (FAILED(objects.Get(lpeecb)) || !objects.pItem) {
    MessageBoxA(hwnd, "Error: Couldn't access the message.", "CheckMessageClass",
                MB_OK | MB_ICONERROR);
    return 0;
  }
  SizedSPropTagArray(1, tags) = {1, {PR_MESSAGE_CLASS}};
  ULONG cValues = 0;
  LPSPropValue pValues = nullptr;
  const HRESULT hr =
      objects.pItem->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &cValues, &pValues);
  int nResult = 0;
  if (hr == S_OK && pValues && cValues >= 1 && PROP_TYPE(pValues[0].ulPropTag) == PT_STRING8 &&
      pValues[0].Value.lpszA && pValues[0].Value.lpszA[0] != '\0') {
    SIGTRACE(TRACE_MESSAGE_CLASS, "Message Class: %s\r\n", pValues[0].Value.lpszA);
    nResult = IsStandardClass(pValues[0].Value.lpszA) ? CustomFormValue(objects.pItem, hwnd) : 1;
  } else {
    SIGTRACE(TRACE_MESSAGE_CLASS, "Message Class: <NULL>\r\n");
  }
  if (pValues) MAPIFreeBuffer(pValues);
  SIGTRACE(TRACE_MESSAGE_CLASS, "bCustomFormFound=%d\r\n", nResult);
  return nResult;
}
