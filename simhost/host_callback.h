// The host's callback object, one per context the host installs: what the
// extension may ask the host about that context. Operations the simulated
// host cannot serve yet answer E_NOTIMPL and say so in the transcript.
#pragma once

#include <atomic>
#include <string>

#include "exchext.h"
#include "host_report.h"
#include "mailbox.h"
#include "outlook_install.h"

namespace simhost {

class HostCallback : public IExchExtCallback, public IOutlookExtCallback {
 public:
  // Starts with one reference, the creator's.
  // The mailbox serves the store, the item and the selection of the
  // context; without one (a context that shows no item) they are absent.
  static HostCallback* Create(HostReport& report, ULONG context, HWND window,
                              const FileVersion& build, Mailbox* mailbox);

  // IUnknown, shared by both interfaces.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppvObj) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IExchExtCallback
  STDMETHODIMP GetVersion(ULONG* lpulVersion, ULONG ulFlags) override;
  STDMETHODIMP GetWindow(HWND* lphwnd) override;
  STDMETHODIMP GetMenu(HMENU* lphmenu) override;
  STDMETHODIMP GetToolbar(ULONG tbid, HWND* lphwndTb) override;
  STDMETHODIMP GetSession(LPMAPISESSION* lppses, LPADRBOOK* lppab) override;
  STDMETHODIMP GetObject(LPMDB* lppmdb, LPMAPIPROP* lppmp) override;
  STDMETHODIMP GetSelectionCount(ULONG* lpceid) override;
  STDMETHODIMP GetSelectionItem(ULONG ieid, ULONG* lpcbEid, LPENTRYID* lppeid, ULONG* lpulType,
                                LPSTR lpszMsgClass, ULONG cbMsgClass, ULONG* lpulMsgFlags,
                                ULONG ulFlags) override;
  STDMETHODIMP GetMenuPos(ULONG cmdid, HMENU* lphmenu, ULONG* lpmposMin, ULONG* lpmposMax,
                          ULONG ulFlags) override;
  STDMETHODIMP GetSharedExtsDir(LPSTR lpszDir, ULONG cchDir, ULONG ulFlags) override;
  STDMETHODIMP GetRecipients(LPADRLIST* lppal) override;
  STDMETHODIMP SetRecipients(LPADRLIST lpal) override;
  STDMETHODIMP GetNewMessageSite(ULONG fComposeInFolder, LPMAPIFOLDER pfldFocus,
                                 LPPERSISTMESSAGE ppermsg, LPMESSAGE* ppmsg,
                                 LPMAPIMESSAGESITE* ppmms, LPMAPIVIEWCONTEXT* ppmvc,
                                 ULONG ulFlags) override;
  STDMETHODIMP RegisterModeless(LPMAPIVIEWCONTEXT lpmvc, HWND hwnd) override;
  STDMETHODIMP ChooseFolder(LPMAPIFOLDER* lppfld) override;

  // IOutlookExtCallback; its GetObject is reached through that interface.
  STDMETHODIMP GetObject(IUnknown** ppunk) override;
  STDMETHODIMP GetOfficeCharacter(void** ppmsotfc) override;

  ULONG context() const { return context_; }

 protected:
  virtual ~HostCallback() = default;

 private:
  HostCallback(HostReport& report, ULONG context, HWND window, const FileVersion& build,
               Mailbox* mailbox)
      : report_(report), context_(context), window_(window), build_(build), mailbox_(mailbox) {}
  // What a call the host cannot serve yet returns, after saying so.
  HRESULT notAvailable(const char* operation);

  std::atomic<ULONG> refs_{1};
  HostReport& report_;
  ULONG context_;
  HWND window_;
  FileVersion build_;
  Mailbox* mailbox_;
};

// "2 viewer", "6 compose note", ... for the transcript.
std::string contextName(ULONG context);
// "S_OK", "S_FALSE", "E_NOINTERFACE", ... or the code in hexadecimal.
std::string resultName(HRESULT hr);

}  // namespace simhost
