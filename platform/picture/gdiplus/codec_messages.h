// While Qt's image I/O reads a picture, the warnings its libraries print about damaged input
// (Qt's and libpng's through Qt's message handler, libtiff's through its own handlers) are
// dropped instead of reaching the terminal raw: a picture that cannot be read is reported by
// the status of the call that read it. Messages outside such a scope pass on as before.
#pragma once

namespace platform::gdiplus {

class QuietCodecMessages {
 public:
  // `qtFormat`: the Qt image format about to be read ("tiff" also quiets libtiff).
  explicit QuietCodecMessages(const char* qtFormat);
  ~QuietCodecMessages();
  QuietCodecMessages(const QuietCodecMessages&) = delete;
  QuietCodecMessages& operator=(const QuietCodecMessages&) = delete;
};

}  // namespace platform::gdiplus
