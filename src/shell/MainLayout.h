// The main window's controls and menu, as one table each.
#pragma once

#include <span>

#include "platform/Controls.h"
#include "platform/Menus.h"

namespace vantrel {

// In a command's row: no button, or no menu item.
inline constexpr int kNoControl = -1;

enum MainControl : int {
  kFrame1 = 1100,
  kCmdOpen,
  kCmdSaveAs,
  kCmdAdd,
  kCmdChange,
  kCmdDelete,
  kCmdRemDup,
  kLabel9,
  kComboFind,
  kLine2,
  kLine3,
  kLine4,
  kFrame2,
  kLabel6,
  kLabelIP,
  kLine5,
  kLabel4,
  kList1,
  kLabel8,
  kListComments,
  kFrame3,
  kLabel5,
  kText1,
  kLabel1,
  kText2,
  kLabel2,
  kText3,
  kLabel3,
  kLabel7,
  kFrame4,
  kCmdCountHost,
  kText6,
  kLine1,
  kCmdNotepad,
};

enum MainMenu : int {
  kMnuOpen = 1200,
  kMnuClose,
  kMnuSaveAs,
  kMnuExit,
  kMnuUndo,
  kMnuAdd,
  kMnuChange,
  kMnuDelete,
  kMnuRemDup,
  kMnuNone,
  kMnuTen,
  kMnuTwenty,
  kMnuThirty,
  kMnuForty,
  kMnuFifty,
  kMnuSixty,
  kMnuSeventy,
  kMnuEighty,
  kMnuNinety,
  kMnuOnTop,
  kMnuContents,
  kMnuAbout,
  kMnuTransparent,  // opens the transparency steps
};

std::span<const ControlDef> MainControls();
std::span<const MenuDef> MainMenuTable();

}  // namespace vantrel
