// Call-window-procedure hooks: what they see of sent messages, the order of
// the chain, removal while it runs, and the messages they never see.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "message_test_support.h"
#include "winapi.h"

namespace wintest {
namespace {

// Installs a hook on the UI thread and removes it at the end of the test,
// unless the test (or the hook itself) already has.
class ScopedHook {
 public:
  explicit ScopedHook(HOOKPROC proc)
      : handle_(SetWindowsHookExA(WH_CALLWNDPROC, proc, nullptr, GetCurrentThreadId())) {}
  ~ScopedHook() {
    if (handle_) UnhookWindowsHookEx(handle_);
  }
  ScopedHook(const ScopedHook&) = delete;
  ScopedHook& operator=(const ScopedHook&) = delete;
  HHOOK get() const { return handle_; }

 private:
  HHOOK handle_;
};

// The hooks of a test, by name, so that hook procedures can act on each other.
std::vector<HHOOK>& Installed() {
  static std::vector<HHOOK> hooks(4);
  return hooks;
}

class Hooks : public MessageTest {
 protected:
  void SetUp() override {
    MessageTest::SetUp();
    Installed().assign(4, nullptr);
  }
};

const CWPSTRUCT* Record(LPARAM lParam) { return reinterpret_cast<const CWPSTRUCT*>(lParam); }

// Logs "<name> <message - WM_USER>" for WM_USER messages only.
void Note(const char* name, LPARAM lParam) {
  const CWPSTRUCT* cwp = Record(lParam);
  if (cwp->message >= WM_USER) {
    Events().push_back(std::string(name) + " " + std::to_string(cwp->message - WM_USER));
  }
}

LRESULT CALLBACK ProcOfLog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_USER) Events().push_back("proc " + std::to_string(msg - WM_USER));
  return LoggingProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK H1(int code, WPARAM wParam, LPARAM lParam) {
  Note("h1", lParam);
  CallNextHookEx(nullptr, code, wParam, lParam);
  return 42;
}

LRESULT CALLBACK H2(int code, WPARAM wParam, LPARAM lParam) {
  Note("h2", lParam);
  LRESULT next = CallNextHookEx(Installed()[2], code, wParam, lParam);
  Events().push_back("h2 got " + std::to_string(next));
  return next;
}

LRESULT CALLBACK H3(int code, WPARAM wParam, LPARAM lParam) {
  Note("h3", lParam);
  return CallNextHookEx(Installed()[3], code, wParam, lParam);
}

// Passes nothing on.
LRESULT CALLBACK Stopper(int, WPARAM, LPARAM lParam) {
  Note("stopper", lParam);
  return 0;
}

TEST_F(Hooks, SeeEverySentMessageFirstWithItsParameters) {
  static std::vector<CWPSTRUCT> s_seen;
  static std::vector<std::string> s_texts;
  s_seen.clear();
  s_texts.clear();
  auto watch = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    EXPECT_EQ(code, HC_ACTION);
    EXPECT_NE(wParam, 0u);  // sent by this thread
    const CWPSTRUCT* cwp = Record(lParam);
    s_seen.push_back(*cwp);
    if (cwp->message == WM_SETTEXT) s_texts.push_back(reinterpret_cast<const char*>(cwp->lParam));
    Events().push_back("hook " + MessageName(cwp->message));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  };
  HWND hwnd = Top("top");
  ScopedHook hook(watch);
  ASSERT_NE(hook.get(), nullptr);

  Log().clear();
  EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0), 3);
  SendMessageA(hwnd, WM_USER + 5, 11, 22);
  ASSERT_EQ(s_seen.size(), 2u);
  EXPECT_EQ(s_seen[1].hwnd, hwnd);
  EXPECT_EQ(s_seen[1].message, WM_USER + 5u);
  EXPECT_EQ(s_seen[1].wParam, 11u);
  EXPECT_EQ(s_seen[1].lParam, 22);
  EXPECT_EQ(Log().size(), 2u);  // and each still reached the procedure

  // The platform's own messages go the same way: text, creation, destruction.
  s_seen.clear();
  Events().clear();
  ASSERT_TRUE(SetWindowTextA(hwnd, "new title"));
  EXPECT_EQ(s_texts, (Lines{"new title"}));
  HWND child = Child(hwnd, 1);
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(DestroyWindow(child));
  for (const char* name : {"hook WM_SETTEXT", "hook WM_NCCREATE", "hook WM_CREATE",
                           "hook WM_PARENTNOTIFY", "hook WM_DESTROY", "hook WM_NCDESTROY"}) {
    EXPECT_NE(std::find(Events().begin(), Events().end(), name), Events().end()) << name;
  }
}

TEST_F(Hooks, TheChainRunsNewestFirstAndEndsWhereAHookStopsIt) {
  HWND hwnd = CreateWindowExA(0, kClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                              kInstance, nullptr);
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcOfLog));
  ScopedHook h1(H1);
  ScopedHook h2(H2);
  Installed()[2] = h2.get();
  ScopedHook h3(H3);
  SendMessageA(hwnd, WM_USER + 1, 0, 0);
  // The value the next hook returns comes back through CallNextHookEx.
  EXPECT_EQ(Events(), (Lines{"h3 1", "h2 1", "h1 1", "h2 got 42", "proc 1"}));

  Events().clear();
  ScopedHook stopper(Stopper);
  SendMessageA(hwnd, WM_USER + 2, 0, 0);
  // A hook that passes nothing on ends the chain, not the message.
  EXPECT_EQ(Events(), (Lines{"stopper 2", "proc 2"}));
}

