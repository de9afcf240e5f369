// The Open and Save As file dialogs, each centred on its owner (or on the
// screen) as it opens, and the always-on-top switch.
#pragma once

#include <windows.h>
// windows.h first
#include <commdlg.h>

#include <cstddef>
#include <optional>
#include <string>

#include "platform/FileDialogOptions.h"

namespace vantrel {

// The record ends after its template-name field (the pre-2000 layout): 76
// bytes on 32-bit Windows.
inline constexpr DWORD kFileDialogRecordSize =
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);

// Open: an existing file only. Save: asks before replacing a file.
inline constexpr DWORD kOpenDialogFlags =
    OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_NODEREFERENCELINKS | OFN_LONGNAMES;
inline constexpr DWORD kSaveDialogFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_LONGNAMES;
static_assert(kOpenDialogFlags == 3674116 && kSaveDialogFlags == 2621446);

// The chosen full path; nothing when the user cancelled or the dialog failed.
std::optional<std::string> ShowOpenDialog(HWND owner, const FileDialogOptions& options);
std::optional<std::string> ShowSaveDialog(HWND owner, const FileDialogOptions& options);

// While alive, moves the first window activated in this thread (the dialog)
// to the middle of `owner`, or of the screen, and then stops watching. A
// dialog that failed to open must not leave the next window moved.
class DialogCentering {
 public:
  DialogCentering(HWND owner, bool onOwner);
  ~DialogCentering();
  DialogCentering(const DialogCentering&) = delete;
  DialogCentering& operator=(const DialogCentering&) = delete;
};

// Top-left corner that centres a width x height window over `area` (the
// owner's rectangle, or {0, 0, screen width, screen height}); halves round
// to the even neighbour.
POINT CenterPosition(const RECT& area, int width, int height);

// Keeps `form` above all other windows, or puts it back among the others.
void SetTopmost(HWND form, bool onTop);

}  // namespace vantrel
