#include "shell/VisualStyleStart.h"
// windows.h first
#include <commctrl.h>

#include "platform/Modal.h"
#include "shell/ProcessStart.h"

namespace vantrel {

namespace {

constexpr const char* kThemeingErrorText =
    "Error creating Windows XP theme file. You may be running EXE file from a network drive with "
    "which you dont have write permissions. Themes will not be enabled.";
constexpr const char* kRelaunchErrorText =
    "Error exucuting the EXE file. This happens when the program is run from inside its "
    "development environment: the themed look of the controls shows only when the program runs "
    "as its built executable.";
constexpr UINT kErrorType = MB_OK | MB_ICONEXCLAMATION;

}  // namespace

void VisualStyleStart::Check(HWND window) {
  if (!bootstrap_) return;
  if (bootstrap_->Probe()) {
    InitCommonControls();
    return;
  }
  // The manifest is missing, or the probe file cannot be written or deleted.
  const bool wasMissing = !bootstrap_->ManifestExists();
  if (bootstrap_->WriteManifest()) {
    InitCommonControls();
    // A process started with the manifest is themed already.
    if (!wasMissing || bootstrap_->Relaunched()) return;
    if (SetTimer(window, kRelaunchTimer, kRelaunchDelayMs, nullptr)) return;
  }
  // Shown before the window itself.
  CurrentModal().Message(nullptr, kThemeingErrorText, "Themeing Error!", kErrorType);
}

void VisualStyleStart::OnTimer(HWND window, const std::function<bool()>& close) {
  // Not before the window has loaded and no modal window holds it.
  if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return;
  KillTimer(window, kRelaunchTimer);
  if (close() && bootstrap_ && bootstrap_->Relaunch()) return;
  // Closing the window asked the message loop to end; hold that back until
  // the message has been read.
  MSG quit{};
  const bool quitting = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  HWND owner = IsWindowVisible(window) ? window : nullptr;
  CurrentModal().Message(owner, kRelaunchErrorText, "Manifest Exucution Error!", kErrorType);
  if (quitting) PostQuitMessage(static_cast<int>(quit.wParam));
}

}  // namespace vantrel
