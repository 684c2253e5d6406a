// Value data are parsed through one table of type prefixes; text types travel
// in the file as UTF-16LE (as regedit writes them) and live in memory as the
// ANSI bytes the A functions see.
#include "reg_file.h"

#include <cstdio>

#include "codepage.h"
#include "win/registry.h"

namespace sigplat::reg {

const char kRegFileHeader[] = "Windows Registry Editor Version 5.00";

namespace {

constexpr size_t kWrapColumn = 80;

struct SourceLine {
  std::string text;  // UTF-8 without the line end, or the raw bytes when invalid
  bool validUtf8 = true;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

std::vector<SourceLine> DecodeLines(std::string_view bytes, const std::string& fileName,
                                    std::vector<std::string>* diagnostics) {
  std::string text;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string units;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    if (bytes.size() % 2 != 0) {
      diagnostics->push_back(fileName + ":0: UTF-16 file with an odd number of bytes");
    }
    if (!codepage::Utf16ToUtf8(units, &text)) {
      diagnostics->push_back(fileName + ":0: unpaired UTF-16 surrogate read as U+FFFD");
    }
  } else if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    text = std::string(bytes.substr(3));
  } else {
    text = std::string(bytes);
  }

  std::vector<SourceLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(SourceLine{std::string(line), codepage::IsValidUtf8(line)});
    start = end + 1;
  }
  return lines;
}

// Reads a quoted text starting after its opening quote; only \\ and \" are
// escapes. On success *rest is what follows the closing quote.
bool ReadQuoted(std::string_view s, std::string* out, std::string_view* rest, std::string* error) {
  out->clear();
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') {
      *rest = s.substr(i + 1);
      return true;
    }
    if (c == '\\') {
      if (i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
        out->push_back(s[++i]);
        continue;
      }
      *error = "unknown escape in quoted text";
      return false;
    }
    out->push_back(c);
  }
  *error = "missing closing quote";
  return false;
}

bool HexDigit(char c, unsigned* value) {
  if (c >= '0' && c <= '9') {
    *value = static_cast<unsigned>(c - '0');
  } else if (c >= 'a' && c <= 'f') {
    *value = static_cast<unsigned>(c - 'a' + 10);
  } else if (c >= 'A' && c <= 'F') {
    *value = static_cast<unsigned>(c - 'A' + 10);
  } else {
    return false;
  }
  return true;
}

// 1 to 8 hex digits, the whole of s.
bool ReadHexNumber(std::string_view s, DWORD* out) {
  if (s.empty() || s.size() > 8) return false;
  DWORD value = 0;
  for (char c : s) {
    unsigned digit = 0;
    if (!HexDigit(c, &digit)) return false;
    value = (value << 4) | digit;
  }
  *out = value;
  return true;
}

bool ReadHexBytes(std::string_view s, std::string* out) {
  out->clear();
  s = TrimRight(TrimLeft(s));
  if (s.empty()) return true;
  while (true) {
    size_t comma = s.find(',');
    std::string_view item = TrimRight(TrimLeft(s.substr(0, comma)));
    DWORD byte = 0;
    if (item.size() > 2 || !ReadHexNumber(item, &byte)) return false;
    out->push_back(static_cast<char>(byte));
    if (comma == std::string_view::npos) return true;
    s = s.substr(comma + 1);
  }
}

struct ParsedData {
  bool remove = false;
  DWORD type = REG_NONE;
  std::string data;
  bool exact = true;  // false when the ANSI data lost characters of the file's text
};

bool IsTextType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

bool ParseString(std::string_view s, ParsedData* out, std::string* error) {
  std::string text;
  std::string_view rest;
  if (!ReadQuoted(s.substr(1), &text, &rest, error)) return false;
  if (!TrimRight(rest).empty()) {
    *error = "text after the closing quote";
    return false;
  }
  out->type = REG_SZ;
  out->exact = codepage::Utf8ToAnsi(text, &out->data);
  out->data.push_back('\0');
  return true;
}

bool ParseDword(std::string_view s, ParsedData* out, std::string* error) {
  DWORD value = 0;
  if (!ReadHexNumber(TrimRight(s.substr(6)), &value)) {
    *error = "dword needs 1 to 8 hex digits";
    return false;
  }
  out->type = REG_DWORD;
  for (int i = 0; i < 4; ++i) out->data.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return true;
}

