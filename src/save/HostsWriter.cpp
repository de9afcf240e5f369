#include "save/HostsWriter.h"

#include <algorithm>

#include "core/HostsGrammar.h"
#include "core/TextEncoding.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Lines go into one buffer, which goes to the sink whenever it is full.
// After the sink refused a piece, nothing more is written.
class LineWriter {
 public:
  LineWriter(const TextSink& sink, const std::string& prefix) : sink_(sink), prefix_(prefix) {
    out_.reserve(kWritePiece + 4096);
    address_ = prefix_;
    if (!address_.empty() && address_.back() == ' ') address_.pop_back();
  }

  // Bytes that are not a line (the byte-order mark).
  void Raw(std::string_view bytes) { out_.append(bytes); }

  // A host part holding a tab keeps a tab before it: after a space, the
  // reader would cut at that tab and lose the host name. One holding a comma
  // (read from quotes) goes back in quotes, or it would come back as two.
  void Entry(Text host) {
    const bool quoted = host.find(',') != Text::npos;
    if (quoted) out_.push_back('"');
    if (host.find('\t') == Text::npos) {
      out_.append(prefix_);
    } else {
      out_.append(address_).push_back('\t');
    }
    out_.append(host);
    if (quoted) out_.push_back('"');
    out_.append(kLineEnd);
    run_ = 0;
    FlushIfFull();
  }
  // A comment; the first of a run of consecutive comments gets an empty line
  // before it, which sets the comments apart from the entries above them.
  void Comment(Text comment) {
    if (run_ == 0) out_.append(kLineEnd);
    if (comment.find(',') == Text::npos) {
      out_.append(comment);
    } else {
      out_.append("\"").append(comment).append("\"");
    }
    out_.append(kLineEnd);
    ++run_;
    FlushIfFull();
  }

  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  void FlushIfFull() {
    if (out_.size() >= kWritePiece) Flush();
  }
  void Flush() {
    if (ok_ && !out_.empty()) ok_ = sink_(out_);
    out_.clear();
  }

  const TextSink& sink_;
  const std::string& prefix_;
  std::string address_;  // the prefix without its space
  std::string out_;
  bool ok_ = true;
  int32_t run_ = 0;  // comments written since the last entry
};

// After a sort or an edit the entries lie all over the file's bytes, so each
// line would wait for its text to come from memory; asking for the text a
// few lines ahead lets those waits overlap.
constexpr size_t kAhead = 16;
void Prefetch(const BigVector<Text>& entries, size_t i) {
  if (i < entries.size()) __builtin_prefetch(entries[i].data());
}

// Every non-empty entry, in Entries order. An empty element (an address with
// nothing after its tab) has no host to write: a bare address line would
// not be an entry.
void WriteEntries(const HostsDocument& doc, LineWriter& out) {
  const auto& entries = doc.Entries.Items();
  for (size_t e = 0; e < entries.size(); ++e) {
    Prefetch(entries, e + kAhead);
    if (!entries[e].empty()) out.Entry(entries[e]);
  }
}

// Comments go back at their recorded positions among the non-blank lines;
// entries fill the other positions in Entries order. An empty element still
// takes its position, as its line did in the loaded file, so the comments
// after it keep their places; it writes nothing. Whatever the walk does not
// reach (entries pushed past the count by empty elements, comments after the
// last entry or past the count once entries were deleted) follows, entries
// first, so nothing of the document is lost.
void WriteWithComments(const HostsDocument& doc, LineWriter& out) {
  const int32_t positions = PositionCount(doc);
  const int32_t entries = doc.Entries.Count();
  const int32_t comments = std::min(doc.Comments.Count(), doc.CommentPositions.Count());
  int32_t e = 1;  // entry cursor
  int32_t c = 1;  // comment cursor
  for (int32_t i = 1; i <= positions && e <= entries; ++i) {
    if (c <= comments && doc.CommentPositions(c) <= i) {
      out.Comment(doc.Comments(c++));
      continue;
    }
    Prefetch(doc.Entries.Items(), static_cast<size_t>(e) - 1 + kAhead);
    const Text entry = doc.Entries(e++);
    if (!entry.empty()) out.Entry(entry);
  }
  for (; e <= entries; ++e) {
    if (!doc.Entries(e).empty()) out.Entry(doc.Entries(e));
  }
  for (; c <= comments; ++c) out.Comment(doc.Comments(c));
}

}  // namespace

SaveTarget TargetForOption(int32_t option, const std::string& typed) {
  switch (option) {
    case 1:
      return {"127.0.0.1 ", "Save Host File With LocalHost (127.0.0.1)"};
    case 2:
      return {"0 ", "Save Host File Without LocalHost (0)"};
    case 3: {
      std::string address = typed;
      LowerAscii(address);
      return {address + " ", "Save Host File With " + address};
    }
    default:
      return {};
  }
}

std::string SaveDialogTitle(const SaveTarget& target) {
  return "Save Host File " + target.phrase + " As...";
}

bool ShowsNoComments(const HostsDocument& doc) {
  return !doc.List_Comments.empty() && doc.List_Comments.front() == kNoCommentsFound;
}

int32_t PositionCount(const HostsDocument& doc) {
  int32_t count = doc.List1.Count();
  if (!ShowsNoComments(doc)) count += static_cast<int32_t>(doc.List_Comments.size());
  return count;
}

bool WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments,
                    const TextSink& sink) {
  LineWriter out(sink, prefix);
  if (doc.Utf8Bom) out.Raw(kUtf8Bom);
  if (withComments && !ShowsNoComments(doc)) {
    WriteWithComments(doc, out);
  } else {
    WriteEntries(doc, out);
  }
  return out.Finish();
}

std::string WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments) {
  std::string text;
  WriteHostsText(doc, prefix, withComments, [&](std::string_view piece) {
    text.append(piece);
    return true;
  });
  return text;
}

}  // namespace vantrel
