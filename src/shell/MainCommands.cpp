// Routing of the main window's events to their operations, and the
// operations that are the main window's own: each button and its menu item
// run the very same one.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/Dedup.h"
#include "core/Editing.h"
#include "core/FileTools.h"
#include "core/OutOfMemory.h"
#include "platform/CommonDialogs.h"
#include "save/FileSystem.h"
#include "save/SaveAs.h"
#include "shell/MainWindow.h"

namespace vantrel {

namespace {

constexpr const char* kFindPlaceholder = "type query here";

struct TransparencyItem {
  int id;
  int percent;
};

constexpr TransparencyItem kTransparency[] = {
    {kMnuNone, 0},   {kMnuTen, 10},   {kMnuTwenty, 20},  {kMnuThirty, 30}, {kMnuForty, 40},
    {kMnuFifty, 50}, {kMnuSixty, 60}, {kMnuSeventy, 70}, {kMnuEighty, 80}, {kMnuNinety, 90},
};

}  // namespace

FileSystem& MainWindow::Files() { return fs_ ? *fs_ : NativeFileSystem(); }

void MainWindow::OnCommand(int id, int code) {
  switch (id) {
    case kCmdOpen:
    case kMnuOpen:
      cmdOpen_Click();
      return;
    case kMnuClose:
      mnuClose_Click();
      return;
    case kCmdSaveAs:
    case kMnuSaveAs:
      cmdSaveAs_Click();
      return;
    case kMnuExit:
      mnuExit_Click();
      return;
    case kMnuUndo:
      mnuUndo_Click();
      return;
    case kCmdAdd:
    case kMnuAdd:
      cmdAdd_Click();
      return;
    case kCmdChange:
    case kMnuChange:
      cmdChange_Click();
      return;
    case kCmdDelete:
    case kMnuDelete:
      cmdDelete_Click();
      return;
    case kCmdRemDup:
    case kMnuRemDup:
      cmdRemDup_Click();
      return;
    case kCmdCountHost:
      cmdCountHost_Click();
      return;
    case kCmdNotepad:
      cmdNotepad_Click();
      return;
    case kMnuOnTop:
      mnuOnTop_Click();
      return;
    case kMnuContents:
      mnuContents_Click();
      return;
    case kMnuAbout:
      mnuAbout_Click();
      return;
    case kList1:
      if (code == LBN_SELCHANGE) {
        doc_.List1.Select(
            static_cast<int32_t>(SendMessageA(controls_[kList1], LB_GETCURSEL, 0, 0)));
      } else if (code == LBN_DBLCLK) {
        cmdChange_Click();
      }
      return;
    case kComboFind:
      if (code == CBN_SETFOCUS) ComboFind_GotFocus();
      if (code == CBN_KILLFOCUS) ComboFind_LostFocus();
      return;
    default:
      for (const TransparencyItem& item : kTransparency) {
        if (item.id == id) SetTransparency(id);
      }
      return;
  }
}

// ---- the document's commands

// Each command that can run out of memory says so and leaves the document
// as it was (its operation sees to that).

void MainWindow::cmdSaveAs_Click() {
  RunCommand("Save Failed", kNoMemoryToSave, [&] { SaveAs(doc_, *this, Files()); });
}

void MainWindow::mnuClose_Click() {
  doc_.ExitPending = 0;
  RunCommand("Save Failed", kNoMemoryToSave, [&] { CloseDocument(doc_, *this, Files()); });
}

void MainWindow::mnuExit_Click() {
  if (RanOutOfMemory([&] { ExitProgram(doc_, *this, Files()); })) {
    // The save on the way out failed: the program stays open.
    doc_.ExitPending = 0;
    TellOutOfMemory("Save Failed", kNoMemoryToSave);
  }
}

void MainWindow::Form_Unload() {
  if (ended_) return;
  // A save that failed on the way out keeps the program open with the
  // document, so the changes are not lost.
  bool leave = false;
  if (RanOutOfMemory([&] { leave = PromptBeforeExit(doc_, *this, Files()); })) {
    doc_.ExitPending = 0;
    TellOutOfMemory("Save Failed", kNoMemoryToSave);
    return;
  }
  if (!leave || ended_) return;
  ended_ = true;
  DestroyWindow(hwnd_);
}

void MainWindow::cmdRemDup_Click() {
  RunCommand(kRemoveDuplicatesCaption, "There is not enough memory to remove the duplicates.", [&] {
    if (!AskYesNo(kRemoveDuplicatesCaption, kRemoveDuplicatesQuestion)) return;
    RunInWaitWindow([&] { RemoveDuplicatesJob(doc_, *this); });
  });
}

void MainWindow::cmdAdd_Click() {
  RunCommand("Add New Host Entry", "There is not enough memory to add the entry.",
             [&] { AddEntry(doc_, *this); });
}

void MainWindow::cmdChange_Click() {
  RunCommand("Change Host Entry", "There is not enough memory to change the entry.",
             [&] { ChangeEntry(doc_, *this); });
}

void MainWindow::cmdDelete_Click() {
  RunCommand("Delete Host Entry", "There is not enough memory to delete the entry.",
             [&] { DeleteEntry(doc_, *this); });
}

void MainWindow::mnuUndo_Click() {
  RunCommand("Undo", "There is not enough memory to undo the last change.",
             [&] { UndoLastAction(doc_, *this); });
}

void MainWindow::cmdCountHost_Click() { SetText(kText6, CountHostFileText(doc_.LoadedEntryCount)); }

void MainWindow::cmdNotepad_Click() {
  std::string command = NotepadCommandLine(doc_.HostsPath);
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    Tell("Open Unmodified Host File with Notepad",
         "Notepad could not be started to open " + doc_.HostsPath + ".", Icon::Exclamation);
    return;
  }
  // The program keeps no link to Notepad.
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

// ---- Find

void MainWindow::ComboFind_GotFocus() {
  findTextColor_ = RGB(0, 0, 0);
  // Back from a message box or another program, the query is still there.
  if (findShowsPlaceholder_) SetText(kComboFind, "");
  findShowsPlaceholder_ = false;
  SetDefaultButton(0);
}

bool MainWindow::FindFocusMovesWithin() const {
  HWND to = findFocusTo_;
  HWND combo = controls_[kComboFind];
  if (!to || to == combo || IsChild(combo, to)) return false;
  return to == hwnd_ || IsChild(hwnd_, to);
}

void MainWindow::ComboFind_LostFocus() {
  // Only the user moving to another control leaves the box: the program's
  // own message box or another program taking the activation does not.
  if (!FindFocusMovesWithin()) return;
  findShowsPlaceholder_ = true;
  SetText(kComboFind, kFindPlaceholder);
  SetDefaultButton(kCmdRemDup);
  findTextColor_ = GetSysColor(COLOR_GRAYTEXT);
  InvalidateRect(controls_[kComboFind], nullptr, TRUE);
}

void MainWindow::ComboFind_KeyPress(int keyCode) {
  RunCommand("Find", "There is not enough memory to search the list.", [&] {
    std::string text = WindowText(controls_[kComboFind]);
    const std::string before = text;
    FindKeyPress(doc_, find_, text, keyCode, *this);
    SyncFindHistory();
    if (text != before) SetText(kComboFind, text);
  });
}

void MainWindow::SyncFindHistory() {
  HWND combo = controls_[kComboFind];
  for (; historyShown_ < find_.History.size(); ++historyShown_) {
    SendMessageA(combo, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(find_.History[historyShown_].c_str()));
  }
}

void MainWindow::SubclassFindBox() {
  HWND edit = FindWindowExA(controls_[kComboFind], nullptr, "Edit", nullptr);
  if (edit)
    SetWindowSubclass(edit, &MainWindow::FindEditProc, 1, reinterpret_cast<DWORD_PTR>(this));
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
    if (msg == WM_CHAR) self->ComboFind_KeyPress(static_cast<int>(wParam));
    // Where the focus goes, for the combo box's CBN_KILLFOCUS that follows.
    if (msg == WM_KILLFOCUS) self->findFocusTo_ = reinterpret_cast<HWND>(wParam);
  } catch (...) {
    // Never unwind through the edit control.
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &MainWindow::FindEditProc, 1);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// ---- the Window and Help menus

void MainWindow::SetTransparency(int menuId) {
  for (const TransparencyItem& item : kTransparency) {
    if (item.id == menuId && translucency_) translucency_->Alpha(TransparencyAlpha(item.percent));
  }
  for (const TransparencyItem& item : kTransparency) menu_.Check(item.id, item.id == menuId);
}

void MainWindow::mnuOnTop_Click() {
  if (OnTopState != 0) {
    SetTopmost(hwnd_, false);
    menu_.Check(kMnuOnTop, false);
    OnTopState = 0;
  } else {
    SetTopmost(hwnd_, true);
    menu_.Check(kMnuOnTop, true);
    OnTopState = -1;
  }
}

void MainWindow::mnuContents_Click() { help_.ShowModal(hwnd_); }
void MainWindow::mnuAbout_Click() { about_.ShowModal(hwnd_); }

// ---- what saving shows and asks

SaveChoice MainWindow::ShowSaveOptions(const SaveChoice& preset) {
  saveOptions_.Choice = preset;
  saveOptions_.ShowModal(hwnd_);
  return saveOptions_.Choice;
}

std::optional<std::string> MainWindow::ShowSaveDialog(const SaveDialogRequest& request) {
  FileDialogOptions options;
  options.title = request.title;
  options.initialFolder = request.initialFolder;
  options.filterName = request.filterName;
  options.filterPattern = request.filterPattern;
  options.saveFlags = request.flags;
  return vantrel::ShowSaveDialog(hwnd_, options);
}

void MainWindow::EndProgram() {
  // Cancelled while the session asks whether it may end: the program ends
  // with the session, and stays with its document should the end be called off.
  if (ended_ || inSessionQuery_) return;
  ended_ = true;
  ShowWindow(hwnd_, SW_HIDE);
  PostQuitMessage(0);
}

}  // namespace vantrel
