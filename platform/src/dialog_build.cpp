// Building a dialog from its template: dialog units to pixels with the
// template font's base units, the dialog window where Windows puts it, and
// the controls in template order with their ids.
#include <cstdio>
#include <string>

#include "case_fold.h"
#include "dialog_internal.h"
#include "unsupported.h"

namespace sigplat::win {

namespace {

struct BaseUnits {
  int x;  // average character width in pixels
  int y;  // character height in pixels
};

// Measured at 96 dpi. The system font stands for a template without a font.
constexpr BaseUnits kSystemFont{8, 16};
constexpr BaseUnits kSansSerif8{6, 13};

// The faces dialogs use at 8 points all measure 6 x 13. For another face or
// size the units are estimated from the 8-point ones, and the estimate is
// reported so that nobody mistakes it for a measurement.
BaseUnits BaseUnitsOf(const DialogTemplate& t) {
  if (!(t.style & DS_SETFONT) || t.fontFace.empty()) return kSystemFont;
  static const char* const kMeasured[] = {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2",
                                          "Microsoft Sans Serif", "Tahoma"};
  bool known = false;
  for (const char* face : kMeasured) known = known || EqualsIgnoringCase(t.fontFace, face);
  if (known && t.fontPointSize == 8) return kSansSerif8;
  int points = t.fontPointSize > 0 ? t.fontPointSize : 8;
  std::fprintf(stderr,
               "sigilon platform: dialog %d: base units of \"%s\" %d pt are estimated from "
               "MS Sans Serif 8 pt\n",
               t.id, t.fontFace.c_str(), t.fontPointSize);
  return BaseUnits{(kSansSerif8.x * points + 4) / 8, (kSansSerif8.y * points + 4) / 8};
}

// MulDiv: rounded to the nearest pixel, halves away from zero.
int Scale(int units, int base, int divisor) {
  long long product = static_cast<long long>(units) * base;
  long long half = divisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

RECT ToPixels(const BaseUnits& b, int x, int y, int cx, int cy) {
  int left = Scale(x, b.x, 4);
  int top = Scale(y, b.y, 8);
  return RECT{left, top, left + Scale(cx, b.x, 4), top + Scale(cy, b.y, 8)};
}

// The owner's top left corner, or the screen's. There are no borders, so a
// window's client area starts at its window rectangle.
POINT Origin(HWND owner) {
  RECT r{};
  if (owner && GetWindowRect(owner, &r)) return POINT{r.left, r.top};
  return POINT{0, 0};
}

bool CreateControl(HWND dialog, const DialogControl& c, const BaseUnits& units, HINSTANCE module,
                   bool mayFail, int templateId, const char* api) {
  RECT r = ToPixels(units, c.x, c.y, c.cx, c.cy);
  HWND control =
      CreateWindowExA(c.exStyle | WS_EX_NOPARENTNOTIFY, c.windowClass.c_str(), c.text.c_str(),
                      c.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), module, nullptr);
  if (control) return true;
  DWORD error = GetLastError();
  std::string what = "dialog " + std::to_string(templateId) + ": control " + std::to_string(c.id) +
                     " of class \"" + c.windowClass + "\" could not be created";
  if (mayFail) {
    std::fprintf(stderr, "sigilon platform: %s: %s (left out: DS_NOFAILCREATE)\n", api,
                 what.c_str());
    return true;
  }
  ReportFailure(api, what, error ? error : ERROR_CANNOT_FIND_WND_CLASS);
  return false;
}

}  // namespace

HWND BuildDialog(const DialogTemplate& t, HINSTANCE module, HWND owner, DLGPROC dialogProc,
                 const char* api) {
  if (t.style & WS_CHILD) {
    ReportFailure(api,
                  "dialog " + std::to_string(t.id) +
                      " is a child dialog (WS_CHILD); only "
                      "top-level dialogs run modally",
                  ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  if (!t.className.empty() || !t.menu.empty()) {
    ReportFailure(api,
                  "dialog " + std::to_string(t.id) + ": " +
                      (t.menu.empty() ? "a dialog class of its own (" + t.className + ")"
                                      : "a menu (" + t.menu + ")") +
                      " is not supported",
                  ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  BaseUnits units = BaseUnitsOf(t);
  RECT r = ToPixels(units, t.x, t.y, t.cx, t.cy);
  int width = r.right - r.left;
  int height = r.bottom - r.top;
  int x, y;
  if (t.style & (DS_CENTER | DS_CENTERMOUSE)) {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  } else {
    POINT origin = (t.style & DS_ABSALIGN) ? POINT{0, 0} : Origin(owner);
    x = origin.x + r.left;
    y = origin.y + r.top;
  }
  DWORD exStyle = t.exStyle;
  if (t.style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (t.style & DS_CONTEXTHELP) exStyle |= WS_EX_CONTEXTHELP;
  HWND dialog = CreateWindowExA(exStyle, kDialogClass, t.caption.c_str(),
                                t.style & ~static_cast<DWORD>(WS_VISIBLE), x, y, width, height,
                                owner, nullptr, module, nullptr);
  if (!dialog) {
    ReportFailure(api, "dialog " + std::to_string(t.id) + ": its window could not be created",
                  GetLastError());
    return nullptr;
  }
  SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialogProc));
  for (const DialogControl& c : t.controls) {
    if (!CreateControl(dialog, c, units, module, (t.style & DS_NOFAILCREATE) != 0, t.id, api)) {
      DestroyWindow(dialog);
      return nullptr;
    }
  }
  return dialog;
}

}  // namespace sigplat::win
