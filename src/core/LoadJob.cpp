#include "core/LoadJob.h"

#include <type_traits>
#include <utility>

#include "core/ProgressSteps.h"
#include "core/TextSort.h"

namespace vantrel {

void LoadListsJob(HostsDocument& doc, DocumentUi& ui) {
  ui.SetJobCaption("Opening Host File...");
  ui.StartTiming();
  ui.SetProgressRange(0, doc.EntryCount);

  // Every non-empty entry goes into the sorted list. Sorting them all at
  // once gives the order that adding them one by one would.
  doc.List1.Clear();
  doc.List1.Assign({});
  const std::vector<Text>& entries = std::as_const(doc.Entries).Items();
  doc.List1.AssignMirror(SortedTextsMarked(entries.data(), entries.size(), SortedCopy::NonEmpty),
                         doc.Entries);
  ProgressSteps(ui, doc.EntryCount).Through(doc.EntryCount);

  if (doc.CommentCount > 0) {
    doc.List_Comments.clear();
    doc.List_Comments.reserve(static_cast<size_t>(doc.CommentCount));
    for (const Text comment : std::as_const(doc.Comments)) {
      if (!comment.empty()) doc.List_Comments.push_back(comment);
    }
  }
  ui.EntriesChanged();
  // Nothing shows the previous file's texts any more.
  doc.Texts.ReleaseOlder();
  ui.SetBusy(false);
  ui.TimeControl();
}

void AdoptLoaded(HostsDocument& doc, HostsDocument& loaded) noexcept {
  static_assert(std::is_nothrow_move_assignable_v<HostsDocument>);
  loaded.ChangeCount = 0;
  loaded.LastAction = doc.LastAction;
  loaded.WaitJob = doc.WaitJob;
  loaded.ExitPending = doc.ExitPending;
  loaded.UndoAddedEntry.swap(doc.UndoAddedEntry);
  loaded.UndoOldEntry.swap(doc.UndoOldEntry);
  loaded.UndoNewEntry.swap(doc.UndoNewEntry);
  loaded.UndoDeletedEntry.swap(doc.UndoDeletedEntry);
  doc = std::move(loaded);
}

}  // namespace vantrel
