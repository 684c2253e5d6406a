#include "scenario_lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario_error.h"

namespace simhost::scenario {
namespace {

std::vector<std::string> texts(const Line& line) {
  std::vector<std::string> t;
  for (const Word& w : line.words) t.push_back(w.text);
  return t;
}

struct WordCase {
  const char* source;
  std::vector<std::string> words;
};

TEST(ScenarioLexer, SplitsQuotesAndEscapesAsWritten) {
  const WordCase cases[] = {
      {"file C:\\Sigilon\\SIGILON.TXT x", {"file", "C:\\Sigilon\\SIGILON.TXT", "x"}},
      {"  a\t\tb  ", {"a", "b"}},
      {"outlook 2000 'C:\\Program Files\\Office'",
       {"outlook", "2000", "C:\\Program Files\\Office"}},
      {"x 'say \"hi\"' ''", {"x", "say \"hi\"", ""}},
      {"x \"a\\r\\nb\\tc\\\\d\\\"e\"", {"x", "a\r\nb\tc\\d\"e"}},
      {"x \"\\x41\\x7e\\x00z\"", {"x", std::string("A~\0z", 4)}},
      // any other backslash stands for itself
      {"x \"C:\\Sigilon\\q\"", {"x", "C:\\Sigilon\\q"}},
      // a quote inside a bare word is part of it; # inside a line is text
      {"type it\"s #1", {"type", "it\"s", "#1"}},
      // semicolons stay in the words for the step parser
      {"answer dialog 5 check 5;click 6", {"answer", "dialog", "5", "check", "5;click", "6"}},
      {"answer sheet \"A;B\";ok", {"answer", "sheet", "A;B", ";ok"}},
  };
  for (const WordCase& c : cases) {
    SCOPED_TRACE(c.source);
    std::vector<Line> lines = lexScript("t.scn", c.source);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(texts(lines[0]), c.words);
  }
}

TEST(ScenarioLexer, QuotedWordsAreNeverKeywords) {
  std::vector<Line> lines = lexScript("t.scn", "env X 'unset' \"unset\" unset");
  ASSERT_EQ(lines.size(), 1u);
  const std::vector<Word>& w = lines[0].words;
  EXPECT_FALSE(w[2].is("unset"));
  EXPECT_FALSE(w[3].is("unset"));
  EXPECT_TRUE(w[4].is("unset"));
  EXPECT_EQ(w[2].quoting, Quoting::Single);
  EXPECT_EQ(w[3].quoting, Quoting::Double);
}

TEST(ScenarioLexer, SkipsCommentsAndBlankLinesAndKeepsLineNumbers) {
  std::vector<Line> lines =
      lexScript("t.scn", "# intro\r\n\r\n   \t\r\n  # indented comment\r\nstart\r\n\r\nstop");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].number, 5);
  EXPECT_EQ(lines[0].source, "start");  // no CR left behind
  EXPECT_EQ(texts(lines[0]), std::vector<std::string>{"start"});
  EXPECT_EQ(lines[1].number, 7);
  EXPECT_EQ(lines[1].words[0].line, 7);
}

struct HeredocCase {
  const char* name;
  const char* script;
  std::string text;  // the heredoc word
  int nextLine;      // the line number of the command after it
};

TEST(ScenarioLexer, HeredocsJoinLinesWithCrLf) {
  const HeredocCase cases[] = {
      {"lines", "file C:\\a.txt <<END\nfirst\n  second\nEND\nstart\n", "first\r\n  second\r\n", 5},
      {"crlf script", "file x <<END\r\na\r\nEND\r\nstart\r\n", "a\r\n", 4},
      {"empty", "file x <<END\nEND\nstart", "", 3},
      {"blank lines and comments are content", "file x <<EOF\n\n# not a comment\nEOF\nstart",
       "\r\n# not a comment\r\n", 5},
      {"terminator with blanks around it", "file x <<END\na\n  END \nstart", "a\r\n", 4},
      {"other words do not end it", "file x <<END\nEND2\nxEND\nEND\nstart", "END2\r\nxEND\r\n", 5},
  };
  for (const HeredocCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Line> lines = lexScript("t.scn", c.script);
    ASSERT_EQ(lines.size(), 2u);
    const Word& w = lines[0].words.back();
    EXPECT_EQ(w.text, c.text);
    EXPECT_EQ(w.quoting, Quoting::Heredoc);
    EXPECT_EQ(w.line, 1);
    EXPECT_EQ(lines[1].number, c.nextLine);
    EXPECT_EQ(texts(lines[1]), std::vector<std::string>{"start"});
  }
}

