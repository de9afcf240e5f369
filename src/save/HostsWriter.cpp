#include "save/HostsWriter.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/HostsGrammar.h"
#include "core/Parallel.h"
#include "core/TextEncoding.h"
#include "core/WordScan.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Bytes per part of the output that one thread formats at a time.
constexpr size_t kPartBytes = kWritePiece / 2;

// What a text holds that changes how its line is written.
struct Marks {
  bool comma = false;
  bool tab = false;
};

Marks MarksOf(Text text) {
  uint64_t commas = 0;
  uint64_t tabs = 0;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    const uint64_t word = LoadWord(text.data() + i);
    commas |= BytesEqual(word, ',');
    tabs |= BytesEqual(word, '\t');
  }
  Marks marks{commas != 0, tabs != 0};
  for (; i < text.size(); ++i) {
    marks.comma |= text[i] == ',';
    marks.tab |= text[i] == '\t';
  }
  return marks;
}

// The bytes of one part of the output: its buffer grows to the part's
// largest size and is reused for later parts.
struct PartBuffer {
  std::vector<char> buffer;
  size_t size = 0;

  std::string_view Bytes() const { return {buffer.data(), size}; }
};

// Formats lines into a buffer. After an entry, the first comment of a run
// of consecutive comments gets an empty line before it, which sets the
// comments apart from the entries above them.
class LineWriter {
 public:
  LineWriter(const std::string& prefix, PartBuffer& out) : prefix_(prefix), out_(out) {
    address_ = prefix_;
    if (!address_.empty() && address_.back() == ' ') address_.pop_back();
    at_ = out_.buffer.data();
    end_ = at_ + out_.buffer.size();
  }
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  // The buffer holds exactly the lines written.
  ~LineWriter() { out_.size = static_cast<size_t>(at_ - out_.buffer.data()); }

  // A host part holding a tab keeps a tab before it: after a space, the
  // reader would cut at that tab and lose the host name. One holding a comma
  // (read from quotes) goes back in quotes, or it would come back as two.
  void Entry(Text host) {
    const Marks marks = MarksOf(host);
    const bool usual = !marks.comma && !marks.tab;
    const std::string& lead = usual || !marks.tab ? prefix_ : address_;
    char* p = MakeSpace(lead.size() + host.size() + 5);  // quotes, a tab, CR LF
    if (marks.comma) *p++ = '"';
    p = Put(p, lead);
    if (marks.tab) *p++ = '\t';
    p = Put(p, host);
    if (marks.comma) *p++ = '"';
    at_ = Put(p, kLineEnd);
  }

  void Comment(Text comment, bool firstOfRun) {
    const bool quoted = comment.find(',') != Text::npos;
    char* p = MakeSpace(comment.size() + 6);
    if (firstOfRun) p = Put(p, kLineEnd);
    if (quoted) *p++ = '"';
    p = Put(p, comment);
    if (quoted) *p++ = '"';
    at_ = Put(p, kLineEnd);
  }

 private:
  static char* Put(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
  }
  // Where n more bytes can go.
  char* MakeSpace(size_t n) {
    if (static_cast<size_t>(end_ - at_) < n) {
      const size_t used = static_cast<size_t>(at_ - out_.buffer.data());
      out_.buffer.resize(std::max(2 * out_.buffer.size(), used + n + 4096));
      at_ = out_.buffer.data() + used;
      end_ = out_.buffer.data() + out_.buffer.size();
    }
    return at_;
  }

  const std::string& prefix_;
  std::string address_;  // the prefix without its space
  PartBuffer& out_;
  char* at_;
  char* end_;
};

// Where the walk through the output's lines stands: the next position, entry
// and comment, and how many comments came since the last entry.
struct WalkState {
  int32_t i = 1;
  int32_t e = 1;
  int32_t c = 1;
  int32_t run = 0;
};

