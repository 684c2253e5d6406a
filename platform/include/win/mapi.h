// MAPI: the message store's interfaces, property tags and values, and MAPI's
// memory. Interfaces the system only passes along are declared without members.
#pragma once

#include "win/com.h"
#include "win/error.h"
#include "win/stream.h"

typedef struct _ENTRYID {
  BYTE abFlags[4];
  BYTE ab[1];
} ENTRYID, *LPENTRYID;

struct _ADRLIST;
typedef struct _ADRLIST ADRLIST, *LPADRLIST;

interface IMAPIProp;
interface IMsgStore;
interface IMessage;
interface IMAPIFolder;
interface IMAPISession;
interface IAddrBook;
interface IPersistMessage;
interface IMAPIMessageSite;
interface IMAPIViewContext;
interface IMAPITable;
interface IAttach;
interface IMAPIProgress;
interface IMAPIAdviseSink;
typedef IMAPIProp* LPMAPIPROP;
typedef IMsgStore* LPMDB;
typedef IMessage* LPMESSAGE;
typedef IMAPIFolder* LPMAPIFOLDER;
typedef IMAPISession* LPMAPISESSION;
typedef IAddrBook* LPADRBOOK;
typedef IPersistMessage* LPPERSISTMESSAGE;
typedef IMAPIMessageSite* LPMAPIMESSAGESITE;
typedef IMAPIViewContext* LPMAPIVIEWCONTEXT;
typedef IMAPITable* LPMAPITABLE;
typedef IAttach* LPATTACH;
typedef IMAPIProgress* LPMAPIPROGRESS;
typedef IMAPIAdviseSink* LPMAPIADVISESINK;

struct _NOTIFICATION;
typedef struct _NOTIFICATION NOTIFICATION, *LPNOTIFICATION;

typedef GUID* LPGUID;
typedef const IID* LPCIID;

// Variable-length MAPI structures are declared with one element.
#define MAPI_DIM 1

typedef struct _MAPIUID {
  BYTE ab[16];
} MAPIUID, *LPMAPIUID;

// ---------------------------------------------------------------------------
// Property tags: the type in the low word, the identifier in the high word.

#define PROP_TYPE_MASK ((ULONG)0x0000FFFF)
#define PROP_TYPE(ulPropTag) (((ULONG)(ulPropTag)) & PROP_TYPE_MASK)
#define PROP_ID(ulPropTag) (((ULONG)(ulPropTag)) >> 16)
#define PROP_TAG(ulPropType, ulPropID) ((((ULONG)(ulPropID)) << 16) | ((ULONG)(ulPropType)))
#define CHANGE_PROP_TYPE(ulPropTag, ulPropType) \
  ((((ULONG)(ulPropTag)) & 0xFFFF0000) | ((ULONG)(ulPropType)))
#define PROP_ID_NULL 0
#define PROP_ID_INVALID 0xFFFF

// PT_NULL (1) is left out: <elf.h>, which the loader includes, has its own.
#define PT_UNSPECIFIED ((ULONG)0)
#define PT_I2 ((ULONG)2)
#define PT_LONG ((ULONG)3)
#define PT_R4 ((ULONG)4)
#define PT_DOUBLE ((ULONG)5)
#define PT_CURRENCY ((ULONG)6)
#define PT_APPTIME ((ULONG)7)
#define PT_ERROR ((ULONG)10)
#define PT_BOOLEAN ((ULONG)11)
#define PT_OBJECT ((ULONG)13)
#define PT_I8 ((ULONG)20)
#define PT_STRING8 ((ULONG)30)
#define PT_UNICODE ((ULONG)31)
#define PT_SYSTIME ((ULONG)64)
#define PT_CLSID ((ULONG)72)
#define PT_BINARY ((ULONG)258)
#define MV_FLAG 0x1000
#define PT_TSTRING PT_STRING8

#define PR_MESSAGE_CLASS PROP_TAG(PT_STRING8, 0x001A)
#define PR_SUBJECT PROP_TAG(PT_STRING8, 0x0037)
#define PR_TRANSPORT_MESSAGE_HEADERS PROP_TAG(PT_STRING8, 0x007D)
#define PR_MESSAGE_FLAGS PROP_TAG(PT_LONG, 0x0E07)
#define PR_ENTRYID PROP_TAG(PT_BINARY, 0x0FFF)
#define PR_OBJECT_TYPE PROP_TAG(PT_LONG, 0x0FFE)
#define PR_BODY PROP_TAG(PT_STRING8, 0x1000)
#define PR_DISPLAY_NAME PROP_TAG(PT_STRING8, 0x3001)

