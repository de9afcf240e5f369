#include "shell/SessionEnd.h"

namespace vantrel {

namespace {

constexpr const wchar_t* kBlockReason = L"The changed hosts list could not be saved.";
constexpr const wchar_t* kAskingReason = L"Asking whether to save the changed hosts list.";

}  // namespace

BOOL SessionEnd::OnQuery(HWND window, LPARAM flags, const HostsDocument& doc,
                         const std::function<bool()>& askToSave) {
  // The session ends whatever the answer: a question could only be cut off.
  if (flags & ENDSESSION_CRITICAL) return TRUE;
  // The system may ask more than once while one session ends: ask the user
  // once, unless the list changed since.
  if (mayEnd_ && answeredChangeCount_ == doc.ChangeCount) return TRUE;
  if (asking_) return FALSE;  // the question is still open
  block_.Release();
  mayEnd_ = false;
  asking_ = true;
  // Windows names the program and why while the question waits.
  if (doc.ChangeCount > 0) block_.Hold(window, kAskingReason);
  bool mayEnd = false;
  try {
    mayEnd = askToSave();
  } catch (...) {
    // Not asked to the end, so nothing was saved: keep the session.
  }
  block_.Release();
  asking_ = false;
  if (!mayEnd) {
    // The save failed: keep the session, and with it the changes.
    block_.Hold(window, kBlockReason);
    return FALSE;
  }
  mayEnd_ = true;
  answeredChangeCount_ = doc.ChangeCount;
  return TRUE;
}

void SessionEnd::OnEnd() {
  block_.Release();
  mayEnd_ = false;
}

}  // namespace vantrel
