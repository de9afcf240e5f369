// What the main window's owner-drawn controls show: the pictures of Open
// and Save As, and the two lists, whose items live in the document rather
// than in the list boxes.
#include "platform/OwnerDraw.h"
#include "shell/MainWindow.h"

namespace vantrel {

bool MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (controls_.DrawLine(item)) return true;
  if (item.CtlType == ODT_BUTTON) {
    const ButtonPicture* picture = nullptr;
    if (item.CtlID == kCmdOpen) picture = &openPicture_;
    if (item.CtlID == kCmdSaveAs) picture = &saveAsPicture_;
    const bool isDefault = static_cast<int>(item.CtlID) == defaultButtons_.Current();
    DrawGraphicalButton(item, font_.Get(), picture, isDefault);
    return true;
  }
  if (item.CtlType != ODT_LISTBOX) return false;
  Text text;
  const int32_t index = static_cast<int32_t>(item.itemID);  // -1: the focus of an empty list
  if (index >= 0) text = item.CtlID == kList1 ? doc_.List1.Item(index) : CommentRow(index);
  DrawListRow(item, text, listFont_.Get());
  return true;
}

int32_t MainWindow::CommentRowCount() const {
  if (doc_.LineCount == 0) return 0;
  return doc_.Comments.empty() ? 1 : doc_.CommentCount();
}

Text MainWindow::CommentRow(int32_t i) const {
  if (i < 0 || i >= CommentRowCount()) return {};
  return doc_.Comments.empty() ? "No Comments Found" : doc_.Comments[static_cast<size_t>(i)];
}

}  // namespace vantrel
