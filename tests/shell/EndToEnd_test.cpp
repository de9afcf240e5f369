// The real program with its real open dialog, driven from outside as a
// person would: start it, choose Open, type the path, press Open, and read
// the loaded window back.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "shell/MainLayout.h"
#include "shell/ProcessStart.h"
#include "support/WindowTesting.h"
#include "windows/SaveOptionsWindow.h"

namespace vantrel::test {
namespace {

std::string ProgramPath() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  path.resize(path.find_last_of('\\') + 1);
  return path + "vantrel.exe";
}

// Without its manifest the program writes it and starts itself once more;
// these tests follow the one process they start.
void EnsureManifest() {
  const std::string path = ProgramPath() + ".manifest";
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  std::ofstream(path, std::ios::binary) << ManifestFileText();
}

class Program {
 public:
  Program() {
    EnsureManifest();
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    std::string command = "\"" + ProgramPath() + "\"";
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &si, &pi_) != FALSE;
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) {
      TerminateProcess(pi_.hProcess, 1);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  bool Started() const { return started_; }
  DWORD Id() const { return pi_.dwProcessId; }
  // True when the process ended within ms milliseconds.
  bool EndsWithin(DWORD ms) const { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }

 private:
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

TEST(EndToEnd, OpenThroughTheRealDialogLoadsTheFile) {
  TempFolder folder;
  const std::string path =
      folder.Write("block list.txt", "# ads\r\n0.0.0.0 Ads.Example\r\n0.0.0.0 track.example\r\n");
  Program program;
  ASSERT_TRUE(program.Started()) << ProgramPath();
  HWND main = WaitForWindow({"VantrelMainWindow", "Vantrel", program.Id()}, 10000);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(main, kLabel6)), "none");

  PostMessageA(main, WM_COMMAND, kMnuOpen, 0);
  HWND dialog = WaitForWindow({"#32770", "Open Host File", program.Id()}, 10000);
  ASSERT_NE(dialog, nullptr);
  HWND edit = FileNameField(dialog);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));

  std::string label;
  for (int i = 0; i < 200 && label != path; ++i) {
    Sleep(50);
    label = TextOf(GetDlgItem(main, kLabel6));
  }
  EXPECT_EQ(label, path);
  HWND list = GetDlgItem(main, kList1);
  for (int i = 0; i < 100 && SendMessageA(list, LB_GETCOUNT, 0, 0) != 2; ++i) Sleep(50);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(GetDlgItem(main, kListComments), LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(TextOf(GetDlgItem(main, kLabelIP)), "Host File currently not using LocalHost (0)");

  PostMessageA(main, WM_CLOSE, 0, 0);
}

// Types path into the real file dialog of that title and presses its
// default button.
void AnswerFileDialog(DWORD pid, const char* title, const std::string& path) {
  HWND dialog = WaitForWindow({"#32770", title, pid}, 10000);
  ASSERT_NE(dialog, nullptr) << title;
  HWND edit = FileNameField(dialog);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

TEST(EndToEnd, SaveAsThroughTheRealDialogsWritesTheFile) {
  TempFolder folder;
  const std::string path = folder.Write("hosts", "#hdr\r\n127.0.0.1 beta\r\n127.0.0.1\tAlpha\r\n");
  const std::string out = folder.Path() + "\\saved hosts";
  Program program;
  ASSERT_TRUE(program.Started());
  HWND main = WaitForWindow({"VantrelMainWindow", "Vantrel", program.Id()}, 10000);
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, kMnuOpen, 0);
  AnswerFileDialog(program.Id(), "Open Host File", path);
  HWND list = GetDlgItem(main, kList1);
  for (int i = 0; i < 100 && SendMessageA(list, LB_GETCOUNT, 0, 0) != 2; ++i) Sleep(50);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);

  PostMessageA(main, WM_COMMAND, kMnuSaveAs, 0);
  HWND options = WaitForWindow({"VantrelSaveOptions", "Save Options ", program.Id()}, 10000);
  ASSERT_NE(options, nullptr);
  SendMessageA(GetDlgItem(options, SaveOptionsWindow::Option2), BM_CLICK, 0, 0);
  PostMessageA(GetDlgItem(options, SaveOptionsWindow::Command1), BM_CLICK, 0, 0);
  AnswerFileDialog(program.Id(), "Save Host File Save Host File Without LocalHost (0) As...", out);

  std::string written;
  for (int i = 0; i < 200 && written.empty(); ++i) {
    Sleep(50);
    written = ReadFileBytes(out);
  }
  EXPECT_EQ(written, "\r\n#hdr\r\n0 beta\r\n0 alpha\r\n");
  // Saved: closing asks nothing and ends the program.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.EndsWithin(10000));
}

