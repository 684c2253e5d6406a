// Splits a scenario script into lines of words. The words keep how they were
// quoted, because a quoted word is always text: it never acts as a keyword, a
// heredoc marker or a step separator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace simhost::scenario {

enum class Quoting {
  Bare,     // as written
  Single,   // 'as written, blanks included'
  Double,   // "with \r \n \t \\ \" \xHH escapes"
  Heredoc,  // <<WORD and the lines after it, each ended by CR LF
};

struct Word {
  std::string text;  // after quotes and escapes are resolved
  Quoting quoting = Quoting::Bare;
  int line = 0;  // the line of the command that holds the word

  bool bare() const { return quoting == Quoting::Bare; }
  // A bare word equal to KEYWORD. Keywords are case-sensitive.
  bool is(std::string_view keyword) const { return bare() && text == keyword; }
};

struct Line {
  int number = 0;           // 1-based, of the command line itself
  std::string source;       // that line as written, without its line end
  std::vector<Word> words;  // never empty
};

// Throws ScriptError naming FILE and the line for an unterminated quote, a bad
// \x escape, a misplaced or unterminated heredoc, or text glued to a closing
// quote. Accepts LF and CR LF line ends.
std::vector<Line> lexScript(const std::string& file, std::string_view text);

// Numbers are decimal or 0x hexadecimal. On failure the result is empty and
// whyNot says why, quoting the text (for example "'12x' is not a number").
// Unsigned: 0 to 4294967295 (0xFFFFFFFF); no sign.
std::optional<std::uint32_t> toUnsigned32(std::string_view text, std::string& whyNot);
// Signed: decimal -2147483648 to 2147483647 with an optional sign, or 0x0 to
// 0xFFFFFFFF taken as the 32-bit pattern (so 0x80004005 is a failure code).
std::optional<std::int32_t> toSigned32(std::string_view text, std::string& whyNot);

}  // namespace simhost::scenario
