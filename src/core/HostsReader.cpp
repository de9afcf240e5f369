#include "core/HostsReader.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/ByteScan.h"
#include "core/HostsGrammar.h"
#include "core/Parallel.h"
#include "core/TextEncoding.h"

namespace vantrel {
namespace {

// The index just past the line end at or after pos.
size_t AfterLineEnd(std::string_view text, size_t pos) {
  pos = FindByte(text, pos, '\r', '\n', '\n');
  if (pos == text.size()) return pos;
  if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
  return pos + 1;
}

// Sets a UTF-8 byte-order mark aside. False, with the reason, for UTF-16 and
// UTF-32 text, which would read as garbage.
bool AcceptEncoding(FileImage& image, bool& utf8Bom, std::string& reason) {
  const TextEncoding encoding = DetectEncoding(image.Text());
  utf8Bom = encoding == TextEncoding::Utf8Bom;
  if (encoding != TextEncoding::SingleByte && !utf8Bom) {
    reason = RefusalReason(encoding);
    return false;
  }
  if (utf8Bom) image.SetAsideFront(kUtf8Bom.size());
  return true;
}

// The LabelIP caption, from the last entry trimmed and lower-cased but not
// yet cut to its host part: its address says where the file sends the hosts.
std::string RedirectCaption(Text lastEntry) {
  // "0" is tested first, so an address that begins with 0 never counts as 127.0.0.1.
  if (!lastEntry.empty() && lastEntry.front() == '0') return kLabelIPNotLocalHost;
  if (lastEntry.find("127.0.0.1") != Text::npos) return kLabelIPLocalHost;
  const size_t space = lastEntry.find(' ');
  std::string_view address;
  if (space != Text::npos) address = TrimSpaces(lastEntry.substr(0, space));
  return std::string(kLabelIPOther).append(address);
}

// How many items a stretch of the file holds, and of which kinds. 32 bits
// suffice: a file short of 2 GiB has fewer items.
struct Counts {
  int32_t items = 0;
  int32_t entries = 0;
  int32_t comments = 0;
};

// Whole lines of the file: what they hold, and what the lines before them
// hold, which is where their items go in the document's arrays.
struct Chunk {
  std::string_view text;
  Counts held;
  Counts before;
};

// One read of a file's bytes, cut into chunks that are counted, then loaded,
// side by side, each by the first free core.
class ChunkedRead {
 public:
  ChunkedRead(std::string_view text, size_t chunkBytes) {
    for (size_t begin = 0; begin < text.size();) {
      const size_t end = text.size() - begin <= chunkBytes
                             ? text.size()
                             : AfterLineEnd(text, begin + chunkBytes - 1);
      chunks_.push_back({text.substr(begin, end - begin), {}, {}});
      begin = end;
    }
    // Starting a thread costs more than reading a small file.
    constexpr size_t kWorthThreads = size_t{4} << 20;
    threads_ = text.size() < kWorthThreads ? 1 : Cores();
  }

  void Count(HostsDocument& doc) {
    RunTasks(chunks_.size(), threads_, [&](size_t i, unsigned) {
      Counts& held = chunks_[i].held;
      ItemReader reader(chunks_[i].text);
      while (!reader.AtEnd()) {
        ++held.items;
        const ItemKind kind = Classify(reader.Next());
        held.comments += kind == ItemKind::Comment;
        held.entries += kind == ItemKind::Entry;
      }
    });
    for (Chunk& chunk : chunks_) {
      chunk.before = total_;
      total_.items += chunk.held.items;
      total_.entries += chunk.held.entries;
      total_.comments += chunk.held.comments;
    }
    doc.LineCount = total_.items;
    doc.LoadedEntryCount = total_.entries;
  }

  // Sizes Entries, Comments and CommentPositions once. The document takes
  // the file's bytes; the previous file's texts stay alive until the lists
  // showing them have been refilled (TextStore::ReleaseOlder).
  void Allocate(FileImage image, bool utf8Bom, HostsDocument& doc) {
    FileImage& adopted = doc.Texts.AdoptFile(std::move(image));
    text_ = adopted.Text();
    bytes_ = adopted.Data();
    doc.Utf8Bom = utf8Bom;
    doc.EntriesBeforeDedup = {};
    // The arrays keep their places when they move into the document, so the
    // load fills them there.
    TextArray entries(static_cast<size_t>(total_.entries));
    entries_ = entries.data();
    doc.SetEntries(std::move(entries));
    doc.Comments.assign(static_cast<size_t>(total_.comments), Text{});
    doc.CommentPositions.assign(static_cast<size_t>(total_.comments), 0);
  }

