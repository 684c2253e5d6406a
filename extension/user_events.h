// The user-events object, shared by all contexts while somebody holds it.
#pragma once

#include "extension/interface_object.h"

class SigilonExchExtUserEvents
    : public SigilonInterfaceObject<IExchExtUserEvents, SigilonExchExtUserEvents> {
 public:
  using SigilonInterfaceObject::SigilonInterfaceObject;

  STDMETHODIMP_(VOID) OnSelectionChange(LPEXCHEXTCALLBACK lpeecb) override;
  STDMETHODIMP_(VOID) OnObjectChange(LPEXCHEXTCALLBACK lpeecb) override;
};
