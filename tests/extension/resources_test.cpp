// The extension's resource script against what its dialogs, pages and
// messages need, and the same resources as the built library carries them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "sigplat/gdi.h"
#include "sigplat/resource_script.h"
#include "tests/support/deliverable.h"
#include "tests/support/fresh_world.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

class Sigil32Script : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::ifstream in(SIGIL32_RC, std::ios::binary);
    ASSERT_TRUE(in) << SIGIL32_RC;
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    ASSERT_TRUE(sigplat::ParseResourceScript(text.str(), "Sigil32.rc", &script_, &error)) << error;
  }

  static const sigplat::DialogTemplate& Dialog(int id) { return script_.dialogs.at(id); }

  static const sigplat::DialogControl& Control(int dialog, int id) {
    for (const auto& control : Dialog(dialog).controls) {
      if (control.id == id) return control;
    }
    ADD_FAILURE() << "dialog " << dialog << " has no control " << id;
    static sigplat::DialogControl none;
    return none;
  }

  // A control without an id, by its text.
  static const sigplat::DialogControl& Static(int dialog, const std::string& text) {
    for (const auto& control : Dialog(dialog).controls) {
      if (control.id == IDC_STATIC && control.text == text) return control;
    }
    ADD_FAILURE() << "dialog " << dialog << " has no static \"" << text << "\"";
    static sigplat::DialogControl none;
    return none;
  }

  static sigplat::ResourceScript script_;
};

sigplat::ResourceScript Sigil32Script::script_;

void ExpectPlace(const sigplat::DialogControl& c, int x, int y, int cx, int cy) {
  EXPECT_EQ(c.x, x) << c.id << " " << c.text;
  EXPECT_EQ(c.y, y) << c.id << " " << c.text;
  EXPECT_EQ(c.cx, cx) << c.id << " " << c.text;
  EXPECT_EQ(c.cy, cy) << c.id << " " << c.text;
}

TEST_F(Sigil32Script, HoldsExactlyTheResourcesTheExtensionAsksFor) {
  std::vector<int> dialogs;
  for (const auto& [id, dialog] : script_.dialogs) dialogs.push_back(id);
  EXPECT_EQ(dialogs, (std::vector<int>{107, 115, 120, 151, 152, 167, 168, 170}));
  EXPECT_EQ(script_.strings.at(5), "8.6.13a");
  EXPECT_EQ(script_.bitmapFiles.size(), 2u);
  EXPECT_TRUE(script_.bitmapFiles.count(103));
  EXPECT_TRUE(script_.bitmapFiles.count(135));
  EXPECT_TRUE(script_.iconFiles.count(118));
  for (const auto& [id, dialog] : script_.dialogs) {
    EXPECT_EQ(dialog.fontFace, "MS Sans Serif") << id;
    EXPECT_EQ(dialog.fontPointSize, 8) << id;
  }
}

