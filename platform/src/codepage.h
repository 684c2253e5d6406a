// Conversions between the ANSI code page (1252, what the A functions see) and
// the Unicode forms the hive files use. The five bytes 1252 leaves undefined
// map to the C1 controls of the same number, as Windows maps them, so every
// ANSI text survives a trip through Unicode unchanged.
#pragma once

#include <string>
#include <string_view>

namespace sigplat::codepage {

std::u16string AnsiToUtf16(std::string_view ansi);
std::string AnsiToUtf8(std::string_view ansi);

// Both return false when the text holds a character 1252 cannot represent
// (it becomes '?', as Windows' default character) or, for UTF-8, when the
// bytes are not valid UTF-8.
bool Utf16ToAnsi(std::u16string_view utf16, std::string* ansi);
bool Utf8ToAnsi(std::string_view utf8, std::string* ansi);

// Returns false on an unpaired surrogate, which becomes U+FFFD.
bool Utf16ToUtf8(std::u16string_view utf16, std::string* utf8);
bool IsValidUtf8(std::string_view text);

}  // namespace sigplat::codepage
