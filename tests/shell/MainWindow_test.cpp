#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/MainFixture.h"
#include "windows/ResourceIds.h"

namespace vantrel::test {
namespace {

using MainWindowTest = MainFixture;

// Twips to pixels at 96 DPI.
RECT Px(int left, int top, int width, int height) {
  return RECT{left / 15, top / 15, (left + width) / 15, (top + height) / 15};
}

void ExpectRect(HWND hwnd, RECT expected, const char* name) {
  const RECT r = RectInParent(hwnd);
  EXPECT_EQ(r.left, expected.left) << name;
  EXPECT_EQ(r.top, expected.top) << name;
  EXPECT_EQ(r.right - r.left, expected.right - expected.left) << name;
  EXPECT_EQ(r.bottom - r.top, expected.bottom - expected.top) << name;
}

TEST_F(MainWindowTest, WindowHasItsCaptionSizeAndStyle) {
  EXPECT_EQ(TextOf(window_.Handle()), "Vantrel");
  RECT client{};
  GetClientRect(window_.Handle(), &client);
  EXPECT_EQ(client.right, 665);   // 9975 twips
  EXPECT_EQ(client.bottom, 489);  // 7335 twips
  const LONG style = GetWindowLongA(window_.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
}

// The colour pixels of an icon, top row first, and its size.
std::vector<uint32_t> IconPixels(HICON icon, SIZE& size) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
  size = {bitmap.bmWidth, bitmap.bmHeight};
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<uint32_t> pixels(static_cast<size_t>(size.cx * size.cy));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(size.cy), pixels.data(), &format,
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

// The image of that size as the icon file holds it, read from the resources.
HICON IconFileImage(int width, int height) {
  const HMODULE module = GetModuleHandleA(nullptr);
  HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_VANTREL), RT_GROUP_ICON);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  const int id = LookupIconIdFromDirectoryEx(directory, TRUE, width, height, LR_DEFAULTCOLOR);
  HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON);
  return CreateIconFromResourceEx(static_cast<BYTE*>(LockResource(LoadResource(module, image))),
                                  SizeofResource(module, image), TRUE, 0x00030000, width, height,
                                  LR_DEFAULTCOLOR);
}

TEST_F(MainWindowTest, SmallIconIsTheIconFilesOwnSmallImage) {
  const int width = GetSystemMetrics(SM_CXSMICON);
  const int height = GetSystemMetrics(SM_CYSMICON);
  SIZE shown{};
  SIZE own{};
  const auto small = reinterpret_cast<HICON>(GetClassLongPtrA(window_.Handle(), GCLP_HICONSM));
  const std::vector<uint32_t> shownPixels = IconPixels(small, shown);
  HICON file = IconFileImage(width, height);
  const std::vector<uint32_t> ownPixels = IconPixels(file, own);
  DestroyIcon(file);
  EXPECT_EQ(shown.cx, width);
  EXPECT_EQ(shown.cy, height);
  ASSERT_EQ(own.cx, width);
  EXPECT_EQ(shownPixels, ownPixels);
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem) {
  // Positions inside a frame are relative to the frame.
  ExpectRect(Control(kCmdOpen), Px(-120 + 240, -120 + 240, 1095, 855), "cmdOpen");
  ExpectRect(Control(kCmdRemDup), Px(-120 + 6480, -120 + 240, 1095, 855), "cmdRemDup");
  ExpectRect(Control(kLabel6), Px(120 + 240, 1200 + 240, 9375, 495), "Label6");
  ExpectRect(Control(kList1), Px(120, 2760, 3015, 3570), "List1");
  ExpectRect(Control(kListComments), Px(3240, 2760, 3015, 3570), "List_Comments");
  ExpectRect(Control(kText1), Px(6360 + 120, 2640 + 600, 3255, 375), "Text1");
  ExpectRect(Control(kLabel7), Px(6360 + 120, 2640 + 3360, 2415, 255), "Label7");
  ExpectRect(Control(kCmdNotepad), Px(120 + 5880, 6360 + 360, 3735, 375), "cmdNotepad");
  ExpectRect(Control(kFrame3), Px(6360, 2640, 3495, 3690), "Frame3");
}