TEST_F(Sigil32Script, SelectionDialog) {
  const sigplat::DialogTemplate& d = Dialog(115);
  EXPECT_EQ(d.caption, "Select a Classification");
  EXPECT_EQ(d.cx, 281);
  EXPECT_EQ(d.cy, 90);
  EXPECT_EQ(d.style & (DS_SYSMODAL | DS_CONTEXTHELP | DS_MODALFRAME | WS_POPUP),
            static_cast<DWORD>(DS_SYSMODAL | DS_CONTEXTHELP | DS_MODALFRAME | WS_POPUP));
  const sigplat::DialogControl& list = Control(115, 1046);
  EXPECT_EQ(list.windowClass, "LISTBOX");
  EXPECT_EQ(list.style & (LBS_NOTIFY | LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL | WS_VSCROLL),
            static_cast<DWORD>(LBS_NOTIFY | WS_VSCROLL));
  ExpectPlace(list, 4, 4, 272, 72);
  EXPECT_EQ(Control(115, 1044).style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(Control(115, 1044).text, "OK");
  ExpectPlace(Control(115, 1044), 124, 74, 48, 12);
  EXPECT_EQ(Control(115, 1047).text, "Cancel");
  ExpectPlace(Control(115, 1013), 228, 74, 48, 12);
  EXPECT_EQ(Control(115, 1144).text, "DMS");
  EXPECT_EQ(Control(115, 1144).style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
  ExpectPlace(Control(115, 1144), 4, 75, 30, 11);
}

TEST_F(Sigil32Script, AboutAndPrintErrorDialogs) {
  EXPECT_EQ(Dialog(120).caption, "About Sigilon for Outlook");
  const sigplat::DialogControl& icon = Dialog(120).controls.front();
  EXPECT_EQ(icon.text, "#118");
  EXPECT_EQ(icon.style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
  EXPECT_EQ(icon.x, 5);
  EXPECT_EQ(icon.y, 15);
  ExpectPlace(Static(120, "E-Mail Classification for Microsoft Outlook"), 40, 10, 160, 8);
  ExpectPlace(Static(120, "Sigilon for Outlook Version 8.6.13a"), 40, 33, 119, 8);
  ExpectPlace(Control(120, 1044), 209, 5, 32, 14);

  const sigplat::DialogTemplate& print = Dialog(170);
  EXPECT_EQ(print.caption, "Sigilon Print Error");
  EXPECT_EQ(print.cx, 356);
  EXPECT_EQ(print.cy, 79);
  EXPECT_EQ(print.controls.front().text, "#118");
  EXPECT_EQ(Control(170, 1145).text,
            "Unable to save the printer settings. Make sure the file\n%s\nis not missing or write "
            "protected. ");
  EXPECT_EQ(Control(170, 1147).text,
            "To rebuild a missing OutlPrnt file,  restart Outlook and make any change to the "
            "print styles using\nFile\\Page Setup\\Memo Style.");
  EXPECT_EQ(Control(170, 1146).text, "OK");
}

TEST_F(Sigil32Script, OptionsPage) {
  const sigplat::DialogTemplate& page = Dialog(107);
  EXPECT_EQ(page.caption, "Sigilon");
  EXPECT_EQ(page.cx, 277);
  EXPECT_EQ(page.cy, 225);
  EXPECT_TRUE(page.style & WS_CHILD);
  EXPECT_FALSE(page.style & WS_POPUP);
  struct Expected {
    int id;
    const char* text;
    DWORD type;  // the low style bits: the button or static kind
  };
  const Expected table[] = {
      {1012, "Classification Scan", BS_GROUPBOX},
      {1039, "&Read ", BS_AUTOCHECKBOX},
      {1015, "Re&ply && Forward ", BS_AUTOCHECKBOX},
      {1059, "&Left", BS_AUTORADIOBUTTON},
      {1060, "&Center", BS_AUTORADIOBUTTON},
      {1061, "Righ&t", BS_AUTORADIOBUTTON},
      {1038, "Default &Font ...", BS_PUSHBUTTON},
      {1077, "Prefi&x", BS_AUTORADIOBUTTON},
      {1078, "&DMS", BS_AUTORADIOBUTTON},
      {1055, "&Enable", BS_AUTOCHECKBOX},
      {1084, "Left", BS_AUTORADIOBUTTON},
      {1085, "Center", BS_AUTORADIOBUTTON},
      {1086, "Right", BS_AUTORADIOBUTTON},
      {1148, "&HTML Print", BS_AUTOCHECKBOX},
      {1082, "E&nable", BS_AUTOCHECKBOX},
      {1087, "Default Font ...", BS_PUSHBUTTON},
      {1094, "&Colour", BS_AUTORADIOBUTTON},
      {1095, "&Monochrome", BS_AUTORADIOBUTTON},
      {1066, "Version 8.6.13a", SS_RIGHT},
      {1152, "   User options have been disabled.   ", SS_LEFT},
      {1074, "WordMail", BS_GROUPBOX},
      {1088, "Disable WordMail", BS_PUSHBUTTON},
      {1151, "Sigilon is disabled because Word is being used as the mail editor.", SS_LEFT},
      {1069,
       "Scan the selected message for the first valid security classification and "
       "automatically insert this classification at the beginning of the new message.",
       SS_LEFT},
  };
  for (const Expected& e : table) {
    const sigplat::DialogControl& c = Control(107, e.id);
    EXPECT_EQ(c.text, e.text) << e.id;
    EXPECT_EQ(c.style & 0x1F, e.type) << e.id;
  }
  EXPECT_TRUE(Control(107, 1148).style & BS_LEFTTEXT);
  EXPECT_TRUE(Control(107, 1082).style & BS_LEFTTEXT);
  EXPECT_EQ(Control(107, 1067).style & SS_TYPEMASK, static_cast<DWORD>(SS_CENTER));
  // Each radio group starts a group, so the buttons of one do not clear another's.
  for (int first : {1059, 1077, 1084, 1094}) EXPECT_TRUE(Control(107, first).style & WS_GROUP);
  for (int next : {1060, 1061, 1078, 1085, 1086, 1095})
    EXPECT_FALSE(Control(107, next).style & WS_GROUP) << next;
  // The banner is drawn at (8, 285) pixels, 197 x 52: in dialog units of an
  // 8-point MS Sans Serif page (1.5 x 1.625 pixels) x 5..137, y 175..208.
  for (const auto& c : page.controls) {
    bool clear = c.x >= 137 || c.x + c.cx <= 5 || c.y >= 208 || c.y + c.cy <= 175;
    EXPECT_TRUE(clear) << "control " << c.id << " lies on the banner";
  }
}

TEST_F(Sigil32Script, DeclassificationPages) {
  EXPECT_EQ(Dialog(167).caption, "Originate");
  EXPECT_EQ(Dialog(168).caption, "Derived");
  for (int page : {167, 168}) {
    EXPECT_EQ(Dialog(page).cx, 207);
    EXPECT_EQ(Dialog(page).cy, 116);
    EXPECT_TRUE(Dialog(page).style & WS_CHILD);
    const sigplat::DialogControl& shown = Control(page, 1134);
    EXPECT_EQ(shown.windowClass, "EDIT");
    EXPECT_TRUE(shown.style & ES_READONLY);
    EXPECT_FALSE(shown.style & WS_BORDER);
    const sigplat::DialogControl& date = Control(page, 1136);
    EXPECT_EQ(date.windowClass, "SysDateTimePick32");
    EXPECT_EQ(date.style & (DTS_LONGDATEFORMAT | DTS_RIGHTALIGN),
              static_cast<DWORD>(DTS_LONGDATEFORMAT | DTS_RIGHTALIGN));
    EXPECT_EQ(Control(page, 1139).text, "");
    EXPECT_EQ(Control(page, 1139).style & BS_TYPEMASK, static_cast<DWORD>(BS_RADIOBUTTON));
    EXPECT_EQ(Control(page, 1140).style & BS_TYPEMASK, static_cast<DWORD>(BS_RADIOBUTTON));
    EXPECT_EQ(Control(page, 1141).text, "Declassify on:");
    EXPECT_EQ(Control(page, 1142).text, "Declassify on:");
    const sigplat::DialogControl& list = Control(page, 1138);
    EXPECT_EQ(list.windowClass, "COMBOBOX");
    EXPECT_EQ(list.style & 3, static_cast<DWORD>(CBS_DROPDOWN));
    EXPECT_EQ((list.style & CBS_SORT) != 0, page == 167) << "sorted on the Originate page only";
  }
  EXPECT_EQ(Control(167, 1130).text, "Classified by:");
  EXPECT_EQ(Control(167, 1129).text, "Reason:");
  for (int edit : {1122, 1135}) {
    EXPECT_TRUE(Control(167, edit).style & WS_BORDER);
    EXPECT_TRUE(Control(167, edit).style & ES_AUTOHSCROLL);
  }
  EXPECT_EQ(Control(168, 1137).text, "Derived from:");
  EXPECT_TRUE(Control(168, 1124).style & ES_AUTOHSCROLL);
}

TEST_F(Sigil32Script, HostWarningDialogs) {
  EXPECT_EQ(Dialog(151).caption, "Warning - New Outlook Version");
  EXPECT_EQ(Static(151,
                   "You are loading Sigilon into a version of Outlook that postdates this "
                   "build of Sigilon.   It may not operate correctly.  Do you wish to "
                   "continue?")
                .windowClass,
            "STATIC");
  EXPECT_EQ(Control(151, 1063).text, "Display this message each time Outlook starts");
  EXPECT_EQ(Control(151, 1064).text, "Yes");
  EXPECT_EQ(Control(151, 4).text, "No");
  EXPECT_EQ(Dialog(151).controls.front().text, "#118");

  EXPECT_EQ(Dialog(152).caption, "Error!   Can't locate the message body.");
  Static(152,
         "Sigilon for Outlook does not support Microsoft Word formatted messages.\n\nPlease select "
         "Rich Text Format or Plain Text from the Tools/Options/E-mail menu.");
  EXPECT_EQ(Control(152, 1063).text, "Always display this warning.");
  EXPECT_EQ(Control(152, 1064).text, "OK");
  EXPECT_EQ(Dialog(152).controls.front().text, "#118");
}

// The built library carries the same resources, pictures included.
class Sigil32Resources : public sigtest::FreshWorld {
 protected:
  void SetUp() override {
    FreshWorld::SetUp();
    sigtest::InstallLibrary(SIGIL32_PATH, "C:\\Program Files\\Sigilon\\Sigil32.dll");
    InstallMachineDefaults();
    module_ = LoadLibraryA("C:\\Program Files\\Sigilon\\Sigil32.dll");
    ASSERT_NE(module_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    FreshWorld::TearDown();
  }
  HMODULE module_ = nullptr;
};

TEST_F(Sigil32Resources, StringsDialogsBitmapsAndIconFromTheLibrary) {
  char version[16];
  EXPECT_EQ(LoadStringA(module_, 5, version, sizeof version), 7);
  EXPECT_STREQ(version, "8.6.13a");
  const sigplat::DialogTemplate* options =
      sigplat::FindDialogTemplate(module_, MAKEINTRESOURCEA(107));
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->caption, "Sigilon");

  HANDLE banner = LoadImageA(module_, MAKEINTRESOURCEA(135), IMAGE_BITMAP, 0, 0,
                             LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT);
  ASSERT_NE(banner, nullptr);
  sigplat::BitmapInfo info;
  ASSERT_TRUE(sigplat::DescribeBitmap(static_cast<HBITMAP>(banner), &info));
  EXPECT_EQ(info.width, 197);
  EXPECT_EQ(info.height, 52);
  EXPECT_EQ(info.bitsPerPixel, 8);
  EXPECT_EQ(info.colourTable.size(), 256u);
  DeleteObject(banner);

  HBITMAP button = LoadBitmapA(module_, MAKEINTRESOURCEA(103));
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(sigplat::DescribeBitmap(button, &info));
  EXPECT_EQ(info.width, 16);
  EXPECT_EQ(info.height, 15);
  DeleteObject(button);

  HICON icon = LoadIconA(module_, MAKEINTRESOURCEA(118));
  ASSERT_NE(icon, nullptr);
  sigplat::IconInfo iconInfo;
  ASSERT_TRUE(sigplat::DescribeIcon(icon, &iconInfo));
  EXPECT_EQ(iconInfo.width, 32);
  EXPECT_EQ(iconInfo.height, 32);
}

}  // namespace
