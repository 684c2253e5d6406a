// The commands object: one per note window.
#pragma once

#include "extension/interface_object.h"

class SigilonExchExtCommands
    : public SigilonInterfaceObject<IExchExtCommands, SigilonExchExtCommands> {
 public:
  using SigilonInterfaceObject::SigilonInterfaceObject;

  STDMETHODIMP InstallCommands(LPEXCHEXTCALLBACK lpeecb, HWND hwnd, HMENU hmenu, UINT* lpcmdidBase,
                               LPTBENTRY lptbeArray, UINT ctbe, ULONG ulFlags) override;
  STDMETHODIMP_(VOID) InitMenu(LPEXCHEXTCALLBACK lpeecb) override;
  STDMETHODIMP DoCommand(LPEXCHEXTCALLBACK lpeecb, UINT cmdid) override;
  STDMETHODIMP Help(LPEXCHEXTCALLBACK lpeecb, UINT cmdid) override;
  STDMETHODIMP QueryHelpText(UINT cmdid, ULONG ulFlags, LPSTR lpsz, UINT cch) override;
  STDMETHODIMP QueryButtonInfo(ULONG tbid, UINT itbb, LPTBBUTTON ptbb, LPSTR lpsz, UINT cch,
                               ULONG ulFlags) override;
  STDMETHODIMP ResetToolbar(ULONG tbid, ULONG ulFlags) override;

  HWND m_hwnd = nullptr;  // the note whose commands were installed
  UINT m_cmdid = 0;       // the id the host gave the menu item
  UINT m_itbb = 0;        // the button's index on the standard toolbar
  UINT m_itbm = 0;        // the button image's index on that toolbar
};
