// The imaging library stand-in's functions: handle checks, drawing and scaling, bitmaps from
// and to handles, frames, encoder lists, multi-frame saves and saves to files.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/core/ole32/stream.h"
#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/gdiplus.h"
#include "platform/win32/ole32.h"
#include "tests/imaging/imaging_support.h"
#include "tests/support/fixtures.h"

namespace {

using namespace win32;
using namespace imaging_test;
namespace gp = platform::gdiplus;

// Every function that takes an image refuses null, stale and wrong-kind handles.
TEST(Handles, NullStaleAndWrongKindImagesGiveInvalidParameter) {
  GpImage stale = BitmapFrom(Pattern(2, 2, false));
  ASSERT_EQ(gp::GdipDisposeImage(stale), gdip::Ok);
  GpSolidFill brush = 0;
  ASSERT_EQ(gp::GdipCreateSolidFill(0xFF000000, &brush), gdip::Ok);
  UINT u = 0;
  REAL r = 0;
  ARGB argb = 0;
  GUID guid{};
  GpImage out = 0;
  HBITMAP hbm = 0;
  HICON hicon = 0;
  GpRectF rect{};
  GpUnit unit = 0;
  PixelFormat format = 0;
  ImageType type = 0;
  const std::pair<const char*, std::function<GpStatus(GpImage)>> calls[] = {
      {"DisposeImage", [](GpImage i) { return gp::GdipDisposeImage(i); }},
      {"CloneImage", [&](GpImage i) { return gp::GdipCloneImage(i, &out); }},
      {"GetImageWidth", [&](GpImage i) { return gp::GdipGetImageWidth(i, &u); }},
      {"GetImageHeight", [&](GpImage i) { return gp::GdipGetImageHeight(i, &u); }},
      {"GetImageType", [&](GpImage i) { return gp::GdipGetImageType(i, &type); }},
      {"GetImageDimension", [&](GpImage i) { return gp::GdipGetImageDimension(i, &r, &r); }},
      {"GetImageBounds", [&](GpImage i) { return gp::GdipGetImageBounds(i, &rect, &unit); }},
      {"GetImageFlags", [&](GpImage i) { return gp::GdipGetImageFlags(i, &u); }},
      {"GetImagePixelFormat", [&](GpImage i) { return gp::GdipGetImagePixelFormat(i, &format); }},
      {"GetImageRawFormat", [&](GpImage i) { return gp::GdipGetImageRawFormat(i, &guid); }},
      {"GetImageHorizontalResolution",
       [&](GpImage i) { return gp::GdipGetImageHorizontalResolution(i, &r); }},
      {"GetImageVerticalResolution",
       [&](GpImage i) { return gp::GdipGetImageVerticalResolution(i, &r); }},
      {"BitmapGetPixel", [&](GpImage i) { return gp::GdipBitmapGetPixel(i, 0, 0, &argb); }},
      {"BitmapSetPixel", [](GpImage i) { return gp::GdipBitmapSetPixel(i, 0, 0, 0); }},
      {"BitmapSetResolution", [](GpImage i) { return gp::GdipBitmapSetResolution(i, 96, 96); }},
      {"CreateHBITMAPFromBitmap",
       [&](GpImage i) { return gp::GdipCreateHBITMAPFromBitmap(i, &hbm, 0); }},
      {"CreateHICONFromBitmap",
       [&](GpImage i) { return gp::GdipCreateHICONFromBitmap(i, &hicon); }},
      {"GetImageThumbnail",
       [&](GpImage i) { return gp::GdipGetImageThumbnail(i, 4, 4, &out, nullptr, nullptr); }},
      {"ImageRotateFlip", [](GpImage i) { return gp::GdipImageRotateFlip(i, 1); }},
      {"GetPropertySize", [&](GpImage i) { return gp::GdipGetPropertySize(i, &u, &u); }},
      {"ImageGetFrameDimensionsCount",
       [&](GpImage i) { return gp::GdipImageGetFrameDimensionsCount(i, &u); }},
      {"ImageGetFrameCount",
       [&](GpImage i) { return gp::GdipImageGetFrameCount(i, &gdip::FrameDimensionPage, &u); }},
      {"SaveImageToFile",
       [](GpImage i) {
         return gp::GdipSaveImageToFile(i, u"/tmp/x.png", &gdip::EncoderClsidPNG, nullptr);
       }},
      {"GetImageGraphicsContext",
       [&](GpImage i) {
         GpGraphics g = 0;
         return gp::GdipGetImageGraphicsContext(i, &g);
       }},
  };
  for (const auto& [name, call] : calls)
    for (GpImage bad : {GpImage{0}, stale, GpImage(brush)}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(bad));
      EXPECT_EQ(call(bad), gdip::InvalidParameter);
    }
  gp::GdipDeleteBrush(brush);
  EXPECT_EQ(gp::GdipDeleteBrush(brush), gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipDeleteGraphics(0), gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipCreateBitmapFromHICON(0, &out), gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipCreateBitmapFromHBITMAP(0x1234, 0, &out), gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipCreateFromHDC(0, nullptr), gdip::InvalidParameter);
}

