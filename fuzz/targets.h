// What each fuzzer feeds its input to. The harnesses call these, and a unit test replays every
// crash input ever found through them (tests/data/crashers/<name>/).
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "frame/extract_file_icon.h"
#include "icofile/icon_container.h"
#include "platform/core/codecs/dib.h"
#include "platform/core/codecs/ico.h"
#include "platform/core/codecs/png.h"
#include "platform/core/i18n/catalog.h"
#include "platform/core/pe/module_resources.h"

namespace fuzz {

// A compiled catalog, and a look-up in what it gave.
inline void Catalog(std::span<const uint8_t> bytes) {
  const auto catalog = platform::i18n::Catalog::Parse(bytes);
  (void)catalog.Find("form", "提取");
}

// The DIB decoder in both modes, and bitmap files.
inline void Dib(std::span<const uint8_t> bytes) {
  namespace codecs = platform::codecs;
  (void)codecs::DecodeDib(bytes, codecs::DibMode::Icon);
  (void)codecs::DecodeDib(bytes, codecs::DibMode::Bitmap);
  (void)codecs::DecodeBmpFile(bytes);
}

// A private folder for the files a target must hand over by path, removed at exit.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "pictolan-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern + "/";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  // The path of a file in the folder holding the bytes.
  std::string Write(const char* name, std::span<const uint8_t> bytes) const {
    std::ofstream(path_ + name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path_ + name;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The icon file extraction command on the bytes as an icon file and as a module: its readers of
// icon files, group directories and the images they list, and the icon file it writes, which
// must hold its whole directory and every image it lists.
inline void ExtractGroup(std::span<const uint8_t> bytes) {
  namespace codecs = platform::codecs;
  static const ScratchFolder scratch;
  const frame::Text saved(scratch.path() + "saved.ico");
  for (const char* name : {"source.ico", "source.dll"}) {
    frame::IconGroupSource source(frame::Text(scratch.Write(name, bytes)));
    for (int32_t index = 1; index <= std::min(source.count(), 3); ++index) {
      if (!source.Save(saved, index).written) continue;
      std::ifstream in(saved.bytes(), std::ios::binary);
      std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
      auto directory = codecs::ReadIcoDirectory(file);
      if (!directory && directory.error() != codecs::IcoError::TooManyImages) __builtin_trap();
      if (directory)
        for (const codecs::IcoEntry& entry : directory->entries)
          if (!codecs::IcoImageBytes(file, entry)) __builtin_trap();
      std::filesystem::remove(saved.bytes());
    }
  }
}

// The icon file: the program's directory walk, the platform's directory reader, the image
// choice and the decoding of the first images.
inline void IcoWalk(std::span<const uint8_t> bytes) {
  namespace codecs = platform::codecs;
  auto walked = icofile::WalkIconImages(frame::ByteSet(bytes));
  for (size_t i = 0; i < std::min<size_t>(walked.size(), 8); ++i)
    (void)icofile::MakeSingleImageIcon(walked[i].entryHead, walked[i].image);
  auto dir = codecs::ReadIcoDirectory(bytes);
  if (!dir) return;
  (void)codecs::ChooseIconImage(dir->entries, 32, 32);
  for (size_t i = 0; i < std::min<size_t>(dir->entries.size(), 8); ++i)
    (void)codecs::DecodeIcoImage(bytes, i);
}

// A module's resources: the names of the icon and group-icon types, each group's directory and
// the image it would show.
template <class Reader>
void ModuleIcons(const Reader& module) {
  namespace pe = platform::pe;
  namespace codecs = platform::codecs;
  const auto iconType = pe::ResourceId::Number(pe::kIconType);
  const auto groupType = pe::ResourceId::Number(pe::kGroupIconType);
  if (auto icons = module.Names(iconType))
    for (size_t i = 0; i < std::min<size_t>(icons->size(), 16); ++i)
      (void)module.Find(iconType, (*icons)[i]);
  auto groups = module.Names(groupType);
  if (!groups) return;
  for (size_t g = 0; g < std::min<size_t>(groups->size(), 16); ++g) {
    auto group = module.Find(groupType, (*groups)[g]);
    if (!group) continue;
    auto entries = codecs::ReadGroupIconDirectory(*group);
    if (!entries) continue;
    size_t chosen = codecs::ChooseIconImage(*entries, 32, 32);
    auto image = module.Find(iconType, pe::ResourceId::Number((*entries)[chosen].id));
    if (image) (void)codecs::DecodeIconImage(*image);
  }
}

// The PE resource reader.
inline void PeResources(std::span<const uint8_t> bytes) {
  auto dir = platform::pe::ResourceDirectory::Open(bytes);
  if (dir) ModuleIcons(*dir);
}

// The NE resource table, reached as every caller reaches it: through the reader of either format.
inline void NeResources(std::span<const uint8_t> bytes) {
  auto module = platform::pe::ModuleResources::Open(bytes);
  if (!module) return;
  ModuleIcons(*module);
  (void)module->Names(platform::pe::ResourceId::String(u"NAMED"));  // a type by name
}

// The PNG decoder, its strict check, and the encoder on what it decoded.
inline void Png(std::span<const uint8_t> bytes) {
  namespace codecs = platform::codecs;
  (void)codecs::ReadPngFacts(bytes, nullptr, nullptr);
  (void)codecs::IsStrictPng(bytes);
  auto png = codecs::DecodePng(bytes);
  if (png && png->image.pixels.size() <= 4096)
    (void)codecs::EncodePng(png->image.width, png->image.height, png->image.pixels);
}

}  // namespace fuzz
