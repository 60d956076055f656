// The conversion page's path through the image object: a 1024 x 1024 PNG loaded, scaled to the
// icon sizes and encoded as PNG and BMP.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "frame/values.h"
#include "imaging/image_object.h"
#include "platform/win32/gdiplus.h"

namespace {

using imaging::ImageObject;

// A photo-like picture: smooth gradients with some detail and alpha.
const frame::ByteSet& LargePng() {
  static const frame::ByteSet png = [] {
    QImage picture(1024, 1024, QImage::Format_ARGB32);
    for (int y = 0; y < 1024; ++y)
      for (int x = 0; x < 1024; ++x)
        picture.setPixel(x, y, qRgba(x / 4, y / 4, (x ^ y) & 0xFF, 128 + (x + y) % 128));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(picture);
    return frame::ByteSet(reinterpret_cast<const uint8_t*>(bytes.constData()),
                          size_t(bytes.size()));
  }();
  return png;
}

void StartLibrary() {
  static bool started = [] {
    win32::ULONG_PTR token = 0;
    win32::GdiplusStartupInput input{1, nullptr, win32::FALSE, win32::FALSE};
    return platform::gdiplus::GdiplusStartup(&token, &input, nullptr) == 0;
  }();
  (void)started;
}

void LoadPng(benchmark::State& state) {
  StartLibrary();
  for (auto _ : state) {
    ImageObject image;
    benchmark::DoNotOptimize(image.LoadFromBytes(LargePng()));
  }
}
BENCHMARK(LoadPng)->Unit(benchmark::kMillisecond);

void ScaleTo(benchmark::State& state) {
  StartLibrary();
  ImageObject image;
  image.LoadFromBytes(LargePng());
  float side = float(state.range(0));
  for (auto _ : state) {
    int32_t scaled = image.Scale(side, side, false);
    platform::gdiplus::GdipDisposeImage(win32::GpImage(scaled));
  }
}
BENCHMARK(ScaleTo)->Arg(256)->Arg(128)->Arg(48)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond);

void EncodeScaled(benchmark::State& state, int32_t format) {
  StartLibrary();
  ImageObject image;
  image.LoadFromBytes(LargePng());
  image.Scale(float(state.range(0)), float(state.range(0)), true);
  for (auto _ : state)
    benchmark::DoNotOptimize(image.SaveToBytes(format));
}
void EncodePng(benchmark::State& state) {
  EncodeScaled(state, 4);
}
void EncodeBmp(benchmark::State& state) {
  EncodeScaled(state, 0);
}
BENCHMARK(EncodePng)->Arg(1024)->Arg(256)->Arg(48)->Unit(benchmark::kMicrosecond);
BENCHMARK(EncodeBmp)->Arg(1024)->Arg(256)->Arg(48)->Unit(benchmark::kMicrosecond);

// Everything the add button does for one size: load, scale, encode as BMP.
void ConvertForIcon(benchmark::State& state) {
  StartLibrary();
  for (auto _ : state) {
    ImageObject image;
    image.LoadFromBytes(LargePng());
    image.Scale(48, 48, true);
    benchmark::DoNotOptimize(image.SaveToBytes(0));
  }
}
BENCHMARK(ConvertForIcon)->Unit(benchmark::kMillisecond);

}  // namespace