// Waits up to ten seconds for ready() to hold.
template <class Ready>
bool Eventually(Ready ready) {
  for (int i = 0; i < 200; ++i) {
    if (ready()) return true;
    Sleep(50);
  }
  return ready();
}

// A key pressed and released over window, through the program's own
// message loop, which makes the characters.
void PressKey(HWND window, UINT key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(window, WM_KEYDOWN, key, scan | 1);
  PostMessageA(window, WM_KEYUP, key, scan | 1 | (3 << 30));
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

TEST(EndToEnd, FindKeepsItsQueryAfterItsMessageBox) {
  TempFolder folder;
  const std::string path =
      folder.Write("hosts", "1 ads.one\r\n1 news\r\n1 more-ads.two\r\n1 plain\r\n1 zads\r\n");
  Program program;
  ASSERT_TRUE(program.Started());
  HWND main = WaitForWindow({"VantrelMainWindow", "Vantrel", program.Id()}, 10000);
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, kMnuOpen, 0);
  AnswerFileDialog(program.Id(), "Open Host File", path);
  HWND list = GetDlgItem(main, kList1);
  ASSERT_TRUE(Eventually([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 5; }));

  HWND combo = GetDlgItem(main, kComboFind);
  HWND edit = GetDlgItem(combo, 1001);  // a combo box's edit
  PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  ASSERT_TRUE(Eventually([&] { return FocusOf(main) == edit && TextOf(combo).empty(); }));
  for (UINT key : {'A', 'D', 'S'}) PressKey(edit, key);
  ASSERT_TRUE(Eventually([&] { return TextOf(combo) == "ads"; }));

  // ads.one, more-ads.two, zads, then the end of the list, then the top.
  for (int hit : {0, 1, 4}) {
    PressKey(edit, VK_RETURN);
    EXPECT_TRUE(Eventually([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == hit; })) << hit;
  }
  PressKey(edit, VK_RETURN);
  HWND box = WaitForWindow({"#32770", "Query Not Found", program.Id()}, 10000);
  ASSERT_NE(box, nullptr);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  ASSERT_TRUE(Eventually([&] { return !IsWindow(box) && FocusOf(main) == edit; }));
  EXPECT_EQ(TextOf(combo), "ads");

  PressKey(edit, VK_RETURN);
  EXPECT_TRUE(Eventually([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == 0; }));
  if (HWND find = WaitForWindow({"#32770", "Find", program.Id()}, 500)) {
    ADD_FAILURE() << TextOf(GetDlgItem(find, 0xFFFF));
    PostMessageA(find, WM_COMMAND, IDOK, 0);
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.EndsWithin(10000));
}

TEST(EndToEnd, TheProgramEndsWithTheSession) {
  Program program;
  ASSERT_TRUE(program.Started());
  HWND main = WaitForWindow({"VantrelMainWindow", "Vantrel", program.Id()}, 10000);
  ASSERT_NE(main, nullptr);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000,
                                  &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer);
  EXPECT_TRUE(program.EndsWithin(10000));
}

TEST(EndToEnd, ASecondCopyEndsSilentlyAndTheFirstRunsOn) {
  Program first;
  ASSERT_TRUE(first.Started());
  HWND main = WaitForWindow({"VantrelMainWindow", "Vantrel", first.Id()}, 10000);
  ASSERT_NE(main, nullptr);
  Program second;
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.EndsWithin(10000));
  EXPECT_EQ(WaitForWindow({"VantrelMainWindow", nullptr, second.Id()}), nullptr);
  EXPECT_FALSE(first.EndsWithin(0));
  EXPECT_TRUE(IsWindowVisible(main));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.EndsWithin(10000));
}

}  // namespace
}  // namespace vantrel::test
