#include "expectations.h"

#include <algorithm>
#include <cctype>

#include "host_events.h"
#include "host_registry.h"
#include "host_report.h"
#include "scenario_format.h"

namespace simhost {

namespace {

Verdict fail(std::string expected, std::string found) {
  return {false, std::move(expected), std::move(found)};
}

bool isListControl(const sigplat::ControlState& c) {
  std::string cls = c.windowClass;
  std::transform(cls.begin(), cls.end(), cls.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
  return cls == "LISTBOX" || cls == "COMBOBOX";
}

std::string listOf(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? " " : "") + shown(items[i]);
  return out + "]";
}

const sigplat::ControlState* control(const sigplat::DialogRecord& d, std::uint32_t id) {
  for (const auto& c : d.controls)
    if (c.id == static_cast<int>(id)) return &c;
  return nullptr;
}

// What the dialog showed that the expectation did not find, or empty.
std::string dialogMismatch(const scenario::ExpectDialog& expect, const sigplat::DialogRecord& d) {
  std::vector<const sigplat::ControlState*> lists;
  for (const auto& c : d.controls)
    if (isListControl(c)) lists.push_back(&c);
  if (expect.selected) {
    std::vector<std::string> selected;
    for (const auto* c : lists)
      if (c->selected >= 0 && static_cast<std::size_t>(c->selected) < c->items.size())
        selected.push_back(c->items[static_cast<std::size_t>(c->selected)]);
    if (std::find(selected.begin(), selected.end(), *expect.selected) == selected.end())
      return "selected " + (selected.empty() ? std::string("nothing") : listOf(selected));
  }
  if (expect.items) {
    bool any = false;
    std::string seen;
    for (const auto* c : lists) {
      if (c->items == *expect.items) any = true;
      seen += (seen.empty() ? "" : ", ") + listOf(c->items);
    }
    if (!any) return "items " + (seen.empty() ? std::string("(no list)") : seen);
  }
  for (std::uint32_t id : expect.checked) {
    const auto* c = control(d, id);
    if (!c) return "no control " + std::to_string(id);
    if (c->checked != 1) return "control " + std::to_string(id) + " not checked";
  }
  for (std::uint32_t id : expect.hidden) {
    const auto* c = control(d, id);
    if (!c) return "no control " + std::to_string(id);
    if (c->visible) return "control " + std::to_string(id) + " visible";
  }
  return "";
}

std::string dialogExpected(const scenario::ExpectDialog& expect) {
  // The command in its canonical form, without the words "expect dialog".
  std::string text = scenario::formatCommand(expect);
  const std::string lead = "expect ";
  return text.rfind(lead, 0) == 0 ? text.substr(lead.size()) : text;
}

std::string lastLines(const std::string& text, std::size_t count) {
  std::size_t pos = text.size();
  for (std::size_t n = 0; n <= count && pos > 0; ++n) {
    std::size_t nl = text.rfind('\n', pos - 1);
    if (nl == std::string::npos) return text;
    if (n < count) pos = nl;
  }
  return text.substr(pos == 0 ? 0 : pos + 1);
}

}  // namespace

Verdict checkMsgbox(const scenario::ExpectMsgbox& expect,
                    const std::optional<sigplat::TranscriptEntry>& event) {
  std::string expected = "message box " + shown(expect.title);
  if (expect.text) expected += " " + shown(*expect.text);
  if (!event) return fail(expected, "no pending event");
  if (event->kind != sigplat::TranscriptEntry::Kind::MessageBox ||
      event->messageBox.caption != expect.title ||
      (expect.text && event->messageBox.text != *expect.text))
    return fail(expected, describeEvent(*event));
  return {};
}

Verdict checkDialog(const scenario::ExpectDialog& expect,
                    const std::optional<sigplat::TranscriptEntry>& event) {
  const std::string expected = dialogExpected(expect);
  if (!event) return fail(expected, "no pending event");
  if (event->kind != sigplat::TranscriptEntry::Kind::Dialog ||
      event->dialog.templateId != static_cast<int>(expect.templateId))
    return fail(expected, describeEvent(*event));
  const std::string mismatch = dialogMismatch(expect, event->dialog);
  if (!mismatch.empty()) return fail(expected, describeEvent(*event) + ": " + mismatch);
  return {};
}

Verdict checkValue(const scenario::ExpectValue& expect) {
  const KeyPath key = resolveKey(expect.key);
  std::string other;
  const scenario::RegData found = readValue(key, expect.name, &other);
  using Kind = scenario::RegData::Kind;
  const bool same = found.kind == expect.data.kind && other.empty() &&
                    (found.kind != Kind::Dword || found.dword == expect.data.dword) &&
                    (found.kind != Kind::Sz || found.sz == expect.data.sz);
  if (same) return {};
  const std::string where = key.display + " " + shown(expect.name) + " ";
  return fail(where + describe(expect.data), where + (other.empty() ? describe(found) : other));
}

Verdict checkFile(const World& world, const scenario::ExpectFile& expect) {
  const std::optional<std::string> content = world.readFile(expect.path);
  const std::string path = expect.path + " ";
  switch (expect.match) {
    case scenario::FileMatch::Absent:
      if (!content) return {};
      return fail(path + "absent", path + "exists");
    case scenario::FileMatch::Equals:
      if (content && *content == expect.text) return {};
      return fail(path + "holding " + shown(expect.text),
                  path + (content ? "holding " + shown(*content) : "absent"));
    case scenario::FileMatch::Contains:
      if (content && content->find(expect.text) != std::string::npos) return {};
      return fail(path + "containing " + shown(expect.text),
                  path + (content ? "holding " + shown(*content) : "absent"));
  }
  return {};
}

Verdict checkLog(const World& world, const scenario::ExpectLog& expect) {
  const std::string expected =
      std::string("the log ") + (expect.contains ? "containing " : "without ") + shown(expect.text);
  std::optional<std::string> folder = world.env("TEMP");
  if (!folder) folder = world.env("TMP");
  if (!folder) return fail(expected, "neither TEMP nor TMP is set, so there is no log");
  const std::string path = *folder + "\\sigilon.log";
  std::optional<std::string> log;
  try {
    log = world.readFile(path);
  } catch (const HostError& e) {
    return fail(expected, e.what());
  }
  if (!log) return fail(expected, "no log at " + path);
  const std::size_t at = log->find(expect.text);
  if (expect.contains && at == std::string::npos)
    return fail(expected, "not in " + path + "; it ends with " + shown(lastLines(*log, 3)));
  if (!expect.contains && at != std::string::npos) {
    const std::size_t from = log->rfind('\n', at);
    const std::size_t to = log->find('\n', at);
    const std::size_t start = from == std::string::npos ? 0 : from + 1;
    const std::size_t end = to == std::string::npos ? log->size() : to;
    return fail(expected, "the line " + shown(log->substr(start, end - start)));
  }
  return {};
}

Verdict checkUninstallResult(const scenario::ExpectUninstallResult& expect,
                             const std::optional<long>& last) {
  const std::string expected = "uninstall result " + std::to_string(expect.result);
  if (!last) return fail(expected, "no uninstall ran");
  if (*last != expect.result) return fail(expected, "uninstall result " + std::to_string(*last));
  return {};
}

}  // namespace simhost
