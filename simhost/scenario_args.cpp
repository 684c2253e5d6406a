#include "scenario_args.h"

#include "scenario_error.h"

namespace simhost::scenario {

Args::Args(const std::string& file, int line, std::vector<Word> words, std::string context,
           std::string usage)
    : file_(file),
      line_(line),
      words_(std::move(words)),
      context_(std::move(context)),
      usage_(std::move(usage)) {}

bool Args::takeIf(const char* keyword) {
  if (atEnd() || !peek().is(keyword)) return false;
  ++pos_;
  lastWasText_ = false;
  return true;
}

const Word& Args::take(const std::string& what) {
  if (atEnd()) fail("missing " + what);
  lastWasText_ = false;
  return words_[pos_++];
}

std::string Args::text(const std::string& what) {
  std::string t = take(what).text;
  lastWasText_ = true;
  return t;
}

std::uint32_t Args::u32(const std::string& what) {
  const Word& w = take(what);
  std::string whyNot;
  std::optional<std::uint32_t> n = toUnsigned32(w.text, whyNot);
  if (!n) fail(what + ": " + whyNot);
  return *n;
}

std::uint32_t Args::u32(const std::string& what, std::uint32_t max) {
  std::uint32_t n = u32(what);
  if (n > max)
    fail(what + ": " + display(words_[pos_ - 1]) + " is larger than " + std::to_string(max));
  return n;
}

std::int32_t Args::i32(const std::string& what) {
  const Word& w = take(what);
  std::string whyNot;
  std::optional<std::int32_t> n = toSigned32(w.text, whyNot);
  if (!n) fail(what + ": " + whyNot);
  return *n;
}

void Args::end() const {
  if (atEnd()) return;
  std::string message = "unexpected extra word " + display(peek());
  if (lastWasText_) message += " (a text holding blanks needs quotes)";
  fail(message);
}

void Args::fail(const std::string& message) const {
  std::string full = context_ + ": " + message;
  if (!usage_.empty()) full += " (usage: " + usage_ + ")";
  throw ScriptError(file_, line_, full);
}

void Args::failChoice(const std::string& what, const Word& w,
                      const std::vector<const char*>& names) const {
  std::string message = what + ": expected " + alternatives(names) + ", found " + display(w);
  if (!w.bare()) message += " (a quoted word is text, never a keyword)";
  fail(message);
}

std::string Args::display(const Word& w) {
  constexpr std::size_t kMax = 40;
  std::string t = w.text.size() > kMax ? w.text.substr(0, kMax) + "..." : w.text;
  switch (w.quoting) {
    case Quoting::Double: return "\"" + t + "\"";
    case Quoting::Heredoc: return "a heredoc text";
    case Quoting::Bare:
    case Quoting::Single: break;
  }
  return "'" + t + "'";
}

std::string Args::alternatives(const std::vector<const char*>& names) {
  std::string s;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) s += i + 1 == names.size() ? " or " : ", ";
    s += names[i];
  }
  return s;
}

}  // namespace simhost::scenario
