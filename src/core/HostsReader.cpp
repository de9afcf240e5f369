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

ReadPiece Piece(size_t begin, size_t end) {
  ReadPiece piece;
  piece.begin = begin;
  piece.end = end;
  return piece;
}

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
    pieces.push_back(Piece(begin, feed + 1));
    begin = feed + 1;
  }
  if (begin < text.size() || pieces.empty()) pieces.push_back(Piece(begin, text.size()));
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

struct LoadTarget {
  Text* entries;
  Text* comments;
  int32_t* positions;
};

// Moves the texts the document keeps towards the start of the piece, one
// after the other, as they are read: a text never moves over one not yet
// read. What is left over (addresses, separators, line ends) is given back
// once all pieces are read.
class Packer {
 public:
  explicit Packer(char* start) : out_(start) {}
  Text Keep(Text text) {
    if (text.empty()) return {};
    char* to = out_;
    if (to != text.data()) std::memmove(to, text.data(), text.size());
    out_ += text.size();
    return Text(to, text.size());
  }
  char* End() const { return out_; }

 private:
  char* out_;
};

// Reads one piece into the document. Each entry goes in as its host part,
// lower-cased; only the last entry of the file, which the redirect address
// caption still reads, goes in whole (trimmed and lower-cased) until
// HostParts cuts it.
void LoadPiece(char* bytes, ReadPiece& piece, ItemCounts at, const LoadTarget& to,
               bool holdsLastEntry) {
  ItemReader reader(std::string_view(bytes + piece.begin, piece.end - piece.begin));
  Packer packer(bytes + piece.begin);
  int32_t k = at.items;
  int32_t b = at.blanks;
  int32_t entriesLeft = piece.entries;
  Text* entry = to.entries + at.entries;
  Text* comment = to.comments + at.comments;
  int32_t* position = to.positions + at.comments;
  while (!reader.AtEnd()) {
    ++k;
    const std::string_view item = reader.Next();
    switch (Classify(item)) {
      case ItemKind::Comment:
        *comment++ = packer.Keep(item);
        *position++ = k - b;
        break;
      case ItemKind::Entry: {
        const std::string_view trimmed = TrimSpaces(item);
        const bool whole = holdsLastEntry && --entriesLeft == 0;
        const std::string_view kept = whole ? trimmed : HostPart(trimmed);
        if (!kept.empty()) LowerAscii(bytes + (kept.data() - bytes), kept.size());
        *entry++ = packer.Keep(kept);
        break;
      }
      case ItemKind::Blank:
        ++b;
        break;
    }
  }
  piece.packedEnd = static_cast<size_t>(packer.End() - bytes);
}

}  // namespace

void HostsReader::CountingPass(HostsDocument& doc) {
  const std::string_view text(text_.data(), text_.size());
  size_t parts = wantedPieces_;
  if (parts == 0) parts = text.size() < kBytesWorthThreads ? 1 : Cores();
  pieces_ = CutIntoPieces(text, parts);
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

void HostsReader::LoadPass(HostsDocument& doc) {
  if (!adopted_) return;
  const LoadTarget to{doc.Entries.Items().data(), doc.Comments.Items().data(),
                      doc.CommentPositions.Items().data()};
  // Where each piece's items go: after the items of the pieces before it.
  std::vector<ItemCounts> starts(pieces_.size());
  for (size_t i = 1; i < pieces_.size(); ++i) (starts[i] = starts[i - 1]) += pieces_[i - 1];
  size_t lastWithEntries = pieces_.size();
  for (size_t i = 0; i < pieces_.size(); ++i) {
    if (pieces_[i].entries > 0) lastWithEntries = i;
  }
  char* bytes = adopted_->data();
  RunPieces(pieces_.size(),
            [&](size_t i) { LoadPiece(bytes, pieces_[i], starts[i], to, i == lastWithEntries); });
  loaded_ = true;
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

void HostsReader::HostParts(HostsDocument& doc) {
  if (!loaded_) {
    for (Text& entry : doc.Entries) entry = HostPart(entry);
    return;
  }
  loaded_ = false;
  if (doc.EntryCount > 0) doc.Entries(doc.EntryCount) = HostPart(doc.Entries(doc.EntryCount));
  // Each piece's texts lie packed at its start: close the gaps between the
  // pieces, then give back what is left of the bytes.
  char* bytes = adopted_->data();
  Text* entries = doc.Entries.Items().data();
  Text* comments = doc.Comments.Items().data();
  size_t used = 0;
  size_t entry = 0;
  size_t comment = 0;
  for (const ReadPiece& piece : pieces_) {
    const size_t size = piece.packedEnd - piece.begin;
    if (piece.begin != used) {
      std::memmove(bytes + used, bytes + piece.begin, size);
      const ptrdiff_t shift = static_cast<ptrdiff_t>(used) - static_cast<ptrdiff_t>(piece.begin);
      auto move = [shift](Text& t) {
        if (!t.empty()) t = Text(t.data() + shift, t.size());
      };
      for (int32_t e = 0; e < piece.entries; ++e) move(entries[entry + static_cast<size_t>(e)]);
      for (int32_t c = 0; c < piece.comments; ++c) move(comments[comment + static_cast<size_t>(c)]);
    }
    used += size;
    entry += static_cast<size_t>(piece.entries);
    comment += static_cast<size_t>(piece.comments);
  }
  const size_t allocated = adopted_->capacity() + 1;
  adopted_->resize(used);
  ShrinkBig(adopted_->data(), allocated, used + 1);
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
  reader.HostParts(doc);
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
