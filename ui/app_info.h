// Who makes Pictolan and where to find it: the link button opens this address.
#pragma once

#include "frame/values.h"

namespace ui {

// The maker's web page, handed unchanged to the shell.
const frame::Text& MakerWebAddress();

}  // namespace ui
