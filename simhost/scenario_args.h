// Internal: a cursor over the words of one command (or one dialog step) that
// reads typed arguments and raises errors naming the command and its usage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "scenario_lexer.h"

namespace simhost::scenario {

class Args {
 public:
  // CONTEXT opens every message ("outlook", "answer dialog, step 2");
  // USAGE, when not empty, closes it.
  Args(const std::string& file, int line, std::vector<Word> words, std::string context,
       std::string usage);

  bool atEnd() const { return pos_ == words_.size(); }
  std::size_t left() const { return words_.size() - pos_; }
  const Word& peek() const { return words_[pos_]; }  // only when !atEnd()
  // Consumes the next word when it is the bare KEYWORD.
  bool takeIf(const char* keyword);

  const Word& take(const std::string& what);
  std::string text(const std::string& what);
  std::uint32_t u32(const std::string& what);
  std::uint32_t u32(const std::string& what, std::uint32_t max);
  std::int32_t i32(const std::string& what);

  // The next word must be one of the bare keywords in CHOICES.
  template <class E>
  E choice(const std::string& what, std::initializer_list<std::pair<const char*, E>> choices) {
    std::vector<const char*> names;
    for (const auto& c : choices) names.push_back(c.first);
    const Word& w = take(what + " (" + alternatives(names) + ")");
    for (const auto& c : choices)
      if (w.is(c.first)) return c.second;
    failChoice(what, w, names);
  }

  // No words may be left.
  void end() const;

  [[noreturn]] void fail(const std::string& message) const;

  const std::string& file() const { return file_; }
  int line() const { return line_; }

  static std::string display(const Word& w);
  static std::string alternatives(const std::vector<const char*>& names);

 private:
  [[noreturn]] void failChoice(const std::string& what, const Word& w,
                               const std::vector<const char*>& names) const;

  const std::string& file_;
  int line_;
  std::vector<Word> words_;
  std::size_t pos_ = 0;
  std::string context_;
  std::string usage_;
  bool lastWasText_ = false;
};

}  // namespace simhost::scenario