TEST(Handles, AGraphicsObjectWhoseImageIsGoneFailsCleanly) {
  GpImage image = BitmapFrom(Pattern(4, 4, false));
  GpGraphics graphics = 0;
  ASSERT_EQ(gp::GdipGetImageGraphicsContext(image, &graphics), gdip::Ok);
  GpSolidFill brush = 0;
  gp::GdipCreateSolidFill(0xFFFFFFFF, &brush);
  gp::GdipDisposeImage(image);
  EXPECT_EQ(gp::GdipFillRectangle(graphics, brush, 0, 0, 4, 4), gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipDeleteGraphics(graphics), gdip::Ok);
  gp::GdipDeleteBrush(brush);
}

TEST(Bitmaps, Scan0CopiesTheCallersRowsInEitherDirection) {
  uint32_t rows[2][2] = {{0xFF000001, 0xFF000002}, {0xFF000003, 0xFF000004}};
  GpBitmap topDown = 0, bottomUp = 0;
  ASSERT_EQ(gp::GdipCreateBitmapFromScan0(2, 2, 8, gdip::PixelFormat32bppARGB,
                                          reinterpret_cast<BYTE*>(rows), &topDown),
            gdip::Ok);
  ASSERT_EQ(gp::GdipCreateBitmapFromScan0(2, 2, -8, gdip::PixelFormat32bppARGB,
                                          reinterpret_cast<BYTE*>(rows[1]), &bottomUp),
            gdip::Ok);
  EXPECT_EQ(PixelsOf(topDown).pixel(1, 0), 0xFF000002u);
  EXPECT_EQ(PixelsOf(bottomUp).pixel(1, 0), 0xFF000004u);
  gp::GdipDisposeImage(topDown);
  gp::GdipDisposeImage(bottomUp);

  GpBitmap bad = 0;
  EXPECT_EQ(gp::GdipCreateBitmapFromScan0(0, 2, 0, gdip::PixelFormat32bppARGB, nullptr, &bad),
            gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipCreateBitmapFromScan0(2, 2, 4, gdip::PixelFormat32bppARGB,
                                          reinterpret_cast<BYTE*>(rows), &bad),
            gdip::InvalidParameter);  // stride shorter than a row
  EXPECT_EQ(gp::GdipCreateBitmapFromScan0(2, 2, 0, 0x12345, nullptr, &bad), gdip::InvalidParameter);
  EXPECT_EQ(
      gp::GdipCreateBitmapFromScan0(100000, 100000, 0, gdip::PixelFormat32bppARGB, nullptr, &bad),
      gdip::OutOfMemory);
  EXPECT_EQ(bad, 0u);
}

