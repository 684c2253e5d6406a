// The message-events object, shared by all contexts while somebody holds it.
#pragma once

#include "extension/interface_object.h"

class SigilonExchExtMessageEvents
    : public SigilonInterfaceObject<IExchExtMessageEvents, SigilonExchExtMessageEvents> {
 public:
  using SigilonInterfaceObject::SigilonInterfaceObject;

  STDMETHODIMP OnRead(LPEXCHEXTCALLBACK lpeecb) override;
  STDMETHODIMP OnReadComplete(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) override;
  STDMETHODIMP OnWrite(LPEXCHEXTCALLBACK lpeecb) override;
  STDMETHODIMP OnWriteComplete(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) override;
  STDMETHODIMP OnCheckNames(LPEXCHEXTCALLBACK lpeecb) override;
  STDMETHODIMP OnCheckNamesComplete(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) override;
  STDMETHODIMP OnSubmit(LPEXCHEXTCALLBACK lpeecb) override;
  STDMETHODIMP_(VOID) OnSubmitComplete(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) override;
};
