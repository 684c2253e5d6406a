// What one message's handling carries from one host call to the next. Plain
// process-wide variables: every host call, timer and hook runs on the host's
// user-interface thread.
#pragma once

#include "winapi.h"
#include "exchext.h"

// A classification, or a marking line: at most 199 characters and the NUL.
constexpr size_t kClassSize = 200;
constexpr size_t kBodyTextSize = 2000;

// Host and mode.
extern DWORD CurrentContext;
extern int nOutlookVersion;
extern int nOutlookEditor;
extern BOOL bVersionChecked;
extern BOOL bCorrectVersion;
extern LPEXCHEXTCALLBACK g_lpeecb;  // no reference held

// Command tracking.
extern DWORD User_cmdid;
extern DWORD Sigilon_cmdid;

// The message in hand.
extern BOOL bReplyForward;
extern BOOL bReadFromExplorer;
extern HWND hwndBody;
extern char szOutlookBody[kBodyTextSize];
extern char szFirstLineClass[kClassSize];
extern BOOL bUnknownClass;
extern char szMessageClass[kClassSize];

// Classification found.
extern BOOL bClassFound;
extern char szClassFound[kClassSize];
extern BOOL bReplyClassFound;
extern char szReplyClass[kClassSize];
extern BOOL bDoCommandClassFound;
extern BOOL bOnReadClassFound;
extern char szOnReadClassFound[kClassSize];
extern BOOL bSMTPClassFound;
extern BOOL bBodyClassFound;
extern char szBodyClass[kClassSize];
extern BOOL bFirstLineClassFound;
extern BOOL bMessageBodyExists;
extern BOOL bIcarus;

// Results of the selection and declassification dialogs.
extern char MessageClass[kClassSize];
extern BOOL bCancelled;
extern BOOL bAboutUsed;
extern char szSeekClassification[kClassSize];

// Waiting for a read note's text, and the print restore.
extern BOOL bRedrawRequired;
extern BOOL bScreenUpdated;
extern BOOL bWindowTextProcessed;
extern HHOOK hHook;
extern UINT_PTR idTimer;
extern HWND hwndHookSendNote;
extern BOOL b449Found;
extern HWND hwndHookBody;
extern UINT_PTR idPrintTimer;
extern BOOL bPrintTimerExpired;

// The command's menu item and toolbar button.
extern BOOL bCommandEnabled;
extern HWND hwndToolbar;
extern UINT itbb;
extern TBBUTTON tbbut;
extern TBBUTTON tbsep;

// The Word-editor warning is shown once per note.
extern BOOL bWordFirstWarningDone;
