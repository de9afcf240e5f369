#include "shell/MainWindow.h"

#include "platform/Gdi.h"
#include "platform/Modal.h"
#include "save/SaveAs.h"
#include "windows/ResourceIds.h"

namespace vantrel {

namespace {

// Not WS_CLIPCHILDREN: the frames paint only their border, so the window
// must paint what lies under them.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr SIZE kClientTwips{9975, 7335};

constexpr const char* kTransparencyDisabledText =
    "This program has the ability to be transparent. \r\n"
    "Transparency Only works with Windows XP or Windows 2000.\r\n"
    "Transparency will be turned off.";

// In the order of Icon.
constexpr UINT kIconFlags[] = {0, MB_ICONINFORMATION, MB_ICONQUESTION, MB_ICONSTOP,
                               MB_ICONEXCLAMATION};

}  // namespace

bool MainWindow::Create(HINSTANCE instance) {
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VANTREL));
  // The icon file's own small image for the caption and the taskbar. Shared,
  // because the class keeps it after the window is gone.
  HICON smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTREL),
                                                  IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (!Register(kClassName, icon, smallIcon)) return false;
  menu_.Build(MainMenuTable());
  RECT rect{0, 0, TwipsToPixelsX(kClientTwips.cx), TwipsToPixelsY(kClientTwips.cy)};
  AdjustWindowRectEx(&rect, kStyle, TRUE, 0);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  // Centred on the screen.
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (!CreateWindowExA(0, kClassName, kCaption, kStyle, x, y, width, height, nullptr, menu_.Bar(),
                       instance, this)) {
    return false;
  }
  // Before any control exists, so the controls get the common controls that
  // the bootstrap initialises.
  visualStyle_.Check(hwnd_);
  font_ = MakeFont({"Tahoma", 9.75});
  listFont_ = MakeFont({"Tahoma", 8.25});
  boldFont_ = MakeFont({"Tahoma", 9.75, true});
  openPicture_ = LoadButtonPicture(instance, IDI_OPEN_PICTURE, {45, 36});
  saveAsPicture_ = LoadButtonPicture(instance, IDI_SAVEAS_PICTURE, {40, 40});
  controls_.Create(hwnd_, MainControls(), font_.Get());
  // Until a file is loaded, only the commands that need none are usable.
  for (const Command& command : Commands()) {
    if (command.needs != Needs::Nothing) EnableCommand(command, false);
  }
  defaultButtons_.Watch(hwnd_, controls_.PushButtons());
  for (int id : {kFrame2, kFrame3, kFrame4}) {
    SendMessageA(controls_[id], WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
  }
  for (int id : {kList1, kListComments}) {
    SendMessageA(controls_[id], WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), FALSE);
  }
  ShowWindow(controls_[kLine5], SW_HIDE);
  jobs_.Attach(hwnd_, controls_[kLabel7]);
  findBox_.Attach(controls_[kComboFind], defaultButtons_, kCmdRemDup,
                  [this](FindKey key) { FindBoxKeyPress(key); });
  return true;
}

