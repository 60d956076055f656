#include "extract/icon_image.h"

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/owned.h"
#include "icofile/icon_container.h"

namespace extract {
namespace {

using namespace win32;

constexpr DWORD kHeadSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
constexpr int32_t kSingleIconSize = 32;
// The info header, 32 x 32 x 4 bytes of pixels and the mask.
constexpr uint32_t kSingleIconBytes = sizeof(BITMAPINFOHEADER) + 4096 + 128;

BITMAPINFO InfoBlock(LONG width, LONG height, WORD bitCount) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitCount;
  return info;
}

BITMAPFILEHEADER FileHeader(DWORD imageSize) {
  return BITMAPFILEHEADER{0x4D42, imageSize + kHeadSize, 0, 0, kHeadSize};
}

// The pixel rows of a bitmap in the format the information block asks for: the query fills in
// the image size, then the rows are read into a buffer of that size.
frame::ByteSet ReadPixels(HDC dc, HBITMAP bitmap, BITMAPINFO& info, UINT rows) {
  ext::GetDIBits(dc, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS);
  info.bmiHeader.biCompression = BI_RGB;
  frame::ByteSet pixels = frame::ZeroByteSet(static_cast<int32_t>(info.bmiHeader.biSizeImage));
  ext::GetDIBits32(dc, bitmap, 0, rows, pixels.empty() ? nullptr : pixels.data(), &info,
                   DIB_RGB_COLORS);
  return pixels;
}

}  // namespace

frame::ByteSet IconToBmp(HICON icon, const IconToBmpOptions& options) {
  const frame::ScreenDc screen(ext::GetDC(0));
  const frame::OwnedDc memory(ext::CreateCompatibleDC(screen.get()));
  int32_t size;
  if (options.size) {
    size = *options.size;
  } else {
    ICONINFO iconInfo{};
    ext::GetIconInfo(icon, &iconInfo);
    // The information comes with two new bitmaps, which are the caller's to delete.
    const frame::OwnedGdiObject mask(iconInfo.hbmMask), color(iconInfo.hbmColor);
    size = static_cast<int32_t>(iconInfo.xHotspot + iconInfo.yHotspot);
  }
  const frame::OwnedGdiObject bitmap(ext::CreateCompatibleBitmap(screen.get(), size, size));
  ext::SelectObject(memory.get(), bitmap.get());
  if (options.background) {
    const frame::OwnedGdiObject brush(ext::CreateSolidBrush(*options.background));
    RECT square{0, 0, size, size};
    ext::FillRect(memory.get(), &square, brush.get());
  }
  ext::DrawIconEx(memory.get(), 0, 0, icon, size, size, 0, 0, DI_NORMAL);
  BITMAPINFO info = InfoBlock(size, size, static_cast<WORD>(options.bitCount));
  frame::ByteSet pixels =
      ReadPixels(memory.get(), bitmap.get(), info, static_cast<UINT>(info.bmiHeader.biHeight));
  frame::ByteSet result;
  if (options.pixelsOnly) {
    result = pixels;
  } else {
    BITMAPFILEHEADER file = FileHeader(info.bmiHeader.biSizeImage);
    result = frame::PointerToByteSet(&file, sizeof file) +
             frame::PointerToByteSet(&info.bmiHeader, sizeof info.bmiHeader) + pixels;
  }
  return result;
}

frame::ByteSet BitmapToBmp(HBITMAP bitmap, std::optional<int32_t> bitCount) {
  BITMAP description{};
  ext::GetObjectA(bitmap, sizeof description, &description);
  const frame::Owned<HDC, ext::DeleteDC78> memory(ext::CreateCompatibleDC70(0));
  BITMAPINFO info =
      InfoBlock(description.bmWidth, description.bmHeight, static_cast<WORD>(bitCount.value_or(0)));
  frame::ByteSet pixels =
      ReadPixels(memory.get(), bitmap, info, static_cast<UINT>(description.bmHeight));
  frame::ByteSet result;
  if (void* head = ext::VirtualAlloc(nullptr, kHeadSize, MEM_COMMIT, PAGE_READWRITE)) {
    BITMAPFILEHEADER file = FileHeader(info.bmiHeader.biSizeImage);
    ext::RtlMoveMemory(head, &file, sizeof file);
    ext::RtlMoveMemory34(static_cast<uint8_t*>(head) + sizeof file, &info.bmiHeader,
                         sizeof info.bmiHeader);
    result = frame::PointerToByteSet(head, kHeadSize) + pixels;
    ext::VirtualFree(head, 0, MEM_RELEASE);
  }
  return result;
}

frame::ByteSet IconToSingleIco(HICON icon) {
  icofile::IconBuildEntry entry;
  entry.size = kSingleIconSize;
  entry.bitCount = 32;
  entry.bytesInResource = kSingleIconBytes;
  IconToBmpOptions unfilled;
  unfilled.size = kSingleIconSize;
  entry.image = IconToBmp(icon, unfilled);
  return icofile::BuildIconFile({entry});
}

}  // namespace extract
