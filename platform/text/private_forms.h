// The private forms of the GBK codec (gbk.h): which double-byte code of GBK's user-defined areas
// stands for which character or byte of the outside world. Shared by every thread of the process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::text::private_forms {

// The code standing for `piece` (one UTF-8 character, or one byte), given on first sight; none
// when the areas are used up.
std::optional<uint16_t> FormOf(std::string_view piece);
// The code already standing for `piece`, if any.
std::optional<uint16_t> KnownFormOf(std::string_view piece);
// What the code at `gbk` (a lead and a trail byte) stands for; none when it is no private form.
std::optional<std::string> PieceOf(unsigned char lead, unsigned char trail);

}  // namespace platform::text::private_forms
