// The one codec module between the program's GBK (code page 936) texts and the UTF-8 of the file
// system and Qt, or the UTF-16 of the wide-character functions. A character that the target
// cannot hold becomes "?", as the ANSI functions do; a malformed input byte becomes "?" too.
#pragma once

#include <string>
#include <string_view>

namespace platform::text {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8, bool* lossy = nullptr);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16, bool* lossy = nullptr);

// A GBK lead byte (0x81..0xFE) starts a two-byte character.
constexpr bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace platform::text
