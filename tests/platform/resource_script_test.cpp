// The resource-script reader: what each statement implies, style expressions,
// dialog headers, string tables, and errors that name their line.
#include "sigplat/resource_script.h"

#include <gtest/gtest.h>

#include <string>

namespace {

sigplat::ResourceScript Parse(const std::string& text) {
  sigplat::ResourceScript script;
  std::string error;
  EXPECT_TRUE(sigplat::ParseResourceScript(text, "test.rc", &script, &error)) << error;
  return script;
}

std::string ParseError(const std::string& text) {
  sigplat::ResourceScript script;
  std::string error;
  EXPECT_FALSE(sigplat::ParseResourceScript(text, "test.rc", &script, &error)) << text;
  return error;
}

// One control statement inside a dialog.
sigplat::DialogControl OnlyControl(const std::string& statement, bool extended = false) {
  sigplat::ResourceScript script = Parse(std::string("1 ") + (extended ? "DIALOGEX" : "DIALOG") +
                                         " 0, 0, 100, 50\nBEGIN\n  " + statement + "\nEND\n");
  const auto& controls = script.dialogs.at(1).controls;
  EXPECT_EQ(controls.size(), 1u) << statement;
  return controls.empty() ? sigplat::DialogControl{} : controls.front();
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

TEST(ResourceScript, EachControlStatementImpliesItsClassAndStyle) {
  struct Case {
    const char* statement;
    const char* windowClass;
    DWORD style;
  };
  const Case cases[] = {
      {"LTEXT \"t\", 10, 1, 2, 3, 4", "STATIC", kChild | SS_LEFT | WS_GROUP},
      {"RTEXT \"t\", 10, 1, 2, 3, 4", "STATIC", kChild | SS_RIGHT | WS_GROUP},
      {"CTEXT \"t\", 10, 1, 2, 3, 4", "STATIC", kChild | SS_CENTER | WS_GROUP},
      {"PUSHBUTTON \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_PUSHBUTTON | WS_TABSTOP},
      {"DEFPUSHBUTTON \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
      {"CHECKBOX \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_CHECKBOX | WS_TABSTOP},
      {"AUTOCHECKBOX \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_AUTOCHECKBOX | WS_TABSTOP},
      {"STATE3 \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_3STATE | WS_TABSTOP},
      {"AUTO3STATE \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_AUTO3STATE | WS_TABSTOP},
      {"RADIOBUTTON \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_RADIOBUTTON | WS_TABSTOP},
      {"AUTORADIOBUTTON \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_AUTORADIOBUTTON | WS_TABSTOP},
      {"GROUPBOX \"t\", 10, 1, 2, 3, 4", "BUTTON", kChild | BS_GROUPBOX},
      {"EDITTEXT 10, 1, 2, 3, 4", "EDIT", kChild | ES_LEFT | WS_BORDER | WS_TABSTOP},
      {"LISTBOX 10, 1, 2, 3, 4", "LISTBOX", kChild | LBS_NOTIFY | WS_BORDER},
      {"COMBOBOX 10, 1, 2, 3, 4", "COMBOBOX", kChild | CBS_SIMPLE | WS_TABSTOP},
      {"SCROLLBAR 10, 1, 2, 3, 4", "SCROLLBAR", kChild | SBS_HORZ},
      {"CONTROL \"t\", 10, \"Button\", BS_AUTOCHECKBOX, 1, 2, 3, 4", "BUTTON",
       kChild | BS_AUTOCHECKBOX},
      {"CONTROL \"t\", 10, static, SS_SUNKEN, 1, 2, 3, 4", "STATIC", kChild | SS_SUNKEN},
      {"CONTROL \"\", 10, \"SysDateTimePick32\", DTS_LONGDATEFORMAT, 1, 2, 3, 4",
       "SysDateTimePick32", kChild | DTS_LONGDATEFORMAT},
      {"ltext \"t\", 10, 1, 2, 3, 4", "STATIC",
       kChild | SS_LEFT | WS_GROUP},  // keywords in any case
      {"CONTROL \"\", 10, DATETIMEPICK_CLASSA, 0, 1, 2, 3, 4", "SysDateTimePick32", kChild},
  };
  for (const Case& c : cases) {
    sigplat::DialogControl control = OnlyControl(c.statement);
    EXPECT_EQ(control.windowClass, c.windowClass) << c.statement;
    EXPECT_EQ(control.style, c.style) << c.statement << std::hex << " got 0x" << control.style;
    EXPECT_EQ(control.id, 10) << c.statement;
    EXPECT_EQ(control.x, 1) << c.statement;
    EXPECT_EQ(control.y, 2) << c.statement;
    EXPECT_EQ(control.cx, 3) << c.statement;
    EXPECT_EQ(control.cy, 4) << c.statement;
  }
}

TEST(ResourceScript, StyleExpressionsAddToAndTakeFromTheImpliedStyle) {
  struct Case {
    const char* statement;
    DWORD style;
  };
  const Case cases[] = {
      {"PUSHBUTTON \"t\", 1, 0, 0, 9, 9, NOT WS_TABSTOP", kChild | BS_PUSHBUTTON},
      {"LTEXT \"t\", 1, 0, 0, 9, 9, NOT WS_VISIBLE | NOT WS_GROUP | SS_NOPREFIX",
       WS_CHILD | SS_NOPREFIX},
      {"EDITTEXT 1, 0, 0, 9, 9, ES_READONLY | NOT WS_BORDER", kChild | ES_READONLY | WS_TABSTOP},
      // NOT clears only what comes before it; a later term sets it again.
      {"GROUPBOX \"t\", 1, 0, 0, 9, 9, NOT WS_VISIBLE | WS_VISIBLE", kChild | BS_GROUPBOX},
      {"CONTROL \"t\", 1, \"Edit\", (ES_LEFT | 0x80) | 0x0004L, 0, 0, 9, 9",
       kChild | ES_AUTOHSCROLL | ES_MULTILINE},
      {"CONTROL \"t\", 1, \"Edit\", NOT (WS_VISIBLE | WS_CHILD) | 1, 0, 0, 9, 9", 1},
      // A combo box's own kind replaces the implied simple one.
      {"COMBOBOX 1, 0, 0, 9, 9, CBS_DROPDOWN | WS_VSCROLL",
       kChild | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
      {"COMBOBOX 1, 0, 0, 9, 9, CBS_SORT", kChild | CBS_SIMPLE | CBS_SORT | WS_TABSTOP},
      {"CONTROL \"t\", 1, \"Edit\", ~WS_VISIBLE & (WS_TABSTOP | WS_VISIBLE), 0, 0, 9, 9",
       kChild | WS_TABSTOP},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OnlyControl(c.statement).style, c.style) << c.statement;
  }
}

TEST(ResourceScript, ControlTextsIdsAndExtendedStyles) {
  sigplat::DialogControl icon = OnlyControl("ICON 118, -1, 5, 15");
  EXPECT_EQ(icon.text, "#118");
  EXPECT_EQ(icon.id, IDC_STATIC);
  EXPECT_EQ(icon.windowClass, "STATIC");
  EXPECT_EQ(icon.style, kChild | SS_ICON);
  EXPECT_EQ(icon.cx, 0);
  EXPECT_EQ(icon.x, 5);
  EXPECT_EQ(icon.y, 15);

  sigplat::DialogControl sized = OnlyControl("ICON \"seal\", 7, 1, 2, 20, 21, SS_CENTERIMAGE");
  EXPECT_EQ(sized.text, "seal");
  EXPECT_EQ(sized.style, kChild | SS_ICON | SS_CENTERIMAGE);
  EXPECT_EQ(sized.cx, 20);

  EXPECT_EQ(OnlyControl("LTEXT \"x\", 65535, 1, 2, 3, 4").id, IDC_STATIC);
  EXPECT_EQ(OnlyControl("LTEXT \"a\\nb \\\"c\\\" \"\"d\"\" \\\\e\", 3, -4, 2, 3, 4").text,
            "a\nb \"c\" \"d\" \\e");
  EXPECT_EQ(OnlyControl("LTEXT \"t\", 3, -4, 2, 3, 4").x, -4);

  sigplat::DialogControl ex =
      OnlyControl("EDITTEXT 5, 1, 2, 3, 4, ES_NUMBER, WS_EX_CLIENTEDGE, 77", true);
  EXPECT_EQ(ex.exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(ex.helpId, 77u);
  EXPECT_EQ(OnlyControl("CONTROL \"t\", 5, \"Edit\", 0, 1, 2, 3, 4, WS_EX_STATICEDGE").exStyle,
            static_cast<DWORD>(WS_EX_STATICEDGE));
}

TEST(ResourceScript, DialogHeadersAndTheirDefaults) {
  sigplat::ResourceScript script = Parse(
      "#include <windows.h>\n"
      "#define IDD_PLAIN 5\n"
      "#define IDD_FULL (IDD_PLAIN + 1)\n"
      "#define FACE \"MS Shell Dlg\"\n"
      "IDD_PLAIN DIALOG DISCARDABLE 1, 2, 30, 40\n"
      "{\n"
      "}\n"
      "IDD_FULL DIALOGEX 0, 0, 277, 225, 99\n"
      "STYLE DS_MODALFRAME | WS_POPUP\n"
      "EXSTYLE WS_EX_CONTEXTHELP\n"
      "CAPTION \"Options\"\n"
      "FONT 9, FACE, 700, 1, 0\n"
      "CLASS \"SigilonDialog\"\n"
      "MENU 12\n"
      "BEGIN\n"
      "END\n");
  const sigplat::DialogTemplate& plain = script.dialogs.at(5);
  EXPECT_FALSE(plain.extended);
  EXPECT_EQ(plain.style, static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_SYSMENU));
  EXPECT_EQ(plain.x, 1);
  EXPECT_EQ(plain.cy, 40);
  EXPECT_TRUE(plain.controls.empty());

  const sigplat::DialogTemplate& full = script.dialogs.at(6);
  EXPECT_TRUE(full.extended);
  EXPECT_EQ(full.style, static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT));
  EXPECT_EQ(full.exStyle, static_cast<DWORD>(WS_EX_CONTEXTHELP));
  EXPECT_EQ(full.caption, "Options");
  EXPECT_EQ(full.fontPointSize, 9);
  EXPECT_EQ(full.fontFace, "MS Shell Dlg");
  EXPECT_EQ(full.fontWeight, 700);
  EXPECT_TRUE(full.fontItalic);
  EXPECT_EQ(full.fontCharset, 0);
  EXPECT_EQ(full.className, "SigilonDialog");
  EXPECT_EQ(full.menu, "#12");
  EXPECT_EQ(full.helpId, 99u);
}

TEST(ResourceScript, StringTablesBitmapsAndIcons) {
  sigplat::ResourceScript script = Parse(
      "/* strings\n   and files */\n"
      "#define IDS_VERSION 5\n"
      "STRINGTABLE DISCARDABLE\n"
      "BEGIN\n"
      "  IDS_VERSION, \"8.6.13a\"   // the version\n"
      "  6 \"line\\r\\nbreak\\tand \\x41\\101\"\n"
      "END\n"
      "STRINGTABLE { 65535, L\"wide\" }\n"
      "103 BITMAP \"toolbar.bmp\"\n"
      "104 bitmap MOVEABLE PURE \"images\\\\banner.bmp\"\n"
      "118 ICON \"sigilon.ico\"\n");
  EXPECT_EQ(script.strings.at(5), "8.6.13a");
  EXPECT_EQ(script.strings.at(6), "line\r\nbreak\tand AA");
  EXPECT_EQ(script.strings.at(65535), "wide");
  EXPECT_EQ(script.bitmapFiles.at(103), "toolbar.bmp");
  EXPECT_EQ(script.bitmapFiles.at(104), "images\\banner.bmp");
  EXPECT_EQ(script.iconFiles.at(118), "sigilon.ico");
  EXPECT_TRUE(script.dialogs.empty());
}

TEST(ResourceScript, MistakesAreReportedWithTheirLine) {
  struct Case {
    std::string script;
    const char* message;
  };
  const Case cases[] = {
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 5 5\nEND\n",
       "test.rc:3: expected ',' after the control's width, found '5'"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 5, 5, WS_BOGUS\nEND\n",
       "test.rc:3: unknown name 'WS_BOGUS'"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n\n  SLIDER \"a\", 1, 0, 0, 5, 5\nEND\n",
       "test.rc:4: control statement SLIDER is not supported"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 5, 5\n",
       "test.rc:4: dialog 1 is not closed with END"},
      {"STRINGTABLE\nBEGIN\n  1 \"one\"\n  1 \"again\"\nEND\n",
       "test.rc:4: string 1 is defined twice"},
      {"STRINGTABLE\nBEGIN\n  1 \"open\nEND\n", "test.rc:3: string is not closed"},
      {"\n\n1 MENU\nBEGIN\nEND\n", "test.rc:3: resource type MENU is not supported"},
      {"IDD_NAMED DIALOG 0, 0, 1, 1\nBEGIN\nEND\n",
       "test.rc:1: 'IDD_NAMED' is not a defined id; named resources are not supported"},
      {"#include \"resource.h\"\n", "test.rc:1: #include \"resource.h\" is not supported"},
      {"#define A 1\n#ifdef A\n#endif\n",
       "test.rc:2: preprocessor directive #ifdef is not supported"},
      {"#define A 1\n\n#define A 2\n", "test.rc:3: A is defined again with another value"},
      {"#define B (C + 1)\n", "test.rc:1: unknown name 'C'"},
      {"#define D " + std::string(300, '(') + "1" + std::string(300, ')') + "\n",
       "test.rc:1: expression nested too deeply"},
      {"/* open\n\ncomment", "test.rc:1: comment is not closed"},
      {"1 DIALOG 0, 0, 10, 10\nFONT 8, \"X\", 400\nBEGIN\nEND\n",
       "test.rc:2: font weight, italic and charset need DIALOGEX"},
      {"5 BITMAP toolbar.bmp\n", "test.rc:1: expected a string for the file name"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 5, 5, 0, 0, 3\nEND\n",
       "test.rc:3: a control's help id needs DIALOGEX"},
      {"0 BITMAP \"a.bmp\"\n", "test.rc:1: resource id 0 is out of range"},
      {"1 DIALOG 0, 0, 10, 10 BEGIN END\n1 DIALOG 0, 0, 10, 10 BEGIN END\n",
       "test.rc:2: dialog 1 is defined twice"},
      {"STRINGTABLE BEGIN 1 \"\\q\" END\n", "test.rc:1: unknown escape '\\q' in a string"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  CONTROL \"\", 1, MyClass, 0, 0, 0, 5, 5\nEND\n",
       "test.rc:3: expected the control's class, found 'MyClass'"},
  };
  for (const Case& c : cases) {
    std::string error = ParseError(c.script);
    EXPECT_EQ(error.rfind(c.message, 0), 0u) << "got: " << error << "\nwanted: " << c.message;
  }
}

}  // namespace
