#include "extension_driver.h"

namespace simhost {

namespace {

const char kMainWindowClass[] = "mspim_wnd32";
const char kMainWindowTitle[] = "Inbox - Microsoft Outlook";
// The first command id the host hands out to extensions in the viewer.
constexpr UINT kCommandIdBase = 1000;

std::string loadError() { return "Windows error " + std::to_string(GetLastError()); }

}  // namespace

ExtensionDriver::~ExtensionDriver() { stop(); }

bool ExtensionDriver::start() {
  if (running()) {
    report_.note("host: already running");
    return false;
  }
  report_.note("host: " + versionName(world_.outlookVersion()) + " (outllib.dll " +
               versionText(world_.build()) + ", editor " + editorName(world_.editor()) +
               ") starts");
  createMainWindow();
  if (!mainWindow_) return false;
  loadExtension();
  if (extension_) installViewer();
  return true;
}

void ExtensionDriver::createMainWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kMainWindowClass;
  if (!RegisterClassA(&wc)) {
    report_.note("host: cannot register the main window's class (" + loadError() + ")");
    return;
  }
  mainWindow_ = CreateWindowExA(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0,
                                800, 600, nullptr, nullptr, wc.hInstance, nullptr);
  if (!mainWindow_) {
    report_.note("host: cannot create the main window (" + loadError() + ")");
    UnregisterClassA(kMainWindowClass, wc.hInstance);
    return;
  }
  ShowWindow(mainWindow_, SW_SHOW);
}

void ExtensionDriver::loadExtension() {
  library_ = LoadLibraryA(kExtensionPath);
  const std::string load = std::string("LoadLibraryA(") + shown(kExtensionPath) + ")";
  if (!library_) {
    const std::string error = loadError();
    report_.hostCall(load + " = NULL (" + error + ")");
    report_.note("host: the extension could not be loaded (" + error + ")");
    return;
  }
  report_.hostCall(load + " = loaded");
  auto entry = reinterpret_cast<LPFNEXCHEXTENTRY>(GetProcAddress(library_, "ExchEntryPoint"));
  if (!entry) {
    report_.note("host: the extension has no ExchEntryPoint (" + loadError() + ")");
    return;
  }
  extension_ = entry();
  report_.hostCall(std::string("ExchEntryPoint() = ") +
                   (extension_ ? "the extension object" : "NULL"));
  if (!extension_) report_.note("host: ExchEntryPoint gave no extension object");
}

void ExtensionDriver::installViewer() {
  viewerCallback_ =
      HostCallback::Create(report_, EECONTEXT_VIEWER, mainWindow_, world_.build(), &mailbox_);
  const HRESULT hr = extension_->Install(viewerCallback_, EECONTEXT_VIEWER, 0);
  report_.hostCall("Install(context " + contextName(EECONTEXT_VIEWER) + ") = " + resultName(hr));
  if (hr != S_OK) {
    report_.note("host: the extension declined the viewer (Install returned " + resultName(hr) +
                 ")");
    return;
  }
  commands_ = static_cast<IExchExtCommands*>(ask(IID_IExchExtCommands, "IExchExtCommands"));
  userEvents_ =
      static_cast<IExchExtUserEvents*>(ask(IID_IExchExtUserEvents, "IExchExtUserEvents"));
  messageEvents_ =
      static_cast<IExchExtMessageEvents*>(ask(IID_IExchExtMessageEvents, "IExchExtMessageEvents"));
  if (commands_) {
    // The viewer's menu and toolbar do not exist yet: the extension is told
    // there is neither.
    UINT cmdid = kCommandIdBase;
    const HRESULT installed =
        commands_->InstallCommands(viewerCallback_, mainWindow_, nullptr, &cmdid, nullptr, 0, 0);
    report_.hostCall("InstallCommands(main window, no menu, command base " +
                     std::to_string(kCommandIdBase) + " -> " + std::to_string(cmdid) +
                     ", no toolbar) = " + resultName(installed));
  }
  report_.note("host: the extension takes part in the viewer");
}

IUnknown* ExtensionDriver::ask(const IID& iid, const char* name) {
  void* object = nullptr;
  const HRESULT hr = extension_->QueryInterface(iid, &object);
  report_.hostCall(std::string("QueryInterface(") + name + ") = " + resultName(hr));
  if (FAILED(hr) || !object) return nullptr;
  return static_cast<IUnknown*>(object);
}

void ExtensionDriver::release(IUnknown*& object, const char* name) {
  if (!object) return;
  const ULONG left = object->Release();
  report_.hostCall(std::string(name) + "::Release() = " + std::to_string(left));
  object = nullptr;
}

void ExtensionDriver::select(const std::string& id) {
  mailbox_.select(mailbox_.find(id));
  report_.note("host: message " + id + " selected");
  if (!userEvents_) return;
  userEvents_->OnSelectionChange(viewerCallback_);
  report_.hostCall("OnSelectionChange(viewer)");
}

void ExtensionDriver::stop() {
  if (!running()) return;
  report_.note("host: " + versionName(world_.outlookVersion()) + " closes");
  IUnknown* held[] = {commands_, userEvents_, messageEvents_};
  const char* names[] = {"IExchExtCommands", "IExchExtUserEvents", "IExchExtMessageEvents"};
  for (std::size_t i = 0; i < 3; ++i) release(held[i], names[i]);
  commands_ = nullptr;
  userEvents_ = nullptr;
  messageEvents_ = nullptr;
  if (extension_) {
    IUnknown* extension = extension_;
    release(extension, "IExchExt");
    extension_ = nullptr;
  }
  if (viewerCallback_) {
    viewerCallback_->Release();
    viewerCallback_ = nullptr;
  }
  if (library_) {
    const BOOL freed = FreeLibrary(library_);
    report_.hostCall(std::string("FreeLibrary(Sigil32.dll) = ") + (freed ? "TRUE" : "FALSE"));
    library_ = nullptr;
  }
  DestroyWindow(mainWindow_);
  mainWindow_ = nullptr;
  UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
}

}  // namespace simhost
