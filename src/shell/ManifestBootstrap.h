// The visual-style bootstrap's work on the system: the probe for the
// manifest beside the executable, writing it, and starting the program again
// so that the new process starts with the manifest in place.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vantrel {

class SingleInstance;

class ManifestBootstrap {
 public:
  // Set for the process that a relaunch starts, which never relaunches
  // again: one missing manifest leads to one relaunch at most.
  static constexpr const char* kRelaunchMarker = "VANTREL_RELAUNCHED";

  // For the program: its own executable. Takes the marker out of the
  // environment, so that programs started later do not inherit it.
  explicit ManifestBootstrap(SingleInstance* claim);
  // For tests: an executable of their choosing. claim is given up just
  // before the relaunch.
  ManifestBootstrap(const std::string& executablePath, bool relaunched, SingleInstance* claim);
  ManifestBootstrap(const ManifestBootstrap&) = delete;
  ManifestBootstrap& operator=(const ManifestBootstrap&) = delete;

  bool Relaunched() const { return relaunched_; }
  // Copies the manifest over the probe file and deletes that again; true
  // when both worked.
  bool Probe() const;
  bool ManifestExists() const;
  // Replaces the manifest, hidden or not, with its text and leaves it
  // hidden. False when the text could not be written in full.
  bool WriteManifest() const;
  // Gives up the single-instance claim, so that the new process is not
  // taken for a second copy, and starts the program. True when it started.
  bool Relaunch();

  // How Relaunch starts the program; tests put in their own.
  std::function<bool(const std::string& programPath)> StartProgram;

 private:
  std::string manifestPath_;
  std::string programPath_;
  bool relaunched_ = false;
  SingleInstance* claim_ = nullptr;
};

}  // namespace vantrel
