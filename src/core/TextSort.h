// Sorting many texts in ascending byte order, the order of List1.
//
// Comparing two views means reading two strings somewhere in a file of tens
// of megabytes, and a comparison sort does that twenty times per text. Here
// each text is read once per seven bytes it shares with a neighbour: the sort
// works on small records holding the next seven bytes of the text as a
// number, and only texts that tie on those bytes are read again, further on.
#pragma once

#include <cstddef>
#include <vector>

#include "core/TextStore.h"

namespace vantrel {

enum class SortedCopy {
  All,               // every text, empty ones included
  NonEmpty,          // empty texts left out
  DistinctNonEmpty,  // empty texts left out, each text once
};

// The texts of [texts, texts + n) in ascending byte order (as std::less<Text>
// orders them). Equal texts are equal byte for byte, so which of them comes
// first is of no consequence.
std::vector<Text> SortedTexts(const Text* texts, size_t n, SortedCopy what);

// The same for SortedCopy::All or NonEmpty, with a mark for each text of the
// result that equals the one before it.
struct MarkedTexts {
  std::vector<Text> texts;
  std::vector<bool> repeats;
};
MarkedTexts SortedTextsMarked(const Text* texts, size_t n, SortedCopy what);

template <class Array>
std::vector<Text> SortedTexts(const Array& texts, SortedCopy what) {
  return SortedTexts(texts.data(), texts.size(), what);
}

}  // namespace vantrel
