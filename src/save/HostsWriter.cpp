#include "save/HostsWriter.h"

#include <algorithm>

#include "core/HostsGrammar.h"
#include "core/TextEncoding.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class LineWriter {
 public:
  LineWriter(std::string& out, const std::string& prefix) : out_(out), prefix_(prefix) {
    address_ = prefix_;
    if (!address_.empty() && address_.back() == ' ') address_.pop_back();
  }

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
  }

 private:
  std::string& out_;
  const std::string& prefix_;
  std::string address_;  // the prefix without its space
  int32_t run_ = 0;      // comments written since the last entry
};

size_t SizeHint(const HostsDocument& doc, const std::string& prefix, bool withComments) {
  size_t size = kUtf8Bom.size();
  for (const Text e : doc.Entries) size += prefix.size() + e.size() + 2;
  if (withComments) {
    for (const Text c : doc.Comments) size += c.size() + 4;
  }
  return size;
}

// Every non-empty entry, in Entries order. An empty element (an address with
// nothing after its tab) has no host to write: a bare address line would
// not be an entry.
void WriteEntries(const HostsDocument& doc, LineWriter& out) {
  for (const Text entry : doc.Entries) {
    if (!entry.empty()) out.Entry(entry);
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

std::string WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments) {
  const bool comments = withComments && !ShowsNoComments(doc);
  std::string text;
  text.reserve(SizeHint(doc, prefix, comments));
  if (doc.Utf8Bom) text.append(kUtf8Bom);
  LineWriter out(text, prefix);
  if (comments) {
    WriteWithComments(doc, out);
  } else {
    WriteEntries(doc, out);
  }
  return text;
}

}  // namespace vantrel
