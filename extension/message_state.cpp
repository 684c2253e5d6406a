// The shared message state, zero or empty at load unless noted.
#include "extension/message_state.h"

DWORD CurrentContext = 0;
int nOutlookVersion = 0;
int nOutlookEditor = 0;
BOOL bVersionChecked = FALSE;
BOOL bCorrectVersion = FALSE;
LPEXCHEXTCALLBACK g_lpeecb = nullptr;

DWORD User_cmdid = 0;
DWORD Sigilon_cmdid = 0;

BOOL bReplyForward = FALSE;
BOOL bReadFromExplorer = FALSE;
HWND hwndBody = nullptr;
char szOutlookBody[kBodyTextSize] = "";
char szFirstLineClass[kClassSize] = "";
BOOL bUnknownClass = FALSE;
char szMessageClass[kClassSize] = "";

BOOL bClassFound = FALSE;
char szClassFound[kClassSize] = "";
BOOL bReplyClassFound = FALSE;
char szReplyClass[kClassSize] = "";
BOOL bDoCommandClassFound = FALSE;
BOOL bOnReadClassFound = FALSE;
char szOnReadClassFound[kClassSize] = "";
BOOL bSMTPClassFound = FALSE;
BOOL bBodyClassFound = FALSE;
char szBodyClass[kClassSize] = "";
BOOL bFirstLineClassFound = FALSE;
BOOL bMessageBodyExists = FALSE;
BOOL bIcarus = FALSE;

char MessageClass[kClassSize] = "";
BOOL bCancelled = FALSE;
BOOL bAboutUsed = FALSE;
char szSeekClassification[kClassSize] = "";

BOOL bRedrawRequired = FALSE;
// No read note is waiting at load, so the first delete, previous or next
// goes ahead.
BOOL bScreenUpdated = TRUE;
BOOL bWindowTextProcessed = FALSE;
HHOOK hHook = nullptr;
UINT_PTR idTimer = 0;
HWND hwndHookSendNote = nullptr;
BOOL b449Found = FALSE;
HWND hwndHookBody = nullptr;
UINT_PTR idPrintTimer = 0;
BOOL bPrintTimerExpired = FALSE;

BOOL bCommandEnabled = TRUE;
HWND hwndToolbar = nullptr;
UINT itbb = 0;
TBBUTTON tbbut = {};
TBBUTTON tbsep = {};

BOOL bWordFirstWarningDone = FALSE;
