#include "core/HostsGrammar.h"

#include "core/ByteScan.h"
#include "core/TextEncoding.h"

namespace vantrel {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsFieldEnd(char c) { return c == ',' || IsLineEnd(c); }

}  // namespace

void ItemReader::SkipLineEnd() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
  }
}

std::string_view ItemReader::Next() {
  const size_t n = text_.size();
  while (pos_ < n && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  if (pos_ >= n) return {};

  if (IsLineEnd(text_[pos_])) {
    SkipLineEnd();
    return {};
  }

  std::string_view item;
  if (text_[pos_] == '"') {
    // A quoted item runs to the closing quote; a quote left open ends with
    // its line, so it never swallows the lines after it.
    const size_t start = ++pos_;
    while (pos_ < n && text_[pos_] != '"' && !IsLineEnd(text_[pos_])) ++pos_;
    item = text_.substr(start, pos_ - start);
    if (pos_ < n && text_[pos_] == '"') ++pos_;
    while (pos_ < n && !IsFieldEnd(text_[pos_])) ++pos_;
  } else {
    const size_t start = pos_;
    pos_ = FindByte(text_, pos_, ',', '\r', '\n');
    item = text_.substr(start, pos_ - start);
  }

  if (pos_ < n) {
    if (text_[pos_] == ',') {
      ++pos_;
    } else {
      SkipLineEnd();
    }
  }
  return item;
}

ItemKind Classify(std::string_view item) {
  if (item.empty()) return ItemKind::Blank;
  if (item.front() == '#') return ItemKind::Comment;
  return ItemKind::Entry;
}

std::string_view TrimSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string NormaliseEntry(std::string_view item) {
  std::string entry(TrimSpaces(item));
  LowerAscii(entry);
  return entry;
}

std::string_view HostPart(std::string_view entry) {
  size_t cut = FindByte(entry, 0, '\t', '\t', '\t');
  if (cut == entry.size()) cut = FindByte(entry, 0, ' ', ' ', ' ');
  if (cut == entry.size()) return entry;
  return TrimSpaces(entry.substr(cut + 1));
}

bool ReadsBackAsAddress(std::string_view text) {
  if (text.empty() || text.find('\0') != std::string_view::npos) return false;
  std::string address(text);
  LowerAscii(address);
  // A space or tab inside would be where the reader cuts the host part.
  if (HostPart(address) != address) return false;
  // The file may begin with this line.
  if (DetectEncoding(address + " h\r\n") != TextEncoding::SingleByte) return false;
  // The host after a space, or after a tab when it holds one; the line bare,
  // or quoted when it holds a comma.
  for (const char separator : {' ', '\t'}) {
    for (const bool quoted : {false, true}) {
      const std::string host = quoted ? "h,h" : "h";
      const std::string expected = address + separator + host;
      const std::string line = (quoted ? '"' + expected + '"' : expected) + "\r\n";
      ItemReader reader(line);
      const std::string_view item = reader.Next();
      if (!reader.AtEnd() || Classify(item) != ItemKind::Entry) return false;
      const std::string entry = NormaliseEntry(item);
      if (entry != expected || HostPart(entry) != host) return false;
    }
  }
  return true;
}

}  // namespace vantrel
