#include "core/OpenFile.h"

#include <type_traits>
#include <utility>

#include "core/ElapsedTime.h"
#include "core/TextSort.h"

namespace vantrel {

ReadResult OpenHostsFile(const std::string& path, HostsDocument& loaded, DocumentUi& ui,
                         std::function<void()> loading) {
  ReadOptions options;
  options.loading = std::move(loading);
  const ReadResult result = ReadHostsFile(path, loaded, options);
  if (result.outcome != ReadOutcome::Loaded) return result;
  loaded.HostsPath = path;
  loaded.RedirectCaption = result.labelIP;
  ui.RunInWaitWindow([&] { LoadListsJob(loaded, ui); });
  return result;
}

void LoadListsJob(HostsDocument& doc, DocumentUi& ui) {
  ui.SetJobCaption("Opening Host File...");
  const JobClock clock;
  const int32_t count = doc.EntryCount();
  ui.SetProgressRange(0, count);

  // Every non-empty entry goes into the sorted list. Sorting them all at
  // once gives the order that adding them one by one would.
  doc.List1.Clear();
  const TextArray& entries = doc.Entries().Head();
  MarkedTexts sorted = SortTexts(entries.data(), entries.size(), SortedCopy::NonEmpty);
  doc.List1.Assign(std::move(sorted.texts), std::move(sorted.repeats));
  ShowProgressThrough(ui, count);
  // Nothing shows the previous file's texts any more.
  doc.Texts.ReleaseOlder();
  doc.ElapsedTime = clock.Elapsed();
}

void AdoptLoaded(HostsDocument& doc, HostsDocument& loaded) noexcept {
  static_assert(std::is_nothrow_move_assignable_v<HostsDocument>);
  loaded.ChangeCount = 0;
  loaded.LastAction = doc.LastAction;
  loaded.DisarmUndo();
  loaded.UndoAddedEntry.swap(doc.UndoAddedEntry);
  loaded.UndoOldEntry.swap(doc.UndoOldEntry);
  loaded.UndoNewEntry.swap(doc.UndoNewEntry);
  loaded.UndoDeletedEntry.swap(doc.UndoDeletedEntry);
  doc = std::move(loaded);
}

}  // namespace vantrel
