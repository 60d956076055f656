#include "ui/app_info.h"

namespace ui {

const frame::Text& MakerWebAddress() {
  static const frame::Text address("https://pictolan.org/");
  return address;
}

}  // namespace ui
