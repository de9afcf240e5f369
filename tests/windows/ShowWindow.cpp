// Shows one of the program's windows so that pictures of it can be taken:
//   show-window help|help-topic|about|save   over a stand-in main window
//   show-window main FILE                    the main window with FILE opened
#include <windows.h>

#include <cstring>
#include <string>

#include "shell/MainWindow.h"
#include "shell/ProcessStart.h"
#include "support/ScriptedModal.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/SaveOptionsWindow.h"

namespace {

vantrel::HelpWindow* help = nullptr;

// Picks "3. Where is the Host File located?" as a click on it would.
void CALLBACK PickTopic(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND list = help->Control(vantrel::HelpWindow::List1);
  SendMessageA(list, LB_SETCURSEL, 4, 0);
  SendMessageA(help->Handle(), WM_COMMAND, MAKEWPARAM(vantrel::HelpWindow::List1, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

}  // namespace

// The main window with a file opened through a scripted open dialog.
int ShowMain(HINSTANCE instance, const std::string& path) {
  vantrel::test::ScriptedModal script;
  vantrel::ScopedModal scoped(script);
  vantrel::HostsDocument document;
  vantrel::MainWindow window(document);
  if (!window.Create(instance)) return 1;
  window.Startup();
  script.AnswerFile(path);
  SendMessageA(window.Handle(), WM_COMMAND, vantrel::kMnuOpen, 0);
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // As the program starts: the pictures show what it shows at any DPI.
  vantrel::PrepareProcess(vantrel::SystemProcessSetupCalls());
  if (std::strncmp(commandLine, "main ", 5) == 0) return ShowMain(instance, commandLine + 5);
  const int width = 700;
  const int height = 560;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2 - 150;
  HWND main = CreateWindowExA(0, "STATIC", "Vantrel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, x, y,
                              width, height, nullptr, nullptr, instance, nullptr);
  ShowWindow(main, SW_SHOWNA);
  if (std::strstr(commandLine, "about")) {
    vantrel::AboutWindow about;
    about.ShowModal(main);
  } else if (std::strstr(commandLine, "save")) {
    vantrel::SaveOptionsWindow options;
    options.Choice = {vantrel::SaveOption::LocalHost, true};
    options.ShowModal(main);
  } else {
    vantrel::HelpWindow window;
    help = &window;
    if (std::strstr(commandLine, "topic")) SetTimer(nullptr, 0, 500, &PickTopic);
    window.ShowModal(main);
  }
  DestroyWindow(main);
  return 0;
}
