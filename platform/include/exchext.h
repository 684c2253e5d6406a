// The host's extension interfaces, which no SDK declares: the extension object
// and its event interfaces, and the host's callbacks. The same declarations
// serve the Windows build.
#pragma once

#include "winapi.h"

struct IExchExtCallback;
typedef IExchExtCallback* LPEXCHEXTCALLBACK;

// One toolbar the host offers to InstallCommands.
typedef struct _TBENTRY {
  HWND hwnd;        // the toolbar window
  ULONG tbid;       // which toolbar; 1 is the standard toolbar
  ULONG ulFlags;
  UINT itbbBase;    // the next free button index; an extension that takes one advances it
} TBENTRY, *LPTBENTRY;

// Context numbers passed to IExchExt::Install.
#define EECONTEXT_SESSION 0x00000001
#define EECONTEXT_VIEWER 0x00000002
#define EECONTEXT_REMOTEVIEWER 0x00000003
#define EECONTEXT_SEARCHVIEWER 0x00000004
#define EECONTEXT_ADDRBOOK 0x00000005
#define EECONTEXT_SENDNOTEMESSAGE 0x00000006
#define EECONTEXT_READNOTEMESSAGE 0x00000007
#define EECONTEXT_SENDPOSTMESSAGE 0x00000008
#define EECONTEXT_READPOSTMESSAGE 0x00000009
#define EECONTEXT_READREPORTMESSAGE 0x0000000A
#define EECONTEXT_SENDRESENDMESSAGE 0x0000000B
#define EECONTEXT_PROPERTYSHEETS 0x0000000C
#define EECONTEXT_ADVANCEDCRITERIA 0x0000000D
#define EECONTEXT_TASK 0x0000000E

#define EETBID_STANDARD 1

#define EEME_FAILED 0x00000001
#define EEME_COMPLETE_FAILED 0x00000002

interface IExchExtCallback : public IUnknown {
  STDMETHOD(GetVersion)(ULONG* lpulVersion, ULONG ulFlags) PURE;
  STDMETHOD(GetWindow)(HWND* lphwnd) PURE;
  STDMETHOD(GetMenu)(HMENU* lphmenu) PURE;
  STDMETHOD(GetToolbar)(ULONG tbid, HWND* lphwndTb) PURE;
  STDMETHOD(GetSession)(LPMAPISESSION* lppses, LPADRBOOK* lppab) PURE;
  STDMETHOD(GetObject)(LPMDB* lppmdb, LPMAPIPROP* lppmp) PURE;
  STDMETHOD(GetSelectionCount)(ULONG* lpceid) PURE;
  STDMETHOD(GetSelectionItem)(ULONG ieid, ULONG* lpcbEid, LPENTRYID* lppeid, ULONG* lpulType,
                              LPSTR lpszMsgClass, ULONG cbMsgClass, ULONG* lpulMsgFlags,
                              ULONG ulFlags) PURE;
  STDMETHOD(GetMenuPos)(ULONG cmdid, HMENU* lphmenu, ULONG* lpmposMin, ULONG* lpmposMax,
                        ULONG ulFlags) PURE;
  STDMETHOD(GetSharedExtsDir)(LPSTR lpszDir, ULONG cchDir, ULONG ulFlags) PURE;
  STDMETHOD(GetRecipients)(LPADRLIST* lppal) PURE;
  STDMETHOD(SetRecipients)(LPADRLIST lpal) PURE;
  STDMETHOD(GetNewMessageSite)(ULONG fComposeInFolder, LPMAPIFOLDER pfldFocus,
                               LPPERSISTMESSAGE ppermsg, LPMESSAGE* ppmsg,
                               LPMAPIMESSAGESITE* ppmms, LPMAPIVIEWCONTEXT* ppmvc,
                               ULONG ulFlags) PURE;
  STDMETHOD(RegisterModeless)(LPMAPIVIEWCONTEXT lpmvc, HWND hwnd) PURE;
  STDMETHOD(ChooseFolder)(LPMAPIFOLDER* lppfld) PURE;

 protected:
  ~IExchExtCallback() = default;
};

interface IExchExt : public IUnknown {
  STDMETHOD(Install)(LPEXCHEXTCALLBACK lpeecb, ULONG mecontext, ULONG ulFlags) PURE;

 protected:
  ~IExchExt() = default;
};
typedef IExchExt* LPEXCHEXT;

