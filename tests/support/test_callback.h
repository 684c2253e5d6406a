// The host's callback as a unit test drives the extension with it: a window,
// Outlook's own callback unless the host is another client, and the store,
// item and selection of the context from the simulated message store.
#pragma once

#include <string>

#include "exchext.h"
#include "message_store.h"

namespace sigtest {

class TestCallback : public IExchExtCallback, public IOutlookExtCallback {
 public:
  explicit TestCallback(bool isOutlook = true) : isOutlook_(isOutlook) {}
  virtual ~TestCallback() = default;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP GetVersion(ULONG*, ULONG) override { return E_NOTIMPL; }
  STDMETHODIMP GetWindow(HWND* phwnd) override;
  STDMETHODIMP GetMenu(HMENU*) override { return E_NOTIMPL; }
  STDMETHODIMP GetToolbar(ULONG, HWND*) override { return E_NOTIMPL; }
  STDMETHODIMP GetSession(LPMAPISESSION*, LPADRBOOK*) override { return E_NOTIMPL; }
  STDMETHODIMP GetObject(LPMDB* ppmdb, LPMAPIPROP* ppmp) override;
  STDMETHODIMP GetSelectionCount(ULONG* pc) override;
  STDMETHODIMP GetSelectionItem(ULONG ieid, ULONG* lpcbEid, LPENTRYID* lppeid, ULONG* lpulType,
                                LPSTR, ULONG, ULONG*, ULONG) override;
  STDMETHODIMP GetMenuPos(ULONG, HMENU*, ULONG*, ULONG*, ULONG) override { return E_NOTIMPL; }
  STDMETHODIMP GetSharedExtsDir(LPSTR, ULONG, ULONG) override { return E_NOTIMPL; }
  STDMETHODIMP GetRecipients(LPADRLIST*) override { return E_NOTIMPL; }
  STDMETHODIMP SetRecipients(LPADRLIST) override { return E_NOTIMPL; }
  STDMETHODIMP GetNewMessageSite(ULONG, LPMAPIFOLDER, LPPERSISTMESSAGE, LPMESSAGE*,
                                 LPMAPIMESSAGESITE*, LPMAPIVIEWCONTEXT*, ULONG) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP RegisterModeless(LPMAPIVIEWCONTEXT, HWND) override { return E_NOTIMPL; }
  STDMETHODIMP ChooseFolder(LPMAPIFOLDER*) override { return E_NOTIMPL; }
  STDMETHODIMP GetObject(IUnknown**) override { return E_NOTIMPL; }
  STDMETHODIMP GetOfficeCharacter(void**) override { return E_NOTIMPL; }

  int refs = 0;
  HWND window = nullptr;
  simhost::Store* store = nullptr;
  simhost::StoredMessage* item = nullptr;      // the context's own item
  simhost::StoredMessage* selected = nullptr;  // the first selected item, if a message
  bool folderSelected = false;                 // the selection holds a folder instead
  bool selectionWithoutEntryId = false;        // the item is selected but named by no entry id
  bool objectFails = false;                    // GetObject fails

 private:
  bool isOutlook_;
};

}  // namespace sigtest
