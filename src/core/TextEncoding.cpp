#include "core/TextEncoding.h"

namespace vantrel {
namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// A character a hosts file would start with: printable ASCII, tab or a line end.
bool IsTextAscii(char c) { return c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E); }

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
  using namespace std::string_view_literals;
  // UTF-32 first: its little-endian mark begins with UTF-16's.
  if (StartsWith(bytes, "\xFF\xFE\0\0"sv)) return TextEncoding::Utf32LE;
  if (StartsWith(bytes, "\0\0\xFE\xFF"sv)) return TextEncoding::Utf32BE;
  if (StartsWith(bytes, "\xFF\xFE"sv)) return TextEncoding::Utf16LE;
  if (StartsWith(bytes, "\xFE\xFF"sv)) return TextEncoding::Utf16BE;
  if (StartsWith(bytes, kUtf8Bom)) return TextEncoding::Utf8Bom;
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
