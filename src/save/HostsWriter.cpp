#include "save/HostsWriter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/ByteScan.h"
#include "core/TextEncoding.h"

namespace vantrel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Formats lines into a buffer, handed to the sink whenever the next line would not fit.
class LineWriter {
 public:
  LineWriter(const std::string& prefix, const TextSink& sink)
      : prefix_(prefix), address_(prefix), sink_(sink) {
    if (!address_.empty() && address_.back() == ' ') address_.pop_back();
  }

  // A host holding a tab keeps a tab before it, or reading would cut there;
  // one holding a comma (read from quotes) goes back in quotes.
  void Entry(Text host) {
    const size_t first = FindByte(host, 0, ',', '\t', '\t');  // most hosts have neither
    const bool comma = first < host.size() && FindByte(host, first, ',', ',', ',') < host.size();
    const bool tab = first < host.size() && FindByte(host, first, '\t', '\t', '\t') < host.size();
    const std::string& lead = tab ? address_ : prefix_;
    char* p = Reserve(lead.size() + host.size() + 5);  // quotes, a tab, CR LF
    if (comma) *p++ = '"';
    p = Put(p, lead);
    if (tab) *p++ = '\t';
    p = Put(p, host);
    if (comma) *p++ = '"';
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

  // False once the sink has refused any lines: it gets nothing more.
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
      if (buffer_.size() < kWriteChunk) {
        // Grows to a whole chunk first: a small file never needs one.
        buffer_.resize(std::max(std::min(2 * buffer_.size() + 4096, kWriteChunk), used_ + n));
      } else {
        Flush();
        if (buffer_.size() < n) buffer_.resize(n);
      }
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

// Comments go back at their recorded positions among the non-blank lines; entries fill the other
// positions in order. An empty entry takes its position but writes nothing. What the walk does not
// reach follows, entries first, so nothing of the document is lost. The positions count the list's
// items and the comments, as the window showed them.
bool WriteLines(const HostsDocument& doc, bool withComments, LineWriter& out) {
  const EntriesView entries = doc.Entries();
  const int32_t entryCount = entries.Count();
  const int32_t commentCount =
      withComments
          ? static_cast<int32_t>(std::min(doc.Comments.size(), doc.CommentPositions.size()))
          : 0;
  const int32_t positionCount = withComments ? doc.List1.Count() + doc.CommentCount() : 0;
  int32_t e = 0;
  int32_t c = 0;
  // A run of comments after an entry (or at the start) opens with an empty line.
  bool afterEntry = true;
  const auto putEntry = [&] {
    // After a sort the entries lie all over the file's bytes; asking for the
    // text a few lines ahead lets the waits for memory overlap.
    constexpr int32_t kAhead = 16;
    if (e + kAhead < entryCount) {
      __builtin_prefetch(entries[static_cast<size_t>(e + kAhead)].data());
    }
    const Text entry = entries[static_cast<size_t>(e++)];
    if (entry.empty()) return;
    out.Entry(entry);
    afterEntry = true;
  };
  const auto putComment = [&] {
    out.Comment(doc.Comments[static_cast<size_t>(c++)], afterEntry);
    afterEntry = false;
  };
  for (int32_t i = 1; i <= positionCount && e < entryCount && out.Accepted(); ++i) {
    if (c < commentCount && doc.CommentPositions[static_cast<size_t>(c)] <= i) {
      putComment();
    } else {
      putEntry();
    }
  }
  while (e < entryCount && out.Accepted()) putEntry();
  while (c < commentCount && out.Accepted()) putComment();
  return out.Flush();
}

// Every phrase starts with the title's first three words, so the title says them twice.
SaveTarget Target(const std::string& address, const std::string& phrase) {
  return {address + " ", "Save Host File " + phrase + " As..."};
}

}  // namespace

SaveTarget TargetForOption(SaveOption option, const std::string& typed) {
  switch (option) {
    case SaveOption::LocalHost:
      return Target("127.0.0.1", "Save Host File With LocalHost (127.0.0.1)");
    case SaveOption::Zero:
      return Target("0", "Save Host File Without LocalHost (0)");
    case SaveOption::Typed: {
      std::string address = typed;
      LowerAscii(address);
      return Target(address, "Save Host File With " + address);
    }
    case SaveOption::None:
      break;
  }
  return {};
}

bool WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments,
                    const TextSink& sink) {
  if (doc.Utf8Bom && !sink(kUtf8Bom)) return false;
  LineWriter writer(prefix, sink);
  return WriteLines(doc, withComments, writer);
}

std::string WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments) {
  std::string text;
  WriteHostsText(doc, prefix, withComments, [&](std::string_view chunk) {
    text.append(chunk);
    return true;
  });
  return text;
}

FsStatus WriteHostsFile(FileSystem& fs, const std::string& path, const HostsDocument& doc,
                        const std::string& prefix, bool withComments) {
  return SafeWriteFile(fs, path, [&](const ChunkWriter& write) {
    FsStatus status;
    WriteHostsText(doc, prefix, withComments, [&](std::string_view chunk) {
      status = write(chunk);
      return status.ok();
    });
    return status;
  });
}

}  // namespace vantrel