TEST_F(Hooks, AHookRemovedWhileTheChainRunsIsSafe) {
  HWND hwnd = Top("top");
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcOfLog));
  // The middle hook removes itself, then passes the message on.
  auto selfRemoving = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    Note("self", lParam);
    EXPECT_TRUE(UnhookWindowsHookEx(Installed()[2]));
    return CallNextHookEx(Installed()[2], code, wParam, lParam);
  };
  // The newest hook removes the one below it before passing on.
  auto removesNext = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    Note("remover", lParam);
    if (Installed()[1]) {
      EXPECT_TRUE(UnhookWindowsHookEx(Installed()[1]));
      Installed()[1] = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  };
  ScopedHook h1(H1);
  Installed()[0] = h1.get();
  HHOOK self = SetWindowsHookExA(WH_CALLWNDPROC, selfRemoving, nullptr, GetCurrentThreadId());
  Installed()[2] = self;
  SendMessageA(hwnd, WM_USER + 1, 0, 0);
  EXPECT_EQ(Events(), (Lines{"self 1", "h1 1", "proc 1"}));
  SetLastError(0);
  EXPECT_FALSE(UnhookWindowsHookEx(self));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));

  Events().clear();
  HHOOK middle = SetWindowsHookExA(WH_CALLWNDPROC, Stopper, nullptr, 0 + GetCurrentThreadId());
  Installed()[1] = middle;
  ScopedHook remover(removesNext);
  SendMessageA(hwnd, WM_USER + 2, 0, 0);
  EXPECT_EQ(Events(), (Lines{"remover 2", "h1 2", "proc 2"}));
}

TEST_F(Hooks, MessagesSentFromAHookRunTheirOwnChain) {
  static HWND s_other;
  HWND hwnd = Top("top");
  s_other = Top("other");
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcOfLog));
  SetWindowLongPtrA(s_other, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcOfLog));
  auto sender = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    Note("sender", lParam);
    if (Record(lParam)->message == WM_USER + 8) SendMessageA(s_other, WM_USER + 9, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  };
  ScopedHook h1(H1);
  ScopedHook h2(sender);
  SendMessageA(hwnd, WM_USER + 8, 0, 0);
  EXPECT_EQ(Events(), (Lines{"sender 8", "sender 9", "h1 9", "proc 9", "h1 8", "proc 8"}));
}

TEST_F(Hooks, PostedMessagesAndTimersBypassTheHooks) {
  HWND hwnd = Top("top");
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcOfLog));
  ScopedHook h1(H1);
  ASSERT_TRUE(PostMessageA(hwnd, WM_USER + 3, 0, 0));
  MSG msg{};
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  DispatchMessageA(&msg);
  EXPECT_EQ(Events(), (Lines{"proc 3"}));

  static bool s_hookSawTimer;
  s_hookSawTimer = false;
  auto timerWatch = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (Record(lParam)->message == WM_TIMER) s_hookSawTimer = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  };
  ScopedHook watch(timerWatch);
  Log().clear();
  ASSERT_NE(SetTimer(hwnd, 1, 10, nullptr), 0u);
  sigplat::AdvanceClock(10);
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Log()[0].msg, static_cast<UINT>(WM_TIMER));
  EXPECT_FALSE(s_hookSawTimer);
}

TEST_F(Hooks, InstallationRefusals) {
  struct Case {
    const char* name;
    int type;
    HOOKPROC proc;
    HINSTANCE module;
    DWORD thread;
    DWORD error;
    bool loud;
  };
  const DWORD me = GetCurrentThreadId();
  const std::vector<Case> cases = {
      {"another hook type", 3 /* WH_GETMESSAGE */, H1, nullptr, me, ERROR_INVALID_HOOK_FILTER,
       true},
      {"no procedure", WH_CALLWNDPROC, nullptr, nullptr, me, ERROR_INVALID_FILTER_PROC, false},
      {"every thread, no module", WH_CALLWNDPROC, H1, nullptr, 0, ERROR_HOOK_NEEDS_HMOD, false},
      {"another thread", WH_CALLWNDPROC, H1, nullptr, me + 1, ERROR_INVALID_PARAMETER, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::internal::CaptureStderr();
    SetLastError(0);
    EXPECT_EQ(SetWindowsHookExA(c.type, c.proc, c.module, c.thread), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find("SetWindowsHookExA") != std::string::npos, c.loud) << err;
  }
  // With a module, a hook on every thread is this thread's hook too.
  HHOOK all = SetWindowsHookExA(WH_CALLWNDPROC, H1, kInstance, 0);
  ASSERT_NE(all, nullptr);
  HWND hwnd = Top("top");
  SendMessageA(hwnd, WM_USER + 4, 0, 0);
  EXPECT_EQ(Events(), (Lines{"h1 4"}));
  EXPECT_TRUE(UnhookWindowsHookEx(all));
}

}  // namespace
}  // namespace wintest