TEST(Bitmaps, NewBitmapsStartTransparentOrOpaqueByFormat) {
  for (auto [format, expected] : {std::pair{gdip::PixelFormat32bppARGB, 0x00000000u},
                                  std::pair{gdip::PixelFormat24bppRGB, 0xFF000000u}}) {
    GpBitmap bitmap = 0;
    ASSERT_EQ(gp::GdipCreateBitmapFromScan0(3, 3, 0, format, nullptr, &bitmap), gdip::Ok);
    ARGB pixel = 1;
    gp::GdipBitmapGetPixel(bitmap, 1, 1, &pixel);
    EXPECT_EQ(pixel, expected);
    // A format without alpha stays opaque whatever is set.
    gp::GdipBitmapSetPixel(bitmap, 0, 0, 0x10203040);
    gp::GdipBitmapGetPixel(bitmap, 0, 0, &pixel);
    EXPECT_EQ(pixel, format == gdip::PixelFormat24bppRGB ? 0xFF203040u : 0x10203040u);
    EXPECT_EQ(gp::GdipBitmapGetPixel(bitmap, 3, 0, &pixel), gdip::InvalidParameter);
    EXPECT_EQ(gp::GdipBitmapSetPixel(bitmap, -1, 0, 0), gdip::InvalidParameter);
    gp::GdipDisposeImage(bitmap);
  }
}

TEST(Drawing, FillThenDrawCompositesTheImageOverTheColour) {
  QImage picture(2, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, 0x00000000);  // transparent
  picture.setPixel(1, 0, 0xFF102030);
  Disposer source{BitmapFrom(picture)};
  Disposer canvas{BitmapFrom(QImage(2, 1, QImage::Format_ARGB32))};
  gp::GdipBitmapSetPixel(canvas.image, 0, 0, 0);
  gp::GdipBitmapSetPixel(canvas.image, 1, 0, 0);
  GpGraphics graphics = 0;
  GpSolidFill brush = 0;
  ASSERT_EQ(gp::GdipGetImageGraphicsContext(canvas.image, &graphics), gdip::Ok);
  ASSERT_EQ(gp::GdipCreateSolidFill(0xFFECECEC, &brush), gdip::Ok);
  EXPECT_EQ(gp::GdipFillRectangle(graphics, brush, 0, 0, 2, 1), gdip::Ok);
  EXPECT_EQ(gp::GdipDrawImageRect(graphics, source.image, 0, 0, 2, 1), gdip::Ok);
  QImage result = PixelsOf(canvas.image);
  EXPECT_EQ(result.pixel(0, 0), 0xFFECECECu);
  EXPECT_EQ(result.pixel(1, 0), 0xFF102030u);
  gp::GdipDeleteGraphics(graphics);
  gp::GdipDeleteBrush(brush);
}

// A 1-pixel checkerboard shrunk 64 times: every mode but nearest neighbour averages it to grey.
TEST(Drawing, ShrinkingALotAveragesInsteadOfAliasing) {
  QImage board(1024, 1024, QImage::Format_ARGB32);
  for (int y = 0; y < 1024; ++y)
    for (int x = 0; x < 1024; ++x)
      board.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
  Disposer source{BitmapFrom(board)};
  for (InterpolationMode mode = gdip::InterpolationModeDefault;
       mode <= gdip::InterpolationModeHighQualityBicubic; ++mode) {
    SCOPED_TRACE(mode);
    GpBitmap small = 0;
    ASSERT_EQ(gp::GdipCreateBitmapFromScan0(16, 16, 0, gdip::PixelFormat32bppARGB, nullptr, &small),
              gdip::Ok);
    GpGraphics graphics = 0;
    gp::GdipGetImageGraphicsContext(small, &graphics);
    ASSERT_EQ(gp::GdipSetInterpolationMode(graphics, mode), gdip::Ok);
    ASSERT_EQ(gp::GdipDrawImageRect(graphics, source.image, 0, 0, 16, 16), gdip::Ok);
    QImage result = PixelsOf(small);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        int grey = qRed(result.pixel(x, y));
        if (mode == gdip::InterpolationModeNearestNeighbor)
          EXPECT_TRUE(grey == 0 || grey == 255) << x << "," << y;
        else
          EXPECT_NEAR(grey, 128, 3) << x << "," << y;
      }
    gp::GdipDeleteGraphics(graphics);
    gp::GdipDisposeImage(small);
  }
  GpGraphics graphics = 0;
  gp::GdipGetImageGraphicsContext(source.image, &graphics);
  EXPECT_EQ(gp::GdipSetInterpolationMode(graphics, 8), gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipSetInterpolationMode(graphics, -1), gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipDrawImageRect(graphics, source.image, 0, 0,
                                  std::numeric_limits<float>::infinity(), 1),
            gdip::InvalidParameter);
  gp::GdipDeleteGraphics(graphics);
}

