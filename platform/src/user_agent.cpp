// The installed user agent, the transcript of modal surfaces, and the names
// the transcript uses for buttons and icons.
#include <string>
#include <vector>

#include "user_agent_internal.h"
#include "winapi.h"

namespace sigplat {

namespace {

UserAgent* g_agent = nullptr;
unsigned long g_clearings = 0;

std::vector<TranscriptEntry>& TheTranscript() {
  static std::vector<TranscriptEntry> transcript;
  return transcript;
}

std::string Unknown(unsigned long value) { return "unknown (" + std::to_string(value) + ")"; }

}  // namespace

UserAgent* CurrentUserAgent() { return g_agent; }

void AppendToTranscript(const TranscriptEntry& entry) { TheTranscript().push_back(entry); }

TranscriptPlace AppendToTranscriptAt(const TranscriptEntry& entry) {
  TheTranscript().push_back(entry);
  return TranscriptPlace{TheTranscript().size() - 1, g_clearings};
}

TranscriptEntry* TranscriptEntryAt(const TranscriptPlace& place) {
  if (place.clearings != g_clearings || place.index >= TheTranscript().size()) return nullptr;
  return &TheTranscript()[place.index];
}

SIGPLAT_API void SetUserAgent(UserAgent* agent) { g_agent = agent; }

SIGPLAT_API const std::vector<TranscriptEntry>& Transcript() { return TheTranscript(); }

SIGPLAT_API void ClearTranscript() {
  TheTranscript().clear();
  ++g_clearings;
}

SIGPLAT_API std::string ButtonName(int id) {
  switch (id) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDABORT:
      return "Abort";
    case IDRETRY:
      return "Retry";
    case IDIGNORE:
      return "Ignore";
    case IDYES:
      return "Yes";
    case IDNO:
      return "No";
    case IDTRYAGAIN:
      return "Try Again";
    case IDCONTINUE:
      return "Continue";
    default:
      return Unknown(static_cast<unsigned long>(id));
  }
}

SIGPLAT_API std::string IconName(UINT type) {
  switch (type & MB_ICONMASK) {
    case 0:
      return "";
    case MB_ICONHAND:
      return "error";
    case MB_ICONEXCLAMATION:
      return "warning";
    case MB_ICONQUESTION:
      return "question";
    case MB_ICONASTERISK:
      return "information";
    default:
      return Unknown(type & MB_ICONMASK);
  }
}

SIGPLAT_API std::string ButtonsName(UINT type) {
  std::vector<int> buttons;
  if (!MessageBoxButtons(type, &buttons)) return Unknown(type & MB_TYPEMASK);
  std::string names;
  for (int id : buttons) {
    if (!names.empty()) names += ' ';
    names += ButtonName(id);
  }
  return names;
}

}  // namespace sigplat
