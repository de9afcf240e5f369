// Start-up of the main window: the visual-style check when the window is
// created, its one relaunch, and what happens before the window first shows.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include "platform/Modal.h"
#include "shell/MainWindow.h"
#include "shell/ProcessStart.h"

namespace vantrel {

namespace {

constexpr const char* kTransparencyDisabledText =
    "This program has the ability to be transparent. \r\n"
    "Transparency Only works with Windows XP or Windows 2000.\r\n"
    "Transparency will be turned off.";
constexpr const char* kThemeingErrorText =
    "Error creating Windows XP theme file. You may be running EXE file from a network drive with "
    "which you dont have write permissions. Themes will not be enabled.";
constexpr const char* kRelaunchErrorText =
    "Error exucuting the EXE file. This happens when the program is run from inside its "
    "development environment: the themed look of the controls shows only when the program runs "
    "as its built executable.";
constexpr UINT kErrorType = MB_OK | MB_ICONEXCLAMATION;

}  // namespace

void MainWindow::Startup(const std::string& version) {
  if (version != "Windows 2000" && version != "Windows XP") {
    Tell("Transparency Disabled", kTransparencyDisabledText, Icon::Information);
    hostsFolder_ = "%systemroot%\\";
  } else {
    menu_.EnableSubmenu(kMnuTransparent, true);
    hostsFolder_ = "%systemroot%\\system32\\drivers\\etc\\";
  }
  translucency_ = std::make_unique<WindowTranslucency>();
  translucency_->Attach(hwnd_);
  onTop_ = false;
  SetText(kLabel7, "00: 00: 00");
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void MainWindow::CheckVisualStyle() {
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
    if (SetTimer(hwnd_, kRelaunchTimer, kRelaunchDelayMs, nullptr)) return;
  }
  // Shown before the window itself.
  CurrentModal().Message(nullptr, kThemeingErrorText, "Themeing Error!", kErrorType);
}

void MainWindow::RelaunchWhenReady() {
  // Not before the window has loaded and no modal window holds it.
  if (!IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return;
  KillTimer(hwnd_, kRelaunchTimer);
  CloseWindow();
  // ended_: the window is gone, or the program is ending without it.
  if (ended_ && bootstrap_ && bootstrap_->Relaunch()) return;
  // Closing the window asked the message loop to end; hold that back until
  // the message has been read.
  MSG quit{};
  const bool quitting = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  HWND owner = hwnd_ && IsWindowVisible(hwnd_) ? hwnd_ : nullptr;
  CurrentModal().Message(owner, kRelaunchErrorText, "Manifest Exucution Error!", kErrorType);
  if (quitting) PostQuitMessage(static_cast<int>(quit.wParam));
}

}  // namespace vantrel