// Named properties live from this identifier upward.
#define MIN_NAMED_PROP_ID 0x8000

// PR_MESSAGE_FLAGS bits.
#define MSGFLAG_READ 0x00000001
#define MSGFLAG_UNMODIFIED 0x00000002
#define MSGFLAG_SUBMIT 0x00000004
#define MSGFLAG_UNSENT 0x00000008
#define MSGFLAG_HASATTACH 0x00000010

// Object types (OpenEntry, PR_OBJECT_TYPE, selection items).
#define MAPI_STORE ((ULONG)0x00000001)
#define MAPI_ADDRBOOK ((ULONG)0x00000002)
#define MAPI_FOLDER ((ULONG)0x00000003)
#define MAPI_ABCONT ((ULONG)0x00000004)
#define MAPI_MESSAGE ((ULONG)0x00000005)
#define MAPI_MAILUSER ((ULONG)0x00000006)
#define MAPI_ATTACH ((ULONG)0x00000007)

// Flags of OpenEntry, OpenProperty and GetIDsFromNames.
#define MAPI_MODIFY ((ULONG)0x00000001)
#define MAPI_CREATE ((ULONG)0x00000002)
#define MAPI_DEFERRED_ERRORS ((ULONG)0x00000008)
#define MAPI_BEST_ACCESS ((ULONG)0x00000010)
#define MAPI_UNICODE ((ULONG)0x80000000)

// SetReadFlag.
#define SUPPRESS_RECEIPT ((ULONG)0x00000001)
#define CLEAR_READ_FLAG ((ULONG)0x00000004)

// SaveChanges.
#define KEEP_OPEN_READONLY ((ULONG)0x00000001)
#define KEEP_OPEN_READWRITE ((ULONG)0x00000002)
#define FORCE_SAVE ((ULONG)0x00000004)

// ---------------------------------------------------------------------------
// Result codes. Several are the COM codes of the same meaning.

#define MAPI_E_CALL_FAILED E_FAIL
#define MAPI_E_NOT_ENOUGH_MEMORY E_OUTOFMEMORY
#define MAPI_E_INVALID_PARAMETER E_INVALIDARG
#define MAPI_E_INTERFACE_NOT_SUPPORTED E_NOINTERFACE
#define MAPI_E_NO_ACCESS E_ACCESSDENIED
#define MAPI_E_NO_SUPPORT ((HRESULT)0x80040102L)
#define MAPI_E_BAD_CHARWIDTH ((HRESULT)0x80040103L)
#define MAPI_E_UNKNOWN_FLAGS ((HRESULT)0x80040106L)
#define MAPI_E_INVALID_ENTRYID ((HRESULT)0x80040107L)
#define MAPI_E_NOT_FOUND ((HRESULT)0x8004010FL)
#define MAPI_E_COMPUTED ((HRESULT)0x8004011AL)
#define MAPI_E_UNKNOWN_ENTRYID ((HRESULT)0x80040201L)
#define MAPI_W_ERRORS_RETURNED ((HRESULT)0x00040380L)

// ---------------------------------------------------------------------------
// Property values.

typedef struct _SBinary {
  ULONG cb;
  LPBYTE lpb;
} SBinary, *LPSBinary;

union _PV {
  short int i;            // PT_I2
  LONG l;                 // PT_LONG
  ULONG ul;               // PT_LONG, unsigned
  float flt;              // PT_R4
  double dbl;             // PT_DOUBLE
  unsigned short int b;   // PT_BOOLEAN
  double at;              // PT_APPTIME
  FILETIME ft;            // PT_SYSTIME
  LPSTR lpszA;            // PT_STRING8
  SBinary bin;            // PT_BINARY
  LPWSTR lpszW;           // PT_UNICODE
  LPGUID lpguid;          // PT_CLSID
  LARGE_INTEGER li;       // PT_I8
  SCODE err;              // PT_ERROR
  LONG x;                 // PT_OBJECT and the null type: no value
};

typedef struct _SPropValue {
  ULONG ulPropTag;
  ULONG dwAlignPad;
  union _PV Value;
} SPropValue, *LPSPropValue;

