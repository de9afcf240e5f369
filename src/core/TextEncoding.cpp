#include "core/TextEncoding.h"

namespace vantrel {

TextEncoding DetectEncoding(std::string_view bytes) {
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

std::string RefusalReason(TextEncoding encoding) {
  // Named in the order of the enumeration.
  constexpr const char* kNames[] = {"ANSI",      "UTF-8",     "UTF-16 LE",
                                    "UTF-16 BE", "UTF-32 LE", "UTF-32 BE"};
  return std::string("The file is saved as ") + kNames[static_cast<int>(encoding)] +
         " (Unicode) text, which cannot be read as a Host File. Save it as ANSI or UTF-8 text "
         "and open it again.";
}

}  // namespace vantrel