TEST_F(MainWindowTest, CaptionsAreTheProgramsOwn) {
  const std::vector<std::pair<int, std::string>> captions = {
      {kCmdOpen, "&Open..."},
      {kCmdSaveAs, "&Save As..."},
      {kCmdRemDup, "&Remove Duplicates"},
      {kLabel9, "Find:"},
      {kFrame2, "Current Host File Loaded:"},
      {kLabel4, "Entries Found in Host File"},
      {kLabel8, "Comments Found in Host File"},
      {kLabel2, "Number of Hosts left after Duplicates Removed"},
      {kCmdCountHost, "Count &Unmodified Host File"},
      {kCmdNotepad, "Open Unmodified Host File with &Notepad"},
      {kLabel6, "none"},
      {kLabel7, "00: 00: 00"},
      {kComboFind, "type query here"},
  };
  for (const auto& [id, caption] : captions) EXPECT_EQ(Text(id), caption) << id;
}

TEST_F(MainWindowTest, StartsWithOnlyOpenAndTheListsUsable) {
  EXPECT_TRUE(Enabled(kCmdOpen));
  for (int id : {kCmdSaveAs, kCmdAdd, kCmdChange, kCmdDelete, kCmdRemDup, kComboFind, kCmdCountHost,
                 kCmdNotepad}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_TRUE(Enabled(kList1));
  EXPECT_TRUE(Enabled(kListComments));
  EXPECT_FALSE(IsWindowVisible(Control(kLine5)));
  EXPECT_EQ(window_.DefaultButton(), 0);

  for (int id : {kMnuOpen, kMnuExit, kMnuOnTop, kMnuContents, kMnuAbout}) {
    EXPECT_TRUE(MenuEnabled(id)) << id;
  }
  for (int id : {kMnuClose, kMnuSaveAs, kMnuUndo, kMnuAdd, kMnuChange, kMnuDelete, kMnuRemDup}) {
    EXPECT_FALSE(MenuEnabled(id)) << id;
  }
  EXPECT_EQ(window_.Menus().Caption(kMnuUndo), "&Undo");
  EXPECT_TRUE(window_.Menus().IsChecked(kMnuNone));
  EXPECT_FALSE(window_.Menus().IsChecked(kMnuOnTop));
}

TEST_F(MainWindowTest, MenusShowTheirShortcuts) {
  char text[64] = {};
  GetMenuStringA(GetMenu(window_.Handle()), kMnuRemDup, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Remove Duplicates\tCtrl+R");
  GetMenuStringA(GetMenu(window_.Handle()), kMnuExit, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Exit\tCtrl+Q");
  const HMENU transparency = window_.Menus().Submenu("mnuTransparent");
  ASSERT_NE(transparency, nullptr);
  EXPECT_EQ(GetMenuItemCount(transparency), 11);
  GetMenuStringA(transparency, 2, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "&10%");
}

TEST_F(MainWindowTest, TabMovesThroughTheControlsInTabOrder) {
  std::vector<HWND> order;
  HWND hwnd = Control(kCmdOpen);
  for (int i = 0; i < 8; ++i) {
    order.push_back(hwnd);
    hwnd = GetNextDlgTabItem(window_.Handle(), hwnd, FALSE);
  }
  // Disabled controls are passed over; read-only text fields take the focus.
  const std::vector<HWND> expected = {Control(kCmdOpen), Control(kList1),        Control(kText1),
                                      Control(kText6),   Control(kListComments), Control(kText2),
                                      Control(kText3),   Control(kCmdOpen)};
  EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, ShortcutRunsItsCommandOnlyWhileEnabled) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG msg{window_.Handle(), WM_KEYDOWN, 'O', 0, 0, {}};
  script_.AnswerFile("");
  EXPECT_TRUE(window_.PreTranslate(msg));
  Pump();
  ASSERT_EQ(script_.Questions().size(), 1u);
  EXPECT_EQ(script_.Last().caption, "Open Host File");
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

TEST_F(MainWindowTest, OpenButtonMenuAndShortcutRunTheSameOperation) {
  script_.AnswerFile("");
  SendMessageA(Control(kCmdOpen), BM_CLICK, 0, 0);
  Pump();
  script_.AnswerFile("");
  SendMessageA(window_.Handle(), WM_COMMAND, kMnuOpen, 0);
  Pump();
  ASSERT_EQ(script_.Questions().size(), 2u);
  for (const Asked& asked : script_.Questions()) {
    EXPECT_EQ(asked.what, Asked::What::Open);
    EXPECT_EQ(asked.caption, "Open Host File");
  }
  EXPECT_TRUE(script_.AllAnswered());
}

}  // namespace
}  // namespace vantrel::test