typedef struct _SPropTagArray {
  ULONG cValues;
  ULONG aulPropTag[MAPI_DIM];
} SPropTagArray, *LPSPropTagArray;

#define CbNewSPropTagArray(_ctag) \
  (offsetof(SPropTagArray, aulPropTag) + (_ctag) * sizeof(ULONG))
#define CbSPropTagArray(_lparray) CbNewSPropTagArray((_lparray)->cValues)
#define SizedSPropTagArray(_ctag, _name) \
  struct _SPropTagArray_##_name {        \
    ULONG cValues;                       \
    ULONG aulPropTag[_ctag];             \
  } _name

typedef struct _SPropProblem {
  ULONG ulIndex;
  ULONG ulPropTag;
  SCODE scode;
} SPropProblem, *LPSPropProblem;

typedef struct _SPropProblemArray {
  ULONG cProblem;
  SPropProblem aProblem[MAPI_DIM];
} SPropProblemArray, *LPSPropProblemArray;

// A named property: a property set and either a number or a name in it.
#define MNID_ID 0
#define MNID_STRING 1

typedef struct _MAPINAMEID {
  LPGUID lpguid;
  ULONG ulKind;
  union {
    LONG lID;
    LPWSTR lpwstrName;
  } Kind;
} MAPINAMEID, *LPMAPINAMEID;

typedef struct _MAPIERROR {
  ULONG ulVersion;
  LPSTR lpszError;
  LPSTR lpszComponent;
  ULONG ulLowLevelError;
  ULONG ulContext;
} MAPIERROR, *LPMAPIERROR;

// ---------------------------------------------------------------------------
// Interfaces.

interface IMAPIProp : public IUnknown {
  STDMETHOD(GetLastError)(HRESULT hResult, ULONG ulFlags, LPMAPIERROR* lppMAPIError) PURE;
  STDMETHOD(SaveChanges)(ULONG ulFlags) PURE;
  STDMETHOD(GetProps)(LPSPropTagArray lpPropTagArray, ULONG ulFlags, ULONG* lpcValues,
                      LPSPropValue* lppPropArray) PURE;
  STDMETHOD(GetPropList)(ULONG ulFlags, LPSPropTagArray* lppPropTagArray) PURE;
  STDMETHOD(OpenProperty)(ULONG ulPropTag, LPCIID lpiid, ULONG ulInterfaceOptions, ULONG ulFlags,
                          LPUNKNOWN* lppUnk) PURE;
  STDMETHOD(SetProps)(ULONG cValues, LPSPropValue lpPropArray,
                      LPSPropProblemArray* lppProblems) PURE;
  STDMETHOD(DeleteProps)(LPSPropTagArray lpPropTagArray, LPSPropProblemArray* lppProblems) PURE;
  STDMETHOD(CopyTo)(ULONG ciidExclude, LPCIID rgiidExclude, LPSPropTagArray lpExcludeProps,
                    ULONG_PTR ulUIParam, LPMAPIPROGRESS lpProgress, LPCIID lpInterface,
                    LPVOID lpDestObj, ULONG ulFlags, LPSPropProblemArray* lppProblems) PURE;
  STDMETHOD(CopyProps)(LPSPropTagArray lpIncludeProps, ULONG_PTR ulUIParam,
                       LPMAPIPROGRESS lpProgress, LPCIID lpInterface, LPVOID lpDestObj,
                       ULONG ulFlags, LPSPropProblemArray* lppProblems) PURE;
  STDMETHOD(GetNamesFromIDs)(LPSPropTagArray* lppPropTags, LPGUID lpPropSetGuid, ULONG ulFlags,
                             ULONG* lpcPropNames, LPMAPINAMEID** lpppPropNames) PURE;
  STDMETHOD(GetIDsFromNames)(ULONG cPropNames, LPMAPINAMEID* lppPropNames, ULONG ulFlags,
                             LPSPropTagArray* lppPropTags) PURE;

 protected:
  ~IMAPIProp() = default;
};

