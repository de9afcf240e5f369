#include "platform/CommonDialogs.h"

#include <algorithm>
#include <cmath>

#include "platform/Modal.h"

namespace vantrel {

FileDialogRecord FileDialogSettings;
HHOOK DialogHook = nullptr;
HWND DialogOwner = nullptr;

namespace {

std::string UpToNul(const std::vector<char>& buffer) {
  const auto nul = std::find(buffer.begin(), buffer.end(), '\0');
  return std::string(buffer.begin(), nul);
}

const char* PointerOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// Nearest integer, halves to the even neighbour (200.5 -> 200, 201.5 -> 202),
// whatever rounding mode the floating-point unit is in.
LONG RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  double result = below;
  if (fraction > 0.5) {
    result = below + 1;
  } else if (fraction == 0.5 && std::fmod(below, 2.0) != 0) {
    result = below + 1;
  }
  return static_cast<LONG>(result);
}

void RemoveDialogHook() {
  if (!DialogHook) return;
  UnhookWindowsHookEx(DialogHook);
  DialogHook = nullptr;
}

void InstallDialogHook(HWND owner, bool centerOnOwner) {
  RemoveDialogHook();
  auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  DialogHook = SetWindowsHookExA(WH_CBT, centerOnOwner ? &CenterOnOwnerHook : &CenterOnScreenHook,
                                 instance, GetCurrentThreadId());
}

// A dialog that never became active (it failed to open) leaves the hook in
// place; it must not catch the next window activated in this thread.
class DialogHookScope {
 public:
  DialogHookScope(HWND owner, bool centerOnOwner) { InstallDialogHook(owner, centerOnOwner); }
  ~DialogHookScope() { RemoveDialogHook(); }
  DialogHookScope(const DialogHookScope&) = delete;
  DialogHookScope& operator=(const DialogHookScope&) = delete;
};

FileDialogResult ResultOf(BOOL chosen, const FileDialogRecord& settings) {
  FileDialogResult result;
  if (!chosen) {
    result.Cancelled = true;
    return result;
  }
  const std::string path = settings.FileName();
  const size_t offset = std::min<size_t>(settings.Record().nFileOffset, path.size());
  result.Folder = path.substr(0, offset);
  result.FileNames.push_back(path.substr(offset));
  result.FileCount = 1;
  return result;
}

LRESULT Center(int nCode, WPARAM wParam, bool onOwner) {
  if (nCode != HCBT_ACTIVATE) return 0;
  HWND dialog = reinterpret_cast<HWND>(wParam);
  RECT box{};
  GetWindowRect(dialog, &box);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  POINT corner{};
  if (onOwner) {
    RECT owner{};
    GetWindowRect(DialogOwner, &owner);
    corner = CenterOnOwnerPosition(owner, width, height);
  } else {
    corner = CenterOnScreenPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    width, height);
  }
  SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RemoveDialogHook();
  return 0;
}

}  // namespace

FileDialogRecord::FileDialogRecord() {
  record_.lStructSize = kFileDialogRecordSize;
  SetFileNameBuffer("");
}

void FileDialogRecord::SetFilter(const std::vector<FileFilter>& filters) {
  // Description NUL pattern NUL ..., then the NUL that ends the list.
  filter_.clear();
  for (const FileFilter& f : filters) {
    filter_ += f.Description;
    filter_ += '\0';
    filter_ += f.Pattern;
    filter_ += '\0';
  }
  if (!filter_.empty()) filter_ += '\0';
  record_.lpstrFilter = PointerOrNull(filter_);
}

void FileDialogRecord::SetTitle(std::string title) {
  title_ = std::move(title);
  record_.lpstrTitle = PointerOrNull(title_);
}

void FileDialogRecord::SetInitialFolder(std::string folder) {
  initialFolder_ = std::move(folder);
  record_.lpstrInitialDir = PointerOrNull(initialFolder_);
}

void FileDialogRecord::SetFileName(const std::string& name) { SetFileNameBuffer(name); }

std::string FileDialogRecord::FileName() const { return UpToNul(fileName_); }

std::string FileDialogRecord::FileTitle() const { return UpToNul(fileTitle_); }

void FileDialogRecord::SetFileNameBuffer(const std::string& content) {
  fileName_.assign(content.begin(), content.end());
  fileName_.push_back('\0');
  record_.lpstrFile = fileName_.data();
  record_.nMaxFile = static_cast<DWORD>(fileName_.size());
}

void FileDialogRecord::PrepareCommon(HWND owner) {
  record_.lStructSize = kFileDialogRecordSize;
  record_.hwndOwner = owner;
  fileTitle_.assign(kFileTitleRoom, ' ');
  fileTitle_.push_back('\0');
  record_.lpstrFileTitle = fileTitle_.data();
  record_.nMaxFileTitle = static_cast<DWORD>(kFileTitleRoom);
}

void FileDialogRecord::PrepareForOpen(HWND owner) {
  PrepareCommon(owner);
  // The caller's name, then room for the dialog's answer; the trailing
  // blanks do not show in the dialog. Whatever followed the first NUL (the
  // rest of an earlier answer) is dropped so the buffer does not grow.
  SetFileNameBuffer(FileName() + std::string(kFileNameRoom, ' '));
  record_.Flags = kOpenDialogFlags;
}

void FileDialogRecord::PrepareForSave(HWND owner) {
  PrepareCommon(owner);
  SetFileNameBuffer(std::string(kFileNameRoom, ' '));
  if (record_.Flags == 0) record_.Flags = kSaveDialogFlags;
}

FileDialogResult ShowOpenDialog(HWND owner, bool centerOnOwner) {
  DialogOwner = owner;
  FileDialogSettings.PrepareForOpen(owner);
  BOOL chosen = FALSE;
  {
    DialogHookScope hook(owner, centerOnOwner);
    chosen = CurrentModal().OpenFileName(&FileDialogSettings.Record());
  }
  return ResultOf(chosen, FileDialogSettings);
}

FileDialogResult ShowSaveDialog(HWND owner, bool centerOnOwner) {
  DialogOwner = owner;
  FileDialogSettings.PrepareForSave(owner);
  BOOL chosen = FALSE;
  {
    DialogHookScope hook(owner, centerOnOwner);
    chosen = CurrentModal().SaveFileName(&FileDialogSettings.Record());
  }
  return ResultOf(chosen, FileDialogSettings);
}

LRESULT CALLBACK CenterOnOwnerHook(int nCode, WPARAM wParam, LPARAM) {
  return Center(nCode, wParam, true);
}

LRESULT CALLBACK CenterOnScreenHook(int nCode, WPARAM wParam, LPARAM) {
  return Center(nCode, wParam, false);
}

POINT CenterOnOwnerPosition(const RECT& owner, int width, int height) {
  const double x = owner.left + (owner.right - owner.left) / 2.0 - width / 2.0;
  const double y = owner.top + (owner.bottom - owner.top) / 2.0 - height / 2.0;
  return POINT{RoundHalfEven(x), RoundHalfEven(y)};
}

POINT CenterOnScreenPosition(int screenWidth, int screenHeight, int width, int height) {
  const double x = screenWidth / 2.0 - width / 2.0;
  const double y = screenHeight / 2.0 - height / 2.0;
  return POINT{RoundHalfEven(x), RoundHalfEven(y)};
}

void SetTopmost(HWND form, bool onTop) {
  SetWindowPos(form, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace vantrel
