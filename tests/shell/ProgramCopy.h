// Copies of the real program in temporary folders, started as a person
// would start them, and what the tests read from outside their processes:
// which processes run a copy, their windows, message boxes and the
// common controls they loaded.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "support/WindowTesting.h"

namespace vantrel::test {

// The program built beside this test program.
std::string BuiltProgramPath();

// Owns a handle to a process, to wait for it and to end it.
class ProcessHandle {
 public:
  ProcessHandle() = default;
  ProcessHandle(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
  // The process with that id, opened to be waited for and ended.
  static ProcessHandle Open(DWORD id);
  ~ProcessHandle();
  ProcessHandle(ProcessHandle&& other) noexcept;
  ProcessHandle& operator=(ProcessHandle&& other) noexcept;
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;

  bool Valid() const { return handle_ != nullptr; }
  DWORD Id() const { return id_; }
  // True when the process ended within ms milliseconds.
  bool EndsWithin(DWORD ms) const;
  // The exit code of the ended process; STILL_ACTIVE while it runs.
  DWORD ExitCode() const;

 private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// A folder of its own holding a copy of the program. Ends every process
// still running the copy when it goes.
class ProgramCopy {
 public:
  ProgramCopy();
  ~ProgramCopy();
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;

  bool Copied() const { return copied_; }
  const std::string& Path() const { return path_; }
  const std::string& ManifestPath() const { return manifestPath_; }
  // Starts the copy as a person would, with arguments after its name; an
  // invalid handle when it could not be started.
  ProcessHandle Start(const std::string& arguments = {}) const;
  // The processes running the copy now.
  std::vector<DWORD> Processes() const;
  // The visible main window of a process running the copy other than
  // except; waits up to ms milliseconds.
  HWND WaitForMainWindow(DWORD except, DWORD ms) const;
  // Watches for ms milliseconds and returns every process seen running the
  // copy in that time.
  std::vector<DWORD> Watch(DWORD ms) const;
  // Closes every main window of the copy and waits for its processes to end;
  // ends them by force after ten seconds. True when all ended by closing.
  bool CloseAll() const;

 private:
  TempFolder folder_;
  std::string path_;
  std::string manifestPath_;
  bool copied_ = false;
};

// The process that owns the window.
DWORD ProcessOf(HWND hwnd);
// The text of a message box and its OK button, from outside its process.
std::string MessageBoxText(HWND box);
void PressOk(HWND box);
// The full path of the comctl32.dll that the process loaded; empty when
// it loaded none or its modules cannot be read.
std::string LoadedCommonControls(DWORD pid);
// True when the path lies in the side-by-side store, where version 6 of the
// common controls comes from.
bool FromSideBySideStore(const std::string& path);
// File contents and attributes.
std::string ReadBytes(const std::string& path);
DWORD Attributes(const std::string& path);
ULONGLONG LastWritten(const std::string& path);  // 0 when unread
// Holds the file open for reading, shared for reading only: no one can write
// to it while it is held, as in a folder the user cannot write to.
using HeldFile = std::unique_ptr<void, decltype(&CloseHandle)>;
HeldFile HoldAgainstWriting(const std::string& path);

// Makes the probe file "c:\checkexist.txt" read-only for the life of this
// object; removes it afterwards.
class ReadOnlyProbeFile {
 public:
  ReadOnlyProbeFile();
  ~ReadOnlyProbeFile();
  ReadOnlyProbeFile(const ReadOnlyProbeFile&) = delete;
  ReadOnlyProbeFile& operator=(const ReadOnlyProbeFile&) = delete;
  bool Made() const { return made_; }

 private:
  bool made_ = false;
};

}  // namespace vantrel::test