// A stretch of the walk that is formatted on its own: where it starts, and
// at most how many bytes its lines take.
struct Part {
  WalkState from;
  size_t bytes = 0;
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
  // The comments' positions count the list's items and the comments: what
  // the two lists showed when positions were first written back.
  LineWalk(const HostsDocument& doc, bool withComments)
      : entries_(doc.Entries()),
        entryCount_(entries_.Count()),
        comments_(withComments ? doc.Comments.data() : nullptr),
        positions_(withComments ? doc.CommentPositions.data() : nullptr),
        commentCount_(withComments ? static_cast<int32_t>(
                                         std::min(doc.Comments.size(), doc.CommentPositions.size()))
                                   : 0),
        positionCount_(withComments ? doc.List1.Count() + doc.CommentCount() : 0) {}

  enum class Step { End, Entry, Comment };

  // Moves s one line on; says what that line is.
  Step Next(WalkState& s) const {
    if (s.i <= positionCount_ && s.e <= entryCount_) {
      if (s.c <= commentCount_ && positions_[s.c - 1] <= s.i++) return TakeComment(s);
      return TakeEntry(s);
    }
    if (s.e <= entryCount_) return TakeEntry(s);
    if (s.c <= commentCount_) return TakeComment(s);
    return Step::End;
  }

  // Writes the lines from `from` up to `to` (or to the end).
  void Write(WalkState s, const WalkState* to, LineWriter& out) const {
    // After a sort or an edit the entries lie all over the file's bytes, so
    // each line would wait for its text to come from memory; asking for the
    // text a few lines ahead lets those waits overlap.
    constexpr int32_t kAhead = 16;
    for (;;) {
      if (to && s.e == to->e && s.c == to->c) return;
      if (s.e + kAhead <= entryCount_) __builtin_prefetch(Entry(s.e + kAhead).data());
      switch (Next(s)) {
        case Step::End:
          return;
        case Step::Entry: {
          const Text entry = Entry(s.e - 1);
          if (!entry.empty()) out.Entry(entry);
          break;
        }
        case Step::Comment:
          out.Comment(comments_[s.c - 2], s.run == 1);
          break;
      }
    }
  }

  // Cuts the walk into parts of about `bytes` bytes each, with lines of
  // `prefix` bytes before each entry. The sizes are reckoned from the texts'
  // lengths alone, without their bytes, and are never below what the lines
  // take.
  std::vector<Part> Cuts(size_t bytes, size_t prefix) const {
    std::vector<Part> parts{Part{}};
    WalkState s;
    for (;;) {
      const Step step = Next(s);
      if (step == Step::End) break;
      if (step == Step::Entry) {
        const Text entry = Entry(s.e - 1);
        // Quotes, the address, a tab, the host, CR LF.
        if (!entry.empty()) parts.back().bytes += prefix + entry.size() + 5;
      } else {
        // An empty line, quotes, the comment, CR LF.
        parts.back().bytes += comments_[s.c - 2].size() + 6;
      }
      if (parts.back().bytes >= bytes) parts.push_back({s, 0});
    }
    return parts;
  }

 private:
  Step TakeEntry(WalkState& s) const {
    // An empty element writes no line, so the comments around it stay one run.
    if (!Entry(s.e).empty()) s.run = 0;
    ++s.e;
    return Step::Entry;
  }
  Step TakeComment(WalkState& s) const {
    ++s.c;
    ++s.run;
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
  const LineWalk walk(doc, withComments);
  // The walk is cut into parts; the cores format the parts ahead, each into
  // a buffer of its own, and the buffers go to the sink in order.
  const std::vector<Part> parts = walk.Cuts(kPartBytes, prefix.size());
  std::vector<PartBuffer> buffers(std::min(parts.size(), size_t{Cores()} + 1));
  if (doc.Utf8Bom && !sink(kUtf8Bom)) return false;
  return RunInOrder(
      parts.size(), buffers.size(),
      [&](size_t part, size_t slot) {
        PartBuffer& out = buffers[slot];
        if (out.buffer.size() < parts[part].bytes) out.buffer.resize(parts[part].bytes);
        LineWriter writer(prefix, out);
        walk.Write(parts[part].from, part + 1 < parts.size() ? &parts[part + 1].from : nullptr,
                   writer);
      },
      [&](size_t, size_t slot) { return buffers[slot].size == 0 || sink(buffers[slot].Bytes()); });
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
