#include "windows/AboutWindow.h"

#include <array>
#include <vector>

#include "windows/ResourceIds.h"

namespace vantrel {

namespace {

using W = AboutWindow;

// Twips; everything but the button lies in Frame1. Line1 runs from
// (360, 1200) to (5400, 1200), two pixels thick.
constexpr std::array<ControlDef, 8> kControls{{
    {W::Frame1, "Frame1", Kind::Frame, "Frame1", 120, 120, 5655, 2055, 1},
    {W::Image1, "Image1", Kind::Picture, "", 360, 480, 480, 480, -1, W::Frame1},
    {W::Label1, "Label1", Kind::Label, "Label1", 960, 480, 3375, 255, 2, W::Frame1},
    {W::Label2, "Label2", Kind::Label, "Label2", 960, 720, 3375, 255, 3, W::Frame1},
    {W::Line1, "Line1", Kind::Line, "", 360, 1200, 5040, 30, -1, W::Frame1},
    {W::Label3, "Label3", Kind::Label, "Questions, Comments, Suggestions, Bug Reports, Contact:",
     360, 1320, 5055, 255, 4, W::Frame1, SS_LEFTNOWORDWRAP},
    {W::Label4, "Label4", Kind::Label, kSupportAddress, 360, 1560, 1455, 255, 5, W::Frame1,
     SS_NOTIFY},
    {W::cmdClose, "cmdClose", Kind::Button, "&Close", 4320, 2280, 1455, 375, 0, 0,
     BS_DEFPUSHBUTTON},
}};

constexpr ModalWindowDef kWindow{
    {W::kClassName, W::kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 5895, 2775},
    kControls,
    {"Tahoma", 9.75},
    W::cmdClose,
    {2000, 2500},
};

}  // namespace

std::string VersionText(unsigned major, unsigned minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

std::string ProgramVersionText() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return {};
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path, 0, size, block.data())) return {};
  void* value = nullptr;
  UINT valueSize = 0;
  if (!VerQueryValueA(block.data(), "\\", &value, &valueSize) ||
      valueSize < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  return VersionText(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS));
}

AboutWindow::AboutWindow() : MailLinkWindow(kWindow, Label4, cmdClose, kMailSubject) {}

void AboutWindow::OnCreate() {
  MailLinkWindow::OnCreate();
  SetFont({Frame1}, {"Tahoma", 12});
  // Shared icons need no clean-up; without the resource the picture stays empty.
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VANTREL));
  if (icon) SendMessageA(controls_[Image1], STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void AboutWindow::OnActivate() {
  const std::string version = ProgramVersionText();
  const std::string number = version.empty() ? "" : " " + version;
  SetWindowTextA(hwnd_, (kCaption + number).c_str());
  SetWindowTextA(controls_[Frame1], ("Vantrel" + number).c_str());
  SetWindowTextA(controls_[Label1], kCredit1);
  SetWindowTextA(controls_[Label2], kCredit2);
}

}  // namespace vantrel
