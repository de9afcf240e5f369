// The main window's commands and the routing of its events to them.
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

void AskAndRemoveDuplicates(HostsDocument& doc, DocumentUi& ui) {
  if (!ui.AskYesNo(kRemoveDuplicatesCaption, kRemoveDuplicatesQuestion)) return;
  ui.RunInWaitWindow([&] { RemoveDuplicatesJob(doc, ui); });
}

}  // namespace

std::span<const MainWindow::Command> MainWindow::Commands() {
  static constexpr Command kCommands[] = {
      {kCmdOpen, kMnuOpen, Needs::Nothing, &MainWindow::OpenFile, nullptr, nullptr},
      {kCmdSaveAs, kMnuSaveAs, Needs::Document, &MainWindow::SaveFileAs, "Save Failed",
       kNoMemoryToSave},
      {kNoControl, kMnuClose, Needs::Document, &MainWindow::CloseFile, "Save Failed",
       kNoMemoryToSave},
      {kNoControl, kMnuExit, Needs::Nothing, &MainWindow::ExitFromMenu, nullptr, nullptr},
      {kNoControl, kMnuUndo, Needs::UndoStep, &MainWindow::RunEdit<UndoLastAction>, "Undo",
       "There is not enough memory to undo the last change."},
      {kCmdAdd, kMnuAdd, Needs::Document, &MainWindow::RunEdit<AddEntry>, "Add New Host Entry",
       "There is not enough memory to add the entry."},
      {kCmdChange, kMnuChange, Needs::Document, &MainWindow::RunEdit<ChangeEntry>,
       "Change Host Entry", "There is not enough memory to change the entry."},
      {kCmdDelete, kMnuDelete, Needs::Document, &MainWindow::RunEdit<DeleteEntry>,
       "Delete Host Entry", "There is not enough memory to delete the entry."},
      {kCmdRemDup, kMnuRemDup, Needs::Document, &MainWindow::RunEdit<AskAndRemoveDuplicates>,
       kRemoveDuplicatesCaption, "There is not enough memory to remove the duplicates."},
      {kCmdCountHost, kNoControl, Needs::Document, &MainWindow::CountUnmodifiedHosts, nullptr,
       nullptr},
      {kCmdNotepad, kNoControl, Needs::Document, &MainWindow::OpenInNotepad, nullptr, nullptr},
      {kNoControl, kMnuOnTop, Needs::Nothing, &MainWindow::ToggleAlwaysOnTop, nullptr, nullptr},
      {kNoControl, kMnuContents, Needs::Nothing, &MainWindow::ShowHelpContents, nullptr, nullptr},
      {kNoControl, kMnuAbout, Needs::Nothing, &MainWindow::ShowAbout, nullptr, nullptr},
  };
  return kCommands;
}

void MainWindow::EnableCommand(const Command& command, bool enabled) {
  if (command.button != kNoControl) Enable(command.button, enabled);
  if (command.menu != kNoControl) menu_.Enable(command.menu, enabled);
}

FileSystem& MainWindow::Files() { return fs_ ? *fs_ : NativeFileSystem(); }

void MainWindow::OnCommand(int id, int code) {
  if (id == kList1 && code == LBN_DBLCLK) id = kCmdChange;
  // Each button and its menu item run the very same command.
  for (const Command& command : Commands()) {
    if (id != command.button && id != command.menu) continue;
    if (!command.noMemoryText) return (this->*command.run)();
    return RunCommand(command.caption, command.noMemoryText, [&] { (this->*command.run)(); });
  }
  if (id == kList1 && code == LBN_SELCHANGE) {
    doc_.List1.Select(static_cast<int32_t>(SendMessageA(controls_[kList1], LB_GETCURSEL, 0, 0)));
  } else if (id == kComboFind) {
    findBox_.OnNotify(code);
  } else if (id >= kMnuNone && id <= kMnuNinety) {
    SetTransparency(id);
  }
}

// ---- saving, closing and leaving

void MainWindow::SaveFileAs() { SaveAs(doc_, *this, Files()); }

void MainWindow::CloseFile() {
  if (CloseDocument(doc_, *this, Files())) ShowNoDocument();
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
  if (ended_ || sessionEnd_.Asking()) return;
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
  if (translucency_) translucency_->SetAlpha(TransparencyAlpha((menuId - kMnuNone) * 10));
  for (int id = kMnuNone; id <= kMnuNinety; ++id) menu_.Check(id, id == menuId);
}

void MainWindow::ToggleAlwaysOnTop() {
  onTop_ = !onTop_;
  SetTopmost(hwnd_, onTop_);
  menu_.Check(kMnuOnTop, onTop_);
}

// ---- Find

void MainWindow::FindBoxKeyPress(FindKey key) {
  const int32_t position = findBox_.State().FindPosition;
  if (RanOutOfMemory([&] { findBox_.Search(doc_, *this, key); })) {
    TellOutOfMemory("Find", "There is not enough memory to search the list.");
  } else if (findBox_.State().FindPosition > position) {
    DrawLists();  // a hit: the selection moved
  }
}

}  // namespace vantrel
