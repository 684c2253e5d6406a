// Reading a message's text property through MAPI, and the objects a host
// callback hands out, released together.
#pragma once

#include "winapi.h"
#include "exchext.h"

enum class TextRead {
  Read,         // the text, terminated after the bytes read
  NoProperty,   // the property cannot be opened as a stream: the message has none yet
  Failed,       // opened, but reading it failed
};

// *ppszText is allocated with MAPIAllocateBuffer; the caller frees it.
TextRead ReadTextProperty(LPMAPIPROP pProp, ULONG ulPropTag, char** ppszText);

// The store and item of a host context, released when it goes.
struct ContextObjects {
  LPMDB pStore = nullptr;
  LPMAPIPROP pItem = nullptr;
  ContextObjects() = default;
  ContextObjects(const ContextObjects&) = delete;
  ContextObjects& operator=(const ContextObjects&) = delete;
  ~ContextObjects() {
    if (pItem) pItem->Release();
    if (pStore) pStore->Release();
  }
  HRESULT Get(LPEXCHEXTCALLBACK lpeecb) { return lpeecb->GetObject(&pStore, &pItem); }
};
