// IMessage over a stored message: properties read and written through the
// store's property bag, named properties through the store's name map, text
// properties opened as read-only streams.
#pragma once

#include <memory>

#include "com_object.h"
#include "message_store.h"
#include "winapi.h"

namespace simhost {

class Message final : public IMessage, private ComCount {
 public:
  // A new message object, reference count 1.
  static IMessage* Create(std::shared_ptr<StoredMessage> message,
                          std::shared_ptr<NamedProperties> names);

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;

  STDMETHOD(GetLastError)(HRESULT hResult, ULONG ulFlags, LPMAPIERROR* lppMAPIError) override;
  STDMETHOD(SaveChanges)(ULONG ulFlags) override;
  STDMETHOD(GetProps)(LPSPropTagArray lpPropTagArray, ULONG ulFlags, ULONG* lpcValues,
                      LPSPropValue* lppPropArray) override;
  STDMETHOD(GetPropList)(ULONG ulFlags, LPSPropTagArray* lppPropTagArray) override;
  STDMETHOD(OpenProperty)(ULONG ulPropTag, LPCIID lpiid, ULONG ulInterfaceOptions, ULONG ulFlags,
                          LPUNKNOWN* lppUnk) override;
  STDMETHOD(SetProps)(ULONG cValues, LPSPropValue lpPropArray,
                      LPSPropProblemArray* lppProblems) override;
  STDMETHOD(DeleteProps)(LPSPropTagArray lpPropTagArray,
                         LPSPropProblemArray* lppProblems) override;
  STDMETHOD(CopyTo)(ULONG ciidExclude, LPCIID rgiidExclude, LPSPropTagArray lpExcludeProps,
                    ULONG_PTR ulUIParam, LPMAPIPROGRESS lpProgress, LPCIID lpInterface,
                    LPVOID lpDestObj, ULONG ulFlags, LPSPropProblemArray* lppProblems) override;
  STDMETHOD(CopyProps)(LPSPropTagArray lpIncludeProps, ULONG_PTR ulUIParam,
                       LPMAPIPROGRESS lpProgress, LPCIID lpInterface, LPVOID lpDestObj,
                       ULONG ulFlags, LPSPropProblemArray* lppProblems) override;
  STDMETHOD(GetNamesFromIDs)(LPSPropTagArray* lppPropTags, LPGUID lpPropSetGuid, ULONG ulFlags,
                             ULONG* lpcPropNames, LPMAPINAMEID** lpppPropNames) override;
  STDMETHOD(GetIDsFromNames)(ULONG cPropNames, LPMAPINAMEID* lppPropNames, ULONG ulFlags,
                             LPSPropTagArray* lppPropTags) override;

  STDMETHOD(GetAttachmentTable)(ULONG ulFlags, LPMAPITABLE* lppTable) override;
  STDMETHOD(OpenAttach)(ULONG ulAttachmentNum, LPCIID lpInterface, ULONG ulFlags,
                        LPATTACH* lppAttach) override;
  STDMETHOD(CreateAttach)(LPCIID lpInterface, ULONG ulFlags, ULONG* lpulAttachmentNum,
                          LPATTACH* lppAttach) override;
  STDMETHOD(DeleteAttach)(ULONG ulAttachmentNum, ULONG_PTR ulUIParam, LPMAPIPROGRESS lpProgress,
                          ULONG ulFlags) override;
  STDMETHOD(GetRecipientTable)(ULONG ulFlags, LPMAPITABLE* lppTable) override;
  STDMETHOD(ModifyRecipients)(ULONG ulFlags, LPADRLIST lpMods) override;
  STDMETHOD(SubmitMessage)(ULONG ulFlags) override;
  STDMETHOD(SetReadFlag)(ULONG ulFlags) override;

 protected:
  ~Message() override = default;

 private:
  Message(std::shared_ptr<StoredMessage> message, std::shared_ptr<NamedProperties> names);

  std::shared_ptr<StoredMessage> message_;
  std::shared_ptr<NamedProperties> names_;
};

}  // namespace simhost
