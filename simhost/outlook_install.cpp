#include "outlook_install.h"

#include "host_registry.h"
#include "sigplat/pe_image.h"

namespace simhost {

using scenario::Editor;
using scenario::OutlookVersion;

const char kHostExecutable[] = "C:\\Program Files\\Microsoft Office\\Office\\OUTLOOK.EXE";
const char kHostLibrary[] = "C:\\Program Files\\Microsoft Office\\Office\\outllib.dll";

namespace {

const char kWordEditorKey[] = "Software\\Microsoft\\Office\\8.0\\Word\\Options\\OutlookEditor";

std::string mailOptionsKey(OutlookVersion version) {
  const char* office = version == OutlookVersion::V98     ? "8.0"
                       : version == OutlookVersion::V2000 ? "9.0"
                                                          : "10.0";
  return std::string("Software\\Microsoft\\Office\\") + office + "\\Outlook\\Options\\Mail";
}

// "EditorPreference" as Outlook 98 writes it.
std::uint32_t preference98(Editor editor) {
  switch (editor) {
    case Editor::Rtf: return 2;
    case Editor::Plain: return 0x10000;
    case Editor::Html: return 0;
    case Editor::Word: return 1;
  }
  return 2;
}

// "EditorPreference" as Outlook 2000 and 2002 write it.
std::uint32_t preference2000(Editor editor) {
  switch (editor) {
    case Editor::Rtf: return 0x30002;
    case Editor::Plain: return 0x10000;
    case Editor::Html: return 0x20000;
    case Editor::Word: return 0x30001;
  }
  return 0x30002;
}

}  // namespace

FileVersion defaultBuild(OutlookVersion version) {
  switch (version) {
    case OutlookVersion::V97: return {8, 3, 1, 5228};
    case OutlookVersion::V98: return {8, 5, 5603, 0};
    case OutlookVersion::V2000: return {9, 0, 0, 2625};
    case OutlookVersion::V2002: return {10, 0, 2627, 1};
  }
  return {9, 0, 0, 2625};
}

std::string versionName(OutlookVersion version) {
  switch (version) {
    case OutlookVersion::V97: return "Outlook 97";
    case OutlookVersion::V98: return "Outlook 98";
    case OutlookVersion::V2000: return "Outlook 2000";
    case OutlookVersion::V2002: return "Outlook 2002";
  }
  return "Outlook";
}

std::string versionText(const FileVersion& v) {
  return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
         std::to_string(v[3]);
}

std::string editorName(Editor editor) {
  switch (editor) {
    case Editor::Rtf: return "rtf";
    case Editor::Plain: return "plain";
    case Editor::Html: return "html";
    case Editor::Word: return "word";
  }
  return "rtf";
}

void installHostLibrary(const FileVersion& v) {
  DWORD error = 0;
  if (!sigplat::WriteVersionedImage(kHostLibrary, v[0], v[1], v[2], v[3],
                                    "Microsoft Outlook Library", &error))
    throw HostError(std::string("cannot write ") + kHostLibrary + ": Windows error " +
                    std::to_string(error));
}

void writeEditorSetting(OutlookVersion version, Editor editor) {
  scenario::RegData data;
  KeyPath key;
  std::string name;
  if (version == OutlookVersion::V97) {
    // Outlook 97 only knows whether Word edits mail: the key's default value.
    key = {HKEY_CURRENT_USER, kWordEditorKey, std::string("HKCU\\") + kWordEditorKey};
    data.kind = scenario::RegData::Kind::Sz;
    data.sz = editor == Editor::Word ? "1" : "0";
  } else {
    const std::string path = mailOptionsKey(version);
    key = {HKEY_CURRENT_USER, path, "HKCU\\" + path};
    name = "EditorPreference";
    data.kind = scenario::RegData::Kind::Dword;
    data.dword = version == OutlookVersion::V98 ? preference98(editor) : preference2000(editor);
  }
  setValue(key, name, data);
}

}  // namespace simhost
