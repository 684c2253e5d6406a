#include "rc_lexer.h"

#include <cctype>

namespace sigplat::detail {
namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RcLexer::RcLexer(const std::string& text, const std::string& fileName, int firstLine)
    : text_(text), fileName_(fileName), line_(firstLine) {}

void RcLexer::Fail(int line, const std::string& message) const {
  throw RcError(fileName_ + ":" + std::to_string(line) + ": " + message);
}

void RcLexer::SkipBlanksAndComments() {
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (c == '\n') {
      ++line_;
      ++pos_;
      atLineStart_ = true;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++pos_;
    } else if (text_.compare(pos_, 2, "//") == 0) {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    } else if (text_.compare(pos_, 2, "/*") == 0) {
      int startLine = line_;
      size_t close = text_.find("*/", pos_ + 2);
      if (close == std::string::npos) Fail(startLine, "comment is not closed");
      for (size_t i = pos_; i < close; ++i) line_ += text_[i] == '\n';
      pos_ = close + 2;
    } else {
      return;
    }
  }
}

RcToken RcLexer::Next() {
  SkipBlanksAndComments();
  RcToken token;
  token.line = line_;
  if (pos_ >= text_.size()) return token;
  char c = text_[pos_];
  if (c == '#' && atLineStart_) return Directive();
  atLineStart_ = false;
  if (std::isdigit(static_cast<unsigned char>(c))) return Number();
  if (c == '"') return String();
  if ((c == 'L' || c == 'l') && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
    ++pos_;  // a wide string holds the same text; the platform keeps it 8-bit
    return String();
  }
  if (IsNameStart(c)) {
    size_t start = pos_;
    while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
    token.kind = RcTokenKind::kName;
    token.text = text_.substr(start, pos_ - start);
    return token;
  }
  static const std::string kPunctuation = ",|(){}+-~&";
  if (kPunctuation.find(c) != std::string::npos) {
    ++pos_;
    token.kind = RcTokenKind::kPunct;
    token.text = std::string(1, c);
    return token;
  }
  Fail(line_, std::string("unexpected character '") + c + "'");
}

RcToken RcLexer::Directive() {
  RcToken token;
  token.kind = RcTokenKind::kDirective;
  token.line = line_;
  ++pos_;
  while (pos_ < text_.size() && text_[pos_] != '\n') {
    if (text_.compare(pos_, 2, "//") == 0) {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      break;
    }
    if (text_[pos_] == '\\' && pos_ + 1 < text_.size() &&
        (text_[pos_ + 1] == '\n' || text_.compare(pos_ + 1, 2, "\r\n") == 0)) {
      Fail(line_, "continued preprocessor lines are not supported");
    }
    token.text += text_[pos_++];
  }
  while (!token.text.empty() && std::isspace(static_cast<unsigned char>(token.text.back())))
    token.text.pop_back();
  return token;
}

RcToken RcLexer::Number() {
  RcToken token;
  token.kind = RcTokenKind::kNumber;
  token.line = line_;
  size_t start = pos_;
  uint64_t value = 0;
  if (text_.compare(pos_, 2, "0x") == 0 || text_.compare(pos_, 2, "0X") == 0) {
    pos_ += 2;
    size_t digits = pos_;
    while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0) {
      value = value * 16 + static_cast<uint64_t>(HexValue(text_[pos_++]));
      if (value > 0xFFFFFFFFu) Fail(line_, "number does not fit in 32 bits");
    }
    if (pos_ == digits) Fail(line_, "hexadecimal number without digits");
  } else {
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      value = value * 10 + static_cast<uint64_t>(text_[pos_++] - '0');
      if (value > 0xFFFFFFFFu) Fail(line_, "number does not fit in 32 bits");
    }
  }
  while (pos_ < text_.size() &&
         (text_[pos_] == 'L' || text_[pos_] == 'l' || text_[pos_] == 'U' || text_[pos_] == 'u')) {
    ++pos_;
  }
  if (pos_ < text_.size() && IsNameChar(text_[pos_])) {
    Fail(line_, "malformed number '" + text_.substr(start, pos_ + 1 - start) + "'");
  }
  token.number = static_cast<uint32_t>(value);
  token.text = text_.substr(start, pos_ - start);
  return token;
}

// rc's escapes: \n \r \t \a \\ \" \0, octal \ooo and hexadecimal \xhh; a
// doubled quote stands for one quote.
RcToken RcLexer::String() {
  RcToken token;
  token.kind = RcTokenKind::kString;
  token.line = line_;
  ++pos_;
  for (;;) {
    if (pos_ >= text_.size() || text_[pos_] == '\n') Fail(token.line, "string is not closed");
    char c = text_[pos_++];
    if (c == '"') {
      if (pos_ < text_.size() && text_[pos_] == '"') {
        token.text += '"';
        ++pos_;
        continue;
      }
      return token;
    }
    if (c != '\\') {
      token.text += c;
      continue;
    }
    if (pos_ >= text_.size()) Fail(line_, "string is not closed");
    char e = text_[pos_++];
    switch (e) {
      case 'n':
        token.text += '\n';
        break;
      case 'r':
        token.text += '\r';
        break;
      case 't':
        token.text += '\t';
        break;
      case 'a':
        token.text += '\b';
        break;  // rc's right-alignment mark for menus
      case '\\':
        token.text += '\\';
        break;
      case '"':
        token.text += '"';
        break;
      case 'x':
      case 'X': {
        int value = 0, digits = 0;
        while (digits < 2 && pos_ < text_.size() && HexValue(text_[pos_]) >= 0) {
          value = value * 16 + HexValue(text_[pos_++]);
          ++digits;
        }
        if (digits == 0) Fail(line_, "\\x without hexadecimal digits");
        token.text += static_cast<char>(value);
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          int value = e - '0', digits = 1;
          while (digits < 3 && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7') {
            value = value * 8 + (text_[pos_++] - '0');
            ++digits;
          }
          if (value > 0xFF) Fail(line_, "octal escape beyond one byte");
          token.text += static_cast<char>(value);
          break;
        }
        Fail(line_, std::string("unknown escape '\\") + e + "' in a string");
    }
  }
}

}  // namespace sigplat::detail
