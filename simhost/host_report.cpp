#include "host_report.h"

#include <cstdio>

#include "scenario_format.h"

namespace simhost {

namespace {

const char kIndent[] = "    ";
const char kDetail[] = "      ";

std::string controlLine(const sigplat::ControlState& c) {
  std::string line = "control " + (c.id == -1 ? std::string("(static)") : std::to_string(c.id)) +
                     " " + c.windowClass;
  if (!c.text.empty()) line += " " + shown(c.text);
  if (c.checked == 1) line += " checked";
  if (c.checked == 2) line += " indeterminate";
  if (!c.visible) line += " hidden";
  if (!c.enabled) line += " disabled";
  if (!c.items.empty() || c.selected >= 0) {
    line += " items [";
    for (std::size_t i = 0; i < c.items.size(); ++i) line += (i ? " " : "") + shown(c.items[i]);
    line += "]";
    if (c.selected >= 0 && static_cast<std::size_t>(c.selected) < c.items.size())
      line += " selected " + shown(c.items[static_cast<std::size_t>(c.selected)]);
  }
  return line;
}

}  // namespace

std::string shown(const std::string& text) { return scenario::quoteText(text); }

void HostReport::scriptStart(const std::string& file) { out_ << "== " << file << "\n"; }

void HostReport::scriptEnd(const std::string& file, int failures) {
  out_ << "== " << file << ": "
       << (failures == 0 ? std::string("every expectation held")
                         : std::to_string(failures) + " expectation" + (failures > 1 ? "s" : "") +
                               " failed")
       << "\n";
  out_.flush();
}

void HostReport::command(const scenario::Command& command) {
  flushEvents();
  out_ << command.file << ":" << command.line << ": " << command.source << "\n";
}

void HostReport::flushEvents() {
  if (!events_) return;
  for (const sigplat::TranscriptEntry& entry : events_->fresh()) {
    if (entry.kind == sigplat::TranscriptEntry::Kind::MessageBox)
      messageBox(entry.messageBox);
    else
      dialog(entry.dialog);
  }
}

void HostReport::hostCall(const std::string& call) {
  flushEvents();
  if (showCalls_) out_ << kIndent << "host -> " << call << "\n";
}

void HostReport::note(const std::string& text) {
  flushEvents();
  out_ << kIndent << text << "\n";
}

void HostReport::debugOutput(const std::string& text) {
  flushEvents();
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out_ << kIndent << "debugger: " << line << "\n";
    from = end + 1;
  }
}

void HostReport::messageBox(const sigplat::MessageBoxRecord& box) {
  out_ << kIndent << "message box " << shown(box.caption) << " " << shown(box.text) << " ["
       << sigplat::ButtonsName(box.type) << "]";
  const std::string icon = sigplat::IconName(box.type);
  if (!icon.empty()) out_ << " icon " << icon;
  out_ << " -> " << sigplat::ButtonName(box.answer);
  if (!box.answered) out_ << " (no answer queued: default button)";
  out_ << "\n";
}

void HostReport::dialog(const sigplat::DialogRecord& dialog) {
  out_ << kIndent << "dialog " << dialog.templateId << " " << shown(dialog.caption) << "\n";
  for (const sigplat::ControlState& c : dialog.controls) out_ << kDetail << controlLine(c) << "\n";
  if (!dialog.answered) out_ << kDetail << "no answer queued: closed with its close box\n";
  for (const std::string& step : dialog.steps) out_ << kDetail << "step: " << step << "\n";
  for (const std::string& error : dialog.errors) out_ << kDetail << "error: " << error << "\n";
  out_ << kDetail << "ended with " << static_cast<long long>(dialog.result) << "\n";
}

void HostReport::failure(const scenario::Command& command, const std::string& expected,
                         const std::string& found) {
  out_ << "FAILED " << command.file << ":" << command.line << ": " << command.source << "\n"
       << kIndent << "expected: " << expected << "\n"
       << kIndent << "found:    " << found << "\n";
}

void HostReport::scriptError(const std::string& where, const std::string& message) {
  out_ << "ERROR " << where << ": " << message << "\n";
}

void HostReport::block(const std::string& text) { out_ << text; }

}  // namespace simhost
