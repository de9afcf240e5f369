// What WinMain asks of Windows before the main window (no file
// virtualization, DPI awareness, COM, one running copy, the visual-style
// manifest beside the executable), and starting other programs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace vantrel {

// The system calls used, each null where this Windows lacks it (both
// settings came with Vista); tests put in their own.
struct ProcessSetupCalls {
  BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, PHANDLE token) = nullptr;
  BOOL(WINAPI* setTokenInformation)
  (HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID value, DWORD size) = nullptr;
  BOOL(WINAPI* closeHandle)(HANDLE handle) = nullptr;
  BOOL(WINAPI* setProcessDpiAware)() = nullptr;
};

ProcessSetupCalls SystemProcessSetupCalls();

// Turns file virtualization off, so that a save the system refuses fails
// instead of landing in the user's VirtualStore, and makes the process DPI
// aware. A missing call or a refusal is ignored.
void PrepareProcess(const ProcessSetupCalls& calls);

// COM in a single-threaded apartment on the thread that makes it, for as
// long as it lives: the mail handler the mail links start may be a shell
// extension, which needs one.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool entered_ = false;
};

std::string OwnExecutablePath();

// Starts a program shown normally, keeping no handle to it; its process id,
// or 0 when it did not start.
DWORD StartProcess(const char* program, std::string commandLine);

// Only one copy runs: it holds a named mutex for the life of its process.
class SingleInstance {
 public:
  static constexpr const char* kName = "Vantrel.SingleInstance.5C2E7A41";

  SingleInstance() = default;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance() { Release(); }

  // True when no other copy holds the claim; this process holds it then.
  bool Claim();
  // Lets a copy started from now on run.
  void Release();

 private:
  HANDLE mutex_ = nullptr;
};

// Written and deleted at every start to see whether the manifest exists.
inline constexpr const char* kProbePath = "c:\\checkexist.txt";

// The executable's folder and name without its last extension, then
// suffix: "C:\a\app.EXE" with ".exe.manifest" gives "C:\a\app.exe.manifest".
std::string PathBesideProgram(std::string_view executablePath, std::string_view suffix);

// Windows refuses to start a program whose manifest names another processor.
enum class Processor { X86, Amd64 };

// One line of ASCII asking for version 6 of the common controls, then CR LF.
std::string ManifestFileText(Processor processor = sizeof(void*) == 8 ? Processor::Amd64
                                                                      : Processor::X86);

// Windows reads the manifest as the process starts: a missing one is
// written, and the program started again to get the themed controls.
class ManifestBootstrap {
 public:
  // Set for the process that a relaunch starts, which never relaunches
  // again: one missing manifest leads to one relaunch at most.
  static constexpr const char* kRelaunchMarker = "VANTREL_RELAUNCHED";

  // For the program: its own executable. Takes the marker out of the
  // environment, so that programs started later do not inherit it.
  explicit ManifestBootstrap(SingleInstance* claim);
  // For tests: an executable of their choosing.
  ManifestBootstrap(const std::string& executablePath, bool relaunched, SingleInstance* claim);
  ManifestBootstrap(const ManifestBootstrap&) = delete;
  ManifestBootstrap& operator=(const ManifestBootstrap&) = delete;

  bool Relaunched() const { return relaunched_; }
  // Copies the manifest over the probe file and deletes it; true when both work.
  bool Probe() const;
  bool ManifestExists() const;
  // Replaces the manifest, hidden or not, leaving it hidden; false unless all
  // was written. A manifest that holds the program's text already is left
  // as it is.
  bool WriteManifest() const;
  // Gives up the claim, so that the new process is not taken for a second
  // copy, gives the program file a new last-write time, and starts the
  // program. True when it started.
  bool Relaunch();

  // How Relaunch starts the program; tests put in their own.
  std::function<bool(const std::string& programPath)> StartProgram;

 private:
  // True when the manifest holds exactly the text the writer writes.
  bool ManifestIsCurrent() const;

  std::string manifestPath_;
  std::string programPath_;
  bool relaunched_ = false;
  SingleInstance* claim_ = nullptr;
};

}  // namespace vantrel
