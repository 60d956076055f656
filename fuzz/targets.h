// What each fuzzer feeds its input to. The harnesses call these, and a unit test replays every
// crash input ever found through them (tests/data/crashers/<name>/).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "icofile/icon_container.h"
#include "platform/codecs/dib.h"
#include "platform/codecs/ico.h"
#include "platform/codecs/png.h"
#include "platform/pe/resources.h"

namespace fuzz {

// The DIB decoder in both modes, and bitmap files.
inline void Dib(std::span<const uint8_t> bytes) {
  using namespace platform::codecs;
  (void)DecodeDib(bytes, DibMode::Icon);
  (void)DecodeDib(bytes, DibMode::Bitmap);
  (void)DecodeBmpFile(bytes);
}

// The icon file: the program's directory walk, the platform's directory reader, the image
// choice and the decoding of the first images.
inline void IcoWalk(std::span<const uint8_t> bytes) {
  using namespace platform::codecs;
  auto walked = icofile::WalkIconImages(frame::ByteSet(bytes));
  for (size_t i = 0; i < std::min<size_t>(walked.size(), 8); ++i)
    (void)icofile::MakeSingleImageIcon(walked[i].entryHead, walked[i].image);
  auto dir = ReadIcoDirectory(bytes);
  if (!dir) return;
  (void)ChooseIconImage(dir->entries, 32, 32);
  for (size_t i = 0; i < std::min<size_t>(dir->entries.size(), 8); ++i)
    (void)DecodeIcoImage(bytes, i);
}

// The PE resource reader: the names of the icon and group-icon types, each group's directory
// and the image it would show.
inline void PeResources(std::span<const uint8_t> bytes) {
  using namespace platform;
  auto dir = pe::ResourceDirectory::Open(bytes);
  if (!dir) return;
  const auto iconType = pe::ResourceId::Number(pe::kIconType);
  const auto groupType = pe::ResourceId::Number(pe::kGroupIconType);
  if (auto icons = dir->Names(iconType))
    for (size_t i = 0; i < std::min<size_t>(icons->size(), 16); ++i)
      (void)dir->Find(iconType, (*icons)[i]);
  auto groups = dir->Names(groupType);
  if (!groups) return;
  for (size_t g = 0; g < std::min<size_t>(groups->size(), 16); ++g) {
    auto group = dir->Find(groupType, (*groups)[g]);
    if (!group) continue;
    auto entries = codecs::ReadGroupIconDirectory(*group);
    if (!entries) continue;
    size_t chosen = codecs::ChooseIconImage(*entries, 32, 32);
    auto image = dir->Find(iconType, pe::ResourceId::Number((*entries)[chosen].id));
    if (image) (void)codecs::DecodeIconImage(*image);
  }
}

// The PNG decoder, and the encoder on what it decoded.
inline void Png(std::span<const uint8_t> bytes) {
  using namespace platform::codecs;
  (void)ReadPngFacts(bytes, nullptr, nullptr);
  auto png = DecodePng(bytes);
  if (png && png->image.pixels.size() <= 4096)
    (void)EncodePng(png->image.width, png->image.height, png->image.pixels);
}

}  // namespace fuzz