// Sizes drawn from one picture share one premultiplied copy of it; a change to the picture's
// pixels must show in the next drawing, and every drawing is Qt's own scaling of the picture.
TEST(Drawing, APictureDrawnAtSeveralSizesShowsItsLatestPixels) {
  Disposer source{BitmapFrom(Pattern(300, 200, true))};
  auto drawn = [&](int side) {
    GpBitmap small = 0;
    gp::GdipCreateBitmapFromScan0(side, side, 0, gdip::PixelFormat32bppARGB, nullptr, &small);
    GpGraphics graphics = 0;
    gp::GdipGetImageGraphicsContext(small, &graphics);
    gp::GdipDrawImageRect(graphics, source.image, 0, 0, float(side), float(side));
    gp::GdipDeleteGraphics(graphics);
    QImage pixels = PixelsOf(small);
    gp::GdipDisposeImage(small);
    return pixels;
  };
  auto expected = [&](int side) {
    QImage scaled =
        PixelsOf(source.image).scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage canvas(side, side, QImage::Format_ARGB32);
    canvas.fill(0);
    QPainter(&canvas).drawImage(0, 0, scaled);
    return canvas;
  };
  for (int side : {48, 16})
    EXPECT_EQ(drawn(side), expected(side)) << side;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 150; ++x)
      gp::GdipBitmapSetPixel(source.image, x, y, 0xFF00FF00);
  EXPECT_EQ(qGreen(drawn(16).pixel(2, 8)), 255) << "the new pixels, not a kept copy";
  EXPECT_EQ(drawn(16), expected(16));
}

TEST(Drawing, RotateFlipMovesPixelsAsTheKindSays) {
  // 2 x 1: A B. Expected top-left pixel and size after each kind.
  QImage picture(2, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, 0xFFAAAAAA);
  picture.setPixel(1, 0, 0xFFBBBBBB);
  const struct {
    RotateFlipType kind;
    int width;
    QRgb topLeft;
  } rows[] = {{0, 2, 0xFFAAAAAA}, {1, 1, 0xFFAAAAAA}, {2, 2, 0xFFBBBBBB}, {3, 1, 0xFFBBBBBB},
              {4, 2, 0xFFBBBBBB}, {5, 1, 0xFFAAAAAA}, {6, 2, 0xFFAAAAAA}, {7, 1, 0xFFBBBBBB}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    Disposer image{BitmapFrom(picture)};
    ASSERT_EQ(gp::GdipImageRotateFlip(image.image, row.kind), gdip::Ok);
    QImage result = PixelsOf(image.image);
    EXPECT_EQ(result.width(), row.width);
    EXPECT_EQ(result.pixel(0, 0), row.topLeft);
  }
  Disposer image{BitmapFrom(picture)};
  EXPECT_EQ(gp::GdipImageRotateFlip(image.image, 8), gdip::InvalidParameter);
}

