// The tokens of a resource script: names, numbers, strings with rc's
// escapes, punctuation, and preprocessor lines handed over whole.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sigplat::detail {

// What the reader of a resource script throws: the message already names the
// file and the line, "Sigil32.rc:12: ...".
class RcError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class RcTokenKind {
  kName,       // WS_CHILD, DIALOG, BEGIN, a #define'd name
  kNumber,     // 12, 0x1F, 12L
  kString,     // "text", its escapes resolved
  kDirective,  // a whole "#..." line, without the '#'
  kPunct,      // one of , | ( ) { } + - ~ &
  kEnd,
};

struct RcToken {
  RcTokenKind kind = RcTokenKind::kEnd;
  std::string text;     // the name, the string's value, the directive, the punctuation
  uint32_t number = 0;  // kNumber
  int line = 0;
};

class RcLexer {
 public:
  // firstLine numbers the text's first line, for text taken from inside a file.
  RcLexer(const std::string& text, const std::string& fileName, int firstLine = 1);

  RcToken Next();
  [[noreturn]] void Fail(int line, const std::string& message) const;
  const std::string& FileName() const { return fileName_; }

 private:
  void SkipBlanksAndComments();
  RcToken Directive();
  RcToken Number();
  RcToken String();

  const std::string& text_;
  std::string fileName_;
  size_t pos_ = 0;
  int line_ = 1;
  bool atLineStart_ = true;
};

}  // namespace sigplat::detail
