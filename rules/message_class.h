// Items of custom forms are left alone: their body and layout belong to the form.
#pragma once

#include "winapi.h"
#include "exchext.h"

// 1 when the item in hand is a custom-form item; 0 for a standard message,
// an unreadable class, or an error.
int CheckMessageClass(LPEXCHEXTCALLBACK lpeecb);
void MakeGuid(GUID* pGuid, DWORD Data1, WORD Data2, WORD Data3, BYTE b0, BYTE b1, BYTE b2, BYTE b3,
              BYTE b4, BYTE b5, BYTE b6, BYTE b7);
