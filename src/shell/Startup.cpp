// Start-up: what the main window does once it exists and before it shows.
#include "platform/WindowsCheck.h"
#include "shell/MainWindow.h"

namespace vantrel {

namespace {

constexpr const char* kTransparencyDisabledText =
    "This program has the ability to be transparent. \r\n"
    "Transparency Only works with Windows XP or Windows 2000.\r\n"
    "Transparency will be turned off.";

}  // namespace

void MainWindow::Startup() { Startup(WindowsVersionName()); }

void MainWindow::Startup(const std::string& version) {
  if (version != "Windows 2000" && version != "Windows XP") {
    Tell("Transparency Disabled", kTransparencyDisabledText, Icon::Information);
    HostsFolder = "%systemroot%\\";
  } else {
    menu_.EnableSubmenu("mnuTransparent", true);
    HostsFolder = "%systemroot%\\system32\\drivers\\etc\\";
  }

  translucency_ = std::make_unique<CTranslucentForm>();
  translucency_->hwnd(hwnd_);

  clock_ = {};
  OnTopState = 0;
  SetText(kLabel7, "00: 00: 00");
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

}  // namespace vantrel
