// A fresh Windows world per test: an empty prefix in a temporary folder, the
// host environment holding only TEMP, an empty transcript and a user agent
// that answers from a queue.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "sigplat/user_agent.h"
#include "winapi.h"

namespace sigtest {

class QueuedAgent : public sigplat::UserAgent {
 public:
  void Queue(int button) { answers_.push_back(button); }
  // The steps for the next dialog shown, whatever its template.
  void QueueDialog(std::vector<sigplat::DialogStep> steps) { dialogs_.push_back(std::move(steps)); }
  std::vector<sigplat::DialogStep> DialogSteps(const sigplat::DialogRecord&) override {
    if (dialogs_.empty()) return {};
    std::vector<sigplat::DialogStep> steps = std::move(dialogs_.front());
    dialogs_.pop_front();
    return steps;
  }
  int AnswerMessageBox(const sigplat::MessageBoxRecord&) override {
    if (answers_.empty()) return 0;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

 private:
  std::deque<int> answers_;
  std::deque<std::vector<sigplat::DialogStep>> dialogs_;
};

inline sigplat::DialogStep Click(int control) {
  sigplat::DialogStep step;
  step.kind = sigplat::DialogStep::Kind::Click;
  step.control = control;
  return step;
}

class FreshWorld : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // What an installer leaves in the machine key.
  void InstallMachineDefaults();
  void SetDword(HKEY root, const char* key, const char* name, DWORD value);
  void SetString(HKEY root, const char* key, const char* name, const std::string& value);
  void DeleteValue(HKEY root, const char* key, const char* name);
  std::optional<DWORD> GetDword(HKEY root, const char* key, const char* name);
  std::optional<std::string> GetString(HKEY root, const char* key, const char* name);
  // Names of the values of a key, as the hive file holds them after a flush.
  std::vector<std::string> ValueNames(const std::string& hiveFile, const std::string& keyHeader);

  // The message boxes shown so far, as "caption|text".
  std::vector<std::string> Boxes() const;
  // The dialogs shown so far, by template id.
  std::vector<int> Dialogs() const;
  // A file of the Windows world, read whole, or nullopt.
  std::optional<std::string> ReadWorldFile(const char* winPath) const;
  void WriteWorldFile(const char* winPath, const std::string& content) const;

  std::string prefix_;
  QueuedAgent agent_;

 private:
  std::vector<std::pair<std::string, std::string>> realEnvironment_;
};

extern const char kUserKey[];
extern const char kMachineKey[];

}  // namespace sigtest
