#include <gtest/gtest.h>

#include <string>

#include "scenario_parser.h"
#include "scenario_parsers.h"
#include "scenario_syntax.h"

namespace simhost::scenario {
namespace {

// The help and the parser cannot drift apart: every command the help lists
// has a parser, and every parser has a form in the help.
TEST(ScenarioHelp, ListsExactlyTheCommandsThatAreParsed) {
  for (const CommandSyntax& s : syntaxTable()) {
    if (s.group == CommandGroup::Step) continue;
    SCOPED_TRACE(s.name);
    // Words no command accepts, so that every command fails, naming itself.
    std::string line = s.name;
    for (int i = 0; i < 12; ++i) line += " \"\\x01\"";
    try {
      parseScript("h.scn", line);
      ADD_FAILURE() << "no error";
    } catch (const ScriptError& e) {
      EXPECT_EQ(e.message().rfind(s.name, 0), 0u) << e.what();
    }
  }
  for (const auto* group : {&stageParsers(), &actionParsers(), &answerParsers(), &expectParsers()})
    for (const CommandParser& p : *group) EXPECT_NE(usageOf(p.name), "") << p.name;
}

TEST(ScenarioHelp, GroupsEveryCommandUnderItsHeading) {
  std::string help = scenarioHelp();
  std::size_t stage = help.find("\nSetting the stage");
  std::size_t actions = help.find("\nActions:");
  std::size_t answers = help.find("\nAnswers");
  std::size_t steps = help.find("\nDialog steps");
  std::size_t expectations = help.find("\nExpectations:");
  std::size_t show = help.find("\nShowing state");
  ASSERT_NE(show, std::string::npos);
  EXPECT_LT(stage, actions);
  EXPECT_LT(actions, answers);
  EXPECT_LT(answers, steps);
  EXPECT_LT(steps, expectations);
  EXPECT_LT(expectations, show);
  EXPECT_NE(help.find("\n  outlook 97|98|2000|2002 [a.b.c.d]\n"), std::string::npos);
  EXPECT_NE(help.find("\n  answer font cancel\n"), std::string::npos);
  EXPECT_NE(help.find("\n  date ID YYYY-MM-DD\n"), std::string::npos);
  std::size_t line = 0;
  while (line < help.size()) {
    std::size_t end = help.find('\n', line);
    EXPECT_LE(end - line, 100u) << help.substr(line, end - line);
    line = end + 1;
  }
}

}  // namespace
}  // namespace simhost::scenario
