// Picture values: the complete bytes of an image file, recognised by their first bytes (BMP, JPEG,
// ICO, CUR, GIF, PCX). Anything else, PNG included, and data shorter than 6 bytes, is no picture.
#pragma once

#include <QImage>

#include <cstdint>
#include <span>

namespace frame::units {

enum class PictureFormat { None, Bitmap, Jpeg, Icon, Cursor, Gif, Pcx };

PictureFormat RecognisePicture(std::span<const uint8_t> bytes);
// The decoded picture; a null image for no picture or undecodable bytes. Icons and cursors show
// the image closest to 32 x 32.
QImage DecodePicture(std::span<const uint8_t> bytes);
// The picture as the screen shows it, sharp where the screen has more device pixels than the
// program: a bitmap the platform also drew at device resolution shows that drawing, an icon or
// cursor its image nearest the device size. Its device pixel ratio is set: QPainter draws it at
// its size in the program's pixels (deviceIndependentSize()).
QImage DisplayPicture(std::span<const uint8_t> bytes);

}  // namespace frame::units
