// The extension object that the host obtains through ExchEntryPoint, and the
// interface objects it hands out per context.
#pragma once

#include "winapi.h"
#include "exchext.h"

class SigilonExchExtCommands;
class SigilonExchExtUserEvents;
class SigilonExchExtMessageEvents;
class SigilonOutlookExtItemEvents;
class SigilonExchExtPropertySheets;

class SigilonExchExt : public IExchExt {
 public:
  SigilonExchExt() = default;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppvObj) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Install(LPEXCHEXTCALLBACK lpeecb, ULONG mecontext, ULONG ulFlags) override;
  virtual ~SigilonExchExt() = default;

  // Interface objects report their creation and deletion; on their last
  // Release their slot is cleared, even when it already holds a newer object.
  void ObjectCreated() { ++m_cLiveObjects; }
  void ObjectDeleted();
  void ClearSlot(SigilonExchExtCommands*) { m_pExchExtCommands = nullptr; }
  void ClearSlot(SigilonExchExtUserEvents*) { m_pExchExtUserEvents = nullptr; }
  void ClearSlot(SigilonExchExtMessageEvents*) { m_pExchExtMessageEvents = nullptr; }
  void ClearSlot(SigilonOutlookExtItemEvents*) { m_pOutlookExtItemEvents = nullptr; }
  void ClearSlot(SigilonExchExtPropertySheets*) { m_pExchExtPropertySheets = nullptr; }

  ULONG m_cRef = 0;
  ULONG m_context = 0;
  SigilonExchExtCommands* m_pExchExtCommands = nullptr;
  SigilonOutlookExtItemEvents* m_pOutlookExtItemEvents = nullptr;
  SigilonExchExtUserEvents* m_pExchExtUserEvents = nullptr;
  SigilonExchExtMessageEvents* m_pExchExtMessageEvents = nullptr;
  SigilonExchExtPropertySheets* m_pExchExtPropertySheets = nullptr;

 private:
  // The host may release the extension object before the interface objects
  // it handed out; the object then stays, detached from the host, until the
  // last of them is gone, so their back pointers never dangle.
  ULONG m_cLiveObjects = 0;
  BOOL m_bReleased = FALSE;
};

// The single extension object, null while none exists.
extern SigilonExchExt* g_pMyExtension;

DLLEXPORT LPEXCHEXT STDAPICALLTYPE ExchEntryPoint();
