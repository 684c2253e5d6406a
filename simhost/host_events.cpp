#include "host_events.h"

#include "host_report.h"

namespace simhost {

HostEvents::HostEvents() : printed_(0), taken_(0) {}

std::vector<sigplat::TranscriptEntry> HostEvents::fresh() {
  const auto& transcript = sigplat::Transcript();
  std::vector<sigplat::TranscriptEntry> entries;
  for (; printed_ < transcript.size(); ++printed_) entries.push_back(transcript[printed_]);
  return entries;
}

std::optional<sigplat::TranscriptEntry> HostEvents::take() {
  const auto& transcript = sigplat::Transcript();
  if (taken_ >= transcript.size()) return std::nullopt;
  return transcript[taken_++];
}

std::vector<sigplat::TranscriptEntry> HostEvents::pending() const {
  const auto& transcript = sigplat::Transcript();
  std::vector<sigplat::TranscriptEntry> entries;
  for (std::size_t i = taken_; i < transcript.size(); ++i) entries.push_back(transcript[i]);
  return entries;
}

std::string describeEvent(const sigplat::TranscriptEntry& entry) {
  if (entry.kind == sigplat::TranscriptEntry::Kind::MessageBox)
    return "message box " + shown(entry.messageBox.caption) + " " + shown(entry.messageBox.text);
  return "dialog " + std::to_string(entry.dialog.templateId) + " " + shown(entry.dialog.caption);
}

}  // namespace simhost
