#include "platform/Menus.h"

#include <cstdio>
#include <vector>

namespace vantrel {

namespace {

// "Ctrl+O" as an accelerator entry.
bool ParseShortcut(const std::string& s, ACCEL& accel) {
  if (s.size() != 6 || s.rfind("Ctrl+", 0) != 0) return false;
  accel.fVirt = FCONTROL | FVIRTKEY;
  accel.key = static_cast<WORD>(s.back());
  return true;
}

}  // namespace

MenuBar::~MenuBar() {
  // The bar belongs to the window that took it.
  if (accel_) DestroyAcceleratorTable(accel_);
}

void MenuBar::Build(std::span<const MenuDef> table) {
  bar_ = CreateMenu();
  HMENU parents[3] = {bar_, nullptr, nullptr};
  std::vector<ACCEL> accels;
  for (size_t i = 0; i < table.size(); ++i) {
    const MenuDef& item = table[i];
    HMENU parent = parents[item.level];
    if (std::string(item.caption) == "-") {
      AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (!item.enabled) flags |= MF_GRAYED;
    if (item.checked) flags |= MF_CHECKED;
    // The rows that follow one level deeper are its items.
    if (i + 1 < table.size() && table[i + 1].level > item.level) {
      HMENU sub = CreatePopupMenu();
      AppendMenuA(parent, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.caption);
      parents[item.level + 1] = sub;
      if (item.id != 0) {
        submenus_[item.id] = {sub, parent, static_cast<UINT>(GetMenuItemCount(parent) - 1)};
      }
      continue;
    }
    std::string caption = item.caption;
    if (item.shortcut) {
      caption += '\t';
      caption += item.shortcut;
      shortcuts_[item.id] = item.shortcut;
      ACCEL accel{};
      if (ParseShortcut(item.shortcut, accel)) {
        accel.cmd = static_cast<WORD>(item.id);
        accels.push_back(accel);
      }
    }
    AppendMenuA(parent, flags, static_cast<UINT_PTR>(item.id), caption.c_str());
  }
  if (!accels.empty()) {
    accel_ = CreateAcceleratorTableA(accels.data(), static_cast<int>(accels.size()));
  }
}

void MenuBar::Enable(int id, bool enabled) const {
  EnableMenuItem(bar_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MenuBar::EnableSubmenu(int id, bool enabled) const {
  const auto it = submenus_.find(id);
  if (it == submenus_.end()) return;
  const UINT flags = MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(it->second.parent, it->second.position, flags);
}

void MenuBar::Check(int id, bool checked) const {
  CheckMenuItem(bar_, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuBar::SetCaption(int id, const std::string& caption) const {
  // Made on the stack: an edit shows its undo caption once the document has
  // changed, where nothing may fail any more.
  char text[256];
  const auto it = shortcuts_.find(id);
  const bool shortcut = it != shortcuts_.end();
  std::snprintf(text, sizeof(text), "%s%s%s", caption.c_str(), shortcut ? "\t" : "",
                shortcut ? it->second.c_str() : "");
  ModifyMenuA(bar_, static_cast<UINT>(id),
              MF_BYCOMMAND | MF_STRING | (IsEnabled(id) ? MF_ENABLED : MF_GRAYED),
              static_cast<UINT_PTR>(id), text);
}

bool MenuBar::IsEnabled(int id) const {
  const UINT state = GetMenuState(bar_, static_cast<UINT>(id), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace vantrel
