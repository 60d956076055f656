// The one codec module between the program's GBK (code page 936) texts and the UTF-8 of the file
// system and Qt, or the UTF-16 of the wide-character functions. A character that the target
// cannot hold becomes "?" (or the given replacement), as the ANSI functions do; a malformed input
// sequence becomes "?" too. `lossy`, when given, tells whether anything was replaced.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::text {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8, bool* lossy = nullptr);
std::u16string GbkToUtf16(std::string_view gbk, bool* lossy = nullptr);
std::string Utf16ToGbk(std::u16string_view utf16, bool* lossy = nullptr,
                       std::string_view replacement = "?");

// UTF-8 and UTF-16 between themselves (code page 65001); malformed sequences and lone surrogates
// become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8, bool* lossy = nullptr);
std::string Utf16ToUtf8(std::u16string_view utf16, bool* lossy = nullptr);

// A GBK lead byte (0x81..0xFE) starts a two-byte character.
constexpr bool IsGbkLeadByte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}
// A byte that may follow a lead byte (0x40..0xFE without 0x7F).
constexpr bool IsGbkTrailByte(unsigned char c) {
  return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// Length in bytes of the character at `pos`: 2 for a lead byte followed by a trail byte, else 1.
// Walking a path or text with it never takes a trail byte (which may be 0x5C, "\") for a
// character of its own.
constexpr size_t GbkCharLength(std::string_view s, size_t pos) {
  return pos + 1 < s.size() && IsGbkLeadByte(static_cast<unsigned char>(s[pos])) &&
                 IsGbkTrailByte(static_cast<unsigned char>(s[pos + 1]))
             ? 2
             : 1;
}

// ASCII letters without regard to case; every other byte compares as it is.
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace platform::text
