// What the visual-style bootstrap does to the system: the probe for the
// manifest beside the executable, writing and hiding it, and starting the
// program again so that the new process starts with the manifest in place.
// The main window decides when (Form_Initialize, makeNEWmanifest, Timer1).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vantrel {

class SingleInstance;

class ManifestBootstrap {
 public:
  // Set in the environment of the process that a relaunch starts. That
  // process never relaunches again, whatever its probe finds, so one missing
  // manifest leads to one relaunch at most.
  static constexpr const char* kRelaunchMarker = "VANTREL_RELAUNCHED";

  // For the program: its own executable. Takes the relaunch marker out of
  // the environment, so that programs started later do not inherit it.
  // claim is given up just before the relaunch.
  explicit ManifestBootstrap(SingleInstance* claim);
  // For tests: an executable path of their choosing.
  ManifestBootstrap(const std::string& executablePath, bool relaunched, SingleInstance* claim);
  ManifestBootstrap(const ManifestBootstrap&) = delete;
  ManifestBootstrap& operator=(const ManifestBootstrap&) = delete;

  const std::string& ManifestPath() const { return manifestPath_; }
  const std::string& ProgramPath() const { return programPath_; }
  // True in a process that a relaunch started.
  bool Relaunched() const { return relaunched_; }

  // Copies the manifest to the probe file, replacing it, and deletes the
  // probe file again. True when both worked.
  bool Probe() const;
  bool ManifestExists() const;
  // Creates the manifest, replacing any file of that name, hidden or not,
  // and writes its text. False when it could not be written in full.
  bool WriteManifest() const;
  // The hidden attribute alone; whether it took is not checked.
  void HideManifest() const;
  // Whether a manifest just written is to be followed by a relaunch: only
  // when it was missing, since a process started with it is themed already,
  // and never from a relaunched process.
  bool RelaunchWanted(bool manifestWasMissing) const { return manifestWasMissing && !relaunched_; }
  // Gives up the single-instance claim, so the new process is not taken
  // for a second copy, and starts ProgramPath shown normally. True when the
  // program was started.
  bool Relaunch();

  // How Relaunch starts the program; tests put in their own.
  std::function<bool(const std::string& programPath)> StartProgram;

 private:
  std::string manifestPath_;
  std::string programPath_;
  bool relaunched_ = false;
  SingleInstance* claim_ = nullptr;
};

// Starts path with the relaunch marker in its environment, its window shown
// normally and allowed to take the focus.
bool StartRelaunchedProgram(const std::string& path);

}  // namespace vantrel
