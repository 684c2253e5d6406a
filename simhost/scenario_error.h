// The one error a wrong script raises. sigilon-sim reports it and exits 2.
#pragma once

#include <stdexcept>
#include <string>

namespace simhost::scenario {

class ScriptError : public std::runtime_error {
 public:
  // A line of 0 stands for the file as a whole (it could not be read).
  ScriptError(const std::string& file, int line, const std::string& message)
      : std::runtime_error(file + ":" + (line > 0 ? std::to_string(line) + ":" : "") + " " +
                           message),
        file_(file),
        line_(line),
        message_(message) {}

  const std::string& file() const { return file_; }
  int line() const { return line_; }
  // The message without the "FILE:LINE: " prefix that what() carries.
  const std::string& message() const { return message_; }

 private:
  std::string file_;
  int line_;
  std::string message_;
};

}  // namespace simhost::scenario
