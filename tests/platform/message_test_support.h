// Shared by the tests of the message queue, timers and hooks: the window
// fixture plus a quiet clock and queue at both ends of each test, and one
// log of events in the order they happened.
#pragma once

#include <string>
#include <vector>

#include "sigplat/clock.h"
#include "window_test_support.h"

namespace wintest {

inline std::vector<std::string>& Events() {
  static std::vector<std::string> events;
  return events;
}

class MessageTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    sigplat::ResetClockForTests();
    Events().clear();
  }
  void TearDown() override {
    WindowTest::TearDown();
    sigplat::ResetClockForTests();
    Events().clear();
  }
};

}  // namespace wintest
