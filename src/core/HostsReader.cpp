#include "core/HostsReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "core/FileImage.h"
#include "core/HostsGrammar.h"
#include "core/Parallel.h"
#include "core/SilentUi.h"
#include "core/TextEncoding.h"

namespace vantrel {

bool HostsReader::Open(const std::string& path, std::string& reason) {
  if (!text_.Load(path, reason)) return false;
  // Every item takes at least one byte, so this bounds every 32-bit counter.
  // A file past it is past what the 32-bit program can hold anyway, and
  // ends as running out of memory does.
  if (text_.Text().size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    text_.Clear();
    throw std::bad_alloc();
  }
  return CheckEncoding(reason);
}

bool HostsReader::SetText(std::string_view text, std::string& reason) {
  text_.Assign(text);
  return CheckEncoding(reason);
}

bool HostsReader::CheckEncoding(std::string& reason) {
  const TextEncoding encoding = DetectEncoding(text_.Text());
  utf8Bom_ = encoding == TextEncoding::Utf8Bom;
  if (!CanRead(encoding)) {
    text_.Clear();
    reason = RefusalReason(encoding);
    return false;
  }
  if (utf8Bom_) text_.SetAsideFront(kUtf8Bom.size());
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

// Gives entries their lower-case form: in place where the file's bytes may
// be changed, otherwise as copies in the room beside them, one after the
// other from the piece's own place there. A piece's copies never take more
// room than the piece. A text without upper-case letters stays where it is.
class Lowerer {
 public:
  Lowerer(const FileImage& image, const ReadPiece& piece)
      : bytes_(image.Text().data()),
        writable_(image.Writable()),
        out_(writable_ ? nullptr : image.Room() + piece.begin) {}

  Text Lower(Text text) {
    if (text.empty()) return text;
    if (writable_) {
      LowerAscii(writable_ + (text.data() - bytes_), text.size());
      return text;
    }
    if (!HasUpperAscii(text)) return text;
    char* to = out_;
    std::memcpy(to, text.data(), text.size());
    LowerAscii(to, text.size());
    out_ += text.size();
    return Text(to, text.size());
  }

 private:
  const char* bytes_;
  char* writable_;
  char* out_;
};

// Reads one piece into the document. Each entry goes in as its host part,
// lower-cased; only the last entry of the file, which the redirect address
// caption still reads, goes in whole (trimmed and lower-cased) until
// HostParts cuts it. Comments go in as read.
void LoadPiece(const FileImage& image, const ReadPiece& piece, ItemCounts at, const LoadTarget& to,
               bool holdsLastEntry) {
  ItemReader reader(image.Text().substr(piece.begin, piece.end - piece.begin));
  Lowerer lowerer(image, piece);
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
        *comment++ = item;
        *position++ = k - b;
        break;
      case ItemKind::Entry: {
        const std::string_view trimmed = TrimSpaces(item);
        const bool whole = holdsLastEntry && --entriesLeft == 0;
        *entry++ = lowerer.Lower(whole ? trimmed : HostPart(trimmed));
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
  const std::string_view text = text_.Text();
  size_t parts = wantedPieces_;
  if (parts == 0) parts = text.size() < kBytesWorthThreads ? 1 : Cores();
  pieces_ = CutIntoPieces(text, parts);
  RunPieces(pieces_.size(), [&](size_t i) { CountPiece(text, pieces_[i]); });
  totals_ = ItemCounts{};
  // The counts are 32-bit: a file short of 2 GiB has fewer items.
  for (const ReadPiece& piece : pieces_) totals_ += piece;
  doc.LineCount = totals_.items;
  doc.LoadedEntryCount = totals_.entries;
}

void HostsReader::Allocate(HostsDocument& doc) {
  adopted_ = &doc.Texts.AdoptFile(std::move(text_));
  text_.Clear();
  doc.Utf8Bom = utf8Bom_;
  doc.EntriesBeforeDedup = {};
  // The arrays keep their places when they move into the document, so the
  // load pass fills them there.
  std::vector<Text> entries(static_cast<size_t>(totals_.entries));
  entries_ = entries.data();
  doc.SetEntries(std::move(entries));
  doc.Comments.assign(static_cast<size_t>(totals_.comments), Text{});
  doc.CommentPositions.assign(static_cast<size_t>(totals_.comments), 0);
}

void HostsReader::LoadPass(HostsDocument& doc) {
  if (!adopted_) return;
  const LoadTarget to{entries_, doc.Comments.data(), doc.CommentPositions.data()};
  // Where each piece's items go: after the items of the pieces before it.
  std::vector<ItemCounts> starts(pieces_.size());
  for (size_t i = 1; i < pieces_.size(); ++i) (starts[i] = starts[i - 1]) += pieces_[i - 1];
  size_t lastWithEntries = pieces_.size();
  for (size_t i = 0; i < pieces_.size(); ++i) {
    if (pieces_[i].entries > 0) lastWithEntries = i;
  }
  RunPieces(pieces_.size(), [&](size_t i) {
    LoadPiece(*adopted_, pieces_[i], starts[i], to, i == lastWithEntries);
  });
  loaded_ = true;
}

std::string HostsReader::RedirectAddressCaption(const HostsDocument& doc) {
  const EntriesView entries = doc.Entries();
  if (entries.Empty()) return {};
  const Text last = entries[static_cast<size_t>(entries.Count() - 1)];
  if (!last.empty() && last.front() == '0') return kLabelIPNotLocalHost;
  if (last.find("127.0.0.1") == Text::npos) {
    const size_t space = last.find(' ');
    std::string_view address;
    if (space != Text::npos) address = TrimSpaces(last.substr(0, space));
    return std::string(kLabelIPOther).append(address);
  }
  return kLabelIPLocalHost;
}

void HostsReader::HostParts() {
  // Only the last entry is left whole by LoadPass.
  if (!loaded_ || totals_.entries == 0) return;
  loaded_ = false;
  Text& last = entries_[totals_.entries - 1];
  last = HostPart(last);
}

ReadResult ReadStages(HostsReader& reader, HostsDocument& doc, DocumentUi& ui) {
  ReadResult result;
  reader.CountingPass(doc);
  if (IsEmptyHostsFile(doc)) {
    result.outcome = ReadOutcome::Empty;
    return result;
  }
  ui.SetBusy(true);
  reader.Allocate(doc);
  reader.LoadPass(doc);
  result.labelIP = HostsReader::RedirectAddressCaption(doc);
  reader.HostParts();
  result.outcome = ReadOutcome::Loaded;
  return result;
}

ReadResult ReadHostsText(std::string_view text, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  if (!reader.SetText(text, result.reason)) return result;
  SilentUi ui;
  return ReadStages(reader, doc, ui);
}

ReadResult ReadHostsFile(const std::string& path, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  if (!reader.Open(path, result.reason)) return result;
  SilentUi ui;
  return ReadStages(reader, doc, ui);
}

}  // namespace vantrel
