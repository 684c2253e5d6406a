// The item-events object: one per note window.
#pragma once

#include "extension/interface_object.h"

class SigilonOutlookExtItemEvents
    : public SigilonInterfaceObject<IOutlookExtItemEvents, SigilonOutlookExtItemEvents> {
 public:
  using SigilonInterfaceObject::SigilonInterfaceObject;

  STDMETHODIMP OnOpen(LPEXCHEXTCALLBACK lpeecb) override;
  STDMETHODIMP OnOpenComplete(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) override;
  STDMETHODIMP OnClose(LPEXCHEXTCALLBACK lpeecb, ULONG ulSaveOptions) override;
  STDMETHODIMP OnCloseComplete(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) override;
};
