#include "cli/Cli.h"

#include <string_view>

#include "core/HostsReader.h"

namespace vantrel {

namespace {

constexpr std::string_view kUsage =
    "usage: vantrel-cli dump FILE\n"
    "  dump FILE   read FILE as the program opens it and print the document\n";

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
      err << "Host File Empty: No entries found in Host file.\n";
      return kExitEmptyFile;
    case ReadOutcome::Loaded:
      break;
  }
  const std::string text = FormatDocument(doc, result.labelIP);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  return kExitOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 2 && args[0] == "dump") return Dump(args[1], out, err);
  err << kUsage;
  return kExitFailure;
}

}  // namespace vantrel
