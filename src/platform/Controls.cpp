#include "platform/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/Gdi.h"

namespace vantrel {

namespace {

struct ClassAndStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

// Window class and styles of each Kind, in the enum's order.
constexpr DWORD kTab = WS_TABSTOP;
constexpr DWORD kListStyle = kTab | LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
constexpr ClassAndStyle kStyles[] = {
    {"BUTTON", kTab | BS_PUSHBUTTON, 0},
    {"BUTTON", kTab | BS_OWNERDRAW, 0},
    {"BUTTON", kTab | BS_AUTORADIOBUTTON, 0},
    {"BUTTON", kTab | BS_AUTOCHECKBOX, 0},
    {"BUTTON", BS_GROUPBOX, 0},
    {"STATIC", SS_LEFT, 0},
    {"STATIC", SS_OWNERDRAW, 0},
    {"EDIT", kTab | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {"EDIT", kTab | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE},
    {"LISTBOX", kListStyle, WS_EX_CLIENTEDGE},
    {"LISTBOX", kListStyle | LBS_NODATA | LBS_OWNERDRAWFIXED, WS_EX_CLIENTEDGE},
    {"COMBOBOX", kTab | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0},
    {PROGRESS_CLASSA, 0, 0},
    {"STATIC", SS_ICON, 0},
};
static_assert(std::size(kStyles) == static_cast<size_t>(Kind::Picture) + 1);

}  // namespace

std::string WindowText(HWND hwnd) {
  std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1);
  GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
  return text.data();
}

const ControlDef* ControlSet::Find(int id) const {
  for (const ControlDef& control : table_) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

std::vector<HWND> ControlSet::PushButtons() const {
  std::vector<HWND> buttons;
  for (const ControlDef& control : table_) {
    const bool push = control.kind == Kind::Button || control.kind == Kind::Graphical;
    if (push && (*this)[control.id]) buttons.push_back((*this)[control.id]);
  }
  return buttons;
}

RECT ControlSet::PixelRect(int id) const {
  const ControlDef* control = Find(id);
  if (!control) return RECT{};
  int left = control->left;
  int top = control->top;
  for (const ControlDef* frame = Find(control->container); frame; frame = Find(frame->container)) {
    left += frame->left;
    top += frame->top;
  }
  return RECT{TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(left + control->width),
              TwipsToPixelsY(top + control->height)};
}

void ControlSet::Create(HWND parent, std::span<const ControlDef> table, HFONT font) {
  table_ = table;
  std::vector<const ControlDef*> order;
  for (const ControlDef& control : table) order.push_back(&control);
  auto rank = [](const ControlDef* s) {
    if (s->kind == Kind::Frame) return 2;
    return s->tab >= 0 ? 0 : 1;
  };
  std::stable_sort(order.begin(), order.end(), [&](const ControlDef* a, const ControlDef* b) {
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    return rank(a) == 0 && a->tab < b->tab;
  });
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  for (const ControlDef* control : order) {
    const ClassAndStyle cs = kStyles[static_cast<size_t>(control->kind)];
    RECT r = PixelRect(control->id);
    int height = r.bottom - r.top;
    // A combo box's height includes its drop-down list.
    if (control->kind == Kind::Combo) height *= 8;
    HWND hwnd = CreateWindowExA(cs.exStyle, cs.className, control->caption,
                                WS_CHILD | WS_VISIBLE | cs.style | control->extraStyle, r.left,
                                r.top, r.right - r.left, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control->id)),
                                instance, nullptr);
    if (hwnd && font) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    handles_[control->id] = hwnd;
  }
}

bool ControlSet::DrawLine(const DRAWITEMSTRUCT& item) const {
  const ControlDef* control = Find(static_cast<int>(item.CtlID));
  if (!control || control->kind != Kind::Line || (*this)[control->id] != item.hwndItem) {
    return false;
  }
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(control->lineColor));
  return true;
}

}  // namespace vantrel
