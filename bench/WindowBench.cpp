// Times the real main window on a large hosts file, in this process, as a
// user would run it: Open (the dialog answered with FILE), Remove Duplicates
// (answered Yes), its Undo, and Save As (Save Options confirmed with its Save
// button, the save dialog answered with OUT). Prints, for each command, the
// wall time until the command returned and what Label7 showed.
//
// Usage: window-bench FILE OUT
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "shell/MainLayout.h"
#include "shell/MainWindow.h"
#include "support/ScriptedModal.h"
#include "support/WindowTesting.h"
#include "windows/SaveOptionsWindow.h"

namespace {

using vantrel::test::TextOf;

// Presses Save in the Save Options dialog once it is shown; the dialog is
// modal, so this runs from a timer inside its message loop.
void CALLBACK ConfirmSaveOptions(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = vantrel::test::WaitForWindow({vantrel::SaveOptionsWindow::kClassName});
  if (!dialog) return;
  KillTimer(nullptr, timer);
  HWND save = GetDlgItem(dialog, vantrel::SaveOptionsWindow::Command1);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(vantrel::SaveOptionsWindow::Command1, BN_CLICKED),
               reinterpret_cast<LPARAM>(save));
}

double Run(HWND main, int command) {
  const auto start = std::chrono::steady_clock::now();
  SendMessageA(main, WM_COMMAND, command, 0);
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double>(end - start).count();
}

void Report(const char* what, double seconds, HWND main) {
  std::printf("%-20s %7.3f s   Label7 \"%s\"   List1 %d items\n", what, seconds,
              TextOf(GetDlgItem(main, vantrel::kLabel7)).c_str(),
              static_cast<int>(SendMessageA(GetDlgItem(main, vantrel::kList1), LB_GETCOUNT, 0, 0)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: window-bench FILE OUT\n");
    return 2;
  }
  vantrel::test::ScriptedModal script;
  vantrel::ScopedModal scoped(script);
  vantrel::HostsDocument document;
  vantrel::MainWindow window(document);
  if (!window.Create(GetModuleHandleA(nullptr))) {
    std::fprintf(stderr, "the main window could not be created\n");
    return 1;
  }
  window.Startup();
  vantrel::test::Pump();
  HWND main = window.Handle();
  DeleteFileA(argv[2]);

  script.AnswerFile(argv[1]);
  Report("Open", Run(main, vantrel::kMnuOpen), main);
  vantrel::test::Pump();

  script.AnswerMessage(IDYES);
  Report("Remove Duplicates", Run(main, vantrel::kMnuRemDup), main);
  std::printf("%-20s Text1 %s, Text2 %s, Text3 %s\n", "",
              TextOf(GetDlgItem(main, vantrel::kText1)).c_str(),
              TextOf(GetDlgItem(main, vantrel::kText2)).c_str(),
              TextOf(GetDlgItem(main, vantrel::kText3)).c_str());
  vantrel::test::Pump();

  Report("Undo", Run(main, vantrel::kMnuUndo), main);
  vantrel::test::Pump();

  script.AnswerFile(argv[2]);
  SetTimer(nullptr, 0, 1, ConfirmSaveOptions);
  Report("Save As", Run(main, vantrel::kMnuSaveAs), main);

  WIN32_FILE_ATTRIBUTE_DATA saved{};
  if (!GetFileAttributesExA(argv[2], GetFileExInfoStandard, &saved)) {
    std::fprintf(stderr, "nothing was saved to %s\n", argv[2]);
    return 1;
  }
  std::printf("%-20s %lu bytes written\n", "", static_cast<unsigned long>(saved.nFileSizeLow));
  if (!script.AllAnswered()) {
    std::fprintf(stderr, "a question went unanswered\n");
    return 1;
  }
  DestroyWindow(main);
  return 0;
}
