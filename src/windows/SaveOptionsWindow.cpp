#include "windows/SaveOptionsWindow.h"

#include <array>

#include "platform/Modal.h"

namespace vantrel {

namespace {

using W = SaveOptionsWindow;

// Twips; the labels lie in Frame2, everything else on the client area. The
// example boxes keep one example to a line.
constexpr std::array<ControlDef, 12> kControls{{
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

constexpr ModalWindowDef kWindow{
    {W::kClassName, W::kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 6255,
     5460},
    kControls,
    {"Tahoma", 9.75},
    W::Command1,
    {1000, 1000},
};

// Host names of the kind people block: advertising and tracking servers,
// several of them under one domain.
constexpr const char* kSampleHosts[] = {
    "ad.adfarm.com",     "ads.adfarm.com",    "banner.adfarm.com", "click.adfarm.com",
    "pop.adfarm.com",    "stats.adfarm.com",  "track.adfarm.com",  "ads.popnet.biz",
    "ad.clickzone.net",  "ads.bannerhub.net", "count.hitlog.org",  "media.adspot.com",
    "www.popunder.info",
};

}  // namespace

SaveOptionsWindow::SaveOptionsWindow() : ModalWindow(kWindow) {}

std::string SaveOptionsWindow::ExampleText(const char* address) {
  std::string text;
  for (const char* host : kSampleHosts) {
    text.append(address).append("  ").append(host).append("\r\n");
  }
  return text;
}

SaveOption SaveOptionsWindow::SelectedOption() const {
  for (int id : {Option1, Option2, Option3}) {
    if (Checked(id)) return static_cast<SaveOption>(id - Option1 + 1);
  }
  return SaveOption::None;
}

void SaveOptionsWindow::OnCreate() {
  SetFont({Frame1, Frame2}, {"Tahoma", 9.75, true});
  SetFont({Label1, Label2}, {"Tahoma", 8.25, true});
  SetFont({Text1, Text2}, {"Tahoma", 8.25});
}

void SaveOptionsWindow::OnShow() {
  for (int id : {Option1, Option2, Option3})
    SetChecked(id, Choice.option == static_cast<SaveOption>(id - Option1 + 1));
  SetChecked(Check1, Choice.withComments);
}

void SaveOptionsWindow::OnEnd() {
  // Destroyed by its frame: nothing was chosen.
  Choice =
      hwnd_ ? SaveChoice{SelectedOption(), Checked(Check1)} : SaveChoice{SaveOption::None, false};
}

void SaveOptionsWindow::OnActivate() {
  SetWindowTextA(controls_[Text1], ExampleText("127.0.0.1").c_str());
  SetWindowTextA(controls_[Text2], ExampleText("0").c_str());
}

bool SaveOptionsWindow::OnCommand(int id, int code) {
  if ((id != Command1 && id != Command2) || code != BN_CLICKED) return false;
  if (id == Command2) {
    OnCancel();
  } else if (SelectedOption() == SaveOption::None) {
    CurrentModal().Message(hwnd_, kMissingChoice, kMissingChoiceCaption,
                           MB_OK | MB_ICONINFORMATION);
  } else {
    End();
  }
  return true;
}

void SaveOptionsWindow::OnCancel() {
  for (int id : {Option1, Option2, Option3}) SetChecked(id, false);
  End();
}

}  // namespace vantrel