TEST(ScenarioLexer, QuotedHeredocMarkerIsText) {
  std::vector<Line> lines = lexScript("t.scn", "type '<<END'\nstart");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].words[1].text, "<<END");
}

struct ErrorCase {
  const char* script;
  const char* error;  // what() in full
};

TEST(ScenarioLexer, ErrorsNameFileAndLine) {
  const ErrorCase cases[] = {
      {"start\n\ntype \"abc", "t.scn:3: unterminated double quote"},
      {"type \"abc\\\"", "t.scn:1: unterminated double quote"},
      {"start\ntype 'abc", "t.scn:2: unterminated single quote"},
      {"type \"\\x4\"", "t.scn:1: bad \\x escape: \\x needs two hexadecimal digits"},
      {"type \"\\xg0\"", "t.scn:1: bad \\x escape: \\x needs two hexadecimal digits"},
      {"type \"ab\"cd",
       "t.scn:1: a closing quote must be followed by a blank or the end of the line"},
      {"start\nfile x <<END\na\nEN",
       "t.scn:2: heredoc <<END has no line 'END' before the end of the file"},
      {"file x <<", "t.scn:1: a heredoc marker needs a word after <<"},
      {"file <<END x\nEND", "t.scn:1: a heredoc marker <<END must be the last word of its line"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.script);
    try {
      lexScript("t.scn", c.script);
      ADD_FAILURE() << "no error";
    } catch (const ScriptError& e) {
      EXPECT_STREQ(e.what(), c.error);
    }
  }
}

struct NumberCase {
  const char* text;
  bool ok;
  std::uint32_t value;  // or the error when !ok
  const char* whyNot;
};

TEST(ScenarioNumbers, UnsignedDecimalAndHex) {
  const NumberCase cases[] = {
      {"0", true, 0, ""},
      {"4294967295", true, 0xFFFFFFFFu, ""},
      {"0xFFFFFFFF", true, 0xFFFFFFFFu, ""},
      {"0x00000A41", true, 0xA41, ""},
      {"0Xff", true, 255, ""},
      {"4294967296", false, 0, "'4294967296' does not fit in 32 bits"},
      {"0x100000000", false, 0, "'0x100000000' does not fit in 32 bits"},
      {"0x", false, 0, "'0x' has no digits"},
      {"", false, 0, "a number is missing"},
      {"12x", false, 0, "'12x' is not a decimal or 0x hexadecimal number"},
      {"0xAG", false, 0, "'0xAG' is not a decimal or 0x hexadecimal number"},
      {"-1", false, 0, "'-1' has a sign; only unsigned numbers are allowed here"},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::string whyNot;
    std::optional<std::uint32_t> n = toUnsigned32(c.text, whyNot);
    ASSERT_EQ(n.has_value(), c.ok);
    if (c.ok)
      EXPECT_EQ(*n, c.value);
    else
      EXPECT_EQ(whyNot, c.whyNot);
  }
}

TEST(ScenarioNumbers, SignedTakesHexAsBitPattern) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"-2147483648", INT32_MIN},
      {"2147483647", INT32_MAX},
      {"+5", 5},
      {"0x80004005", static_cast<std::int32_t>(0x80004005u)},
      {"0xFFFFFFFF", -1},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"-0x1", std::nullopt},
      {"-", std::nullopt},
      {"1.5", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string whyNot;
    EXPECT_EQ(toSigned32(c.text, whyNot), c.value);
    EXPECT_EQ(whyNot.empty(), c.value.has_value());
  }
}

}  // namespace
}  // namespace simhost::scenario
