#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "save/SystemElevation.h"
#include "shell/MainWindow.h"
#include "shell/ProcessStart.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Before any window: DPI awareness holds only for windows made after it.
  vantrel::PrepareProcess(vantrel::SystemProcessSetupCalls());
  // Before the first window, and left after the last.
  const vantrel::ComApartment com;
  // The copy that saves as administrator for a running one: no window, no
  // manifest check, no claim on the single instance.
  if (__argc >= 2 && std::strcmp(__argv[1], vantrel::kSaveElevatedSwitch) == 0) {
    return vantrel::RunSaveElevatedCommand(std::vector<std::string>(__argv + 2, __argv + __argc));
  }
  vantrel::SingleInstance instanceClaim;
  vantrel::ManifestBootstrap bootstrap(&instanceClaim);
  vantrel::HostsDocument document;
  vantrel::MainWindow window(document);
  // Creating the window checks the visual style: it initialises the common
  // controls, or writes the manifest and later starts the program again.
  window.UseBootstrap(bootstrap);
  if (!window.Create(instance)) return 1;
  // A second copy ends here, silently, before anything shows.
  if (!instanceClaim.Claim()) return 0;
  window.Startup();
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
