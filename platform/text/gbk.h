// The one codec module between the program's GBK (code page 936) texts and the UTF-8 of the file
// system and Qt, or the UTF-16 of the wide-character functions.
//
// Texts from outside round-trip losslessly. A character GBK cannot hold and a byte that is not
// UTF-8 each get a private form: a double-byte code of GBK's user-defined areas, assigned on
// first sight and kept for the life of the process (paths also give one to a "\" inside a name,
// see paths.h). The way back turns a private form into what it stands for, so native -> program
// -> native gives the same bytes and the user sees the original character. GBK's iconv tables
// give the user-defined areas no characters, so a private form is never mistaken for a real one.
// The areas hold kPrivateFormCount codes; past them a conversion puts "?" and says so (`lossy`).
//
// A GBK sequence that is malformed (a lone lead byte, a user-defined code that is no private
// form) becomes "?" on the way out. In UTF-16, a private form that stands for a byte b is the
// lone surrogate U+DC00 + b, so byte names survive the wide-character functions too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::text {

// How many characters and bytes of the outside world the program can name at once.
inline constexpr size_t kPrivateFormCount = 1880;

std::string GbkToUtf8(std::string_view gbk);
// Characters GBK lacks and bytes that are not UTF-8 get private forms; `lossy` tells whether one
// could not be given (the forms are used up) and "?" stands in its place.
std::string Utf8ToGbk(std::string_view utf8, bool* lossy = nullptr);
// GBK's own characters only, the rest "?": for texts that must be GBK as written (the form).
std::string Utf8ToPlainGbk(std::string_view utf8, bool* lossy = nullptr);

std::u16string GbkToUtf16(std::string_view gbk, bool* lossy = nullptr);
std::string Utf16ToGbk(std::u16string_view utf16, bool* lossy = nullptr);
// As the ANSI functions convert: private forms already given are kept, anything else GBK lacks
// becomes `replacement`; `replaced` tells whether it was used.
std::string Utf16ToGbkReplacing(std::u16string_view utf16, std::string_view replacement,
                                bool* replaced = nullptr);

// The private form standing for `piece` (one UTF-8 character or one byte): false when the forms
// are used up.
bool PrivateFormOf(std::string_view piece, std::string* gbk);

// Whether the text holds a private form that does not show as what it stands for: a byte that is
// not UTF-8 (shown as U+FFFD) or a "\" inside a name (shown as "\", which would read back as a
// separator).
bool ShowsInexactly(std::string_view gbk);

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
