#include "platform/CommonDialogs.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Modal.h"

namespace vantrel {

namespace {

// A hook procedure receives no data of its own.
HHOOK centeringHook = nullptr;
HWND centeringOwner = nullptr;

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

void RemoveCenteringHook() {
  if (!centeringHook) return;
  UnhookWindowsHookEx(centeringHook);
  centeringHook = nullptr;
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
    GetWindowRect(centeringOwner, &owner);
    corner = CenterOnOwnerPosition(owner, width, height);
  } else {
    corner = CenterOnScreenPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    width, height);
  }
  SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RemoveCenteringHook();
  return 0;
}

LRESULT CALLBACK CenterOnOwnerHook(int nCode, WPARAM wParam, LPARAM) {
  return Center(nCode, wParam, true);
}

LRESULT CALLBACK CenterOnScreenHook(int nCode, WPARAM wParam, LPARAM) {
  return Center(nCode, wParam, false);
}

// The dialog's record and the buffers its text fields point into.
class FileDialogRecord {
 public:
  FileDialogRecord(HWND owner, const FileDialogOptions& options, const std::string& proposedName)
      : filter_(options.filterName + '\0' + options.filterPattern + '\0' + '\0'),
        fileName_(proposedName.begin(), proposedName.end()),
        fileTitle_(kFileTitleCapacity, ' ') {
    // The proposed name, then space for the answer; the trailing blanks do
    // not show in the dialog.
    fileName_.insert(fileName_.end(), kFileNameCapacity, ' ');
    fileName_.push_back('\0');
    fileTitle_.push_back('\0');
    record_.lStructSize = kFileDialogRecordSize;
    record_.hwndOwner = owner;
    record_.lpstrFilter = filter_.c_str();
    record_.lpstrFile = fileName_.data();
    record_.nMaxFile = static_cast<DWORD>(fileName_.size());
    record_.lpstrFileTitle = fileTitle_.data();
    record_.nMaxFileTitle = static_cast<DWORD>(kFileTitleCapacity);
    if (!options.initialFolder.empty()) record_.lpstrInitialDir = options.initialFolder.c_str();
    if (!options.title.empty()) record_.lpstrTitle = options.title.c_str();
  }

  OPENFILENAMEA* Get() { return &record_; }
  std::string FileName() const { return fileName_.data(); }

 private:
  OPENFILENAMEA record_{};
  std::string filter_;
  std::vector<char> fileName_;
  std::vector<char> fileTitle_;
};

template <class Show>
std::optional<std::string> ShowFileDialog(HWND owner, const FileDialogOptions& options,
                                          FileDialogRecord& record, Show show) {
  BOOL chosen = FALSE;
  {
    DialogCentering centering(owner, options.centerOnOwner);
    chosen = show(record.Get());
  }
  if (!chosen) return std::nullopt;
  return record.FileName();
}

}  // namespace

std::optional<std::string> ShowOpenDialog(HWND owner, const FileDialogOptions& options) {
  FileDialogRecord record(owner, options, options.fileName);
  record.Get()->Flags = kOpenDialogFlags;
  return ShowFileDialog(owner, options, record,
                        [](OPENFILENAMEA* r) { return CurrentModal().OpenFileName(r); });
}

std::optional<std::string> ShowSaveDialog(HWND owner, const FileDialogOptions& options) {
  FileDialogRecord record(owner, options, "");
  record.Get()->Flags = options.saveFlags ? options.saveFlags : kSaveDialogFlags;
  return ShowFileDialog(owner, options, record,
                        [](OPENFILENAMEA* r) { return CurrentModal().SaveFileName(r); });
}

DialogCentering::DialogCentering(HWND owner, bool onOwner) {
  RemoveCenteringHook();
  centeringOwner = owner;
  auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  centeringHook = SetWindowsHookExA(WH_CBT, onOwner ? &CenterOnOwnerHook : &CenterOnScreenHook,
                                    instance, GetCurrentThreadId());
}

DialogCentering::~DialogCentering() { RemoveCenteringHook(); }

bool DialogCentering::Waiting() const { return centeringHook != nullptr; }

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
