// Method calls on interfaces the platform hands the program. Such a method is reached through
// the interface itself, not through the table of external functions, so the frame makes the
// call.
#pragma once

#include <cstdint>

#include "platform/win32/types.h"

namespace frame {

// The stream interface's Release (CreateStreamOnHGlobal's streams); returns the references left.
uint32_t ReleaseInterface(win32::ISTREAM stream);

}  // namespace frame
