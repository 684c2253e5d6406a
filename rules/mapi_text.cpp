#include "rules/mapi_text.h"

TextRead ReadTextProperty(LPMAPIPROP pProp, ULONG ulPropTag, char** ppszText) {
  *ppszText = nullptr;
  IStream* pStream = nullptr;
  if (FAILED(pProp->OpenProperty(ulPropTag, &IID_IStream, 0, 0,
                                 reinterpret_cast<LPUNKNOWN*>(&pStream))) ||
      !pStream) {
    return TextRead::NoProperty;
  }
  TextRead result = TextRead::Failed;
  STATSTG stat = {};
  char* pszText = nullptr;
  LARGE_INTEGER start = {};
  ULONG cbRead = 0;
  // A text of 4 GB or more is not a body or a header anybody reads.
  if (SUCCEEDED(pStream->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart < 0xFFFFFFFFull &&
      MAPIAllocateBuffer(static_cast<ULONG>(stat.cbSize.QuadPart) + 1,
                         reinterpret_cast<LPVOID*>(&pszText)) == S_OK &&
      SUCCEEDED(pStream->Seek(start, STREAM_SEEK_SET, nullptr)) &&
      SUCCEEDED(pStream->Read(pszText, static_cast<ULONG>(stat.cbSize.QuadPart), &cbRead))) {
    pszText[cbRead] = '\0';
    *ppszText = pszText;
    pszText = nullptr;
    result = TextRead::Read;
  }
  if (pszText) MAPIFreeBuffer(pszText);
  pStream->Release();
  return result;
}
