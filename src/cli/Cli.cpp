#include "cli/Cli.h"

#include <exception>
#include <new>
#include <string_view>

#include "core/Dedup.h"
#include "core/HostsGrammar.h"
#include "core/HostsReader.h"
#include "core/OpenFile.h"
#include "core/OutOfMemory.h"
#include "core/SilentUi.h"
#include "save/HostsWriter.h"

namespace vantrel {
namespace {

constexpr std::string_view kUsage =
    "usage: vantrel-cli dump FILE\n"
    "       vantrel-cli clean IN OUT [--address TEXT] [--no-comments] [--keep-duplicates]\n"
    "  dump FILE   read FILE as the program opens it and print the document\n"
    "  clean       open IN, remove duplicate entries and save the list as OUT with\n"
    "              the address TEXT (default 127.0.0.1) before every entry; TEXT\n"
    "              holds no space, tab, comma or quote and does not begin with #\n";

std::string FormatDocument(const HostsDocument& doc, const std::string& labelIP) {
  std::string text;
  for (const auto& [name, value] : {std::pair{"LineCount", doc.LineCount},
                                    {"EntryCount", doc.EntryCount()},
                                    {"CommentCount", doc.CommentCount()},
                                    {"LoadedEntryCount", doc.LoadedEntryCount}}) {
    text.append(name).append(": ").append(std::to_string(value)).push_back('\n');
  }
  text.append("LabelIP: ").append(labelIP).push_back('\n');
  const EntriesView entries = doc.Entries();
  for (size_t e = 0; e < static_cast<size_t>(entries.Count()); ++e) {
    text.append("Entry: ").append(entries[e]).push_back('\n');
  }
  for (size_t c = 0; c < doc.Comments.size(); ++c) {
    text.append("Comment: ").append(std::to_string(doc.CommentPositions[c])).push_back(' ');
    text.append(doc.Comments[c]).push_back('\n');
  }
  return text;
}

// The exit code of a read that loaded nothing, once the reason is told.
int NotLoaded(const ReadResult& result, const std::string& path, std::ostream& err) {
  if (result.outcome == ReadOutcome::Unreadable || result.outcome == ReadOutcome::TooLarge) {
    err << "Cannot read \"" << path << "\": " << result.reason << '\n';
    return kExitFailure;
  }
  err << "Host File Empty: No entries found in Host file.\n";
  return kExitEmptyFile;
}

// Running out of memory ends a command before it writes anything.
int OutOfMemory(std::ostream& err, const char* doing, const std::string& path) {
  err << "vantrel-cli: not enough memory to " << doing << " \"" << path << "\"\n";
  return kExitFailure;
}

int Dump(const std::string& path, std::ostream& out, std::ostream& err) {
  HostsDocument doc;
  ReadResult result;
  std::string text;
  if (RanOutOfMemory([&] {
        result = ReadHostsFile(path, doc);
        if (result.outcome == ReadOutcome::Loaded) text = FormatDocument(doc, result.labelIP);
      })) {
    return OutOfMemory(err, "read", path);
  }
  if (result.outcome != ReadOutcome::Loaded) return NotLoaded(result, path, err);
  out << text << std::flush;
  return kExitOk;
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
      // Refused when the file would not read it back as the address.
      if (++i == args.size() || !ReadsBackAsAddress(args[i])) return false;
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

int Clean(const CleanArgs& args, std::ostream& out, std::ostream& err) {
  HostsDocument doc;
  ReadResult result;
  SilentUi ui;
  if (RanOutOfMemory([&] { result = OpenHostsFile(args.in, doc, ui); })) {
    return OutOfMemory(err, "read", args.in);
  }
  if (result.outcome != ReadOutcome::Loaded || doc.List1.Count() == 0) {
    return NotLoaded(result, args.in, err);
  }
  const int32_t before = doc.List1.Count();
  FsStatus status;
  // The window's own job removes exactly what the Remove Duplicates button would; the address
  // goes in as the third save option takes it.
  if (RanOutOfMemory([&] {
        if (args.dedup) RemoveDuplicatesJob(doc, ui);
        const std::string prefix = TargetForOption(SaveOption::Typed, args.address).prefix;
        status = WriteHostsFile(NativeFileSystem(), args.out, doc, prefix, args.withComments);
      })) {
    return OutOfMemory(err, "clean", args.in);
  }
  const int32_t left = doc.List1.Count();
  if (!status.ok()) {
    err << "Cannot write \"" << args.out << "\": " << ReasonFor(status) << '\n';
    return kExitFailure;
  }
  out << "before " << before << " removed " << before - left << " left " << left << '\n';
  out.flush();
  return kExitOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    if (args.size() == 2 && args[0] == "dump") return Dump(args[1], out, err);
    CleanArgs clean;
    if (!args.empty() && args[0] == "clean" && ParseClean(args, clean)) {
      return Clean(clean, out, err);
    }
    err << kUsage;
  } catch (const std::bad_alloc&) {
    err << "vantrel-cli: not enough memory\n";
  } catch (const std::exception& e) {
    err << "vantrel-cli: " << e.what() << '\n';
  }
  return kExitFailure;
}

}  // namespace vantrel
