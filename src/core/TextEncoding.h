// A file's encoding, from its first bytes. Only single-byte text is read: a UTF-8 mark is set
// aside and put back on save; UTF-16 and UTF-32 are refused, not read as garbage.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

enum class TextEncoding { SingleByte, Utf8Bom, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// From the byte-order mark; without one, text that starts with two ASCII
// characters each followed (or preceded) by a NUL byte is taken for UTF-16.
inline TextEncoding DetectEncoding(std::string_view bytes) {
  using namespace std::string_view_literals;
  // A character a hosts file would start with: printable ASCII, tab or a line end.
  const auto IsTextAscii = [](char c) {
    return c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E);
  };
  // UTF-32 first: its little-endian mark begins with UTF-16's.
  if (bytes.starts_with("\xFF\xFE\0\0"sv)) return TextEncoding::Utf32LE;
  if (bytes.starts_with("\0\0\xFE\xFF"sv)) return TextEncoding::Utf32BE;
  if (bytes.starts_with("\xFF\xFE"sv)) return TextEncoding::Utf16LE;
  if (bytes.starts_with("\xFE\xFF"sv)) return TextEncoding::Utf16BE;
  if (bytes.starts_with(kUtf8Bom)) return TextEncoding::Utf8Bom;
  if (bytes.size() >= 4) {
    if (IsTextAscii(bytes[0]) && bytes[1] == '\0' && IsTextAscii(bytes[2]) && bytes[3] == '\0') {
      return TextEncoding::Utf16LE;
    }
    if (bytes[0] == '\0' && IsTextAscii(bytes[1]) && bytes[2] == '\0' && IsTextAscii(bytes[3])) {
      return TextEncoding::Utf16BE;
    }
  }
  return TextEncoding::SingleByte;
}

// Why a file in that encoding is not read, naming the encoding.
inline std::string RefusalReason(TextEncoding encoding) {
  // Named in the order of the enumeration.
  constexpr const char* kNames[] = {"ANSI",      "UTF-8",     "UTF-16 LE",
                                    "UTF-16 BE", "UTF-32 LE", "UTF-32 BE"};
  return std::string("The file is saved as ") + kNames[static_cast<int>(encoding)] +
         " (Unicode) text, which cannot be read as a Host File. Save it as ANSI or UTF-8 text "
         "and open it again.";
}

}  // namespace vantrel
