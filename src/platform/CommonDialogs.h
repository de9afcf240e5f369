// The Open and Save As file dialogs behind two calls, each dialog centred on
// its owner (or on the screen) as it opens, and the always-on-top switch.
// Callers fill the shared FileDialogSettings, call a wrapper, test Cancelled
// and read the chosen full path with FileDialogSettings.FileName().
#pragma once

#include <windows.h>
// windows.h first
#include <commdlg.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// The record ends after its template-name field (the pre-2000 layout): 76
// bytes on 32-bit Windows.
inline constexpr DWORD kFileDialogRecordSize =
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);
#ifndef _WIN64
static_assert(kFileDialogRecordSize == 76);
#endif

// Open: an existing file only. Save: asks before replacing a file.
inline constexpr DWORD kOpenDialogFlags =
    OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_NODEREFERENCELINKS | OFN_LONGNAMES;
inline constexpr DWORD kSaveDialogFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_LONGNAMES;
static_assert(kOpenDialogFlags == 3674116 && kSaveDialogFlags == 2621446);

// Characters of blank room that the wrappers give the dialog for the name it
// returns (the file name buffer gets one NUL more).
inline constexpr size_t kFileNameRoom = 2047;
inline constexpr size_t kFileTitleRoom = 2048;

struct FileFilter {
  std::string Description;  // "All Files (*.*)"
  std::string Pattern;      // "*.*"
};

// The one settings record of both file dialogs. The text fields of the
// platform record point into buffers owned here, so the record stays valid
// for as long as this object lives; fields keep their values between calls.
class FileDialogRecord {
 public:
  FileDialogRecord();
  FileDialogRecord(const FileDialogRecord&) = delete;
  FileDialogRecord& operator=(const FileDialogRecord&) = delete;

  void SetFilter(const std::vector<FileFilter>& filters);
  void SetTitle(std::string title);
  void SetInitialFolder(std::string folder);
  // The whole file name buffer: the name the open dialog proposes.
  void SetFileName(const std::string& name);
  void SetFlags(DWORD flags) { record_.Flags = flags; }
  DWORD Flags() const { return record_.Flags; }

  // The file name buffer up to its first NUL: after a successful dialog, the
  // chosen full path.
  std::string FileName() const;
  // The file title buffer up to its first NUL.
  std::string FileTitle() const;

  // Steps the wrappers take before showing their dialog.
  void PrepareForOpen(HWND owner);
  void PrepareForSave(HWND owner);

  const OPENFILENAMEA& Record() const { return record_; }
  OPENFILENAMEA& Record() { return record_; }

 private:
  void PrepareCommon(HWND owner);
  void SetFileNameBuffer(const std::string& content);

  OPENFILENAMEA record_{};
  std::string filter_;
  std::string title_;
  std::string initialFolder_;
  std::vector<char> fileName_;
  std::vector<char> fileTitle_;
};

struct FileDialogResult {
  int32_t FileCount = 0;               // 1 after a successful call, 0 after cancel
  std::vector<std::string> FileNames;  // the chosen name without its folder
  std::string Folder;                  // with its trailing backslash
  bool Cancelled = false;              // cancelled, or the dialog failed
};

extern FileDialogRecord FileDialogSettings;
// The centring hook while a dialog is being shown, and the window the dialog
// is centred on.
extern HHOOK DialogHook;
extern HWND DialogOwner;

FileDialogResult ShowOpenDialog(HWND owner, bool centerOnOwner);
FileDialogResult ShowSaveDialog(HWND owner, bool centerOnOwner);

// WH_CBT hook procedures: at the first activation in the thread, move the
// window being activated (the dialog) to the middle of DialogOwner or of the
// screen, then remove DialogHook. Always return 0.
LRESULT CALLBACK CenterOnOwnerHook(int nCode, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CenterOnScreenHook(int nCode, WPARAM wParam, LPARAM lParam);

// Top-left corner that centres a width x height window over `owner` or over a
// screen of the given size; halves round to the even neighbour.
POINT CenterOnOwnerPosition(const RECT& owner, int width, int height);
POINT CenterOnScreenPosition(int screenWidth, int screenHeight, int width, int height);

// Keeps `form` above all other windows, or puts it back among the others.
void SetTopmost(HWND form, bool onTop);

}  // namespace vantrel
