#include "platform/CommonDialogs.h"

#include <cmath>

#include "platform/Modal.h"

namespace vantrel {

namespace {

// Blank space the dialog gets for the name it returns and for its title.
constexpr size_t kFileNameCapacity = 2047;
constexpr size_t kFileTitleCapacity = 2048;

// A hook procedure receives no data of its own.
HHOOK centeringHook = nullptr;
HWND centeringOwner = nullptr;
bool centeringOnOwner = true;

// Nearest integer, halves to the even neighbour (200.5 -> 200, 201.5 -> 202),
// whatever rounding mode the floating-point unit is in, as the IEEE
// remainder does.
LONG RoundHalfEven(double value) { return static_cast<LONG>(value - std::remainder(value, 1.0)); }

void RemoveCenteringHook() {
  if (!centeringHook) return;
  UnhookWindowsHookEx(centeringHook);
  centeringHook = nullptr;
}

LRESULT CALLBACK CenteringHook(int nCode, WPARAM wParam, LPARAM) {
  if (nCode != HCBT_ACTIVATE) return 0;
  HWND dialog = reinterpret_cast<HWND>(wParam);
  RECT box{};
  GetWindowRect(dialog, &box);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (centeringOnOwner) {
    area = RECT{};
    GetWindowRect(centeringOwner, &area);
  }
  const POINT corner = CenterPosition(area, box.right - box.left, box.bottom - box.top);
  SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RemoveCenteringHook();
  return 0;
}

// Fills the dialog's record, whose text fields point into the buffers given,
// shows the dialog centred and returns the name chosen.
std::optional<std::string> ShowFileDialog(HWND owner, const FileDialogOptions& options,
                                          const std::string& proposedName, DWORD flags,
                                          BOOL (Modal::*show)(OPENFILENAMEA*)) {
  const std::string filter = options.filterName + '\0' + options.filterPattern + '\0' + '\0';
  // The proposed name, then space for the answer; the trailing blanks do not
  // show in the dialog.
  std::string fileName = proposedName + std::string(kFileNameCapacity, ' ');
  std::string fileTitle(kFileTitleCapacity, ' ');
  OPENFILENAMEA record{};
  record.lStructSize = kFileDialogRecordSize;
  record.hwndOwner = owner;
  record.lpstrFilter = filter.c_str();
  record.lpstrFile = fileName.data();
  record.nMaxFile = static_cast<DWORD>(fileName.size() + 1);
  record.lpstrFileTitle = fileTitle.data();
  record.nMaxFileTitle = static_cast<DWORD>(kFileTitleCapacity);
  if (!options.initialFolder.empty()) record.lpstrInitialDir = options.initialFolder.c_str();
  if (!options.title.empty()) record.lpstrTitle = options.title.c_str();
  record.Flags = flags;
  DialogCentering centering(owner, options.centerOnOwner);
  if (!(CurrentModal().*show)(&record)) return std::nullopt;
  return std::string(fileName.c_str());
}

}  // namespace

std::optional<std::string> ShowOpenDialog(HWND owner, const FileDialogOptions& options) {
  return ShowFileDialog(owner, options, options.fileName, kOpenDialogFlags, &Modal::OpenFileName);
}

std::optional<std::string> ShowSaveDialog(HWND owner, const FileDialogOptions& options) {
  return ShowFileDialog(owner, options, "", kSaveDialogFlags, &Modal::SaveFileName);
}

DialogCentering::DialogCentering(HWND owner, bool onOwner) {
  RemoveCenteringHook();
  centeringOwner = owner;
  centeringOnOwner = onOwner;
  auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  centeringHook = SetWindowsHookExA(WH_CBT, &CenteringHook, instance, GetCurrentThreadId());
}

DialogCentering::~DialogCentering() { RemoveCenteringHook(); }

POINT CenterPosition(const RECT& area, int width, int height) {
  const double x = area.left + (area.right - area.left) / 2.0 - width / 2.0;
  const double y = area.top + (area.bottom - area.top) / 2.0 - height / 2.0;
  return POINT{RoundHalfEven(x), RoundHalfEven(y)};
}

void SetTopmost(HWND form, bool onTop) {
  SetWindowPos(form, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace vantrel
