// Open: the file dialog, the open sequence and the window's loaded state;
// the way back to no document; and the commands' states, both ways.
#include <string>

#include "core/ElapsedTime.h"
#include "core/OpenFile.h"
#include "core/OutOfMemory.h"
#include "platform/CommonDialogs.h"
#include "save/SaveAs.h"
#include "shell/MainWindow.h"

namespace vantrel {

namespace {

// The folder text keeps its "%systemroot%" unexpanded; the dialog needs a
// real folder.
std::string ExpandFolder(const std::string& folder) {
  char expanded[MAX_PATH * 4];
  const DWORD n = ExpandEnvironmentStringsA(folder.c_str(), expanded, sizeof(expanded));
  if (n == 0 || n > sizeof(expanded)) return folder;
  return expanded;
}

}  // namespace

void MainWindow::OpenFile() {
  // A failed save keeps the changed document rather than replacing it.
  bool goOn = false;
  if (RanOutOfMemory([&] { goOn = PromptBeforeOpen(doc_, *this, Files()); })) {
    TellOutOfMemory("Save Failed", kNoMemoryToSave);
    return;
  }
  if (!goOn) return;
  std::string path;
  if (!RanOutOfMemory([&] {
        FileDialogOptions options;
        options.title = "Open Host File";
        options.initialFolder = ExpandFolder(hostsFolder_);
        options.fileName = "Hosts";
        path = ShowOpenDialog(hwnd_, options).value_or("");
        if (!path.empty()) LoadFile(path);
      })) {
    return;
  }
  TellOutOfMemory("Open Host File",
                  path.empty() ? "There is not enough memory to open a file."
                               : "There is not enough memory to open",
                  path);
}

void MainWindow::LoadFile(const std::string& path) {
  // Read into a document of its own: the one shown stays until the new one
  // is complete, so running out of memory on the way leaves it in place.
  HostsDocument loaded;
  const ReadResult result = OpenHostsFile(path, loaded, *this, [this] { jobs_.SetBusy(true); });
  jobs_.SetBusy(false);
  if (result.outcome == ReadOutcome::TooLarge) {
    // Refused before anything was read: the list shown stays.
    Tell("Open Host File", "The file is too large to open:\r\n" + path + "\r\n\r\n" + result.reason,
         Icon::Critical);
    return;
  }
  if (result.outcome == ReadOutcome::Unreadable) {
    doc_.Close();
    ShowNoDocument();
    Tell("Open Host File", "The file could not be opened:\r\n" + path + "\r\n\r\n" + result.reason,
         Icon::Critical);
    return;
  }
  if (result.outcome == ReadOutcome::Empty) {
    const JobClock clock;
    doc_.Close();
    doc_.ElapsedTime = clock.Elapsed();
    ShowNoDocument();
    Tell("Host File Empty", "No entries found in Host file.", Icon::Information);
    return;
  }
  AdoptLoaded(doc_, loaded);
  ShowDocumentState(doc_.HostsPath, kCmdRemDup);
}

void MainWindow::ShowDocumentState(const std::string& label6, int defaultButton) {
  DrawDocument();
  for (int id : {kText1, kText2, kText3, kText6}) SetText(id, "");
  countsShown_ = {};
  SetText(kLabel6, label6);
  SetDefaultButton(defaultButton);
  SetFocus(controls_[defaultButton]);
}

void MainWindow::ApplyCommandStates() {
  // Takes no memory: it runs after operations that may no longer fail.
  // The document's commands only while a file is loaded.
  const bool loaded = doc_.LineCount != 0;
  for (const Command& command : Commands()) {
    if (command.needs == Needs::Document) EnableCommand(command, loaded);
  }
  Enable(kComboFind, loaded);
  Enable(kList1, loaded);
  // The comments are shown for reading only, greyed.
  Enable(kListComments, false);
  ShowWindow(controls_[kLine5], loaded ? SW_SHOW : SW_HIDE);
}

}  // namespace vantrel
