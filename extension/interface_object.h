// What the five interface objects share: an interlocked count, a plain back
// pointer to the extension object (no reference held), QueryInterface handed
// on to the extension object, and deletion at count zero.
#pragma once

#include "extension/exch_ext.h"

template <class Interface, class Derived>
class SigilonInterfaceObject : public Interface {
 public:
  explicit SigilonInterfaceObject(SigilonExchExt* pExchExt) : m_pExchExt(pExchExt) {
    m_pExchExt->ObjectCreated();
  }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppvObj) override {
    return m_pExchExt->QueryInterface(riid, ppvObj);
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&m_cRef));
  }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG cRef = InterlockedDecrement(&m_cRef);
    if (cRef != 0) return static_cast<ULONG>(cRef);
    SigilonExchExt* pExchExt = m_pExchExt;
    pExchExt->ClearSlot(static_cast<Derived*>(this));
    delete this;
    pExchExt->ObjectDeleted();
    return 0;
  }
  virtual ~SigilonInterfaceObject() = default;

 protected:
  LONG m_cRef = 0;
  SigilonExchExt* m_pExchExt;
};
