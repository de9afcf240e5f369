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
  if (index >= 0) text = item.CtlID == kList1 ? doc_.List1.Item(index) : CommentRow(doc_, index);
  DrawListRow(item, text, listFont_.Get());
  return true;
}

int32_t CommentRowCount(const HostsDocument& doc) {
  if (doc.LineCount == 0) return 0;
  return doc.Comments.empty() ? 1 : doc.CommentCount();
}

Text CommentRow(const HostsDocument& doc, int32_t i) {
  if (i < 0 || i >= CommentRowCount(doc)) return {};
  return doc.Comments.empty() ? "No Comments Found" : doc.Comments[static_cast<size_t>(i)];
}

}  // namespace vantrel