bool ParseHexTyped(DWORD type, std::string_view list, ParsedData* out, std::string* error) {
  std::string bytes;
  if (!ReadHexBytes(list, &bytes)) {
    *error = "malformed hex byte list";
    return false;
  }
  out->type = type;
  if (!IsTextType(type)) {
    out->data = std::move(bytes);
    return true;
  }
  if (bytes.size() % 2 != 0) {
    *error = "UTF-16 text with an odd number of bytes";
    return false;
  }
  std::u16string units;
  for (size_t i = 0; i < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  out->exact = codepage::Utf16ToAnsi(units, &out->data);
  return true;
}

bool ParseBinary(std::string_view s, ParsedData* out, std::string* error) {
  return ParseHexTyped(REG_BINARY, s.substr(4), out, error);
}

bool ParseHexWithType(std::string_view s, ParsedData* out, std::string* error) {
  size_t close = s.find("):");
  DWORD type = 0;
  if (close == std::string_view::npos || !ReadHexNumber(s.substr(4, close - 4), &type)) {
    *error = "malformed hex(type)";
    return false;
  }
  return ParseHexTyped(type, s.substr(close + 2), out, error);
}

bool ParseRemove(std::string_view s, ParsedData* out, std::string* error) {
  if (!TrimRight(s.substr(1)).empty()) {
    *error = "text after '-'";
    return false;
  }
  out->remove = true;
  return true;
}

struct DataForm {
  const char* prefix;
  bool (*parse)(std::string_view data, ParsedData* out, std::string* error);
};

// The forms the data of a value line takes, tried in order.
constexpr DataForm kDataForms[] = {
    {"\"", ParseString},        {"dword:", ParseDword}, {"hex:", ParseBinary},
    {"hex(", ParseHexWithType}, {"-", ParseRemove},
};

bool ParseData(std::string_view data, ParsedData* out, std::string* error) {
  for (const DataForm& form : kDataForms) {
    if (StartsWith(data, form.prefix)) return form.parse(data, out, error);
  }
  *error = "unknown value type";
  return false;
}

struct KeyPath {
  bool remove = false;
  std::vector<std::string> components;  // below the root, UTF-8
};

bool ParseSectionHeader(std::string_view line, std::string_view rootName, KeyPath* path,
                        std::string* error) {
  std::string_view inner = TrimRight(line);
  if (inner.size() < 2 || inner.back() != ']') {
    *error = "section header without closing ']'";
    return false;
  }
  inner = inner.substr(1, inner.size() - 2);
  if (!inner.empty() && inner.front() == '-') {
    path->remove = true;
    inner.remove_prefix(1);
  }
  size_t slash = inner.find('\\');
  if (!NamesEqual(inner.substr(0, slash), rootName)) {
    *error = "section outside " + std::string(rootName);
    return false;
  }
  while (slash != std::string_view::npos) {
    inner = inner.substr(slash + 1);
    slash = inner.find('\\');
    std::string_view component = inner.substr(0, slash);
    if (component.empty()) {
      *error = "empty key name in path";
      return false;
    }
    path->components.emplace_back(component);
  }
  return true;
}

class Parser {
 public:
  Parser(const std::string& fileName, std::string_view rootName, Hive* hive,
         std::vector<std::string>* diagnostics)
      : fileName_(fileName), rootName_(rootName), hive_(hive), diagnostics_(diagnostics) {}

  void Run(const std::vector<SourceLine>& lines) {
    if (lines.empty()) return;
    if (TrimRight(lines[0].text) != kRegFileHeader) {
      Report(1, "not a registry file header; every line is kept unread");
      for (const SourceLine& line : lines) {
        if (!TrimRight(line.text).empty()) hive_->headLines.push_back(line.text);
      }
      return;
    }
    for (size_t i = 1; i < lines.size(); ++i) i = ReadLine(lines, i);
  }

 private:
  std::vector<std::string>& Kept() { return keeper_ ? keeper_->KeptLines() : hive_->headLines; }

  void Report(size_t lineNo, const std::string& what) {
    diagnostics_->push_back(fileName_ + ":" + std::to_string(lineNo) + ": " + what);
  }

  void Keep(size_t lineNo, const std::string& text, const std::string& why) {
    Report(lineNo, why + "; kept as written");
    Kept().push_back(text);
  }

  // Reads the line at index i (and any continuation lines); returns the index
  // of the last line consumed.
  size_t ReadLine(const std::vector<SourceLine>& lines, size_t i) {
    const SourceLine& line = lines[i];
    size_t lineNo = i + 1;
    std::string_view text = TrimLeft(line.text);
    if (!line.validUtf8) {
      Keep(lineNo, line.text, "not valid UTF-8");
      return i;
    }
    if (TrimRight(text).empty()) return i;
    if (text.front() == '[') {
      ReadSection(lineNo, line.text, text);
      return i;
    }
    if (inUnreadSection_ || text.front() == ';') {
      Kept().push_back(line.text);
      return i;
    }
    if (text.front() == '@' || text.front() == '"') return ReadValue(lines, i);
    Keep(lineNo, line.text, "unknown line");
    return i;
  }

  void ReadSection(size_t lineNo, const std::string& raw, std::string_view text) {
    KeyPath path;
    std::string error;
    if (!ParseSectionHeader(text, rootName_, &path, &error)) {
      Keep(lineNo, raw, error + "; the section is not read");
      current_ = nullptr;
      inUnreadSection_ = true;
      return;
    }
    inUnreadSection_ = false;
    std::vector<std::string> names;
    for (const std::string& component : path.components) {
      std::string name;
      if (!codepage::Utf8ToAnsi(component, &name)) {
        Report(lineNo, "key name has characters outside code page 1252, read as '?'");
      }
      names.push_back(std::move(name));
    }
    if (path.remove) {
      RemoveKey(lineNo, raw, names);
      return;
    }
    std::shared_ptr<Key> key = hive_->root;
    for (const std::string& name : names) {
      bool created = false;
      key = key->CreateSubkey(name, &created);
    }
    current_ = key;
    keeper_ = key;
  }

  void RemoveKey(size_t lineNo, const std::string& raw, const std::vector<std::string>& names) {
    current_ = nullptr;
    if (names.empty()) {
      Keep(lineNo, raw, "the root key cannot be deleted");
      return;
    }
    std::shared_ptr<Key> parent = hive_->root;
    for (size_t n = 0; parent && n + 1 < names.size(); ++n) parent = parent->FindSubkey(names[n]);
    if (parent) parent->RemoveSubkey(names.back());
    // The section that kept lines so far may be gone with the key.
    keeper_ = nullptr;
  }

  size_t ReadValue(const std::vector<SourceLine>& lines, size_t i) {
    size_t lineNo = i + 1;
    std::vector<std::string> physical{lines[i].text};
    std::string_view text = TrimLeft(lines[i].text);
    std::string name;
    std::string error;
    std::string_view rest;
    if (text.front() == '@') {
      rest = text.substr(1);
    } else if (!ReadQuoted(text.substr(1), &name, &rest, &error)) {
      Keep(lineNo, lines[i].text, error);
      return i;
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != '=') {
      Keep(lineNo, lines[i].text, "missing '=' after the value name");
      return i;
    }
    std::string data(TrimLeft(rest.substr(1)));
    // regedit wraps long hex lists: a trailing backslash continues the line.
    if (StartsWith(data, "hex")) {
      while (!TrimRight(data).empty() && TrimRight(data).back() == '\\' && i + 1 < lines.size()) {
        data = std::string(TrimRight(data));
        data.pop_back();
        ++i;
        physical.push_back(lines[i].text);
        data += TrimLeft(lines[i].text);
      }
    }
    if (!current_) {
      KeepAll(lineNo, physical, "value outside a key section");
      return i;
    }
    ParsedData parsed;
    if (!ParseData(TrimRight(data), &parsed, &error)) {
      KeepAll(lineNo, physical, error);
      return i;
    }
    std::string ansiName;
    bool exactName = codepage::Utf8ToAnsi(name, &ansiName);
    if (parsed.remove) {
      current_->DeleteValue(ansiName);
      return i;
    }
    Value* value = current_->SetValueFromFile(ansiName, parsed.type, std::move(parsed.data));
    value->fileLines.clear();
    if (!exactName || !parsed.exact) {
      Report(lineNo, "characters outside code page 1252 read as '?'; the line is kept as written");
      value->fileLines = physical;
    }
    return i;
  }

  void KeepAll(size_t lineNo, const std::vector<std::string>& physical, const std::string& why) {
    Report(lineNo, why + "; kept as written");
    for (const std::string& text : physical) Kept().push_back(text);
  }

  const std::string& fileName_;
  std::string_view rootName_;
  Hive* hive_;
  std::vector<std::string>* diagnostics_;
  std::shared_ptr<Key> current_;  // the key value lines go to; null outside a section
  std::shared_ptr<Key> keeper_;   // where unread lines go; null for the head
  bool inUnreadSection_ = false;
};

std::string EscapeQuoted(std::string_view ansi) {
  std::string out;
  for (char c : codepage::AnsiToUtf8(ansi)) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

// A REG_SZ written as "text" must read back to the same bytes: the text and
// one terminator, nothing a line could not hold.
bool IsQuotable(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  return data.find_first_of(std::string("\0\r\n", 3)) == data.size() - 1;
}

void AppendHexList(std::string line, std::string_view bytes, std::string* out) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    char piece[4];
    std::snprintf(piece, sizeof piece, "%02x%s", static_cast<unsigned char>(bytes[i]),
                  i + 1 < bytes.size() ? "," : "");
    if (line.size() + 3 + 1 > kWrapColumn && line != "  ") {
      *out += line + "\\\r\n";
      line = "  ";
    }
    line += piece;
  }
  *out += line + "\r\n";
}