interface IExchExtCommands : public IUnknown {
  STDMETHOD(InstallCommands)(LPEXCHEXTCALLBACK lpeecb, HWND hwnd, HMENU hmenu, UINT* lpcmdidBase,
                             LPTBENTRY lptbeArray, UINT ctbe, ULONG ulFlags) PURE;
  STDMETHOD_(VOID, InitMenu)(LPEXCHEXTCALLBACK lpeecb) PURE;
  STDMETHOD(DoCommand)(LPEXCHEXTCALLBACK lpeecb, UINT cmdid) PURE;
  STDMETHOD(Help)(LPEXCHEXTCALLBACK lpeecb, UINT cmdid) PURE;
  STDMETHOD(QueryHelpText)(UINT cmdid, ULONG ulFlags, LPSTR lpsz, UINT cch) PURE;
  STDMETHOD(QueryButtonInfo)(ULONG tbid, UINT itbb, LPTBBUTTON ptbb, LPSTR lpsz, UINT cch,
                             ULONG ulFlags) PURE;
  STDMETHOD(ResetToolbar)(ULONG tbid, ULONG ulFlags) PURE;

 protected:
  ~IExchExtCommands() = default;
};

interface IExchExtUserEvents : public IUnknown {
  STDMETHOD_(VOID, OnSelectionChange)(LPEXCHEXTCALLBACK lpeecb) PURE;
  STDMETHOD_(VOID, OnObjectChange)(LPEXCHEXTCALLBACK lpeecb) PURE;

 protected:
  ~IExchExtUserEvents() = default;
};

interface IExchExtMessageEvents : public IUnknown {
  STDMETHOD(OnRead)(LPEXCHEXTCALLBACK lpeecb) PURE;
  STDMETHOD(OnReadComplete)(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) PURE;
  STDMETHOD(OnWrite)(LPEXCHEXTCALLBACK lpeecb) PURE;
  STDMETHOD(OnWriteComplete)(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) PURE;
  STDMETHOD(OnCheckNames)(LPEXCHEXTCALLBACK lpeecb) PURE;
  STDMETHOD(OnCheckNamesComplete)(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) PURE;
  STDMETHOD(OnSubmit)(LPEXCHEXTCALLBACK lpeecb) PURE;
  STDMETHOD_(VOID, OnSubmitComplete)(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) PURE;

 protected:
  ~IExchExtMessageEvents() = default;
};

interface IExchExtPropertySheets : public IUnknown {
  STDMETHOD_(ULONG, GetMaxPageCount)(ULONG ulFlags) PURE;
  STDMETHOD(GetPages)(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags, LPPROPSHEETPAGE lppsp,
                      ULONG* lpcpsp) PURE;
  STDMETHOD_(VOID, FreePages)(LPPROPSHEETPAGE lppsp, ULONG ulFlags, ULONG cpsp) PURE;

 protected:
  ~IExchExtPropertySheets() = default;
};

interface IOutlookExtCallback : public IUnknown {
  STDMETHOD(GetObject)(IUnknown** ppunk) PURE;
  STDMETHOD(GetOfficeCharacter)(void** ppmsotfc) PURE;

 protected:
  ~IOutlookExtCallback() = default;
};

interface IOutlookExtItemEvents : public IUnknown {
  STDMETHOD(OnOpen)(LPEXCHEXTCALLBACK lpeecb) PURE;
  STDMETHOD(OnOpenComplete)(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) PURE;
  STDMETHOD(OnClose)(LPEXCHEXTCALLBACK lpeecb, ULONG ulSaveOptions) PURE;
  STDMETHOD(OnCloseComplete)(LPEXCHEXTCALLBACK lpeecb, ULONG ulFlags) PURE;

 protected:
  ~IOutlookExtItemEvents() = default;
};

// The entry point's type, as the host looks it up.
typedef LPEXCHEXT(STDAPICALLTYPE* LPFNEXCHEXTENTRY)();

// The identifiers of the interfaces above.
inline constexpr IID IID_IExchExtCallback = {0x00020D10, 0x0000, 0x0000,
                                             {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IExchExt = {0x00020D11, 0x0000, 0x0000,
                                     {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IExchExtCommands = {0x00020D12, 0x0000, 0x0000,
                                             {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IExchExtUserEvents = {0x00020D13, 0x0000, 0x0000,
                                               {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IExchExtMessageEvents = {
    0x00020D15, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IExchExtPropertySheets = {
    0x00020D17, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IOutlookExtCallback = {0x0006720D, 0x0000, 0x0000,
                                                {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IOutlookExtItemEvents = {
    0x0006723A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
