#include "cli/Cli.h"

#include <string_view>
#include <unordered_set>

#include "core/HostsReader.h"
#include "save/HostsWriter.h"
#include "save/SafeWrite.h"

namespace vantrel {

namespace {

constexpr std::string_view kUsage =
    "usage: vantrel-cli dump FILE\n"
    "       vantrel-cli clean IN OUT [--address TEXT] [--no-comments] [--keep-duplicates]\n"
    "  dump FILE   read FILE as the program opens it and print the document\n"
    "  clean       open IN, remove duplicate entries and save the list as OUT with\n"
    "              the address TEXT (default 127.0.0.1) before every entry\n";

constexpr std::string_view kEmptyFile = "Host File Empty: No entries found in Host file.\n";

void AppendCount(std::string& text, std::string_view name, int32_t value) {
  text.append(name).append(": ").append(std::to_string(value)).push_back('\n');
}

std::string FormatDocument(const HostsDocument& doc, const std::string& labelIP) {
  std::string text;
  size_t size = 128 + labelIP.size();
  for (const Text e : doc.Entries) size += e.size() + 8;
  for (const Text c : doc.Comments) size += c.size() + 20;
  text.reserve(size);
  AppendCount(text, "LineCount", doc.LineCount);
  AppendCount(text, "EntryCount", doc.EntryCount);
  AppendCount(text, "CommentCount", doc.CommentCount);
  AppendCount(text, "LoadedEntryCount", doc.LoadedEntryCount);
  text.append("LabelIP: ").append(labelIP).push_back('\n');
  for (const Text entry : doc.Entries) text.append("Entry: ").append(entry).push_back('\n');
  for (int32_t c = 1; c <= doc.Comments.Count(); ++c) {
    text.append("Comment: ").append(std::to_string(doc.CommentPositions(c))).push_back(' ');
    text.append(doc.Comments(c)).push_back('\n');
  }
  return text;
}

int Dump(const std::string& path, std::ostream& out, std::ostream& err) {
  HostsDocument doc;
  const ReadResult result = ReadHostsFile(path, doc);
  switch (result.outcome) {
    case ReadOutcome::Unreadable:
      err << "Cannot read \"" << path << "\": " << result.reason << '\n';
      return kExitFailure;
    case ReadOutcome::Empty:
      err << kEmptyFile;
      return kExitEmptyFile;
    case ReadOutcome::Loaded:
      break;
  }
  const std::string text = FormatDocument(doc, result.labelIP);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  return kExitOk;
}

// The two lists as the load job fills them: List1 the non-empty entries,
// sorted; List_Comments the non-empty comments or the placeholder.
void FillLists(HostsDocument& doc) {
  doc.List1.Clear();
  doc.List1.Reserve(doc.Entries.Items().size());
  for (const Text entry : doc.Entries) {
    if (!entry.empty()) doc.List1.Append(entry);
  }
  doc.List1.Sort();
  doc.List_Comments.clear();
  for (const Text comment : doc.Comments) {
    if (!comment.empty()) doc.List_Comments.push_back(comment);
  }
  if (doc.List_Comments.empty()) doc.List_Comments.push_back(kNoCommentsFound);
}

struct DedupCounts {
  int32_t before = 0;
  int32_t removed = 0;
  int32_t left = 0;
};

// What the duplicate-removal job does to the document, without the window:
// a copy for the undo, the distinct non-empty entries, List1 refilled and
// sorted, Entries rebuilt in List1 order, the counts. Expects at least one
// non-empty entry.
DedupCounts DedupForClean(HostsDocument& doc) {
  DedupCounts counts;
  counts.before = doc.List1.Count();
  doc.EntriesBeforeDedup = doc.Entries;
  std::unordered_set<Text> seen;
  seen.reserve(doc.Entries.Items().size());
  doc.List1.Clear();
  for (const Text entry : doc.Entries) {
    if (!entry.empty() && seen.insert(entry).second) doc.List1.Append(entry);
  }
  doc.List1.Sort();
  doc.Entries = OneBased<Text>(doc.List1.Items());
  doc.EntryCount = doc.Entries.Count();
  counts.left = doc.EntryCount;
  counts.removed = counts.before - counts.left;
  if (counts.removed < 1) {
    doc.LastAction = kActionNone;
  } else {
    doc.LastAction = kActionRemoveDuplicates;
    ++doc.ChangeCount;
  }
  return counts;
}

struct CleanArgs {
  std::string in, out;
  std::string address = "127.0.0.1";
  bool withComments = true;
  bool dedup = true;
};

bool ParseClean(const std::vector<std::string>& args, CleanArgs& parsed) {
  std::vector<std::string> files;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--address") {
      if (++i == args.size() || args[i].empty()) return false;
      parsed.address = args[i];
    } else if (args[i] == "--no-comments") {
      parsed.withComments = false;
    } else if (args[i] == "--keep-duplicates") {
      parsed.dedup = false;
    } else if (args[i].starts_with("--")) {
      return false;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) return false;
  parsed.in = files[0];
  parsed.out = files[1];
  return true;
}

SaveTarget TargetForAddress(const std::string& address) {
  if (address == "127.0.0.1") return TargetForOption(1);
  if (address == "0") return TargetForOption(2);
  return TargetForOption(3, address);
}

int Clean(const CleanArgs& args, std::ostream& out, std::ostream& err) {
  HostsDocument doc;
  const ReadResult result = ReadHostsFile(args.in, doc);
  if (result.outcome == ReadOutcome::Unreadable) {
    err << "Cannot read \"" << args.in << "\": " << result.reason << '\n';
    return kExitFailure;
  }
  if (result.outcome == ReadOutcome::Loaded) FillLists(doc);
  if (result.outcome == ReadOutcome::Empty || doc.List1.Count() == 0) {
    err << kEmptyFile;
    return kExitEmptyFile;
  }
  DedupCounts counts{doc.List1.Count(), 0, doc.List1.Count()};
  if (args.dedup) counts = DedupForClean(doc);

  const SaveTarget target = TargetForAddress(args.address);
  const std::string bytes = WriteHostsText(doc, target.prefix, args.withComments);
  const FsStatus status = SafeWriteFile(NativeFileSystem(), args.out, bytes);
  if (!status.ok()) {
    err << "Cannot write \"" << args.out << "\": " << ReasonFor(status) << '\n';
    return kExitFailure;
  }
  out << "before " << counts.before << " removed " << counts.removed << " left " << counts.left
      << '\n';
  out.flush();
  return kExitOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 2 && args[0] == "dump") return Dump(args[1], out, err);
  CleanArgs clean;
  if (!args.empty() && args[0] == "clean" && ParseClean(args, clean)) return Clean(clean, out, err);
  err << kUsage;
  return kExitFailure;
}

}  // namespace vantrel