TEST(Handles, IconsAndBitmapsConvertBothWaysKeepingWhatTheyShould) {
  QImage picture = Pattern(5, 4, true);
  HICON icon = platform::gdi::CreateIcon(picture);
  GpBitmap fromIcon = 0;
  ASSERT_EQ(gp::GdipCreateBitmapFromHICON(icon, &fromIcon), gdip::Ok);
  EXPECT_EQ(MaxChannelDifference(PixelsOf(fromIcon), picture), 0);  // alpha kept

  HICON back = 0;
  ASSERT_EQ(gp::GdipCreateHICONFromBitmap(fromIcon, &back), gdip::Ok);
  EXPECT_EQ(MaxChannelDifference(platform::gdi::ToQImage(platform::gdi::Icons().Find(back)->image),
                                 picture),
            0);

  HBITMAP bitmap = 0;
  ASSERT_EQ(gp::GdipCreateHBITMAPFromBitmap(fromIcon, &bitmap, 0xFFFFFFFF), gdip::Ok);
  const QImage& flattened = platform::gdi::Bitmaps().Find(bitmap)->image;
  EXPECT_EQ(flattened.pixel(0, 0), 0xFFFFFFFFu);  // alpha 0 over white
  EXPECT_EQ(qAlpha(flattened.pixel(4, 0)), 255);

  // A bitmap handle's fourth bytes are not alpha: the image is opaque.
  GpBitmap fromBitmap = 0;
  HBITMAP translucent = platform::gdi::CreateBitmap(picture);
  ASSERT_EQ(gp::GdipCreateBitmapFromHBITMAP(translucent, 0, &fromBitmap), gdip::Ok);
  EXPECT_EQ(qAlpha(PixelsOf(fromBitmap).pixel(0, 0)), 255);
  PixelFormat format = 0;
  gp::GdipGetImagePixelFormat(fromBitmap, &format);
  EXPECT_EQ(format, gdip::PixelFormat32bppRGB);

  platform::gdi::Icons().Erase(icon);
  platform::gdi::Icons().Erase(back);
  platform::gdi::Bitmaps().Erase(bitmap);
  platform::gdi::Bitmaps().Erase(translucent);
  gp::GdipDisposeImage(fromIcon);
  gp::GdipDisposeImage(fromBitmap);
}

TEST(Frames, AnimatedGifSelectsItsFramesAlongTheTimeDimension) {
  QImage red(8, 8, QImage::Format_ARGB32), blue(8, 8, QImage::Format_ARGB32),
      green(8, 8, QImage::Format_ARGB32);
  red.fill(0xFFFF0000);
  blue.fill(0xFF0000FF);
  green.fill(0xFF00FF00);
  Disposer gif{Decode(GifOf({red, blue, green}))};
  ASSERT_NE(gif.image, 0u);
  UINT count = 0;
  ASSERT_EQ(gp::GdipImageGetFrameDimensionsCount(gif.image, &count), gdip::Ok);
  ASSERT_EQ(count, 1u);
  GUID dimension{};
  ASSERT_EQ(gp::GdipImageGetFrameDimensionsList(gif.image, &dimension, 1), gdip::Ok);
  EXPECT_TRUE(dimension == gdip::FrameDimensionTime);
  ASSERT_EQ(gp::GdipImageGetFrameCount(gif.image, &dimension, &count), gdip::Ok);
  EXPECT_EQ(count, 3u);
  const QRgb expected[] = {0xFFFF0000, 0xFF0000FF, 0xFF00FF00};
  for (UINT frame : {2u, 0u, 1u}) {
    ASSERT_EQ(gp::GdipImageSelectActiveFrame(gif.image, &dimension, frame), gdip::Ok);
    EXPECT_EQ(PixelsOf(gif.image).pixel(3, 3), expected[frame]);
  }
  EXPECT_EQ(gp::GdipImageSelectActiveFrame(gif.image, &dimension, 3), gdip::InvalidParameter);
  EXPECT_EQ(gp::GdipImageSelectActiveFrame(gif.image, &gdip::FrameDimensionResolution, 0),
            gdip::InvalidParameter);
}

TEST(Frames, ASinglePictureHasOnePage) {
  Disposer png{Decode(QtEncode(Pattern(3, 3, false), "png"))};
  GUID dimension{};
  UINT count = 0;
  ASSERT_EQ(gp::GdipImageGetFrameDimensionsList(png.image, &dimension, 1), gdip::Ok);
  EXPECT_TRUE(dimension == gdip::FrameDimensionPage);
  ASSERT_EQ(gp::GdipImageGetFrameCount(png.image, &dimension, &count), gdip::Ok);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(gp::GdipImageSelectActiveFrame(png.image, &dimension, 0), gdip::Ok);
  EXPECT_EQ(gp::GdipImageSelectActiveFrame(png.image, &dimension, 1), gdip::InvalidParameter);
}

