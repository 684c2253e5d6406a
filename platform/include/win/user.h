// The window manager and message boxes. Every window belongs to a class with a
// window procedure; built-in classes have the platform's own procedures.
#pragma once

#include "win/base.h"

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagWNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
} WNDCLASSA, *PWNDCLASSA, *LPWNDCLASSA;

typedef struct tagCREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTA, *LPCREATESTRUCTA;

// lParam of WM_STYLECHANGING (styleNew may be changed) and WM_STYLECHANGED.
typedef struct tagSTYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
} STYLESTRUCT, *LPSTYLESTRUCT;

// Class styles.
#define CS_GLOBALCLASS 0x4000

// A class name given as an atom, as RegisterClassA returns it.
#define MAKEINTATOM(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))

// Window styles.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_OVERLAPPEDWINDOW \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | 0x00020000L | 0x00010000L)
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#define WS_EX_CLIENTEDGE 0x00000200L
#define CW_USEDEFAULT ((int)0x80000000)

// Window messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_SHOWWINDOW 0x0018
#define WM_CANCELMODE 0x001F
#define WM_STYLECHANGING 0x007C
#define WM_STYLECHANGED 0x007D
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define WM_PARENTNOTIFY 0x0210
#define WM_USER 0x0400

// wParam of WM_SIZE.
#define SIZE_RESTORED 0

// SendMessageA to every top-level window; not supported here.
#define HWND_BROADCAST ((HWND)(ULONG_PTR)0xffff)

// GetWindow relations.
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5

// GetWindowLong indexes. On this 64-bit platform the LONG forms refuse
// GWLP_WNDPROC, GWLP_HINSTANCE and GWLP_HWNDPARENT with ERROR_INVALID_INDEX,
// as 64-bit Windows does: use GetWindowLongPtrA and SetWindowLongPtrA.
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWL_ID (-12)
#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_USERDATA (-21)
#define GWLP_ID (-12)

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

// System metrics.
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

WINBASEAPI ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass);
WINBASEAPI BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance);
WINBASEAPI HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName,
                                       DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                                       HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                       LPVOID lpParam);
#define CreateWindowA(c, n, s, x, y, w, h, p, m, i, l) \
  CreateWindowExA(0, c, n, s, x, y, w, h, p, m, i, l)
WINBASEAPI BOOL WINAPI DestroyWindow(HWND hWnd);
WINBASEAPI BOOL WINAPI IsWindow(HWND hWnd);
WINBASEAPI LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
WINBASEAPI LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg,
                                          WPARAM wParam, LPARAM lParam);
WINBASEAPI LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
WINBASEAPI HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName);
WINBASEAPI HWND WINAPI GetFocus(void);
WINBASEAPI HWND WINAPI SetFocus(HWND hWnd);
WINBASEAPI HWND WINAPI GetParent(HWND hWnd);
WINBASEAPI HWND WINAPI GetWindow(HWND hWnd, UINT uCmd);
WINBASEAPI BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd);
WINBASEAPI int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount);
WINBASEAPI int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
WINBASEAPI int WINAPI GetWindowTextLengthA(HWND hWnd);
WINBASEAPI BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString);
WINBASEAPI LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex);
WINBASEAPI LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong);
WINBASEAPI LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex);
WINBASEAPI LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
WINBASEAPI BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);
WINBASEAPI BOOL WINAPI IsWindowVisible(HWND hWnd);
WINBASEAPI BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable);
WINBASEAPI BOOL WINAPI IsWindowEnabled(HWND hWnd);
WINBASEAPI BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect);
WINBASEAPI BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect);
WINBASEAPI BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
WINBASEAPI int WINAPI GetSystemMetrics(int nIndex);

// Message boxes. The host's user agent answers them; each one is recorded.
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONMASK 0x000000F0L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_DEFMASK 0x00000F00L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_HELP 0x00004000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_TOPMOST 0x00040000L

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDTRYAGAIN 10
#define IDCONTINUE 11

WINBASEAPI int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

// ---------------------------------------------------------------------------
// Message queue, timers and call-window-procedure hooks of the UI thread.
// Time is the platform's virtual clock (sigplat/clock.h): it moves only when
// the host lets it, or when GetMessageA has nothing to return but a timer
// that will come due.
// ---------------------------------------------------------------------------

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *PMSG, *LPMSG;

typedef VOID(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef LRESULT(CALLBACK* HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);

// lParam of a WH_CALLWNDPROC hook: the message about to reach the procedure.
typedef struct tagCWPSTRUCT {
  LPARAM lParam;
  WPARAM wParam;
  UINT message;
  HWND hwnd;
} CWPSTRUCT, *PCWPSTRUCT, *LPCWPSTRUCT;

// Keyboard messages, which TranslateMessage would turn into characters.
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105

// PeekMessageA options.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

// Timer periods are clamped to this range, as on Windows.
#define USER_TIMER_MINIMUM 0x0000000A
#define USER_TIMER_MAXIMUM 0x7FFFFFFF

// Hook types (only the call-window-procedure hook is supported) and codes.
#define WH_CALLWNDPROC 4
#define HC_ACTION 0

WINBASEAPI BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
WINBASEAPI BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
WINBASEAPI VOID WINAPI PostQuitMessage(int nExitCode);
WINBASEAPI BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
WINBASEAPI BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                    UINT wRemoveMsg);
WINBASEAPI LRESULT WINAPI DispatchMessageA(const MSG* lpMsg);
WINBASEAPI BOOL WINAPI TranslateMessage(const MSG* lpMsg);

WINBASEAPI UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse,
                                    TIMERPROC lpTimerFunc);
WINBASEAPI BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent);
// Kernel32's, declared here with the clock it reads: the virtual time in ms.
WINBASEAPI DWORD WINAPI GetTickCount(void);

WINBASEAPI HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod,
                                          DWORD dwThreadId);
WINBASEAPI BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk);
WINBASEAPI LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