void MainWindow::Startup(const std::string& version) {
  if (version != "Windows 2000" && version != "Windows XP") {
    Tell("Transparency Disabled", kTransparencyDisabledText, Icon::Information);
    hostsFolder_ = "%systemroot%\\";
  } else {
    menu_.EnableSubmenu(kMnuTransparent, true);
    hostsFolder_ = "%systemroot%\\system32\\drivers\\etc\\";
  }
  translucency_ = std::make_unique<WindowTranslucency>();
  translucency_->Attach(hwnd_);
  onTop_ = false;
  SetText(kLabel7, "00: 00: 00");
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

bool MainWindow::PreTranslate(MSG& msg) {
  if (!hwnd_) return false;
  if (menu_.Accelerators() && TranslateAcceleratorA(hwnd_, menu_.Accelerators(), &msg)) return true;
  return defaultButtons_.Translate(msg);
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return defaultButtons_.DefId();
    case WM_DRAWITEM:
      if (OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
      return Default(msg, wParam, lParam);
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_LISTBOX) item->itemHeight = ListRowHeight(hwnd_, listFont_.Get());
      return TRUE;
    }
    case WM_SETCURSOR:
      if (jobs_.SetCursor()) return TRUE;
      return Default(msg, wParam, lParam);
    case WM_ACTIVATE:
      // Like a dialog, give the focus back to the control that had it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) focusBeforeDeactivation_ = focus;
        return 0;
      }
      if (focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_)) {
        SetFocus(focusBeforeDeactivation_);
        return 0;
      }
      return Default(msg, wParam, lParam);
    case WM_TIMER:
      if (wParam != VisualStyleStart::kRelaunchTimer) return 0;
      visualStyle_.OnTimer(hwnd_, [this] {
        CloseWindow();
        return ended_;
      });
      return 0;
    case WM_CLOSE:
      CloseWindow();
      return 0;
    case WM_QUERYENDSESSION:
      return sessionEnd_.OnQuery(hwnd_, lParam, doc_,
                                 [this] { return PromptBeforeExit(doc_, *this, Files()); });
    case WM_ENDSESSION:
      sessionEnd_.OnEnd();
      // Called off by another program: go on with the document.
      if (!wParam) return 0;
      // No further question and no closing handler.
      ended_ = true;
      DestroyWindow(hwnd_);
      return 0;
    case WM_CTLCOLOREDIT:
      if (!findBox_.Owns(reinterpret_cast<HWND>(lParam))) return Default(msg, wParam, lParam);
      return findBox_.Colors(reinterpret_cast<HDC>(wParam));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return Default(msg, wParam, lParam);
  }
}

// ---- what the document's operations show and ask

bool MainWindow::AskYesNo(const std::string& caption, const std::string& text) {
  return CurrentModal().Message(hwnd_, text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void MainWindow::Tell(const std::string& caption, const std::string& text, Icon icon) {
  CurrentModal().Message(hwnd_, text, caption, MB_OK | kIconFlags[static_cast<int>(icon)]);
}

std::string MainWindow::Input(const std::string& prompt, const std::string& title,
                              const std::string& initial) {
  return CurrentModal().Input(hwnd_, prompt, title, initial);
}

void MainWindow::DrawDocument() {
  DrawLists();
  menu_.Enable(kMnuUndo, doc_.UndoArmed);
  menu_.SetCaption(kMnuUndo, doc_.UndoCaption);
  if (doc_.Counts != countsShown_) {
    SetText(kText1, doc_.Counts.before);
    SetText(kText2, doc_.Counts.removed);
    SetText(kText3, doc_.Counts.left);
    countsShown_ = doc_.Counts;
  }
  SetText(kLabel7, doc_.ElapsedTime);
  SetText(kLabelIP, doc_.RedirectCaption);
  ApplyCommandStates();
}

void MainWindow::DrawLists() {
  HWND list = controls_[kList1];
  // Setting the count of a million rows is not free: only when it changed.
  if (SendMessageA(list, LB_GETCOUNT, 0, 0) != doc_.List1.Count()) {
    const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(doc_.List1.Count()), 0);
    if (top > 0 && top < doc_.List1.Count()) SendMessageA(list, LB_SETTOPINDEX, top, 0);
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(doc_.List1.Selected()), 0);
  SendMessageA(controls_[kListComments], LB_SETCOUNT, static_cast<WPARAM>(CommentRowCount(doc_)),
               0);
  InvalidateRect(list, nullptr, TRUE);
  InvalidateRect(controls_[kListComments], nullptr, TRUE);
}

void MainWindow::TellOutOfMemory(const char* caption, const char* text, const std::string& detail) {
  jobs_.SetBusy(false);
  try {
    std::string message = text;
    if (!detail.empty()) message.append("\r\n").append(detail);
    Tell(caption, message, Icon::Critical);
  } catch (...) {
    // Not even the message fits: the window stays as it was all the same.
  }
}

}  // namespace vantrel
