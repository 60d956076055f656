// Colours as the form stores them and the graphics functions take them (COLORREF): 0x00BBGGRR,
// or kButtonFace in a form's setting for the system's button-face colour.
#pragma once

#include <cstdint>

namespace frame::form {

using Colour = uint32_t;
inline constexpr Colour kButtonFace = 0xFF000000;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

}  // namespace frame::form
