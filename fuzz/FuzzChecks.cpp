#include "FuzzChecks.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/HostsDocument.h"
#include "core/HostsGrammar.h"
#include "core/HostsReader.h"
#include "core/OpenFile.h"
#include "core/SilentUi.h"
#include "save/HostsWriter.h"

namespace vantrel::fuzz {

namespace {

// Reads bytes as the program does, false for bytes it refuses. A file of a
// single item is one the program calls empty, but its item is read all the
// same: a saved file of a single entry still reads back.
bool ReadAll(std::string_view bytes, HostsDocument& doc) {
  return ReadHostsText(bytes, doc).outcome != ReadOutcome::Unreadable;
}

// The list as the load job leaves it.
void FillLists(HostsDocument& doc) {
  SilentUi ui;
  LoadListsJob(doc, ui);
}

std::vector<std::string> NonEmptyEntries(const HostsDocument& doc) {
  std::vector<std::string> entries;
  for (const Text entry : doc.CopyEntries()) {
    if (!entry.empty()) entries.emplace_back(entry);
  }
  return entries;
}

std::vector<std::string> AllComments(const HostsDocument& doc) {
  return {doc.Comments.begin(), doc.Comments.end()};
}

std::string CheckDocument(const HostsDocument& doc) {
  if (doc.CommentPositions.size() != doc.Comments.size()) return "one position per comment";
  if (doc.LoadedEntryCount != doc.EntryCount()) return "LoadedEntryCount differs";
  if (doc.LineCount < doc.EntryCount() + doc.CommentCount()) return "more items than LineCount";
  int32_t previous = 0;
  for (size_t c = 0; c < doc.Comments.size(); ++c) {
    const Text comment = doc.Comments[c];
    if (comment.empty() || comment.front() != '#') return "a comment without its #";
    if (comment.find_first_of("\r\n") != Text::npos) return "a comment holds a line end";
    // Only a quoted item holds a comma, and it ends at its closing quote.
    if (comment.find(',') != Text::npos && comment.find('"') != Text::npos) {
      return "a comment holds both a comma and a quote";
    }
    if (doc.CommentPositions[c] <= previous) return "comment positions do not rise";
    previous = doc.CommentPositions[c];
    if (previous > doc.LineCount) return "a comment position past LineCount";
  }
  for (const Text entry : doc.CopyEntries()) {
    if (entry.find_first_of("\r\n") != Text::npos) return "an entry holds a line end";
    if (entry.find(',') != Text::npos && entry.find('"') != Text::npos) {
      return "an entry holds both a comma and a quote";
    }
    if (!entry.empty() && (entry.front() == ' ' || entry.back() == ' ')) {
      return "an entry with spaces at an end";
    }
    for (const char c : entry) {
      if (c >= 'A' && c <= 'Z') return "an entry not in lower case";
    }
  }
  return {};
}

struct Choice {
  const char* prefix;
  bool withComments;
};

constexpr Choice kChoices[] = {
    {"127.0.0.1 ", true}, {"127.0.0.1 ", false}, {"0 ", true},
    {"0 ", false},        {"myserver ", true},   {"myserver ", false},
};

std::string Describe(const Choice& choice, const std::string& what) {
  return std::string("written with \"") + choice.prefix +
         (choice.withComments ? "\" and comments: " : "\" without comments: ") + what;
}

}  // namespace

std::string CheckRead(std::string_view bytes) {
  HostsDocument doc;
  const ReadResult result = ReadHostsText(std::string(bytes), doc);
  if (result.outcome == ReadOutcome::Unreadable) {
    return result.reason.empty() ? "refused without a reason" : "";
  }
  if (result.outcome == ReadOutcome::Empty) return doc.LineCount < 2 ? "" : "empty with items";
  // Read in small chunks of whole lines, the text gives the same document.
  ReadOptions chunked;
  chunked.chunkBytes = bytes.empty() ? 1 : 1 + static_cast<unsigned char>(bytes[0]) % 32;
  HostsDocument again;
  const ReadResult inChunks = ReadHostsText(bytes, again, chunked);
  if (inChunks.outcome != result.outcome || inChunks.labelIP != result.labelIP ||
      again.LineCount != doc.LineCount || NonEmptyEntries(again) != NonEmptyEntries(doc) ||
      again.EntryCount() != doc.EntryCount() || AllComments(again) != AllComments(doc) ||
      again.CommentPositions != doc.CommentPositions) {
    return "read in chunks, the text gives another document";
  }
  std::string problem = CheckDocument(doc);
  if (problem.empty() && doc.EntryCount() > 0 &&
      result.labelIP.rfind("Host File currently ", 0) != 0) {
    problem = "no LabelIP caption";
  }
  return problem;
}

std::string CheckRoundTrip(std::string_view bytes) {
  HostsDocument doc;
  if (!ReadAll(bytes, doc)) return {};
  FillLists(doc);
  const std::vector<std::string> entries = NonEmptyEntries(doc);
  for (const Choice& choice : kChoices) {
    const std::string written = WriteHostsText(doc, choice.prefix, choice.withComments);
    HostsDocument again;
    if (!ReadAll(written, again)) return Describe(choice, "the output is refused");
    if (again.Utf8Bom != doc.Utf8Bom) return Describe(choice, "the byte-order mark changed");
    if (std::string problem = CheckDocument(again); !problem.empty()) {
      return Describe(choice, problem);
    }
    if (NonEmptyEntries(again) != entries) return Describe(choice, "entries differ");
    if (again.EntryCount() != static_cast<int32_t>(entries.size())) {
      return Describe(choice, "an empty entry was written");
    }
    const std::vector<std::string> comments =
        choice.withComments ? AllComments(doc) : std::vector<std::string>{};
    if (AllComments(again) != comments) return Describe(choice, "comments differ");
    FillLists(again);
    if (WriteHostsText(again, choice.prefix, choice.withComments) != written) {
      return Describe(choice, "writing it again gives other bytes");
    }
  }
  return {};
}

std::string CheckTypedAddress(std::string_view bytes) {
  if (bytes.empty()) return {};
  const size_t size = std::min<size_t>(static_cast<unsigned char>(bytes[0]) % 16, bytes.size() - 1);
  const std::string typed(bytes.substr(1, size));
  HostsDocument doc;
  if (!ReadsBackAsAddress(typed) || !ReadAll(bytes.substr(1 + size), doc)) return {};
  FillLists(doc);
  const std::string written =
      WriteHostsText(doc, TargetForOption(SaveOption::Typed, typed).prefix, true);
  HostsDocument again;
  if (!ReadAll(written, again)) return "written with an accepted address, the output is refused";
  if (NonEmptyEntries(again) != NonEmptyEntries(doc)) {
    return "written with an accepted address, the entries differ";
  }
  if (AllComments(again) != AllComments(doc)) {
    return "written with an accepted address, the comments differ";
  }
  return {};
}

}  // namespace vantrel::fuzz
