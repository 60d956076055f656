// Device contexts, bitmaps, brushes and icon drawing, read back through GetDIBits as the program
// reads them.
#include <gtest/gtest.h>

#include <optional>

#include "platform/picture/gdi/objects.h"
#include "platform/win32/gdi32.h"
#include "platform/win32/user32.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"

namespace platform {
namespace {

namespace ts = testing_support;
using namespace win32;
using ts::Bytes;

constexpr uint32_t kA = 0x3366CC, kB = 0xCC9933;  // 0xRRGGBB

// A 16 x 16 icon: left half colour A, right half colour B, the top-left 4 x 4 corner hidden by
// the mask; 32-bit icons also have a band of half-transparent black in rows 12 to 15.
Bytes SixteenPixelIcon(int bitCount) {
  ts::DibRecipe recipe;
  recipe.bitCount = bitCount;
  if (bitCount <= 8) {
    recipe.palette.assign(size_t{1} << bitCount, 0);
    recipe.palette[1] = kA;
    recipe.palette[2] = kB;
    recipe.pixel = [](int x, int) { return x < 8 ? 1u : 2u; };
  } else {
    recipe.pixel = [](int x, int y) {
      if (y >= 12) return 0x80000000u;
      return 0xFF000000u | (x < 8 ? kA : kB);
    };
  }
  recipe.masked = [](int x, int y) { return x < 4 && y < 4; };
  return ts::MakeIcoFile({ts::MakeIconDib(recipe)});
}

HICON LoadIcon(const ts::TempDir& dir, const Bytes& ico, int size = 0) {
  std::string path = (dir / "icon.ico").string();
  ts::WriteBytes(path, ico);
  return static_cast<HICON>(
      user32::LoadImageA(0, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
}

// Draws the icon as the program does (screen context, compatible memory context and bitmap,
// optional background, DrawIconEx, GetDIBits) and returns the bottom-up 32-bit rows.
std::vector<uint32_t> Render(HICON icon, int size, std::optional<COLORREF> background) {
  HDC screen = user32::GetDC(0);
  HDC memory = gdi32::CreateCompatibleDC(screen);
  HBITMAP bitmap = gdi32::CreateCompatibleBitmap(screen, size, size);
  gdi32::SelectObject(memory, bitmap);
  if (background) {
    HBRUSH brush = gdi32::CreateSolidBrush(*background);
    RECT r{0, 0, size, size};
    EXPECT_EQ(user32::FillRect(memory, &r, brush), 1);
    gdi32::DeleteObject(brush);
  }
  EXPECT_TRUE(user32::DrawIconEx(memory, 0, 0, icon, size, size, 0, 0, DI_NORMAL));
  BITMAPINFO info{};
  info.bmiHeader.biSize = 40;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  EXPECT_NE(gdi32::GetDIBits(memory, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS), 0);
  EXPECT_EQ(info.bmiHeader.biSizeImage, static_cast<DWORD>(size * size * 4));
  std::vector<uint32_t> rows(static_cast<size_t>(size) * size);
  EXPECT_EQ(gdi32::GetDIBits(memory, bitmap, 0, size, rows.data(), &info, DIB_RGB_COLORS), size);
  gdi32::DeleteObject(bitmap);
  gdi32::DeleteDC(memory);
  user32::ReleaseDC(0, screen);
  return rows;
}

// Pixel (x, y) of bottom-up rows, y = 0 the top line.
uint32_t At(const std::vector<uint32_t>& rows, int size, int x, int y) {
  return rows[static_cast<size_t>(size - 1 - y) * size + x];
}

struct DrawCase {
  int bitCount;
  int size;  // 16: as stored, 32: scaled up
  std::optional<COLORREF> background;
};

class DrawIconExTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawIconExTest, CompositesTheIconOverTheBitmap) {
  const DrawCase& c = GetParam();
  ts::TempDir dir;
  HICON icon = LoadIcon(dir, SixteenPixelIcon(c.bitCount));
  ASSERT_NE(icon, 0u);
  auto rows = Render(icon, c.size, c.background);
  int k = c.size / 16;  // source pixel (x, y) covers target pixels k x .. k x + k - 1
  // Sample each region away from its edges, where scaling mixes neighbours.
  auto sample = [&](int x, int y) { return At(rows, c.size, k * x + k / 2, k * y + k / 2); };
  uint32_t backgroundArgb = c.background
                                ? 0xFF000000 | (*c.background & 0xFF) << 16 |
                                      (*c.background & 0xFF00) | (*c.background >> 16 & 0xFF)
                                : 0u;
  EXPECT_EQ(sample(1, 1), backgroundArgb) << "hidden by the mask";
  EXPECT_EQ(sample(4, 8), 0xFF000000 | kA);
  EXPECT_EQ(sample(12, 8), 0xFF000000 | kB);
  EXPECT_EQ(sample(6, 1), 0xFF000000 | kA) << "beside the hidden corner";
  if (c.bitCount == 32) {
    uint32_t band = sample(8, 14);
    if (c.background) {
      EXPECT_EQ(band >> 24, 0xFFu);
      EXPECT_NEAR(static_cast<int>(band & 0xFF), 127, 1) << "half-transparent black over white";
    } else {
      EXPECT_EQ(band, 0x80000000u) << "drawn over nothing, the pixel keeps its own alpha";
    }
  } else {
    EXPECT_EQ(sample(8, 14), 0xFF000000 | kB);
  }
  EXPECT_TRUE(user32::DestroyIcon(icon));
}

INSTANTIATE_TEST_SUITE_P(Cases, DrawIconExTest,
                         ::testing::Values(DrawCase{4, 16, std::nullopt}, DrawCase{4, 16, 0xFFFFFF},
                                           DrawCase{4, 32, std::nullopt}, DrawCase{4, 32, 0xFFFFFF},
                                           DrawCase{8, 16, std::nullopt}, DrawCase{8, 32, 0x00FF00},
                                           DrawCase{32, 16, std::nullopt},
                                           DrawCase{32, 16, 0xFFFFFF},
                                           DrawCase{32, 32, std::nullopt},
                                           DrawCase{32, 32, 0xFFFFFF}),
                         [](const auto& info) {
                           return std::to_string(info.param.bitCount) + "bitsAt" +
                                  std::to_string(info.param.size) +
                                  (info.param.background ? "OnBackground" : "OnNothing");
                         });

TEST(DrawIconExTest, DrawsAtItsPositionAndTheFlickerFreeBrushFillsFirst) {
  ts::TempDir dir;
  HICON icon = LoadIcon(dir, SixteenPixelIcon(8));
  HDC memory = gdi32::CreateCompatibleDC(0);
  HBITMAP bitmap = gdi32::CreateCompatibleBitmap(memory, 64, 32);
  gdi32::SelectObject(memory, bitmap);
  HBRUSH red = gdi32::CreateSolidBrush(0x0000FF);
  EXPECT_TRUE(user32::DrawIconEx(memory, 40, 8, icon, 0, 0, 0, red, DI_NORMAL));
  EXPECT_TRUE(user32::DrawIcon(memory, 0, 0, icon));  // the standard 32 x 32
  const QImage& image = gdi::Bitmaps().Find(bitmap)->image;
  EXPECT_EQ(image.pixel(41, 9), 0xFFFF0000u) << "corner: the brush shows through";
  EXPECT_EQ(image.pixel(45, 20), 0xFF000000 | kA);
  EXPECT_EQ(image.pixel(39, 20), 0u) << "left of the icon nothing is drawn";
  EXPECT_EQ(image.pixel(30, 20), 0xFF000000 | kB) << "DrawIcon scales 16 to 32";
  gdi32::DeleteObject(red);
  gdi32::DeleteObject(bitmap);
  gdi32::DeleteDC(memory);
  user32::DestroyIcon(icon);
}

TEST(GdiObjectsTest, NullStaleAndWrongKindHandlesGetTheFailureValues) {
  ts::TempDir dir;
  HICON icon = LoadIcon(dir, SixteenPixelIcon(4));
  HDC screen = user32::GetDC(0);
  HDC memory = gdi32::CreateCompatibleDC(screen);
  HBITMAP bitmap = gdi32::CreateCompatibleBitmap(screen, 8, 8);
  HBRUSH brush = gdi32::CreateSolidBrush(0);
  RECT r{0, 0, 4, 4};
  BITMAPINFO info{};
  info.bmiHeader.biSize = 40;
  info.bmiHeader.biBitCount = 32;
  ICONINFO iconInfo{};
  HICON stale = LoadIcon(dir, SixteenPixelIcon(4));
  user32::DestroyIcon(stale);

  EXPECT_FALSE(user32::DestroyIcon(0));
  EXPECT_FALSE(user32::DestroyIcon(stale));
  EXPECT_FALSE(user32::DestroyIcon(bitmap));
  EXPECT_FALSE(user32::GetIconInfo(stale, &iconInfo));
  EXPECT_FALSE(user32::GetIconInfo(icon, nullptr));
  EXPECT_FALSE(user32::DrawIconEx(0, 0, 0, icon, 0, 0, 0, 0, DI_NORMAL));
  EXPECT_FALSE(user32::DrawIconEx(memory, 0, 0, stale, 0, 0, 0, 0, DI_NORMAL));
  EXPECT_FALSE(user32::DrawIconEx(memory, 0, 0, bitmap, 0, 0, 0, 0, DI_NORMAL));
  EXPECT_FALSE(user32::DrawIconEx(memory, 0, 0, icon, 100000, 100000, 0, 0, DI_NORMAL));
  EXPECT_FALSE(user32::DrawIcon(icon, 0, 0, icon));
  EXPECT_EQ(user32::FillRect(memory, &r, 0), 0);
  EXPECT_EQ(user32::FillRect(memory, nullptr, brush), 0);
  EXPECT_EQ(user32::FillRect(bitmap, &r, brush), 0);
  EXPECT_EQ(user32::ReleaseDC(0, memory), 0) << "a memory context is deleted, not released";
  EXPECT_FALSE(gdi32::DeleteDC(screen)) << "a screen context is released, not deleted";
  EXPECT_EQ(user32::GetDC(12345), 0u);

  EXPECT_EQ(gdi32::CreateCompatibleDC(icon), 0u);
  EXPECT_EQ(gdi32::CreateCompatibleBitmap(0, 8, 8), 0u);
  EXPECT_EQ(gdi32::CreateCompatibleBitmap(screen, -1, 8), 0u);
  EXPECT_EQ(gdi32::CreateCompatibleBitmap(screen, 1 << 20, 1 << 20), 0u);
  EXPECT_EQ(gdi32::SelectObject(memory, icon), 0u);
  EXPECT_EQ(gdi32::SelectObject(screen, bitmap), 0u) << "only memory contexts hold bitmaps";
  EXPECT_EQ(gdi32::SelectObject(0, bitmap), 0u);
  EXPECT_FALSE(gdi32::DeleteObject(icon));
  EXPECT_FALSE(gdi32::DeleteObject(0));
  EXPECT_EQ(gdi32::GetDIBits(memory, stale, 0, 0, nullptr, &info, DIB_RGB_COLORS), 0);
  EXPECT_EQ(gdi32::GetDIBits(memory, bitmap, 0, 0, nullptr, nullptr, DIB_RGB_COLORS), 0);
  EXPECT_EQ(gdi32::GetDIBits(memory, bitmap, 0, 0, nullptr, &info, 1), 0);
  EXPECT_EQ(gdi32::GetObjectA(brush, sizeof(BITMAP), nullptr), 0);
  EXPECT_EQ(gdi32::SetStretchBltMode(memory, 0), 0);
  EXPECT_EQ(gdi32::SetStretchBltMode(stale, HALFTONE), 0);

  gdi32::DeleteObject(brush);
  gdi32::DeleteObject(bitmap);
  gdi32::DeleteDC(memory);
  user32::ReleaseDC(0, screen);
  user32::DestroyIcon(icon);
}

TEST(GdiObjectsTest, ABitmapDeletedWhileSelectedGoesWithItsContext) {
  size_t bitmaps = gdi::Bitmaps().size(), contexts = gdi::DeviceContexts().size();
  HDC memory = gdi32::CreateCompatibleDC(0);
  HDC other = gdi32::CreateCompatibleDC(0);
  HBITMAP bitmap = gdi32::CreateCompatibleBitmap(memory, 4, 4);
  HGDIOBJ initial = gdi32::SelectObject(memory, bitmap);
  EXPECT_NE(initial, 0u) << "the context's own bitmap comes back";
  EXPECT_EQ(gdi32::SelectObject(other, bitmap), 0u) << "a bitmap lives in one context at a time";
  EXPECT_TRUE(gdi32::DeleteObject(bitmap));
  EXPECT_TRUE(gdi::Bitmaps().Contains(bitmap)) << "still selected: deletion waits";
  EXPECT_TRUE(gdi32::DeleteDC(memory));
  EXPECT_FALSE(gdi::Bitmaps().Contains(bitmap));
  EXPECT_TRUE(gdi32::DeleteDC(other));
  EXPECT_FALSE(gdi32::DeleteDC(other));
  EXPECT_EQ(gdi::Bitmaps().size(), bitmaps);
  EXPECT_EQ(gdi::DeviceContexts().size(), contexts);
}

TEST(GdiObjectsTest, GetDIBitsConvertsToTwentyFourAndSixteenBits) {
  HBITMAP bitmap = gdi::CreateBitmap(2, 2);
  QImage& image = gdi::Bitmaps().Find(bitmap)->image;
  image.setPixel(0, 0, 0xFFFF8000);  // top-left orange
  image.setPixel(1, 1, 0x800000FF);  // bottom-right half-transparent blue
  HDC memory = gdi32::CreateCompatibleDC(0);
  BITMAPINFO info{};
  info.bmiHeader = {40, 2, 2, 1, 24, 0, 0, 0, 0, 0, 0};
  uint8_t rgb[16] = {};
  ASSERT_EQ(gdi32::GetDIBits(memory, bitmap, 0, 2, rgb, &info, DIB_RGB_COLORS), 2);
  const uint8_t expected24[16] = {0, 0, 0, 0xFF, 0, 0, 0, 0, 0x00, 0x80, 0xFF, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(rgb, rgb + 16), std::vector<uint8_t>(expected24, expected24 + 16));

  info.bmiHeader.biBitCount = 16;
  uint8_t rgb16[8] = {};
  ASSERT_EQ(gdi32::GetDIBits(memory, bitmap, 0, 2, rgb16, &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(rgb16[2] | rgb16[3] << 8, 0x001F) << "bottom row, right: blue";
  EXPECT_EQ(rgb16[4] | rgb16[5] << 8, 0x7E00) << "top row, left: orange";

  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biHeight = -2;  // top-down rows
  uint32_t argb[4] = {};
  ASSERT_EQ(gdi32::GetDIBits(memory, bitmap, 0, 2, argb, &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(argb[0], 0xFFFF8000u);
  EXPECT_EQ(argb[3], 0x800000FFu) << "straight alpha";
  info.bmiHeader.biBitCount = 8;
  EXPECT_EQ(gdi32::GetDIBits(memory, bitmap, 0, 2, argb, &info, DIB_RGB_COLORS), 0);
  gdi32::DeleteDC(memory);
  gdi32::DeleteObject(bitmap);
}

TEST(IconInfoTest, HotSpotIsTheCentreAndTheBitmapsAreTheCallers) {
  ts::TempDir dir;
  ts::DibRecipe recipe;
  recipe.width = recipe.height = 48;
  HICON icon = LoadIcon(dir, ts::MakeIcoFile({ts::MakeIconDib(recipe)}));
  ICONINFO info{};
  ASSERT_TRUE(user32::GetIconInfo(icon, &info));
  EXPECT_TRUE(info.fIcon);
  EXPECT_EQ(info.xHotspot + info.yHotspot, 48u);
  EXPECT_TRUE(gdi32::DeleteObject(info.hbmColor));
  EXPECT_TRUE(gdi32::DeleteObject(info.hbmMask));
  user32::DestroyIcon(icon);
}

}  // namespace
}  // namespace platform
