#include "tests/support/test_callback.h"

namespace sigtest {

STDMETHODIMP TestCallback::QueryInterface(REFIID riid, void** ppv) {
  *ppv = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IExchExtCallback)) {
    *ppv = static_cast<IExchExtCallback*>(this);
  } else if (isOutlook_ && IsEqualIID(riid, IID_IOutlookExtCallback)) {
    *ppv = static_cast<IOutlookExtCallback*>(this);
  } else {
    return E_NOINTERFACE;
  }
  ++refs;
  return S_OK;
}

STDMETHODIMP TestCallback::GetWindow(HWND* phwnd) {
  *phwnd = window;
  return S_OK;
}

STDMETHODIMP TestCallback::GetObject(LPMDB* ppmdb, LPMAPIPROP* ppmp) {
  *ppmdb = nullptr;
  *ppmp = nullptr;
  if (objectFails || !store) return E_FAIL;
  *ppmdb = store->NewMsgStore();
  if (item) *ppmp = store->NewMessage(*item);
  return S_OK;
}

STDMETHODIMP TestCallback::GetSelectionCount(ULONG* pc) {
  *pc = selected || folderSelected ? 1 : 0;
  return S_OK;
}

STDMETHODIMP TestCallback::GetSelectionItem(ULONG ieid, ULONG* lpcbEid, LPENTRYID* lppeid,
                                            ULONG* lpulType, LPSTR, ULONG, ULONG*, ULONG) {
  *lpcbEid = 0;
  *lppeid = nullptr;
  if (ieid != 0 || !store || (!selected && !folderSelected)) return E_INVALIDARG;
  if (folderSelected) {
    *lpulType = MAPI_FOLDER;
    return simhost::CopyEntryId(store->FolderEntryId(simhost::Folder::Inbox), lpcbEid, lppeid);
  }
  *lpulType = MAPI_MESSAGE;
  if (selectionWithoutEntryId) return S_OK;
  return simhost::CopyEntryId(selected->EntryId(), lpcbEid, lppeid);
}

}  // namespace sigtest
