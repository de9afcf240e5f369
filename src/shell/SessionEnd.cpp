// The end of the Windows session. Windows sends no WM_CLOSE then, so the
// main window asks about unsaved changes when the system asks whether the
// session may end, and ends the program when it does end.
#include "save/SaveAs.h"
#include "shell/MainWindow.h"

namespace vantrel {

namespace {

constexpr const wchar_t* kBlockReason = L"The changed hosts list could not be saved.";

}  // namespace

BOOL MainWindow::OnQueryEndSession() {
  // The system may ask more than once while one session ends: ask the user
  // once, unless the list changed since.
  if (sessionMayEnd_ && answeredChangeCount_ == doc_.ChangeCount) return TRUE;
  if (inSessionQuery_) return FALSE;  // the question is still open
  shutdownBlock_.Release();
  sessionMayEnd_ = false;
  inSessionQuery_ = true;
  bool mayEnd = false;
  try {
    mayEnd = PromptBeforeExit(doc_, *this, Files());
  } catch (...) {
    // Not asked to the end, so nothing was saved: keep the session.
  }
  inSessionQuery_ = false;
  // Until the session really ends, a cancelled save must not end the program.
  doc_.ExitPending = 0;
  if (!mayEnd) {
    // The save failed: keep the session, and with it the changes.
    shutdownBlock_.Hold(hwnd_, kBlockReason);
    return FALSE;
  }
  sessionMayEnd_ = true;
  answeredChangeCount_ = doc_.ChangeCount;
  return TRUE;
}

void MainWindow::OnEndSession(bool ending) {
  shutdownBlock_.Release();
  sessionMayEnd_ = false;
  // Cancelled by another program: go on with the document.
  if (!ending) return;
  // No further question and no closing handler.
  ended_ = true;
  DestroyWindow(hwnd_);
}

}  // namespace vantrel
