// Open: the file dialog, the window's loaded state, the stages of reading,
// and the load job that fills the lists; and the way back to no document.
#include <string>
#include <vector>

#include "core/HostsReader.h"
#include "core/LoadJob.h"
#include "core/OutOfMemory.h"
#include "platform/CommonDialogs.h"
#include "save/SaveAs.h"
#include "shell/MainWindow.h"

namespace vantrel {

namespace {

// The folder text keeps its "%systemroot%" unexpanded; the dialog needs a
// real folder.
std::string ExpandFolder(const std::string& folder) {
  std::vector<char> expanded(MAX_PATH * 4);
  const DWORD n = ExpandEnvironmentStringsA(folder.c_str(), expanded.data(),
                                            static_cast<DWORD>(expanded.size()));
  if (n == 0 || n > expanded.size()) return folder;
  return expanded.data();
}

}  // namespace

void MainWindow::cmdOpen_Click() {
  // After a save that failed, the changed document stays rather than being
  // replaced.
  bool goOn = false;
  if (RanOutOfMemory([&] { goOn = PromptBeforeOpen(doc_, *this, Files()); })) {
    TellOutOfMemory("Save Failed", kNoMemoryToSave);
    return;
  }
  if (goOn) OpenOperation();
}

bool MainWindow::ChooseFileToOpen(std::string& path) {
  FileDialogOptions options;
  options.title = "Open Host File";
  options.initialFolder = ExpandFolder(HostsFolder);
  options.fileName = "Hosts";
  const std::optional<std::string> chosen = ShowOpenDialog(hwnd_, options);
  if (!chosen) return false;
  path = *chosen;
  return true;
}

// The loaded state, shown once the new document is in place: the load job
// has already shown its elapsed time in Label7.
void MainWindow::ShowLoadedState(const std::string& labelIP) {
  Enable(kCmdRemDup, true);
  menu_.Enable(kMnuRemDup, true);
  SetDefaultButton(kCmdRemDup);
  SetFocus(controls_[kCmdRemDup]);
  for (int id :
       {kCmdNotepad, kCmdCountHost, kCmdSaveAs, kCmdAdd, kCmdChange, kCmdDelete, kComboFind}) {
    Enable(id, true);
  }
  for (int id : {kMnuSaveAs, kMnuAdd, kMnuChange, kMnuDelete, kMnuClose}) menu_.Enable(id, true);
  SetText(kLabel6, doc_.HostsPath);
  for (int id : {kText1, kText2, kText3, kText6}) SetText(id, "");
  ShowWindow(controls_[kLine5], SW_SHOW);
  SetUndo("Undo", false);
  SetText(kLabelIP, labelIP);
  Enable(kList1, true);
  // After a load the comments are shown for reading only, greyed.
  Enable(kListComments, false);
  EntriesChanged();
}

void MainWindow::OpenOperation() {
  std::string path;
  if (RanOutOfMemory([&] {
        if (ChooseFileToOpen(path)) LoadFile(path);
      })) {
    if (path.empty()) {
      TellOutOfMemory("Open Host File", "There is not enough memory to open a file.");
    } else {
      TellOutOfMemory("Open Host File", "There is not enough memory to open", path);
    }
  }
}

void MainWindow::LoadFile(const std::string& path) {
  HostsReader reader;
  std::string reason;
  if (!reader.Open(path, reason)) {
    FailOpen(path, reason);
    return;
  }
  // The file is read into a document of its own: the one shown stays as it
  // was until the new one is complete, so running out of memory on the way
  // leaves it in place.
  HostsDocument loaded;
  loaded.HostsPath = path;
  reader.CountingPass(loaded);
  if (IsEmptyHostsFile(loaded)) {
    SetText(kLabel7, "");
    clock_.Start(GetTickCount());
    ResetToNoDocument();
    ShowElapsed(clock_);
    Tell("Host File Empty", "No entries found in Host file.", Icon::Information);
    return;
  }

  SetBusy(true);
  reader.Allocate(loaded);
  if (loaded.CommentCount == 0) loaded.List_Comments.assign(1, kNoCommentsFound);
  reader.LoadPass(loaded);
  const std::string labelIP = HostsReader::RedirectAddressCaption(loaded);
  reader.HostParts(loaded);

  loading_ = &loaded;
  doc_.WaitJob = kJobLoadLists;
  try {
    ShowWaitWindow();
  } catch (...) {
    loading_ = nullptr;
    throw;
  }
  loading_ = nullptr;
  AdoptLoaded(doc_, loaded);
  ShowLoadedState(labelIP);
}

void MainWindow::FailOpen(const std::string& path, const std::string& reason) {
  SetBusy(false);
  ResetToNoDocument();
  Tell("Open Host File", "The file could not be opened:\r\n" + path + "\r\n\r\n" + reason,
       Icon::Critical);
}

void MainWindow::ResetToNoDocument() {
  for (int id : {kCmdRemDup, kCmdNotepad, kCmdCountHost, kCmdSaveAs}) Enable(id, false);
  for (int id : {kMnuRemDup, kMnuSaveAs}) menu_.Enable(id, false);
  doc_.List1.Clear();
  doc_.List_Comments.clear();
  EntriesChanged();
  Enable(kList1, false);
  Enable(kListComments, false);
  menu_.Enable(kMnuChange, false);
  for (int id : {kText1, kText2, kText3, kText6}) SetText(id, "");
  doc_.LineCount = 0;
  doc_.HostsPath.clear();
  SetText(kLabel6, "none");
  SetText(kLabelIP, "");
  for (int id : {kMnuAdd, kMnuChange, kMnuDelete}) menu_.Enable(id, false);
  for (int id : {kCmdAdd, kCmdChange, kCmdDelete, kComboFind}) Enable(id, false);
  SetDefaultButton(0);
  SetUndo("Undo", false);
  ShowWindow(controls_[kLine5], SW_HIDE);
  doc_.ChangeCount = 0;
  SetDefaultButton(kCmdOpen);
  SetFocus(controls_[kCmdOpen]);
  menu_.Enable(kMnuClose, false);
}

}  // namespace vantrel
