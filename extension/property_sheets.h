// The property-sheets object, offered only outside note and viewer contexts.
#pragma once

#include "extension/interface_object.h"

class SigilonExchExtPropertySheets
    : public SigilonInterfaceObject<IExchExtPropertySheets, SigilonExchExtPropertySheets> {
 public:
  using SigilonInterfaceObject::SigilonInterfaceObject;

  STDMETHODIMP_(ULONG) GetMaxPageCount(ULONG ulFlags) override;
  STDMETHODIMP GetPages(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags, LPPROPSHEETPAGE lppsp,
                        ULONG* lpcpsp) override;
  STDMETHODIMP_(VOID) FreePages(LPPROPSHEETPAGE lppsp, ULONG ulFlags, ULONG cpsp) override;
};
