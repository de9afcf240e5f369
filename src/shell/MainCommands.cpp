// The main window's commands and the routing of its events to them.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include <string>

#include "core/Dedup.h"
#include "core/Editing.h"
#include "core/FileTools.h"
#include "platform/CommonDialogs.h"
#include "save/FileSystem.h"
#include "save/SaveAs.h"
#include "save/SystemElevation.h"
#include "shell/MainWindow.h"
#include "shell/ProcessStart.h"

namespace vantrel {

namespace {

constexpr const char* kFindPlaceholder = "type query here";
constexpr int kNone = -1;  // no button, or no menu item

void AskAndRemoveDuplicates(HostsDocument& doc, DocumentUi& ui) {
  if (!ui.AskYesNo(kRemoveDuplicatesCaption, kRemoveDuplicatesQuestion)) return;
  ui.RunInWaitWindow([&] { RemoveDuplicatesJob(doc, ui); });
}

// The commands that run one operation on the document; running out of
// memory is told in the command's own caption.
constexpr struct {
  int button, menu;
  const char* caption;
  const char* noMemoryText;
  void (*run)(HostsDocument&, DocumentUi&);
} kEdits[] = {
    {kCmdRemDup, kMnuRemDup, kRemoveDuplicatesCaption,
     "There is not enough memory to remove the duplicates.", AskAndRemoveDuplicates},
    {kCmdAdd, kMnuAdd, "Add New Host Entry", "There is not enough memory to add the entry.",
     AddEntry},
    {kCmdChange, kMnuChange, "Change Host Entry", "There is not enough memory to change the entry.",
     ChangeEntry},
    {kCmdDelete, kMnuDelete, "Delete Host Entry", "There is not enough memory to delete the entry.",
     DeleteEntry},
    {kNone, kMnuUndo, "Undo", "There is not enough memory to undo the last change.",
     UndoLastAction},
};

}  // namespace

FileSystem& MainWindow::Files() { return fs_ ? *fs_ : NativeFileSystem(); }

void MainWindow::OnCommand(int id, int code) {
  if (id == kList1 && code == LBN_DBLCLK) id = kCmdChange;
  // Each button and its menu item run the very same command.
  for (const auto& edit : kEdits) {
    if (id == edit.button || id == edit.menu) {
      return RunCommand(edit.caption, edit.noMemoryText, [&] { edit.run(doc_, *this); });
    }
  }
  static constexpr struct {
    int button, menu;
    void (MainWindow::*run)();
  } kRoutes[] = {
      {kCmdOpen, kMnuOpen, &MainWindow::OpenFile},
      {kCmdSaveAs, kMnuSaveAs, &MainWindow::SaveFileAs},
      {kNone, kMnuClose, &MainWindow::CloseFile},
      {kNone, kMnuExit, &MainWindow::ExitFromMenu},
      {kCmdCountHost, kNone, &MainWindow::CountUnmodifiedHosts},
      {kCmdNotepad, kNone, &MainWindow::OpenInNotepad},
      {kNone, kMnuOnTop, &MainWindow::ToggleAlwaysOnTop},
      {kNone, kMnuContents, &MainWindow::ShowHelpContents},
      {kNone, kMnuAbout, &MainWindow::ShowAbout},
  };
  for (const auto& route : kRoutes) {
    if (id == route.button || id == route.menu) return (this->*route.run)();
  }
  if (id == kList1 && code == LBN_SELCHANGE) {
    doc_.List1.Select(static_cast<int32_t>(SendMessageA(controls_[kList1], LB_GETCURSEL, 0, 0)));
  } else if (id == kComboFind && code == CBN_SETFOCUS) {
    FindBoxGotFocus();
  } else if (id == kComboFind && code == CBN_KILLFOCUS) {
    FindBoxLostFocus();
  } else if (id >= kMnuNone && id <= kMnuNinety) {
    SetTransparency(id);
  }
}

// ---- saving, closing and leaving

void MainWindow::SaveFileAs() {
  RunCommand("Save Failed", kNoMemoryToSave, [&] { SaveAs(doc_, *this, Files()); });
}

void MainWindow::CloseFile() {
  bool closed = false;
  RunCommand("Save Failed", kNoMemoryToSave, [&] { closed = CloseDocument(doc_, *this, Files()); });
  if (closed) ShowNoDocument();
}

void MainWindow::ExitFromMenu() {
  if (!RanOutOfMemory([&] { ExitProgram(doc_, *this, Files()); })) return;
  // The save on the way out failed: the program stays open.
  TellOutOfMemory("Save Failed", kNoMemoryToSave);
}

void MainWindow::CloseWindow() {
  if (ended_) return;
  // A save that failed on the way out keeps the program open with the
  // document, so the changes are not lost.
  bool leave = false;
  if (RanOutOfMemory([&] { leave = PromptBeforeExit(doc_, *this, Files()); })) {
    TellOutOfMemory("Save Failed", kNoMemoryToSave);
    return;
  }
  if (!leave || ended_) return;
  ended_ = true;
  DestroyWindow(hwnd_);
}

void MainWindow::EndProgram() {
  // Cancelled while the session asks whether it may end: the program ends
  // with the session, and stays with its document should the end be called off.
  if (ended_ || inSessionQuery_) return;
  ended_ = true;
  ShowWindow(hwnd_, SW_HIDE);
  PostQuitMessage(0);
}

Elevation* MainWindow::Elevator() {
  if (elevation_) return elevation_;
  if (!systemElevation_) systemElevation_ = MakeSystemElevation(hwnd_, OwnExecutablePath());
  return systemElevation_.get();
}

SaveChoice MainWindow::ShowSaveOptions(const SaveChoice& preset) {
  saveOptions_.Choice = preset;
  saveOptions_.ShowModal(hwnd_);
  return saveOptions_.Choice;
}

std::optional<std::string> MainWindow::ShowSaveDialog(const FileDialogOptions& options) {
  return vantrel::ShowSaveDialog(hwnd_, options);
}

// ---- the other options and the Window menu

void MainWindow::CountUnmodifiedHosts() {
  SetText(kText6, CountHostFileText(doc_.LoadedEntryCount));
}

void MainWindow::OpenInNotepad() {
  if (StartProcess(nullptr, NotepadCommandLine(doc_.HostsPath))) return;
  Tell("Open Unmodified Host File with Notepad",
       "Notepad could not be started to open " + doc_.HostsPath + ".", Icon::Exclamation);
}

void MainWindow::SetTransparency(int menuId) {
  if (translucency_) translucency_->Alpha(TransparencyAlpha((menuId - kMnuNone) * 10));
  for (int id = kMnuNone; id <= kMnuNinety; ++id) menu_.Check(id, id == menuId);
}

void MainWindow::ToggleAlwaysOnTop() {
  const bool onTop = onTopState_ == 0;
  SetTopmost(hwnd_, onTop);
  menu_.Check(kMnuOnTop, onTop);
  onTopState_ = onTop ? -1 : 0;
}

// ---- Find

void MainWindow::FindBoxGotFocus() {
  findTextColor_ = RGB(0, 0, 0);
  // Back from a message box or another program, the query is still there.
  if (findShowsPlaceholder_) SetText(kComboFind, "");
  findShowsPlaceholder_ = false;
  SetDefaultButton(0);
}

void MainWindow::FindBoxLostFocus() {
  // Only the user moving to another control leaves the box: the program's
  // own message box or another program taking the activation does not.
  HWND to = findFocusTo_;
  HWND combo = controls_[kComboFind];
  if (!to || to == combo || IsChild(combo, to)) return;
  if (to != hwnd_ && !IsChild(hwnd_, to)) return;
  findShowsPlaceholder_ = true;
  SetText(kComboFind, kFindPlaceholder);
  SetDefaultButton(kCmdRemDup);
  findTextColor_ = GetSysColor(COLOR_GRAYTEXT);
  InvalidateRect(controls_[kComboFind], nullptr, TRUE);
}

void MainWindow::FindBoxKeyPress(int keyCode) {
  const int32_t position = find_.FindPosition;
  const bool ranOut = RanOutOfMemory([&] {
    std::string text = WindowText(controls_[kComboFind]);
    const std::string before = text;
    FindKeyPress(doc_, find_, text, keyCode, *this);
    // New queries go into the drop-down list too.
    HWND combo = controls_[kComboFind];
    for (; historyShown_ < find_.History.size(); ++historyShown_) {
      SendMessageA(combo, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(find_.History[historyShown_].c_str()));
    }
    if (text != before) SetText(kComboFind, text);
  });
  if (ranOut) {
    TellOutOfMemory("Find", "There is not enough memory to search the list.");
  } else if (find_.FindPosition > position) {
    DrawLists();  // a hit: the selection moved
  }
}

LRESULT CALLBACK MainWindow::FindEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<MainWindow*>(data);
  try {
    // Enter belongs to the search box, not to a default button.
    if (msg == WM_GETDLGCODE && lParam) {
      const MSG* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
    }
    if (msg == WM_CHAR) self->FindBoxKeyPress(static_cast<int>(wParam));
    // Where the focus goes, for the combo box's CBN_KILLFOCUS that follows.
    if (msg == WM_KILLFOCUS) self->findFocusTo_ = reinterpret_cast<HWND>(wParam);
  } catch (...) {
    // Never unwind through the edit control.
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &MainWindow::FindEditProc, 1);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace vantrel
