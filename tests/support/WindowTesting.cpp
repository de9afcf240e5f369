#include "support/WindowTesting.h"

#include <windows.h>
// windows.h first
#include <dlgs.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vantrel::test {

namespace {

ModalSteps* runningSteps = nullptr;
std::vector<CapturedShell::Call>* capturedCalls = nullptr;

constexpr UINT kStepMs = 30;
constexpr UINT kWatchdogMs = 10000;

}  // namespace

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::string TextOf(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::vector<char> text(static_cast<size_t>(length) + 1);
  SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::string item(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(length));
    items.push_back(item);
  }
  return items;
}

int ListSelection(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::string Expanded(const char* text) {
  char expanded[MAX_PATH * 4] = {};
  ExpandEnvironmentStringsA(text, expanded, sizeof(expanded));
  return expanded;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void ExpectText(HWND window, const std::string& expected, std::source_location where) {
  const std::string actual = TextOf(window);
  if (actual != expected) {
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
        << "window text is \"" << actual << "\", expected \"" << expected << "\"";
  }
}

void ExpectVisible(HWND window, bool visible, std::source_location where) {
  if ((IsWindowVisible(window) != FALSE) != visible) {
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
        << "window \"" << TextOf(window) << "\" is " << (visible ? "hidden" : "visible");
  }
}

void ExpectAt(HWND window, POINT at, std::source_location where) {
  RECT r{};
  GetWindowRect(window, &r);
  if (r.left != at.x || r.top != at.y) {
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
        << "window at (" << r.left << ", " << r.top << "), expected (" << at.x << ", " << at.y
        << ")";
  }
}

TestWindow::TestWindow(RECT box, DWORD style, DWORD exStyle) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantrelTestWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return RegisterClassA(&wc) != 0;
  }();
  if (!registered) return;
  hwnd_ = CreateWindowExA(exStyle, "VantrelTestWindow", "Vantrel test window", style, box.left,
                          box.top, box.right - box.left, box.bottom - box.top, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  Pump();
}

TestWindow::~TestWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

RECT TestWindow::Box() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r;
}

void TestWindow::MoveTo(int x, int y) {
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

struct WindowSearch {
  const WindowQuery& query;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  const WindowQuery& query = search->query;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != query.pid || (!query.hiddenToo && !IsWindowVisible(hwnd))) return TRUE;
  if (query.owner && GetWindow(hwnd, GW_OWNER) != query.owner) return TRUE;
  char className[64] = {};
  GetClassNameA(hwnd, className, sizeof(className));
  if (std::string(className) != query.className) return TRUE;
  if (query.title && TextOf(hwnd) != query.title) return TRUE;
  search->found = hwnd;
  return FALSE;
}

bool IsEdit(HWND window) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  return lstrcmpiA(className, "Edit") == 0;
}

BOOL CALLBACK MatchEdit(HWND child, LPARAM param) {
  if (!IsEdit(child)) return TRUE;
  *reinterpret_cast<HWND*>(param) = child;
  return FALSE;
}

UINT MenuState(HWND window, int id) {
  return GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND);
}

Submenu Holding(HMENU menu, int id) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    // Searched by command, a menu holds the items of its submenus too.
    HMENU sub = GetSubMenu(menu, i);
    if (!sub || GetMenuState(sub, static_cast<UINT>(id), MF_BYCOMMAND) == ~0u) continue;
    if (const Submenu deeper = Holding(sub, id); deeper.menu) return deeper;
    const UINT opener = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    return {sub, !(opener & (MF_GRAYED | MF_DISABLED))};
  }
  return {};
}

}  // namespace

HWND WaitForWindow(const WindowQuery& query, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search{query, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= ms) return nullptr;
    Sleep(50);
  }
}

HWND FileNameField(HWND dialog) {
  for (int id : {cmb13, edt1}) {
    HWND control = GetDlgItem(dialog, id);
    if (control && IsEdit(control)) return control;
    HWND edit = nullptr;
    if (control) EnumChildWindows(control, MatchEdit, reinterpret_cast<LPARAM>(&edit));
    if (edit) return edit;
  }
  return nullptr;
}

bool MenuEnabled(HWND window, int id) {
  const UINT state = MenuState(window, id);
  return state != ~0u && !(state & (MF_GRAYED | MF_DISABLED));
}

bool MenuChecked(HWND window, int id) {
  const UINT state = MenuState(window, id);
  return state != ~0u && (state & MF_CHECKED);
}

std::string MenuCaption(HWND window, int id) {
  char text[256] = {};
  GetMenuStringA(GetMenu(window), static_cast<UINT>(id), text, sizeof(text), MF_BYCOMMAND);
  return std::string(text).substr(0, std::string(text).find('\t'));
}

Submenu SubmenuHolding(HWND window, int id) { return Holding(GetMenu(window), id); }

int DefaultButtonOf(HWND window) {
  const LRESULT id = SendMessageA(window, DM_GETDEFID, 0, 0);
  return HIWORD(id) == DC_HASDEFID ? LOWORD(id) : 0;
}

int OwnDefaultButton(HWND window, HWND nonButton) {
  const HWND focus = GetFocus();
  SetFocus(nonButton);
  const int id = DefaultButtonOf(window);
  SetFocus(focus);
  return id;
}

TempFolder::TempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  path_ = std::string(base) + "vantrel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = path_ + "\\" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

ModalSteps::ModalSteps(std::function<HWND()> modalWindow, std::vector<std::function<void()>> steps)
    : modalWindow_(std::move(modalWindow)), steps_(std::move(steps)) {
  runningSteps = this;
  tick_ = SetTimer(nullptr, 0, kStepMs, &ModalSteps::Tick);
  watchdog_ = SetTimer(nullptr, 0, kWatchdogMs, &ModalSteps::Watchdog);
}

ModalSteps::~ModalSteps() {
  if (tick_) KillTimer(nullptr, tick_);
  if (watchdog_) KillTimer(nullptr, watchdog_);
  runningSteps = nullptr;
}

void CALLBACK ModalSteps::Tick(HWND, UINT, UINT_PTR, DWORD) {
  ModalSteps* self = runningSteps;
  if (!self || self->next_ >= self->steps_.size()) return;
  // A step may show a message box, whose loop also delivers these ticks.
  const size_t index = self->next_++;
  self->steps_[index]();
}

void CALLBACK ModalSteps::Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  ModalSteps* self = runningSteps;
  if (!self) return;
  self->timedOut_ = true;
  HWND window = self->modalWindow_();
  if (window) ShowWindow(window, SW_HIDE);
}

CapturedShell::CapturedShell() {
  capturedCalls = &calls_;
  previous_ = SetShellExecute(&CapturedShell::Capture);
}

CapturedShell::~CapturedShell() {
  SetShellExecute(previous_);
  capturedCalls = nullptr;
}

HINSTANCE WINAPI CapturedShell::Capture(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                        LPCSTR folder, INT show) {
  if (capturedCalls) {
    capturedCalls->push_back({owner, verb != nullptr, file ? file : "", parameters != nullptr,
                              folder ? folder : "(null)", show});
  }
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

}  // namespace vantrel::test
