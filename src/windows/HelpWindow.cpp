#include "windows/HelpWindow.h"

namespace vantrel {

namespace {

using W = HelpWindow;

// Twips; Label1 lies in Frame1 and Label3 in Frame2.
constexpr std::array<ControlDef, 7> kControls{{
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

constexpr ModalWindowDef kWindow{
    {W::kClassName, W::kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 11190, 6990},
    kControls,
    {"Tahoma", 9.75},
    W::cmdClose,
    {-700, 350},
};

std::string TextOf(HWND list, int index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

HelpWindow::HelpWindow() : ModalWindow(kWindow) {}

void HelpWindow::OnCreate() {
  SetFont({Label2, Frame1}, {"Tahoma", 9.75, true});
  mail_.Attach(hwnd_, controls_[Label3], kMailSubject);
  // The topic frame appears with the first activation.
  ShowWindow(controls_[Frame1], SW_HIDE);
  ShowWindow(controls_[Label1], SW_HIDE);
}

void HelpWindow::ShowNoTopic() {
  SetWindowTextA(controls_[Frame1], kNoTopicCaption);
  SetWindowTextA(controls_[Label1], kNoTopicText);
}

void HelpWindow::OnActivate() {
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
  ShowSelectedTopic();
}

void HelpWindow::ShowSelectedTopic() {
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

bool HelpWindow::OnCommand(int id, int code) {
  if (id == List1 && code == LBN_SELCHANGE) {
    ShowSelectedTopic();
    return true;
  }
  if (id != cmdClose || code != BN_CLICKED) return false;
  End();
  return true;
}

bool HelpWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return mail_.OnMessage(msg, wParam, lParam, result);
}

}  // namespace vantrel
