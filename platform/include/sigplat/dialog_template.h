// A dialog template as a module's resource script describes it. The resource
// reader produces these; the dialog manager builds windows from them.
#pragma once

#include <string>
#include <vector>

#include "winapi.h"

// Resource ids of templates are numbers here; named templates are not used.

namespace sigplat {

struct DialogControl {
  std::string windowClass;  // "BUTTON", "STATIC", "EDIT", "LISTBOX", "COMBOBOX", "RichEdit20A",
                            // "SysDateTimePick32", ... as written or implied by the statement
  std::string text;         // the caption; for an icon control the resource id as "#118"
  int id = -1;              // IDC_STATIC (-1) when none
  DWORD style = 0;          // complete style, the statement's implied bits included
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  DWORD helpId = 0;         // DIALOGEX only
};

struct DialogTemplate {
  int id = 0;
  bool extended = false;    // DIALOGEX
  std::string caption;
  DWORD style = 0;          // complete style, DS_SETFONT included when a font is given
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  std::string fontFace;     // e.g. "MS Sans Serif"
  int fontPointSize = 0;
  int fontWeight = 0;       // DIALOGEX; 0 (don't care) otherwise
  bool fontItalic = false;  // DIALOGEX
  int fontCharset = 1;      // DIALOGEX; DEFAULT_CHARSET unless the script names one
  std::string className;    // CLASS; empty for the standard dialog class
  std::string menu;         // MENU; empty for none, "#n" for a numeric id
  DWORD helpId = 0;         // DIALOGEX
  std::vector<DialogControl> controls;  // in template order (the tab and child order)
};

// The template with that id in the module's resources, or null (with the
// last error set) when the module has none.
SIGPLAT_API const DialogTemplate* FindDialogTemplate(HINSTANCE module, LPCSTR name);

// Runs a modal dialog built from a template, exactly as DialogBoxParamA does
// with one found in resources (which it uses). For hosts and tests.
SIGPLAT_API INT_PTR RunDialogTemplate(const DialogTemplate& dialogTemplate, HINSTANCE module,
                                     HWND owner, DLGPROC dialogProc, LPARAM initParam);

}  // namespace sigplat
