#include "core/HostsReader.h"

#include <cstdint>
#include <limits>

#include "core/FileBytes.h"
#include "core/HostsGrammar.h"

namespace vantrel {

bool HostsReader::Open(const std::string& path, std::string& reason) {
  if (!ReadFileBytes(path, text_, reason)) return false;
  // Every item takes at least one byte, so this bounds every 32-bit counter.
  if (text_.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    text_.clear();
    reason = "The file is too large.";
    return false;
  }
  return true;
}

void HostsReader::CountingPass(HostsDocument& doc) const {
  doc.LineCount = 0;
  doc.EntryCount = 0;
  doc.CommentCount = 0;
  ItemReader reader(text_);
  while (!reader.AtEnd()) {
    ++doc.LineCount;
    switch (Classify(reader.Next())) {
      case ItemKind::Comment:
        ++doc.CommentCount;
        break;
      case ItemKind::Entry:
        ++doc.EntryCount;
        break;
      case ItemKind::Blank:
        break;
    }
  }
  doc.LoadedEntryCount = doc.EntryCount;
}

void HostsReader::Allocate(HostsDocument& doc) {
  adopted_ = &doc.Texts.AdoptFile(std::move(text_));
  text_.clear();
  doc.EntriesBeforeDedup.Clear();
  doc.Entries.Reallocate(doc.EntryCount);
  doc.Comments.Reallocate(doc.CommentCount);
  doc.CommentPositions.Reallocate(doc.CommentCount);
}

void HostsReader::LoadPass(HostsDocument& doc) const {
  if (!adopted_) return;
  Bytes& bytes = *adopted_;
  int32_t c = 0;  // comments stored
  int32_t j = 0;  // entries stored
  int32_t b = 0;  // blank items met
  ItemReader reader(bytes);
  for (int32_t k = 1; k <= doc.LineCount && !reader.AtEnd(); ++k) {
    const std::string_view item = reader.Next();
    switch (Classify(item)) {
      case ItemKind::Comment:
        ++c;
        doc.Comments(c) = item;
        doc.CommentPositions(c) = k - b;
        break;
      case ItemKind::Entry: {
        ++j;
        const std::string_view entry = TrimSpaces(item);
        LowerAscii(bytes.data() + (entry.data() - bytes.data()), entry.size());
        doc.Entries(j) = entry;
        break;
      }
      case ItemKind::Blank:
        ++b;
        break;
    }
  }
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
  for (Text& entry : doc.Entries) entry = HostPart(entry);
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
  reader.SetText(text);
  return RunStages(reader, doc);
}

ReadResult ReadHostsFile(const std::string& path, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  if (!reader.Open(path, result.reason)) return result;
  return RunStages(reader, doc);
}

}  // namespace vantrel