  // Fills them: comments as read, entries lower-cased in place and cut to
  // their host parts.
  void Load(HostsDocument& doc) {
    RunTasks(chunks_.size(), threads_, [&](size_t i, unsigned) { LoadChunk(chunks_[i], doc); });
  }

  // The last entry before it was cut, for the caption.
  Text LastEntryWhole() const { return lastEntryWhole_; }

 private:
  void LoadChunk(const Chunk& chunk, HostsDocument& doc);

  std::vector<Chunk> chunks_;
  unsigned threads_ = 1;
  Counts total_;
  std::string_view text_;    // the bytes once the document holds them
  char* bytes_ = nullptr;    // the same bytes, to lower-case in place
  Text* entries_ = nullptr;  // the entries' array in the document
  Text lastEntryWhole_;
};

void ChunkedRead::LoadChunk(const Chunk& chunk, HostsDocument& doc) {
  Text* entry = entries_ + chunk.before.entries;
  Text* comment = doc.Comments.data() + chunk.before.comments;
  int32_t* position = doc.CommentPositions.data() + chunk.before.comments;
  int32_t item = chunk.before.items;
  // Comment positions count the non-blank items only.
  int32_t blanks = chunk.before.items - chunk.before.entries - chunk.before.comments;
  int32_t entriesLeft = total_.entries - chunk.before.entries;
  ItemReader reader(chunk.text);
  while (!reader.AtEnd()) {
    ++item;
    const std::string_view text = reader.Next();
    switch (Classify(text)) {
      case ItemKind::Comment:
        *comment++ = text;
        *position++ = item - blanks;
        break;
      case ItemKind::Entry: {
        const Text trimmed = TrimSpaces(text);
        const Text host = HostPart(trimmed);
        --entriesLeft;
        // The last entry is lowered whole: the caption quotes its address.
        const Text lowered = entriesLeft == 0 ? trimmed : host;
        if (!lowered.empty()) {
          LowerAscii({bytes_ + (lowered.data() - text_.data()), lowered.size()});
        }
        if (entriesLeft == 0) lastEntryWhole_ = trimmed;
        *entry++ = host;
        break;
      }
      case ItemKind::Blank:
        ++blanks;
        break;
    }
  }
}

void StageDone(const ReadOptions& options, const char* stage) {
  if (options.stageDone) options.stageDone(stage);
}

ReadResult ReadImage(FileImage image, HostsDocument& doc, const ReadOptions& options) {
  ReadResult result;
  bool utf8Bom = false;
  if (!AcceptEncoding(image, utf8Bom, result.reason)) return result;  // Unreadable
  StageDone(options, "read the bytes");
  ChunkedRead read(image.Text(), std::max<size_t>(options.chunkBytes, 1));
  read.Count(doc);
  StageDone(options, "counting pass");
  // A file of fewer than two items holds nothing worth opening. Its item is
  // loaded all the same, so that reading is one sequence and a file of one
  // entry still reads back whole.
  const bool worthOpening = doc.LineCount >= 2;
  if (worthOpening && options.loading) options.loading();
  read.Allocate(std::move(image), utf8Bom, doc);
  StageDone(options, "allocation");
  read.Load(doc);
  StageDone(options, "load pass");
  if (!worthOpening) {
    result.outcome = ReadOutcome::Empty;
    return result;
  }
  if (doc.LoadedEntryCount > 0) result.labelIP = RedirectCaption(read.LastEntryWhole());
  result.outcome = ReadOutcome::Loaded;
  return result;
}

}  // namespace

ReadResult ReadHostsFile(const std::string& path, HostsDocument& doc, const ReadOptions& options) {
  FileImage image;
  ReadResult result;
  result.outcome = image.Load(path, result.reason);
  if (result.outcome != ReadOutcome::Loaded) return result;
  return ReadImage(std::move(image), doc, options);
}

ReadResult ReadHostsText(std::string_view text, HostsDocument& doc, const ReadOptions& options) {
  FileImage image;
  image.Assign(text);
  return ReadImage(std::move(image), doc, options);
}

}  // namespace vantrel
