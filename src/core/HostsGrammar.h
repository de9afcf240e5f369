// How the text of a hosts file becomes items, and what each item is.
//
// A file is read as comma-separated items, not as lines: a line holding N
// commas yields N + 1 items, and each blank line yields one empty item. CR LF,
// a lone LF and a lone CR each end a line.
#pragma once

#include <string>
#include <string_view>

#include "core/ByteScan.h"  // LowerAscii, for the entries the user types

namespace vantrel {

enum class ItemKind { Blank, Comment, Entry };

class ItemReader {
 public:
  explicit ItemReader(std::string_view text) : text_(text) {}

  // True once every byte has been consumed; tested before each item.
  bool AtEnd() const { return pos_ >= text_.size(); }

  // Reads one item and moves past it and its comma or line end. The view
  // points into the text given to the constructor.
  std::string_view Next();

 private:
  void SkipLineEnd();
  std::string_view text_;
  size_t pos_ = 0;
};

// Classifies an item by its first character ("#" comment, empty blank,
// anything else an entry).
ItemKind Classify(std::string_view item);

// Step one of an entry: leading and trailing spaces removed (tabs stay),
// ASCII letters lower-cased.
std::string NormaliseEntry(std::string_view item);

// Step two: the host part of a step-one entry. The text after the first tab
// if there is one, otherwise after the first space, otherwise the whole
// entry; spaces trimmed from both ends.
std::string_view HostPart(std::string_view entry);

// Whether text, written as the address before every host part of a file,
// reads back as that address: each form of line the writer gives it must be
// one entry item cut just after the address, and a file that begins with it
// must still read as single-byte text. No NUL byte either, which a text file
// does not hold.
bool ReadsBackAsAddress(std::string_view text);

std::string_view TrimSpaces(std::string_view text);

}  // namespace vantrel
