// The main window's part in the visual-style bootstrap: the probe when the
// window is created, the manifest writer, and the one relaunch on Timer1.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include "platform/Modal.h"
#include "shell/MainWindow.h"
#include "shell/ManifestBootstrap.h"

namespace vantrel {

namespace {

constexpr const char* kThemeingErrorCaption = "Themeing Error!";
constexpr const char* kThemeingErrorText =
    "Error creating Windows XP theme file. You may be running EXE file from a network drive with "
    "which you dont have write permissions. Themes will not be enabled.";
constexpr const char* kRelaunchErrorCaption = "Manifest Exucution Error!";
constexpr const char* kRelaunchErrorText =
    "Error exucuting the EXE file. This happens when the program is run from inside its "
    "development environment: the themed look of the controls shows only when the program runs "
    "as its built executable.";

constexpr UINT kErrorType = MB_OK | MB_ICONEXCLAMATION;

}  // namespace

void MainWindow::Form_Initialize() {
  if (!bootstrap_) return;
  if (bootstrap_->Probe()) {
    InitCommonControls();
    return;
  }
  // The manifest is missing, or the probe file cannot be written or deleted.
  makeNEWmanifest();
}

void MainWindow::makeNEWmanifest() {
  const bool wasMissing = !bootstrap_->ManifestExists();
  if (!bootstrap_->WriteManifest()) {
    // Shown before the window itself.
    CurrentModal().Message(nullptr, kThemeingErrorText, kThemeingErrorCaption, kErrorType);
    return;
  }
  InitCommonControls();
  bootstrap_->HideManifest();
  if (!bootstrap_->RelaunchWanted(wasMissing)) return;
  if (!SetTimer(hwnd_, kTimer1, kRelaunchDelayMs, nullptr)) {
    CurrentModal().Message(nullptr, kThemeingErrorText, kThemeingErrorCaption, kErrorType);
    return;
  }
  timer1Running_ = true;
}

void MainWindow::Timer1_Timer() {
  // The relaunch waits until the window has loaded and no modal window
  // (a message of start-up, a dialog) holds it.
  if (!IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return;
  KillTimer(hwnd_, kTimer1);
  timer1Running_ = false;
  Form_Unload();
  // ended_: the window is gone, or the program is ending without it.
  if (ended_ && bootstrap_ && bootstrap_->Relaunch()) return;
  // The closing of the window has asked the message loop to end; hold that
  // back until the message has been read.
  MSG quit{};
  const bool quitting = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  HWND owner = hwnd_ && IsWindowVisible(hwnd_) ? hwnd_ : nullptr;
  CurrentModal().Message(owner, kRelaunchErrorText, kRelaunchErrorCaption, kErrorType);
  if (quitting) PostQuitMessage(static_cast<int>(quit.wParam));
}

}  // namespace vantrel
