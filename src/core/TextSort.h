// Sorting many texts in ascending byte order, the order of List1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/TextStore.h"

namespace vantrel {

enum class SortedCopy {
  All,       // every text, empty ones included
  NonEmpty,  // empty texts left out
};

// Sorted texts, and for each a mark (1) when it equals the one before it.
struct MarkedTexts {
  TextArray texts;
  std::vector<uint8_t> repeats;
};

// The texts of [texts, texts + n) in ascending byte order (as std::less<Text>
// orders them). Equal texts are equal byte for byte, so which of them comes
// first is of no consequence.
MarkedTexts SortTexts(const Text* texts, size_t n, SortedCopy what);

inline TextArray SortedTexts(const TextArray& texts, SortedCopy what) {
  return SortTexts(texts.data(), texts.size(), what).texts;
}

}  // namespace vantrel
