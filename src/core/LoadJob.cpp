#include "core/LoadJob.h"

namespace vantrel {

void LoadListsJob(HostsDocument& doc, DocumentUi& ui) {
  ui.SetJobCaption("Opening Host File...");
  ui.StartTiming();
  ui.SetProgressRange(0, doc.EntryCount);

  // Every non-empty entry goes into the sorted list. Appending them all and
  // sorting once gives the order that adding them one by one would.
  doc.List1.Clear();
  doc.List1.Reserve(static_cast<size_t>(doc.EntryCount));
  for (int32_t i = 1; i <= doc.EntryCount; ++i) {
    const Text entry = doc.Entries(i);
    if (entry.empty()) continue;
    doc.List1.Append(entry);
    ui.SetProgress(i);
  }
  doc.List1.Sort();

  if (doc.CommentCount > 0) {
    doc.List_Comments.clear();
    for (int32_t c = 1; c <= doc.CommentCount; ++c) {
      if (!doc.Comments(c).empty()) doc.List_Comments.push_back(doc.Comments(c));
    }
  }
  ui.EntriesChanged();
  // Nothing shows the previous file's texts any more.
  doc.Texts.ReleaseOlder();
  ui.SetBusy(false);
  ui.TimeControl();
}

}  // namespace vantrel