interface IMessage : public IMAPIProp {
  STDMETHOD(GetAttachmentTable)(ULONG ulFlags, LPMAPITABLE* lppTable) PURE;
  STDMETHOD(OpenAttach)(ULONG ulAttachmentNum, LPCIID lpInterface, ULONG ulFlags,
                        LPATTACH* lppAttach) PURE;
  STDMETHOD(CreateAttach)(LPCIID lpInterface, ULONG ulFlags, ULONG* lpulAttachmentNum,
                          LPATTACH* lppAttach) PURE;
  STDMETHOD(DeleteAttach)(ULONG ulAttachmentNum, ULONG_PTR ulUIParam, LPMAPIPROGRESS lpProgress,
                          ULONG ulFlags) PURE;
  STDMETHOD(GetRecipientTable)(ULONG ulFlags, LPMAPITABLE* lppTable) PURE;
  STDMETHOD(ModifyRecipients)(ULONG ulFlags, LPADRLIST lpMods) PURE;
  STDMETHOD(SubmitMessage)(ULONG ulFlags) PURE;
  STDMETHOD(SetReadFlag)(ULONG ulFlags) PURE;

 protected:
  ~IMessage() = default;
};

interface IMsgStore : public IMAPIProp {
  STDMETHOD(Advise)(ULONG cbEntryID, LPENTRYID lpEntryID, ULONG ulEventMask,
                    LPMAPIADVISESINK lpAdviseSink, ULONG* lpulConnection) PURE;
  STDMETHOD(Unadvise)(ULONG ulConnection) PURE;
  STDMETHOD(CompareEntryIDs)(ULONG cbEntryID1, LPENTRYID lpEntryID1, ULONG cbEntryID2,
                             LPENTRYID lpEntryID2, ULONG ulFlags, ULONG* lpulResult) PURE;
  STDMETHOD(OpenEntry)(ULONG cbEntryID, LPENTRYID lpEntryID, LPCIID lpInterface, ULONG ulFlags,
                       ULONG* lpulObjType, LPUNKNOWN* lppUnk) PURE;
  STDMETHOD(SetReceiveFolder)(LPSTR lpszMessageClass, ULONG ulFlags, ULONG cbEntryID,
                              LPENTRYID lpEntryID) PURE;
  STDMETHOD(GetReceiveFolder)(LPSTR lpszMessageClass, ULONG ulFlags, ULONG* lpcbEntryID,
                              LPENTRYID* lppEntryID, LPSTR* lppszExplicitClass) PURE;
  STDMETHOD(GetReceiveFolderTable)(ULONG ulFlags, LPMAPITABLE* lppTable) PURE;
  STDMETHOD(StoreLogoff)(ULONG* lpulFlags) PURE;
  STDMETHOD(AbortSubmit)(ULONG cbEntryID, LPENTRYID lpEntryID, ULONG ulFlags) PURE;
  STDMETHOD(GetOutgoingQueue)(ULONG ulFlags, LPMAPITABLE* lppTable) PURE;
  STDMETHOD(SetLockState)(LPMESSAGE lpMessage, ULONG ulLockState) PURE;
  STDMETHOD(FinishedMsg)(ULONG ulFlags, ULONG cbEntryID, LPENTRYID lpEntryID) PURE;
  STDMETHOD(NotifyNewMail)(LPNOTIFICATION lpNotification) PURE;

 protected:
  ~IMsgStore() = default;
};

// {00020303-0000-0000-C000-000000000046}
inline constexpr IID IID_IMAPIProp = {0x00020303, 0x0000, 0x0000,
                                      {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00020306-0000-0000-C000-000000000046}
inline constexpr IID IID_IMsgStore = {0x00020306, 0x0000, 0x0000,
                                      {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00020307-0000-0000-C000-000000000046}
inline constexpr IID IID_IMessage = {0x00020307, 0x0000, 0x0000,
                                     {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {0002030C-0000-0000-C000-000000000046}
inline constexpr IID IID_IMAPIFolder = {0x0002030C, 0x0000, 0x0000,
                                        {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// ---------------------------------------------------------------------------
// MAPI memory. A block from MAPIAllocateBuffer may carry further blocks
// allocated "more" onto it; one MAPIFreeBuffer of the first frees them all.

WINBASEAPI SCODE WINAPI MAPIAllocateBuffer(ULONG cbSize, LPVOID* lppBuffer);
WINBASEAPI SCODE WINAPI MAPIAllocateMore(ULONG cbSize, LPVOID lpObject, LPVOID* lppBuffer);
WINBASEAPI ULONG WINAPI MAPIFreeBuffer(LPVOID lpBuffer);
