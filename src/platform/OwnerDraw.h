// Painting of owner-drawn controls: push buttons with a picture above the
// caption, and the rows of list boxes whose items live outside them.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <type_traits>

namespace vantrel {

// A picture shown above a graphical button's caption; owns its icon.
struct ButtonPicture {
  struct Destroy {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  std::unique_ptr<std::remove_pointer_t<HICON>, Destroy> icon;
  SIZE size{};
};

// The program's icon resource of that id, at that size.
ButtonPicture LoadButtonPicture(HINSTANCE instance, int resourceId, SIZE size);

// A push button with its caption in font, below the picture if there is one;
// framed as the default button when isDefault. Disabled, the picture fades
// into the face and the caption is embossed.
void DrawGraphicalButton(const DRAWITEMSTRUCT& item, HFONT font, const ButtonPicture* picture,
                         bool isDefault);

// One row of a list box showing text in font, greyed while the list is
// disabled; for the focus of an empty list only the focus frame.
void DrawListRow(const DRAWITEMSTRUCT& item, std::string_view text, HFONT font);

// The height of a list row in font.
UINT ListRowHeight(HWND window, HFONT font);

}  // namespace vantrel