void AppendValue(const Value& value, std::string* out) {
  if (!value.fileLines.empty()) {
    for (const std::string& line : value.fileLines) *out += line + "\r\n";
    return;
  }
  std::string line = value.name.empty() ? "@=" : "\"" + EscapeQuoted(value.name) + "\"=";
  if (value.type == REG_SZ && IsQuotable(value.data)) {
    std::string_view text(value.data.data(), value.data.size() - 1);
    *out += line + "\"" + EscapeQuoted(text) + "\"\r\n";
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    DWORD number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", number);
    *out += line + "dword:" + digits + "\r\n";
  } else if (value.type == REG_BINARY) {
    AppendHexList(line + "hex:", value.data, out);
  } else {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
    if (!IsTextType(value.type)) {
      AppendHexList(line + prefix, value.data, out);
      return;
    }
    std::string utf16le;
    for (char16_t unit : codepage::AnsiToUtf16(value.data)) {
      utf16le.push_back(static_cast<char>(unit & 0xFF));
      utf16le.push_back(static_cast<char>(unit >> 8));
    }
    AppendHexList(line + prefix, utf16le, out);
  }
}

void AppendKey(const Key& key, const std::string& path, bool isRoot, std::string* out) {
  if (!isRoot || !key.Values().empty() || !key.KeptLines().empty()) {
    *out += "[" + path + "]\r\n";
    for (const Value& value : key.Values()) AppendValue(value, out);
    for (const std::string& line : key.KeptLines()) *out += line + "\r\n";
    *out += "\r\n";
  }
  for (const auto& entry : key.Subkeys()) {
    AppendKey(*entry.second, path + "\\" + codepage::AnsiToUtf8(entry.second->Name()), false, out);
  }
}

}  // namespace

void ParseRegFile(std::string_view bytes, const std::string& fileName, std::string_view rootName,
                  Hive* hive, std::vector<std::string>* diagnostics) {
  if (!hive->root) hive->root = std::make_shared<Key>(std::string(rootName), nullptr);
  Parser(fileName, rootName, hive, diagnostics).Run(DecodeLines(bytes, fileName, diagnostics));
}

std::string FormatRegFile(const Hive& hive, std::string_view rootName) {
  std::string out = std::string(kRegFileHeader) + "\r\n\r\n";
  if (!hive.headLines.empty()) {
    for (const std::string& line : hive.headLines) out += line + "\r\n";
    out += "\r\n";
  }
  if (hive.root) AppendKey(*hive.root, std::string(rootName), true, &out);
  return out;
}

}  // namespace sigplat::reg
