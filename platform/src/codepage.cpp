#include "codepage.h"

#include <cstdint>

namespace sigplat::codepage {
namespace {

// Code page 1252 from 0x80 to 0x9F; every other byte is its own code point.
// clang-format off
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

char32_t AnsiToCodePoint(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kHighControls[c - 0x80];
  return c;
}

bool CodePointToAnsi(char32_t cp, char* out) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    *out = static_cast<char>(cp);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == cp) {
      *out = static_cast<char>(0x80 + i);
      return true;
    }
  }
  *out = '?';
  return false;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes one code point at *pos; false on a malformed or overlong sequence.
bool DecodeUtf8(std::string_view text, size_t* pos, char32_t* cp) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(*pos);
  size_t extra = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    *cp = lead;
    ++*pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, value = lead & 0x07, minimum = 0x10000;
  } else {
    return false;
  }
  if (*pos + extra >= text.size()) return false;
  for (size_t i = 1; i <= extra; ++i) {
    unsigned char next = byte(*pos + i);
    if ((next & 0xC0) != 0x80) return false;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *cp = value;
  *pos += extra + 1;
  return true;
}

}  // namespace

std::u16string AnsiToUtf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char c : ansi) {
    out.push_back(static_cast<char16_t>(AnsiToCodePoint(static_cast<unsigned char>(c))));
  }
  return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (char c : ansi) AppendUtf8(AnsiToCodePoint(static_cast<unsigned char>(c)), &out);
  return out;
}

bool Utf16ToAnsi(std::u16string_view utf16, std::string* ansi) {
  ansi->clear();
  bool exact = true;
  for (size_t i = 0; i < utf16.size(); ++i) {
    char c = '?';
    char16_t unit = utf16[i];
    // A surrogate pair stands for one character, which 1252 never has.
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      ++i;
      exact = false;
    } else if (!CodePointToAnsi(unit, &c)) {
      exact = false;
    }
    ansi->push_back(c);
  }
  return exact;
}

bool Utf8ToAnsi(std::string_view utf8, std::string* ansi) {
  ansi->clear();
  bool exact = true;
  size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    char c = '?';
    if (!DecodeUtf8(utf8, &pos, &cp)) {
      ++pos;
      exact = false;
    } else if (!CodePointToAnsi(cp, &c)) {
      exact = false;
    }
    ansi->push_back(c);
  }
  return exact;
}

bool Utf16ToUtf8(std::u16string_view utf16, std::string* utf8) {
  utf8->clear();
  bool exact = true;
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
      exact = false;
    }
    AppendUtf8(cp, utf8);
  }
  return exact;
}

bool IsValidUtf8(std::string_view text) {
  size_t pos = 0;
  char32_t cp = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8(text, &pos, &cp)) return false;
  }
  return true;
}

}  // namespace sigplat::codepage
