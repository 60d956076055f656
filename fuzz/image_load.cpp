// Loading a picture from bytes through the imaging library stand-in (every format it reads),
// then what a caller does with it: size, frames, one re-encoding.
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/core/ole32/stream.h"
#include "platform/win32/gdiplus.h"
#include "platform/win32/ole32.h"

namespace gp = platform::gdiplus;
using namespace win32;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication application(*argc, *argv);
  ULONG_PTR token = 0;
  GdiplusStartupInput input{1, nullptr, FALSE, FALSE};
  gp::GdiplusStartup(&token, &input, nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ISTREAM stream = 0;
  if (platform::ole32::CreateStreamOnHGlobal(0, TRUE, &stream) != 0) return 0;
  platform::ole32::StreamWrite(stream, std::span<const uint8_t>(data, size));
  platform::ole32::StreamSeek(stream, 0, platform::ole32::SeekOrigin::Set);
  GpImage image = 0;
  if (gp::GdipLoadImageFromStream(stream, &image) == gdip::Ok) {
    UINT width = 0, height = 0, frames = 0;
    gp::GdipGetImageWidth(image, &width);
    gp::GdipGetImageHeight(image, &height);
    GUID dimension{};
    gp::GdipImageGetFrameDimensionsList(image, &dimension, 1);
    if (gp::GdipImageGetFrameCount(image, &dimension, &frames) == gdip::Ok && frames > 1)
      gp::GdipImageSelectActiveFrame(image, &dimension, frames - 1);
    if (uint64_t(width) * height <= 1u << 20) {
      ISTREAM out = 0;
      platform::ole32::CreateStreamOnHGlobal(0, TRUE, &out);
      gp::GdipSaveImageToStream(image, out, &gdip::EncoderClsidBMP, nullptr);
      platform::ole32::StreamRelease(out);
    }
    gp::GdipDisposeImage(image);
  }
  platform::ole32::StreamRelease(stream);
  return 0;
}
