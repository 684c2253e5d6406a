// MAPI: the message store's interfaces and property values. Interfaces the
// system only passes along are declared without members.
#pragma once

#include "win/com.h"

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
typedef IMAPIProp* LPMAPIPROP;
typedef IMsgStore* LPMDB;
typedef IMessage* LPMESSAGE;
typedef IMAPIFolder* LPMAPIFOLDER;
typedef IMAPISession* LPMAPISESSION;
typedef IAddrBook* LPADRBOOK;
typedef IPersistMessage* LPPERSISTMESSAGE;
typedef IMAPIMessageSite* LPMAPIMESSAGESITE;
typedef IMAPIViewContext* LPMAPIVIEWCONTEXT;
