#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "shell/MainFixture.h"
#include "windows/ResourceIds.h"

namespace vantrel::test {
namespace {

using MainWindowTest = MainFixture;

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

// The controls a user clicks or types into, in the window's client pixels.
std::vector<std::pair<const char*, RECT>> UsableControlRects(HWND window) {
  std::vector<std::pair<const char*, RECT>> rects;
  for (const ControlDef& def : MainControls()) {
    if (def.kind == Kind::Frame || def.kind == Kind::Label || def.kind == Kind::Line) continue;
    RECT r{};
    GetWindowRect(GetDlgItem(window, def.id), &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    rects.emplace_back(def.name, r);
  }
  return rects;
}

TEST_F(MainWindowTest, UsableControlsLieInsideTheWindowWithoutOverlapping) {
  RECT client{};
  GetClientRect(window_.Handle(), &client);
  const auto rects = UsableControlRects(window_.Handle());
  ASSERT_EQ(rects.size(), 15u);
  for (size_t i = 0; i < rects.size(); ++i) {
    const auto& [name, r] = rects[i];
    RECT inside{};
    IntersectRect(&inside, &r, &client);
    EXPECT_TRUE(EqualRect(&inside, &r)) << name;
    for (size_t j = i + 1; j < rects.size(); ++j) {
      RECT both{};
      EXPECT_FALSE(IntersectRect(&both, &r, &rects[j].second)) << name << " " << rects[j].first;
    }
  }
}

TEST_F(MainWindowTest, EveryCommandHasItsControlAndMenuItemWithDistinctAccessKeys) {
  // Access keys by the menu item that holds them; -1 the menu bar, whose
  // keys the buttons share.
  std::map<int, std::string> keys;
  for (const ControlDef& def : MainControls()) {
    ASSERT_NE(Control(def.id), nullptr) << def.name;
    const char* key = strchr(def.caption, '&');
    if (key && def.kind == Kind::Graphical) keys[-1] += static_cast<char>(toupper(key[1]));
  }
  int parent[3] = {-1, 0, 0};
  int index = 0;
  const std::span<const MenuDef> table = MainMenuTable();
  for (const MenuDef& def : table) {
    // Every id names a menu item, or one that opens a submenu (the rows after it are deeper).
    const bool opens =
        index + 1 < static_cast<int>(table.size()) && table[index + 1].level > def.level;
    if (def.id != 0 && !opens) {
      EXPECT_NE(GetMenuState(GetMenu(window_.Handle()), def.id, MF_BYCOMMAND), ~0u) << def.name;
    }
    const char* key = strchr(def.caption, '&');
    if (key) keys[parent[def.level]] += static_cast<char>(toupper(key[1]));
    if (def.level < 2) parent[def.level + 1] = index;
    ++index;
  }
  EXPECT_EQ(keys.size(), 6u);  // the bar, four menus, Transparency
  for (auto [menu, group] : keys) {
    std::sort(group.begin(), group.end());
    EXPECT_TRUE(std::adjacent_find(group.begin(), group.end()) == group.end()) << group;
  }
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
  EXPECT_EQ(DefaultButton(), 0);

  for (int id : {kMnuOpen, kMnuExit, kMnuOnTop, kMnuContents, kMnuAbout}) {
    EXPECT_TRUE(MenuEnabled(id)) << id;
  }
  for (int id : {kMnuClose, kMnuSaveAs, kMnuUndo, kMnuAdd, kMnuChange, kMnuDelete, kMnuRemDup}) {
    EXPECT_FALSE(MenuEnabled(id)) << id;
  }
  EXPECT_EQ(UndoCaption(), "&Undo");
  EXPECT_TRUE(MenuChecked(window_.Handle(), kMnuNone));
  EXPECT_FALSE(MenuChecked(window_.Handle(), kMnuOnTop));
}

TEST_F(MainWindowTest, MenusShowTheirShortcuts) {
  char text[64] = {};
  GetMenuStringA(GetMenu(window_.Handle()), kMnuRemDup, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Remove Duplicates\tCtrl+R");
  GetMenuStringA(GetMenu(window_.Handle()), kMnuExit, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Exit\tCtrl+Q");
  const HMENU transparency = SubmenuHolding(window_.Handle(), kMnuNone).menu;
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
  Command(kMnuOpen);
  ASSERT_EQ(script_.Questions().size(), 2u);
  for (const Asked& asked : script_.Questions()) {
    EXPECT_EQ(asked.what, Asked::What::Open);
    EXPECT_EQ(asked.caption, "Open Host File");
  }
  EXPECT_TRUE(script_.AllAnswered());
}

}  // namespace
}  // namespace vantrel::test
