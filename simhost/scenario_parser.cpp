#include "scenario_parser.h"

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <memory>

#include "scenario_parsers.h"
#include "scenario_syntax.h"

namespace simhost::scenario {
namespace {

const CommandParser* findParser(const std::string& name) {
  for (const auto* group : {&stageParsers(), &actionParsers(), &answerParsers(), &expectParsers()})
    for (const CommandParser& p : *group)
      if (name == p.name) return &p;
  return nullptr;
}

// The second words that may follow PREFIX ("answer", "expect"), for errors.
std::string secondWords(const std::string& prefix) {
  std::vector<const char*> names;
  for (const CommandSyntax& s : syntaxTable()) {
    std::string_view name = s.name;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name[prefix.size()] != ' ')
      continue;
    const char* second = s.name + prefix.size() + 1;
    if (names.empty() || std::string_view(second) != names.back()) names.push_back(second);
  }
  return Args::alternatives(names);
}

}  // namespace

Command parseLine(const std::string& file, const Line& line) {
  const Word& first = line.words.front();
  if (!first.bare())
    throw ScriptError(file, line.number,
                      "a command must start with a bare word, found " + Args::display(first));
  std::string name = first.text;
  std::size_t argsFrom = 1;
  if (name == "answer" || name == "expect") {
    if (line.words.size() < 2 || !line.words[1].bare())
      throw ScriptError(file, line.number,
                        name + ": missing what to " + name + " (" + secondWords(name) + ")");
    name += " " + line.words[1].text;
    argsFrom = 2;
  }
  const CommandParser* parser = findParser(name);
  if (!parser) {
    std::string message = "unknown command '" + name + "'";
    if (argsFrom == 2) message += "; expected " + first.text + " " + secondWords(first.text);
    throw ScriptError(file, line.number, message);
  }
  Args args(file, line.number,
            std::vector<Word>(line.words.begin() + static_cast<std::ptrdiff_t>(argsFrom),
                              line.words.end()),
            name, usageOf(name));
  Command command{file, line.number, line.source, parser->parse(args)};
  args.end();
  return command;
}

std::vector<Command> parseScript(const std::string& file, std::string_view text) {
  std::vector<Command> commands;
  for (const Line& line : lexScript(file, text)) commands.push_back(parseLine(file, line));
  return commands;
}

std::vector<Command> loadScript(const std::string& path) {
  // stdio rather than a stream: a directory opens as a stream but reads as
  // empty, where fread reports the failure.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!f) throw ScriptError(path, 0, std::string("cannot read: ") + std::strerror(errno));
  std::string text;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) text.append(buffer, got);
  if (std::ferror(f.get()))
    throw ScriptError(path, 0, std::string("cannot read: ") + std::strerror(errno));
  return parseScript(path, text);
}

}  // namespace simhost::scenario
