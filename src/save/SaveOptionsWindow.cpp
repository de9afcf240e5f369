#include "save/SaveOptionsWindow.h"

#include <array>

#include "platform/Modal.h"
#include "platform/ModalLoop.h"

namespace vantrel {

namespace {

using W = SaveOptionsWindow;

// Twips; the labels lie in Frame2, everything else on the client area. The
// example boxes keep one example to a line.
const std::array<ControlSpec, 12> kControls{{
    {W::Frame1, "Frame1", Kind::Frame, "Save Options", 120, 120, 4575, 1455, 6},
    {W::Option1, "Option1", Kind::Option, "&Save with LocalHost (127.0.0.1)", 360, 480, 3135, 255,
     0, 0, WS_GROUP},
    {W::Option2, "Option2", Kind::Option, "Save with&out Localhost (0)", 360, 840, 3015, 255, 1},
    {W::Option3, "Option3", Kind::Option, "Save with &other IP or Website", 360, 1200, 3375, 255,
     2},
    {W::Command1, "Command1", Kind::Button, "&Save", 4920, 240, 1215, 375, 3, 0,
     WS_GROUP | BS_DEFPUSHBUTTON},
    {W::Command2, "Command2", Kind::Button, "&Cancel", 4920, 1200, 1215, 375, 4},
    {W::Check1, "Check1", Kind::Check, "Save &Comments in Host File", 120, 5160, 6015, 255, 5},
    {W::Frame2, "Frame2", Kind::Frame, "Examples", 120, 1680, 6015, 3375, 7},
    {W::Label1, "Label1", Kind::Label, "LocalHost (127.0.0.1)", 240, 360, 2655, 255, 10, W::Frame2},
    {W::Label2, "Label2", Kind::Label, "Without LocalHost (0)", 3120, 360, 2415, 255, 11,
     W::Frame2},
    {W::Text1, "Text1", Kind::MultiText, "", 360, 2280, 2655, 2655, 8, 0, ES_AUTOHSCROLL},
    {W::Text2, "Text2", Kind::MultiText, "", 3240, 2280, 2655, 2655, 9, 0, ES_AUTOHSCROLL},
}};

constexpr FixedWindowSpec kWindow{
    W::kClassName,       W::kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
    WS_EX_DLGMODALFRAME, 6255,        5460};

// Where the window goes when it is created, from the main window's corner.
constexpr int kLoadOffsetX = 1000;
constexpr int kLoadOffsetY = 1000;

// Host names of the kind people block: advertising and tracking servers,
// several of them under one domain.
constexpr std::array<const char*, W::kExampleLineCount> kSampleHosts{
    "ad.adfarm.com",     "ads.adfarm.com",    "banner.adfarm.com", "click.adfarm.com",
    "pop.adfarm.com",    "stats.adfarm.com",  "track.adfarm.com",  "ads.popnet.biz",
    "ad.clickzone.net",  "ads.bannerhub.net", "count.hitlog.org",  "media.adspot.com",
    "www.popunder.info",
};

}  // namespace

std::string SaveOptionsWindow::ExampleText(const char* address) {
  std::string text;
  for (const char* host : kSampleHosts) {
    text += address;
    text += "  ";
    text += host;
    text += "\r\n";
  }
  return text;
}

void SaveOptionsWindow::Preset() {
  const Choice preset{1, true};
  if (!hwnd_) {
    pendingPreset_ = preset;
    return;
  }
  Apply(preset);
}

int SaveOptionsWindow::SelectedOption() const {
  if (!hwnd_) return pendingPreset_ ? pendingPreset_->option : 0;
  if (Checked(Option1)) return 1;
  if (Checked(Option2)) return 2;
  if (Checked(Option3)) return 3;
  return 0;
}

bool SaveOptionsWindow::CommentsChecked() const {
  if (!hwnd_) return pendingPreset_ && pendingPreset_->comments;
  return Checked(Check1);
}

bool SaveOptionsWindow::Checked(int id) const {
  return SendMessageA(controls_[id], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SaveOptionsWindow::Apply(const Choice& choice) {
  for (int id : {Option1, Option2, Option3}) {
    const bool on = choice.option == id - Option1 + 1;
    SendMessageA(controls_[id], BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  SendMessageA(controls_[Check1], BM_SETCHECK, choice.comments ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SaveOptionsWindow::Form_Load(HWND mainWindow) {
  if (!Register(kClassName, nullptr)) return;
  const POINT at = OffsetFromWindow(mainWindow, kLoadOffsetX, kLoadOffsetY);
  if (!CreateFixedWindow(kWindow, at, mainWindow, this)) return;

  if (!windowFont_.Get()) {
    windowFont_ = MakeFont({"Tahoma", 9.75});
    frameFont_ = MakeFont({"Tahoma", 9.75, true});
    labelFont_ = MakeFont({"Tahoma", 8.25, true});
    exampleFont_ = MakeFont({"Tahoma", 8.25});
  }
  controls_ = ControlSet{};
  controls_.Create(hwnd_, kControls, windowFont_.Get());
  const auto setFont = [this](int id, const Font& font) {
    SendMessageA(controls_[id], WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  };
  setFont(Frame1, frameFont_);
  setFont(Frame2, frameFont_);
  setFont(Label1, labelFont_);
  setFont(Label2, labelFont_);
  setFont(Text1, exampleFont_);
  setFont(Text2, exampleFont_);

  if (pendingPreset_) Apply(*pendingPreset_);
  pendingPreset_.reset();
}

void SaveOptionsWindow::Form_Activate() {
  SetWindowTextA(controls_[Text1], ExampleText("127.0.0.1").c_str());
  SetWindowTextA(controls_[Text2], ExampleText("0").c_str());
}

void SaveOptionsWindow::Command1_Click() {
  if (SelectedOption() == 0) {
    CurrentModal().Message(hwnd_, kMissingChoice, kMissingChoiceCaption,
                           MB_OK | MB_ICONINFORMATION);
    return;
  }
  ShowWindow(hwnd_, SW_HIDE);
}

void SaveOptionsWindow::Command2_Click() {
  Apply({0, Checked(Check1)});
  ShowWindow(hwnd_, SW_HIDE);
}

LRESULT SaveOptionsWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) Form_Activate();
      Default(msg, wParam, lParam);
      focus_.OnActivate(hwnd_, wParam);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return Default(msg, wParam, lParam);
      switch (LOWORD(wParam)) {
        case Command1:
        case IDOK:
          Command1_Click();
          return 0;
        case Command2:
        case IDCANCEL:
          Command2_Click();
          return 0;
        default:
          return Default(msg, wParam, lParam);
      }
    case DM_GETDEFID:
      return MAKELRESULT(Command1, DC_HASDEFID);
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace vantrel