TEST(Frames, MultiFrameSaveOfAGifAddsFramesUntilFlushed) {
  QImage red(4, 4, QImage::Format_ARGB32), blue(4, 4, QImage::Format_ARGB32);
  red.fill(0xFFFF0000);
  blue.fill(0xFF0000FF);
  Disposer first{BitmapFrom(red)}, second{BitmapFrom(blue)};
  ISTREAM stream = 0;
  platform::ole32::CreateStreamOnHGlobal(0, TRUE, &stream);
  ULONG flag = gdip::EncoderValueMultiFrame;
  EncoderParameters multi{1,
                          {{gdip::EncoderSaveFlag, 1, gdip::EncoderParameterValueTypeLong, &flag}}};
  EXPECT_EQ(gp::GdipSaveAdd(first.image, &multi), gdip::WrongState);  // nothing started
  ASSERT_EQ(gp::GdipSaveImageToStream(first.image, stream, &gdip::EncoderClsidGIF, &multi),
            gdip::Ok);
  ULONG time = gdip::EncoderValueFrameDimensionTime;
  EncoderParameters add{1,
                        {{gdip::EncoderSaveFlag, 1, gdip::EncoderParameterValueTypeLong, &time}}};
  ASSERT_EQ(gp::GdipSaveAddImage(first.image, second.image, &add), gdip::Ok);
  ULONG flush = gdip::EncoderValueFlush;
  EncoderParameters done{1,
                         {{gdip::EncoderSaveFlag, 1, gdip::EncoderParameterValueTypeLong, &flush}}};
  ASSERT_EQ(gp::GdipSaveAdd(first.image, &done), gdip::Ok);
  EXPECT_EQ(gp::GdipSaveAdd(first.image, &add), gdip::WrongState);

  platform::ole32::StreamSeek(stream, 0, platform::ole32::SeekOrigin::Set);
  GpImage animation = 0;
  ASSERT_EQ(gp::GdipLoadImageFromStream(stream, &animation), gdip::Ok);
  UINT count = 0;
  gp::GdipImageGetFrameCount(animation, &gdip::FrameDimensionTime, &count);
  EXPECT_EQ(count, 2u);
  gp::GdipDisposeImage(animation);
  platform::ole32::StreamRelease(stream);
}

TEST(Encoders, TheListHasFiveEncodersWithStringsInsideTheBuffer) {
  UINT count = 0, size = 0;
  ASSERT_EQ(gp::GdipGetImageEncodersSize(&count, &size), gdip::Ok);
  ASSERT_EQ(count, 5u);
  std::vector<uint8_t> buffer(size);
  auto* list = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  EXPECT_EQ(gp::GdipGetImageEncoders(count, size - 1, list), gdip::GenericError);
  ASSERT_EQ(gp::GdipGetImageEncoders(count, size, list), gdip::Ok);
  const CLSID expected[] = {gdip::EncoderClsidBMP, gdip::EncoderClsidJPEG, gdip::EncoderClsidGIF,
                            gdip::EncoderClsidTIFF, gdip::EncoderClsidPNG};
  for (UINT i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(list[i].Clsid == expected[i]);
    auto inside = [&](const void* p) {
      return p >= buffer.data() + count * sizeof(ImageCodecInfo) && p < buffer.data() + size;
    };
    EXPECT_TRUE(inside(list[i].MimeType));
    EXPECT_TRUE(inside(list[i].SigPattern));
    EXPECT_EQ(std::u16string(list[i].MimeType).substr(0, 6), u"image/");
  }
  EXPECT_EQ(std::memcmp(list[4].SigPattern, "\x89PNG", 4), 0);
}

