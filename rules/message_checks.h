// What a stored message says about its classification: its body and internet
// header scanned for a marking, its header and subject for the ICARUS markers.
#pragma once

#include "winapi.h"
#include "exchext.h"

extern const char szICARUS[20];
extern const char szEncrypted[20];

// The selected message's body; szResult (200 bytes) gets its classification.
int CheckBodyClass(LPEXCHEXTCALLBACK lpeecb, char* szResult, ULONG* pulObjType);
// The selected message's internet header, scanned like a body.
int CheckHeaderClass(LPEXCHEXTCALLBACK lpeecb, char* szResult, ULONG* pulObjType);
// The message in hand's internet header holds "ENCRYPTED: ICARUS".
int CheckHeaderICARUS(LPEXCHEXTCALLBACK lpeecb);
// The message in hand's subject holds "*ICARUS ENCRYPTED*".
int CheckSubjectICARUS(LPEXCHEXTCALLBACK lpeecb);
