#include "version_block_writer.h"

#include <cstdio>

#include "codepage.h"
#include "le_bytes.h"
#include "sigplat/pe_image.h"

namespace sigplat::detail {
namespace {

constexpr uint16_t kBinary = 0;
constexpr uint16_t kText = 1;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr uint32_t kFixedInfoStructVersion = 0x00010000;
constexpr uint32_t kFlagsMask = 0x3F;
constexpr uint32_t kOsNtWindows32 = 0x00040004;
constexpr uint32_t kFileTypeDll = 2;
constexpr uint16_t kLangUsEnglish = 0x0409;
constexpr uint16_t kCodePageUnicode = 1200;

struct Node {
  std::u16string key;
  uint16_t type = kBinary;
  uint16_t valueLength = 0;  // bytes for binary values, characters for text
  std::vector<uint8_t> value;
  std::vector<Node> children;
};

std::u16string Ascii(const char* text) { return codepage::AnsiToUtf16(text); }

Node TextNode(const char* key, const std::string& ansiText, bool* fits) {
  Node node;
  node.key = Ascii(key);
  node.type = kText;
  const std::u16string text = codepage::AnsiToUtf16(ansiText);
  if (text.size() + 1 > 0xFFFF) *fits = false;
  node.valueLength = static_cast<uint16_t>(text.size() + 1);
  for (char16_t c : text) Append16(&node.value, c);
  Append16(&node.value, 0);
  return node;
}

Node FixedInfoRoot(const WORD v[4]) {
  Node root;
  root.key = Ascii("VS_VERSION_INFO");
  const uint32_t ms = static_cast<uint32_t>(v[0]) << 16 | v[1];
  const uint32_t ls = static_cast<uint32_t>(v[2]) << 16 | v[3];
  for (uint32_t field : {kFixedInfoSignature, kFixedInfoStructVersion, ms, ls, ms, ls, kFlagsMask,
                         0u, kOsNtWindows32, kFileTypeDll, 0u, 0u, 0u}) {
    Append32(&root.value, field);
  }
  root.valueLength = static_cast<uint16_t>(root.value.size());
  return root;
}

// Writes the node at the next 4-byte boundary; false when its length
// overflows the 16-bit header field.
bool Serialize(const Node& node, std::vector<uint8_t>* out) {
  PadTo(out, 4);
  const size_t start = out->size();
  Append16(out, 0);  // the node's length, known at the end
  Append16(out, node.valueLength);
  Append16(out, node.type);
  for (char16_t c : node.key) Append16(out, c);
  Append16(out, 0);
  PadTo(out, 4);
  out->insert(out->end(), node.value.begin(), node.value.end());
  for (const Node& child : node.children) {
    if (!Serialize(child, out)) return false;
  }
  const size_t length = out->size() - start;
  if (length > 0xFFFF) return false;
  Put16(out, start, static_cast<uint32_t>(length));
  return true;
}

std::string DottedVersion(const WORD v[4]) {
  char text[32];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", v[0], v[1], v[2], v[3]);
  return text;
}

std::string WithoutExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

bool MakeVersionBlock(const WORD v[4], const std::string& fileDescription,
                      const std::string& originalFilename, std::vector<uint8_t>* block) {
  const std::string version = DottedVersion(v);
  bool fits = true;
  Node table;
  table.key = Ascii("040904B0");
  table.type = kText;
  table.children = {
      TextNode("CompanyName", "Microsoft Corporation", &fits),
      TextNode("FileDescription", fileDescription, &fits),
      TextNode("FileVersion", version, &fits),
      TextNode("InternalName", WithoutExtension(originalFilename), &fits),
      TextNode("LegalCopyright", "Copyright (C) Microsoft Corp.", &fits),
      TextNode("OriginalFilename", originalFilename, &fits),
      TextNode("ProductName", "Microsoft Outlook", &fits),
      TextNode("ProductVersion", version, &fits),
  };
  Node strings;
  strings.key = Ascii("StringFileInfo");
  strings.type = kText;
  strings.children.push_back(std::move(table));

  Node translation;
  translation.key = Ascii("Translation");
  Append16(&translation.value, kLangUsEnglish);
  Append16(&translation.value, kCodePageUnicode);
  translation.valueLength = static_cast<uint16_t>(translation.value.size());
  Node vars;
  vars.key = Ascii("VarFileInfo");
  vars.type = kText;
  vars.children.push_back(std::move(translation));

  Node root = FixedInfoRoot(v);
  root.children.push_back(std::move(strings));
  root.children.push_back(std::move(vars));
  block->clear();
  return fits && Serialize(root, block);
}

}  // namespace sigplat::detail

namespace sigplat {

bool BuildVersionBlock(const WORD version[4], const std::string& fileDescription,
                       const std::string& originalFilename, std::vector<BYTE>* block) {
  return detail::MakeVersionBlock(version, fileDescription, originalFilename, block);
}

}  // namespace sigplat
