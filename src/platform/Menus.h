// Builds a menu bar and its accelerators from a table.
#pragma once

#include <windows.h>

#include <map>
#include <span>
#include <string>

namespace vantrel {

struct MenuDef {
  int level;  // 0 a menu of the bar, 1 its item, 2 an item of a submenu
  int id;     // 0 for the menus of the bar and separators
  const char* name;
  const char* caption;   // "-" is a separator
  const char* shortcut;  // shown after a tab, also a real accelerator
  bool enabled;
  bool checked;
};

class MenuBar {
 public:
  MenuBar() = default;
  MenuBar(const MenuBar&) = delete;
  MenuBar& operator=(const MenuBar&) = delete;
  ~MenuBar();

  // Builds the menus; the window takes the bar with SetMenu.
  void Build(std::span<const MenuDef> table);

  HMENU Bar() const { return bar_; }
  HACCEL Accelerators() const { return accel_; }

  void Enable(int id, bool enabled) const;
  // Enables or disables the item that opens the submenu, where it hangs.
  void EnableSubmenu(int id, bool enabled) const;
  void Check(int id, bool checked) const;
  // Sets the caption, keeping the shortcut text shown after it.
  void SetCaption(int id, const std::string& caption) const;
  bool IsEnabled(int id) const;

 private:
  struct SubmenuPlace {
    HMENU menu;
    HMENU parent;   // the menu it hangs in
    UINT position;  // its place there
  };

  HMENU bar_ = nullptr;
  HACCEL accel_ = nullptr;
  std::map<int, SubmenuPlace> submenus_;  // by the id of the item opening it
  std::map<int, std::string> shortcuts_;
};

}  // namespace vantrel