TEST(Encoders, JpegDescribesItsQualityRange) {
  Disposer image{BitmapFrom(Pattern(2, 2, false))};
  UINT size = 0;
  ASSERT_EQ(gp::GdipGetEncoderParameterListSize(image.image, &gdip::EncoderClsidJPEG, &size),
            gdip::Ok);
  std::vector<uint8_t> buffer(size);
  auto* list = reinterpret_cast<EncoderParameters*>(buffer.data());
  ASSERT_EQ(gp::GdipGetEncoderParameterList(image.image, &gdip::EncoderClsidJPEG, size, list),
            gdip::Ok);
  ASSERT_EQ(list->Count, 1u);
  EXPECT_TRUE(list->Parameter[0].Guid == gdip::EncoderQuality);
  EXPECT_EQ(list->Parameter[0].Type, gdip::EncoderParameterValueTypeLongRange);
  auto* range = static_cast<const LONG*>(list->Parameter[0].Value);
  EXPECT_EQ(range[0], 0);
  EXPECT_EQ(range[1], 100);
  EXPECT_EQ(gp::GdipGetEncoderParameterListSize(image.image, &gdip::EncoderClsidBMP, &size),
            gdip::NotImplemented);
}

TEST(Saving, AFailedSaveKeepsTheExistingFile) {
  const testing_support::TempDir folder;
  std::string path = (folder / "keep.png").string();
  FILE* f = fopen(path.c_str(), "wb");
  fputs("old", f);
  fclose(f);
  std::u16string wide(path.begin(), path.end());
  Disposer image{BitmapFrom(Pattern(2, 2, false))};
  ULONG tooHigh = 500;
  EncoderParameters bad{1,
                        {{gdip::EncoderQuality, 1, gdip::EncoderParameterValueTypeLong, &tooHigh}}};
  EXPECT_EQ(gp::GdipSaveImageToFile(image.image, wide.c_str(), &gdip::EncoderClsidJPEG, &bad),
            gdip::InvalidParameter);
  const CLSID unknown{1, 2, 3, {4}};
  EXPECT_EQ(gp::GdipSaveImageToFile(image.image, wide.c_str(), &unknown, nullptr),
            gdip::UnknownImageFormat);
  f = fopen(path.c_str(), "rb");
  char content[8] = {};
  fread(content, 1, sizeof content - 1, f);
  fclose(f);
  EXPECT_STREQ(content, "old");
  std::u16string missing = wide + u".d/none/x.png";
  EXPECT_EQ(gp::GdipSaveImageToFile(image.image, missing.c_str(), &gdip::EncoderClsidPNG, nullptr),
            gdip::Win32Error);
  GpImage loaded = 0;
  EXPECT_EQ(gp::GdipLoadImageFromFile(missing.c_str(), &loaded), gdip::FileNotFound);
  const std::string folderName = folder.path().string();
  std::u16string wideFolder(folderName.begin(), folderName.end());
  EXPECT_EQ(gp::GdipLoadImageFromFile(wideFolder.c_str(), &loaded), gdip::Win32Error);
}

// Saves write files as the frame writes them: refused over a read-only file or a folder, the
// finished file put in place in one step, nothing else left in the folder.
TEST(Saving, ReadOnlyFilesAndFoldersAreNotReplaced) {
  testing_support::TempDir dir;
  std::string readOnly = (dir / "locked.png").string();
  testing_support::WriteBytes(readOnly, {'o', 'l', 'd'});
  chmod(readOnly.c_str(), 0444);
  std::filesystem::create_directories(dir / "folder.png");
  Disposer image{BitmapFrom(Pattern(4, 4, true))};
  for (const std::string& path : {readOnly, (dir / "folder.png").string()}) {
    std::u16string wide(path.begin(), path.end());
    EXPECT_EQ(gp::GdipSaveImageToFile(image.image, wide.c_str(), &gdip::EncoderClsidPNG, nullptr),
              gdip::Win32Error)
        << path;
  }
  EXPECT_EQ(testing_support::ReadBytes(readOnly), (std::vector<uint8_t>{'o', 'l', 'd'}));
  std::string fresh = (dir / "new.png").string();
  std::u16string wide(fresh.begin(), fresh.end());
  ASSERT_EQ(gp::GdipSaveImageToFile(image.image, wide.c_str(), &gdip::EncoderClsidPNG, nullptr),
            gdip::Ok);
  EXPECT_EQ(QtDecode(testing_support::ReadBytes(fresh)).size(), QSize(4, 4));
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++entries;
  EXPECT_EQ(entries, 3u) << "no temporary file is left";
}

}  // namespace
