#include "windows/HelpWindow.h"

#include "platform/ModalLoop.h"
#include "windows/SupportAddress.h"

namespace vantrel {

namespace {

using W = HelpWindow;

// Twips; Label1 lies in Frame1 and Label3 in Frame2.
const std::array<ControlSpec, 7> kControls{{
    {W::Label2, "Label2", Kind::Label, "Contents", 120, 120, 4215, 255, 4},
    {W::List1, "List1", Kind::List, "", 120, 360, 4455, 5340, 1},
    {W::Frame1, "Frame1", Kind::Frame, "Help", 4680, 240, 6375, 6135, 2},
    {W::Label1, "Label1", Kind::Label, "", 240, 360, 6015, 5535, 3, W::Frame1, SS_NOPREFIX},
    {W::Frame2, "Frame2", Kind::Frame, "Other Help or Questions, contact: ", 120, 5760, 4455, 615,
     5},
    {W::Label3, "Label3", Kind::Label, kSupportAddress, 240, 240, 1455, 255, 6, W::Frame2,
     SS_NOTIFY},
    {W::cmdClose, "cmdClose", Kind::Button, "&Close", 9720, 6480, 1335, 375, 0, 0,
     BS_DEFPUSHBUTTON},
}};

constexpr FixedWindowSpec kWindow{W::kClassName, W::kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  11190,         6990};

// Where the window goes when it is created, from the main window's corner.
constexpr int kLoadOffsetX = -700;
constexpr int kLoadOffsetY = 350;

std::string TextOf(HWND list, int index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

void HelpWindow::Form_Load(HWND mainWindow) {
  if (!Register(kClassName, nullptr)) return;
  const POINT at = OffsetFromWindow(mainWindow, kLoadOffsetX, kLoadOffsetY);
  if (!CreateFixedWindow(kWindow, at, mainWindow, this)) return;

  if (!windowFont_.Get()) {
    windowFont_ = MakeFont({"Tahoma", 9.75});
    boldFont_ = MakeFont({"Tahoma", 9.75, true});
  }
  controls_ = ControlSet{};
  controls_.Create(hwnd_, kControls, windowFont_.Get());
  for (int id : {Label2, Frame1}) {
    SendMessageA(controls_[id], WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
  }
  mail_.Attach(hwnd_, controls_[Label3], kMailSubject);
  // The topic frame appears with the first activation.
  ShowWindow(controls_[Frame1], SW_HIDE);
  ShowWindow(controls_[Label1], SW_HIDE);
}

void HelpWindow::ShowNoTopic() {
  SetWindowTextA(controls_[Frame1], kNoTopicCaption);
  SetWindowTextA(controls_[Label1], kNoTopicText);
}

void HelpWindow::Form_Activate() {
  ShowWindow(controls_[Frame1], SW_SHOW);
  ShowWindow(controls_[Label1], SW_SHOW);
  ShowNoTopic();

  HWND list = controls_[List1];
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : HelpItems()) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  for (int index = 0; index < kHelpTextCount; ++index) {
    const std::string text = HelpTopicText(index);
    if (!text.empty()) HelpTexts[static_cast<size_t>(index)] = text;
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  List1_Click();
}

void HelpWindow::List1_Click() {
  HWND list = controls_[List1];
  const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  const int index = static_cast<int>(selected);
  const std::string item = TextOf(list, index);
  if (IsHelpHeading(item)) {
    ShowNoTopic();
    return;
  }
  ShowWindow(controls_[Frame1], SW_SHOW);
  ShowWindow(controls_[Label1], SW_SHOW);
  SetWindowTextA(controls_[Frame1], item.c_str());
  const bool known = index >= 0 && index < kHelpTextCount;
  SetWindowTextA(controls_[Label1], known ? HelpTexts[static_cast<size_t>(index)].c_str() : "");
}

void HelpWindow::cmdClose_Click() { ShowWindow(hwnd_, SW_HIDE); }

LRESULT HelpWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) Form_Activate();
      Default(msg, wParam, lParam);
      focus_.OnActivate(hwnd_, wParam);
      return 0;
    case WM_COMMAND:
      if (mail_.OnCommand(wParam, lParam)) return 0;
      if (LOWORD(wParam) == List1 && HIWORD(wParam) == LBN_SELCHANGE) {
        List1_Click();
        return 0;
      }
      if (HIWORD(wParam) == BN_CLICKED &&
          (LOWORD(wParam) == cmdClose || LOWORD(wParam) == IDCANCEL)) {
        cmdClose_Click();
        return 0;
      }
      return Default(msg, wParam, lParam);
    case DM_GETDEFID:
      return MAKELRESULT(cmdClose, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
      if (mail_.OnCtlColorStatic(wParam, lParam, result)) return result;
      return Default(msg, wParam, lParam);
    case WM_SETCURSOR:
      if (mail_.OnSetCursor(wParam)) return TRUE;
      return Default(msg, wParam, lParam);
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace vantrel
