// Heredoc choices: the terminator line may carry blanks around WORD; a heredoc
// with no lines is the empty text; its lines are kept exactly (comment marks
// and blank lines included).
#include "scenario_lexer.h"

#include <cstddef>
#include <limits>

#include "scenario_error.h"

namespace simhost::scenario {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string_view> physicalLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

class WordSplitter {
 public:
  WordSplitter(const std::string& file, int line, std::string_view source)
      : file_(file), line_(line), s_(source) {}

  std::vector<Word> split() {
    std::vector<Word> words;
    while (true) {
      while (pos_ < s_.size() && isBlank(s_[pos_])) ++pos_;
      if (pos_ == s_.size()) return words;
      char c = s_[pos_];
      if (c == '\'') {
        words.push_back(singleQuoted());
        afterQuote();
      } else if (c == '"') {
        words.push_back(doubleQuoted());
        afterQuote();
      } else {
        words.push_back(bare());
      }
    }
  }

 private:
  [[noreturn]] void fail(const std::string& message) const {
    throw ScriptError(file_, line_, message);
  }

  Word make(std::string text, Quoting quoting) const {
    return Word{std::move(text), quoting, line_};
  }

  Word bare() {
    std::size_t start = pos_;
    while (pos_ < s_.size() && !isBlank(s_[pos_])) ++pos_;
    return make(std::string(s_.substr(start, pos_ - start)), Quoting::Bare);
  }

  Word singleQuoted() {
    std::size_t close = s_.find('\'', pos_ + 1);
    if (close == std::string_view::npos) fail("unterminated single quote");
    std::string text(s_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    return make(std::move(text), Quoting::Single);
  }

  Word doubleQuoted() {
    std::string text;
    ++pos_;
    while (pos_ < s_.size()) {
      char c = s_[pos_++];
      if (c == '"') return make(std::move(text), Quoting::Double);
      if (c != '\\' || pos_ == s_.size()) {
        text += c;
        continue;
      }
      char e = s_[pos_];
      switch (e) {
        case 'r':
          text += '\r';
          ++pos_;
          break;
        case 'n':
          text += '\n';
          ++pos_;
          break;
        case 't':
          text += '\t';
          ++pos_;
          break;
        case '\\':
          text += '\\';
          ++pos_;
          break;
        case '"':
          text += '"';
          ++pos_;
          break;
        case 'x': text += hexEscape(); break;
        default: text += '\\'; break;  // any other backslash stands for itself
      }
    }
    fail("unterminated double quote");
  }

  char hexEscape() {
    int high = pos_ + 1 < s_.size() ? hexValue(s_[pos_ + 1]) : -1;
    int low = pos_ + 2 < s_.size() ? hexValue(s_[pos_ + 2]) : -1;
    if (high < 0 || low < 0) fail("bad \\x escape: \\x needs two hexadecimal digits");
    pos_ += 3;
    return static_cast<char>(high * 16 + low);
  }

  // A semicolon may follow a quote at once: it separates dialog steps.
  void afterQuote() const {
    if (pos_ < s_.size() && !isBlank(s_[pos_]) && s_[pos_] != ';')
      fail("a closing quote must be followed by a blank or the end of the line");
  }

  const std::string& file_;
  int line_;
  std::string_view s_;
  std::size_t pos_ = 0;
};

bool isHeredocMarker(const Word& w) { return w.bare() && w.text.compare(0, 2, "<<") == 0; }

}  // namespace

std::vector<Line> lexScript(const std::string& file, std::string_view text) {
  std::vector<std::string_view> lines = physicalLines(text);
  std::vector<Line> result;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int number = static_cast<int>(i) + 1;
    std::string_view content = trimBlanks(lines[i]);
    if (content.empty() || content.front() == '#') continue;
    Line line{number, std::string(lines[i]), WordSplitter(file, number, lines[i]).split()};
    for (std::size_t w = 0; w + 1 < line.words.size(); ++w) {
      if (isHeredocMarker(line.words[w]))
        throw ScriptError(
            file, number,
            "a heredoc marker " + line.words[w].text + " must be the last word of its line");
    }
    Word& last = line.words.back();
    if (isHeredocMarker(last)) {
      std::string terminator = last.text.substr(2);
      if (terminator.empty())
        throw ScriptError(file, number, "a heredoc marker needs a word after <<");
      std::string body;
      bool ended = false;
      while (++i < lines.size()) {
        if (trimBlanks(lines[i]) == terminator) {
          ended = true;
          break;
        }
        body.append(lines[i]).append("\r\n");
      }
      if (!ended)
        throw ScriptError(file, number,
                          "heredoc <<" + terminator + " has no line '" + terminator +
                              "' before the end of the file");
      last = Word{std::move(body), Quoting::Heredoc, number};
    }
    result.push_back(std::move(line));
  }
  return result;
}

namespace {

// Reads the digits of a number of at most 32 bits; false when the text is not one.
bool readMagnitude(std::string_view text, std::uint64_t& value, bool& hex, std::string& whyNot) {
  std::string quoted = "'" + std::string(text) + "'";
  hex = text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  std::string_view digits = hex ? text.substr(2) : text;
  if (digits.empty()) {
    whyNot = text.empty() ? "a number is missing" : quoted + " has no digits";
    return false;
  }
  value = 0;
  for (char c : digits) {
    int d = hex ? hexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (d < 0) {
      whyNot = quoted + " is not a decimal or 0x hexadecimal number";
      return false;
    }
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFull) {
      whyNot = quoted + " does not fit in 32 bits";
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::uint32_t> toUnsigned32(std::string_view text, std::string& whyNot) {
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    whyNot = "'" + std::string(text) + "' has a sign; only unsigned numbers are allowed here";
    return std::nullopt;
  }
  std::uint64_t value = 0;
  bool hex = false;
  if (!readMagnitude(text, value, hex, whyNot)) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::optional<std::int32_t> toSigned32(std::string_view text, std::string& whyNot) {
  bool negative = !text.empty() && text[0] == '-';
  std::string_view rest = text;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) rest.remove_prefix(1);
  std::uint64_t value = 0;
  bool hex = false;
  if (!readMagnitude(rest, value, hex, whyNot)) {
    if (rest.empty() && !text.empty()) whyNot = "'" + std::string(text) + "' has no digits";
    return std::nullopt;
  }
  if (hex) {
    if (rest.size() != text.size()) {
      whyNot = "'" + std::string(text) + "': a 0x number takes no sign";
      return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }
  std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
  if (value > limit) {
    whyNot = "'" + std::string(text) + "' is outside -2147483648 to 2147483647";
    return std::nullopt;
  }
  return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value))
                  : static_cast<std::int32_t>(value);
}

}  // namespace simhost::scenario
