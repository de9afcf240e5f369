#include "save/HostsWriter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/ByteScan.h"
#include "core/HostsGrammar.h"
#include "core/TextEncoding.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// What a text holds that changes how its line is written.
struct Marks {
  bool comma = false;
  bool tab = false;
};

Marks MarksOf(Text text) {
  const size_t first = FindByte(text, 0, ',', '\t', '\t');
  if (first == text.size()) return {};
  return {FindByte(text, first, ',', ',', ',') < text.size(),
          FindByte(text, first, '\t', '\t', '\t') < text.size()};
}

// Formats lines into a buffer and hands it to the sink whenever the next
// line would not fit. After an entry, the first comment of a run of
// consecutive comments gets an empty line before it, which sets the
// comments apart from the entries above them.
class LineWriter {
 public:
  LineWriter(const std::string& prefix, const TextSink& sink)
      : prefix_(prefix), address_(prefix), sink_(sink), buffer_(kWritePiece) {
    if (!address_.empty() && address_.back() == ' ') address_.pop_back();
  }

  // A host part holding a tab keeps a tab before it: after a space, the
  // reader would cut at that tab and lose the host name. One holding a comma
  // (read from quotes) goes back in quotes, or it would come back as two.
  void Entry(Text host) {
    const Marks marks = MarksOf(host);
    const std::string& lead = marks.tab ? address_ : prefix_;
    char* p = Reserve(lead.size() + host.size() + 5);  // quotes, a tab, CR LF
    if (marks.comma) *p++ = '"';
    p = Put(p, lead);
    if (marks.tab) *p++ = '\t';
    p = Put(p, host);
    if (marks.comma) *p++ = '"';
    End(Put(p, kLineEnd));
  }

  void Comment(Text comment, bool firstOfRun) {
    const bool quoted = comment.find(',') != Text::npos;
    char* p = Reserve(comment.size() + 6);
    if (firstOfRun) p = Put(p, kLineEnd);
    if (quoted) *p++ = '"';
    p = Put(p, comment);
    if (quoted) *p++ = '"';
    End(Put(p, kLineEnd));
  }

  // Hands the lines held to the sink. False once the sink has refused any:
  // it gets nothing more.
  bool Flush() {
    if (accepted_ && used_ > 0) accepted_ = sink_({buffer_.data(), used_});
    used_ = 0;
    return accepted_;
  }
  bool Accepted() const { return accepted_; }

 private:
  static char* Put(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
  }
  // Where n more bytes can go.
  char* Reserve(size_t n) {
    if (buffer_.size() - used_ < n) {
      Flush();
      if (buffer_.size() < n) buffer_.resize(n);
    }
    return buffer_.data() + used_;
  }
  void End(const char* p) { used_ = static_cast<size_t>(p - buffer_.data()); }

  const std::string& prefix_;
  std::string address_;  // the prefix without its space
  const TextSink& sink_;
  std::vector<char> buffer_;
  size_t used_ = 0;
  bool accepted_ = true;
};

// Comments go back at their recorded positions among the non-blank lines;
// entries fill the other positions in Entries order. An empty element still
// takes its position, as its line did in the loaded file, so the comments
// after it keep their places; it writes nothing. Whatever the walk does not
// reach (entries pushed past the count by empty elements, comments after the
// last entry or past the count once entries were deleted) follows, entries
// first, so nothing of the document is lost. Without comments, the walk is
// the entries alone.
class LineWalk {
 public:
  LineWalk(const HostsDocument& doc, bool withComments)
      : entries_(doc.Entries()),
        entryCount_(entries_.Count()),
        comments_(withComments ? doc.Comments.data() : nullptr),
        positions_(withComments ? doc.CommentPositions.data() : nullptr),
        commentCount_(withComments ? static_cast<int32_t>(
                                         std::min(doc.Comments.size(), doc.CommentPositions.size()))
                                   : 0),
        // The positions count the list's items and the comments: what the
        // window showed when positions were first written back.
        positionCount_(withComments ? doc.List1.Count() + doc.CommentCount() : 0) {}

  // Writes every line; false when the sink refused one.
  bool Write(LineWriter& out) {
    // After a sort or an edit the entries lie all over the file's bytes, so
    // each line would wait for its text to come from memory; asking for the
    // text a few lines ahead lets those waits overlap.
    constexpr int32_t kAhead = 16;
    while (out.Accepted()) {
      if (e_ + kAhead <= entryCount_) __builtin_prefetch(Entry(e_ + kAhead).data());
      switch (Next()) {
        case Step::End:
          return out.Flush();
        case Step::Entry: {
          const Text entry = Entry(e_ - 1);
          if (!entry.empty()) out.Entry(entry);
          break;
        }
        case Step::Comment:
          out.Comment(comments_[c_ - 2], run_ == 1);
          break;
      }
    }
    return false;
  }

 private:
  enum class Step { End, Entry, Comment };

  // Moves one line on; says what that line is.
  Step Next() {
    if (i_ <= positionCount_ && e_ <= entryCount_) {
      if (c_ <= commentCount_ && positions_[c_ - 1] <= i_++) return TakeComment();
      return TakeEntry();
    }
    if (e_ <= entryCount_) return TakeEntry();
    if (c_ <= commentCount_) return TakeComment();
    return Step::End;
  }
  Step TakeEntry() {
    // An empty element writes no line, so the comments around it stay one run.
    if (!Entry(e_).empty()) run_ = 0;
    ++e_;
    return Step::Entry;
  }
  Step TakeComment() {
    ++c_;
    ++run_;
    return Step::Comment;
  }

  // Entry e, from 1.
  Text Entry(int32_t e) const { return entries_[static_cast<size_t>(e) - 1]; }

  EntriesView entries_;
  int32_t entryCount_;
  const Text* comments_;
  const int32_t* positions_;
  int32_t commentCount_;
  int32_t positionCount_;
  // The next position, entry and comment, and how many comments came since
  // the last entry.
  int32_t i_ = 1;
  int32_t e_ = 1;
  int32_t c_ = 1;
  int32_t run_ = 0;
};

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

bool WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments,
                    const TextSink& sink) {
  if (doc.Utf8Bom && !sink(kUtf8Bom)) return false;
  LineWriter writer(prefix, sink);
  return LineWalk(doc, withComments).Write(writer);
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
