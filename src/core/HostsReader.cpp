#include "core/HostsReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "core/FileBytes.h"
#include "core/HostsGrammar.h"
#include "core/Parallel.h"
#include "core/TextEncoding.h"

namespace vantrel {

bool HostsReader::Open(const std::string& path, std::string& reason) {
  if (!ReadFileBytes(path, text_, reason)) return false;
  // Every item takes at least one byte, so this bounds every 32-bit counter.
  if (text_.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    text_.clear();
    reason = "The file is too large.";
    return false;
  }
  return CheckEncoding(reason);
}

bool HostsReader::SetText(std::string_view text, std::string& reason) {
  text_.assign(text.data(), text.size());
  return CheckEncoding(reason);
}

bool HostsReader::CheckEncoding(std::string& reason) {
  const TextEncoding encoding = DetectEncoding(std::string_view(text_.data(), text_.size()));
  utf8Bom_ = encoding == TextEncoding::Utf8Bom;
  if (!CanRead(encoding)) {
    text_.clear();
    reason = RefusalReason(encoding);
    return false;
  }
  if (utf8Bom_) text_.erase(0, kUtf8Bom.size());
  return true;
}

namespace {

// Below this many bytes a file is read on one thread.
constexpr size_t kBytesWorthThreads = size_t{1} << 20;

// Cuts text into about `parts` pieces, each ending just after a line feed
// (or at the end). An item never runs past a line end, and a reader of the
// whole text is at the start of a line after each line feed, so each piece
// reads on its own into exactly the items that the whole text gives there.
std::vector<ReadPiece> CutIntoPieces(std::string_view text, size_t parts) {
  std::vector<ReadPiece> pieces;
  size_t begin = 0;
  for (size_t i = 1; i < parts && begin < text.size(); ++i) {
    const size_t target = std::max(begin, text.size() / parts * i);
    const size_t feed = text.find('\n', target);
    if (feed == std::string_view::npos) break;
    pieces.push_back({begin, feed + 1});
    begin = feed + 1;
  }
  if (begin < text.size() || pieces.empty()) pieces.push_back({begin, text.size()});
  return pieces;
}

void CountPiece(std::string_view text, ReadPiece& piece) {
  ItemReader reader(text.substr(piece.begin, piece.end - piece.begin));
  while (!reader.AtEnd()) {
    ++piece.items;
    switch (Classify(reader.Next())) {
      case ItemKind::Comment:
        ++piece.comments;
        break;
      case ItemKind::Entry:
        ++piece.entries;
        break;
      case ItemKind::Blank:
        ++piece.blanks;
        break;
    }
  }
}

// Where a piece's items go: the items, comments, entries and blank items of
// the pieces before it.
struct PieceStart {
  int32_t items = 0;
  int32_t comments = 0;
  int32_t entries = 0;
  int32_t blanks = 0;
};

struct LoadTarget {
  Text* entries;
  Text* comments;
  int32_t* positions;
};

void LoadPiece(char* bytes, const ReadPiece& piece, PieceStart at, const LoadTarget& to) {
  ItemReader reader(std::string_view(bytes + piece.begin, piece.end - piece.begin));
  int32_t k = at.items;
  int32_t b = at.blanks;
  Text* entry = to.entries + at.entries;
  Text* comment = to.comments + at.comments;
  int32_t* position = to.positions + at.comments;
  while (!reader.AtEnd()) {
    ++k;
    const std::string_view item = reader.Next();
    switch (Classify(item)) {
      case ItemKind::Comment:
        *comment++ = item;
        *position++ = k - b;
        break;
      case ItemKind::Entry: {
        const std::string_view trimmed = TrimSpaces(item);
        if (!trimmed.empty()) LowerAscii(bytes + (trimmed.data() - bytes), trimmed.size());
        *entry++ = trimmed;
        break;
      }
      case ItemKind::Blank:
        ++b;
        break;
    }
  }
}

}  // namespace

void HostsReader::CountingPass(HostsDocument& doc) {
  const std::string_view text(text_.data(), text_.size());
  pieces_ = CutIntoPieces(text, text.size() < kBytesWorthThreads ? 1 : Cores());
  RunPieces(pieces_.size(), [&](size_t i) { CountPiece(text, pieces_[i]); });
  doc.LineCount = 0;
  doc.EntryCount = 0;
  doc.CommentCount = 0;
  // The counts are 32-bit: a file short of 2 GiB has fewer items.
  for (const ReadPiece& piece : pieces_) {
    doc.LineCount += piece.items;
    doc.EntryCount += piece.entries;
    doc.CommentCount += piece.comments;
  }
  doc.LoadedEntryCount = doc.EntryCount;
}

void HostsReader::Allocate(HostsDocument& doc) {
  adopted_ = &doc.Texts.AdoptFile(std::move(text_));
  text_.clear();
  doc.Utf8Bom = utf8Bom_;
  doc.EntriesBeforeDedup.Clear();
  doc.Entries.Reallocate(doc.EntryCount);
  doc.Comments.Reallocate(doc.CommentCount);
  doc.CommentPositions.Reallocate(doc.CommentCount);
}

void HostsReader::LoadPass(HostsDocument& doc) const {
  if (!adopted_) return;
  const LoadTarget to{doc.Entries.Items().data(), doc.Comments.Items().data(),
                      doc.CommentPositions.Items().data()};
  std::vector<PieceStart> starts(pieces_.size());
  for (size_t i = 1; i < pieces_.size(); ++i) {
    const ReadPiece& before = pieces_[i - 1];
    starts[i] = {starts[i - 1].items + before.items, starts[i - 1].comments + before.comments,
                 starts[i - 1].entries + before.entries, starts[i - 1].blanks + before.blanks};
  }
  char* bytes = adopted_->data();
  RunPieces(pieces_.size(), [&](size_t i) { LoadPiece(bytes, pieces_[i], starts[i], to); });
}

std::string HostsReader::RedirectAddressCaption(const HostsDocument& doc) {
  if (doc.EntryCount < 1) return {};
  const Text last = doc.Entries(doc.EntryCount);
  if (!last.empty() && last.front() == '0') return kLabelIPNotLocalHost;
  if (last.find("127.0.0.1") == Text::npos) {
    const size_t space = last.find(' ');
    std::string_view address;
    if (space != Text::npos) address = TrimSpaces(last.substr(0, space));
    return std::string(kLabelIPOther).append(address);
  }
  return kLabelIPLocalHost;
}

namespace {

// Moves the entries and comments, which lie in the file's bytes in file
// order, to the start of the bytes one after the other, and releases what
// is left: for a block list about a third of the file, which is memory that
// every later job can use.
void PackTexts(HostsDocument& doc) {
  Bytes* bytes = doc.Texts.LastFile();
  if (!bytes || bytes->empty()) return;
  const char* begin = bytes->data();
  const char* end = begin + bytes->size();
  auto inFile = [&](Text t) {
    return !t.empty() && t.data() >= begin && t.data() + t.size() <= end;
  };
  char* out = bytes->data();
  auto move = [&](Text& t) {
    std::memmove(out, t.data(), t.size());
    t = Text(out, t.size());
    out += t.size();
  };
  auto& entries = doc.Entries.Items();
  auto& comments = doc.Comments.Items();
  for (const Text t : entries) {
    if (!t.empty() && !inFile(t)) return;  // not all from this file: leave them
  }
  for (const Text t : comments) {
    if (!t.empty() && !inFile(t)) return;
  }
  size_t e = 0;
  size_t c = 0;
  // Both lists are in file order: merge them by place, so that every text
  // moves towards the start and never over one not yet moved.
  while (e < entries.size() || c < comments.size()) {
    if (e < entries.size() && entries[e].empty()) {
      entries[e++] = Text{};
    } else if (c < comments.size() && comments[c].empty()) {
      comments[c++] = Text{};
    } else if (c == comments.size() ||
               (e < entries.size() && entries[e].data() < comments[c].data())) {
      move(entries[e++]);
    } else {
      move(comments[c++]);
    }
  }
  const size_t used = static_cast<size_t>(out - bytes->data());
  const size_t allocated = bytes->capacity() + 1;
  bytes->resize(used);
  ShrinkBig(bytes->data(), allocated, used + 1);
}

}  // namespace

void HostsReader::HostParts(HostsDocument& doc) {
  auto& entries = doc.Entries.Items();
  const size_t parts = entries.size() * sizeof(Text) < kBytesWorthThreads ? 1 : Cores();
  RunPieces(parts, [&](size_t part) {
    const size_t end = entries.size() * (part + 1) / parts;
    for (size_t e = entries.size() * part / parts; e < end; ++e) entries[e] = HostPart(entries[e]);
  });
  PackTexts(doc);
}

namespace {

ReadResult RunStages(HostsReader& reader, HostsDocument& doc) {
  ReadResult result;
  reader.CountingPass(doc);
  if (IsEmptyHostsFile(doc)) {
    result.outcome = ReadOutcome::Empty;
    return result;
  }
  reader.Allocate(doc);
  reader.LoadPass(doc);
  result.labelIP = HostsReader::RedirectAddressCaption(doc);
  HostsReader::HostParts(doc);
  result.outcome = ReadOutcome::Loaded;
  return result;
}

}  // namespace

ReadResult ReadHostsText(std::string_view text, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  if (!reader.SetText(text, result.reason)) return result;
  return RunStages(reader, doc);
}

ReadResult ReadHostsFile(const std::string& path, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  if (!reader.Open(path, result.reason)) return result;
  return RunStages(reader, doc);
}

}  // namespace vantrel
