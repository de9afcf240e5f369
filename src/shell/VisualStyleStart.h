// The themed look of the controls needs the manifest beside the program when
// the program starts. The main window checks it as it is created, writes it
// when it is missing, and then closes and starts the program again, once,
// after it has shown.
#pragma once

#include <windows.h>

#include <functional>

namespace vantrel {

class ManifestBootstrap;

class VisualStyleStart {
 public:
  // Fires once the window has shown, to start the program again with its manifest.
  static constexpr UINT_PTR kRelaunchTimer = 1;
  // From writing the manifest to the relaunch: time for the window to show first.
  static constexpr UINT kRelaunchDelayMs = 500;

  // Without one no check runs.
  void Use(ManifestBootstrap& bootstrap) { bootstrap_ = &bootstrap; }
  // Before any control of window exists, so the controls get the common
  // controls that the check initialises.
  void Check(HWND window);
  // The relaunch timer's tick. close closes the window as the user would and
  // tells whether it ended: the window is gone, or the program is ending without it.
  void OnTimer(HWND window, const std::function<bool()>& close);

 private:
  ManifestBootstrap* bootstrap_ = nullptr;
};

}  // namespace vantrel
