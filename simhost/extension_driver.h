// The host's side of the extension's life: the main window, loading the
// library, the entry point, the viewer context with its interfaces, and the
// way back. Every call into the extension is reported (with --calls) in the
// order Outlook makes it.
#pragma once

#include <vector>

#include "exchext.h"
#include "host_callback.h"
#include "host_report.h"
#include "host_world.h"
#include "mailbox.h"

namespace simhost {

class ExtensionDriver {
 public:
  ExtensionDriver(World& world, HostReport& report, Mailbox& mailbox)
      : world_(world), report_(report), mailbox_(mailbox) {}
  ~ExtensionDriver();
  ExtensionDriver(const ExtensionDriver&) = delete;
  ExtensionDriver& operator=(const ExtensionDriver&) = delete;

  bool running() const { return mainWindow_ != nullptr; }
  HWND mainWindow() const { return mainWindow_; }

  // The host starts; false (with a note) when it was already running.
  bool start();
  // The host closes: every interface released, the library unloaded, the
  // main window gone. Nothing happens when the host is not running.
  void stop();
  // The user selects a message in the main window; the extension hears of it
  // when the host is running.
  void select(const std::string& id);

 private:
  void createMainWindow();
  void loadExtension();
  void installViewer();
  // Asks the extension object for an interface and keeps it.
  IUnknown* ask(const IID& iid, const char* name);
  void release(IUnknown*& object, const char* name);

  World& world_;
  HostReport& report_;
  Mailbox& mailbox_;
  HWND mainWindow_ = nullptr;
  HMODULE library_ = nullptr;
  IExchExt* extension_ = nullptr;
  HostCallback* viewerCallback_ = nullptr;
  // What the host holds in the viewer context.
  IExchExtCommands* commands_ = nullptr;
  IExchExtUserEvents* userEvents_ = nullptr;
  IExchExtMessageEvents* messageEvents_ = nullptr;
};

}  // namespace simhost
