#include "windows/AboutWindow.h"

#include <array>

#include "platform/ModalLoop.h"
#include "shell/Resources.h"
#include "windows/ProgramVersion.h"
#include "windows/SupportAddress.h"

namespace vantrel {

namespace {

using W = AboutWindow;

// Twips; everything but the button lies in Frame1. Line1 runs from
// (360, 1200) to (5400, 1200), two pixels thick.
const std::array<ControlSpec, 8> kControls{{
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

constexpr FixedWindowSpec kWindow{W::kClassName, W::kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                  5895,          2775};

// Where the window goes when it is created, from the main window's corner.
constexpr int kLoadOffsetX = 2000;
constexpr int kLoadOffsetY = 2500;

}  // namespace

void AboutWindow::Form_Load(HWND mainWindow) {
  if (!Register(kClassName, nullptr)) return;
  const POINT at = OffsetFromWindow(mainWindow, kLoadOffsetX, kLoadOffsetY);
  if (!CreateFixedWindow(kWindow, at, mainWindow, this)) return;

  if (!windowFont_.Get()) {
    windowFont_ = MakeFont({"Tahoma", 9.75});
    titleFont_ = MakeFont({"Tahoma", 12});
  }
  controls_ = ControlSet{};
  controls_.Create(hwnd_, kControls, windowFont_.Get());
  SendMessageA(controls_[Frame1], WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), FALSE);
  // Shared icons need no clean-up; without the resource the picture stays empty.
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VANTREL));
  if (icon) SendMessageA(controls_[Image1], STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  mail_.Attach(hwnd_, controls_[Label4], kMailSubject);
}

void AboutWindow::Form_Activate() {
  std::string caption = kCaption;
  std::string title = "Vantrel";
  if (const auto version = ReadProgramVersion()) {
    const std::string number = VersionText(version->major, version->minor);
    caption += " " + number;
    title += " " + number;
  }
  SetWindowTextA(hwnd_, caption.c_str());
  SetWindowTextA(controls_[Frame1], title.c_str());
  SetWindowTextA(controls_[Label1], kCredit1);
  SetWindowTextA(controls_[Label2], kCredit2);
}

void AboutWindow::cmdClose_Click() { ShowWindow(hwnd_, SW_HIDE); }

LRESULT AboutWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) Form_Activate();
      Default(msg, wParam, lParam);
      focus_.OnActivate(hwnd_, wParam);
      return 0;
    case WM_COMMAND:
      if (mail_.OnCommand(wParam, lParam)) return 0;
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
    case WM_DRAWITEM:
      if (controls_.DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      return Default(msg, wParam, lParam);
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace vantrel
