// Each window keeps its controls in one table: name, kind, caption, position
// and size in twips (relative to the frame that holds the control, or to the
// window's client area), and tab order. ControlSet creates them from it.
#pragma once

#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <vector>

namespace vantrel {

enum class Kind {
  Button,       // push button
  Graphical,    // push button showing a picture above its caption
  Option,       // option (radio) button
  Check,        // check box
  Frame,        // group box; the controls it holds are placed relative to it
  Label,        // static text
  Line,         // a line drawn in a system colour (a static filled with it)
  Text,         // single-line edit field
  MultiText,    // multi-line edit field
  List,         // list box
  VirtualList,  // list box that holds no data: the window draws its items
  Combo,        // drop-down combo box with an edit field
  Progress,     // progress bar
  Picture,      // static picture
};

struct ControlDef {
  int id;
  const char* name;
  Kind kind;
  const char* caption;
  int left, top, width, height;  // twips
  int tab;                       // tab index; -1 for controls that never take the focus
  int container = 0;             // id of the frame holding the control, 0 for the window
  DWORD extraStyle = 0;
  int lineColor = COLOR_INACTIVEBORDER;  // system colour of a Line
};

std::string WindowText(HWND hwnd);

class ControlSet {
 public:
  // Creates every control of the table on parent: focusable controls in tab
  // order, so that Tab moves through them as listed, then the rest, frames
  // last (they lie under what they hold).
  void Create(HWND parent, std::span<const ControlDef> table, HFONT font);

  HWND operator[](int id) const {
    const auto it = handles_.find(id);
    return it == handles_.end() ? nullptr : it->second;
  }
  const ControlDef* Find(int id) const;
  // The push buttons, plain and graphical.
  std::vector<HWND> PushButtons() const;
  // The control's rectangle in the parent's client pixels.
  RECT PixelRect(int id) const;

  // Lines are owner-drawn statics: the parent forwards WM_DRAWITEM here.
  // Returns true when the item was one of this set's lines.
  bool DrawLine(const DRAWITEMSTRUCT& item) const;

 private:
  std::span<const ControlDef> table_;
  std::map<int, HWND> handles_;
};

}  // namespace vantrel
