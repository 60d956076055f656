// Icons extracted from files: the icon groups of PE32, PE32+ and NE modules (whatever the file's
// extension) or the one icon of an icon file, made into 32 x 32 icon handles. The icon the
// desktop associates with a file or folder is in associated_icons.cpp.
#include <optional>

#include "platform/api.h"
#include "platform/codecs/ico.h"
#include "platform/files/file_bytes.h"
#include "platform/gdi/icon_objects.h"
#include "platform/pe/module_resources.h"

namespace platform::shell32 {
namespace {

using namespace win32;

constexpr int kIconSize = 32;

HICON IconFromImage(std::span<const uint8_t> bytes) {
  auto decoded = codecs::DecodeIconImage(bytes);
  if (!decoded) return 0;
  return gdi::CreateIcon(gdi::ScaledImage(std::move(decoded).value(), kIconSize, kIconSize));
}

// The icon groups of a module, or the one icon of an icon file.
class IconSource {
 public:
  explicit IconSource(std::span<const uint8_t> file) : file_(file) {
    auto module = pe::ModuleResources::Open(file);
    if (module) {
      module_ = std::move(module).value();
      auto names = module_->Names(pe::ResourceId::Number(pe::kGroupIconType));
      if (names) groups_ = std::move(names).value();
    } else if (module.error() != pe::PeError::NotPe && module.error() != pe::PeError::Truncated) {
      isModule_ = true;  // a module whose resources cannot be read holds no icons
    }
  }

  UINT Count() const {
    if (module_ || isModule_) return static_cast<UINT>(groups_.size());
    return codecs::ReadIcoDirectory(file_).ok() ? 1 : 0;
  }

  // Group `index` in directory order; an index below -1 names the group whose id is -index.
  HICON Extract(int64_t index) const {
    if (!module_) return index == 0 ? FromIconFile() : 0;
    if (index >= 0) {
      if (index >= static_cast<int64_t>(groups_.size())) return 0;
      return FromGroup(groups_[static_cast<size_t>(index)]);
    }
    if (-index > 0xFFFF) return 0;
    return FromGroup(pe::ResourceId::Number(static_cast<uint16_t>(-index)));
  }

 private:
  HICON FromIconFile() const {
    auto dir = codecs::ReadIcoDirectory(file_);
    if (!dir) return 0;
    const size_t chosen = codecs::ChooseIconImage(dir->entries, kIconSize, kIconSize);
    auto bytes = codecs::IcoImageBytes(file_, dir->entries[chosen]);
    HICON icon = bytes ? IconFromImage(*bytes) : 0;
    if (auto detail = gdi::ChooseDetailImage(dir->entries, chosen, kIconSize); detail && icon)
      if (auto detailBytes = codecs::IcoImageBytes(file_, dir->entries[*detail]))
        gdi::AttachDetail(icon, *detailBytes);
    return icon;
  }

  HICON FromGroup(const pe::ResourceId& group) const {
    auto directory = module_->Find(pe::ResourceId::Number(pe::kGroupIconType), group);
    if (!directory) return 0;
    auto entries = codecs::ReadGroupIconDirectory(*directory);
    if (!entries) return 0;
    const size_t chosen = codecs::ChooseIconImage(*entries, kIconSize, kIconSize);
    auto image = ImageResource((*entries)[chosen].id);
    HICON icon = image ? IconFromImage(*image) : 0;
    if (auto detail = gdi::ChooseDetailImage(*entries, chosen, kIconSize); detail && icon)
      if (auto detailBytes = ImageResource((*entries)[*detail].id))
        gdi::AttachDetail(icon, *detailBytes);
    return icon;
  }

  Result<std::span<const uint8_t>, pe::PeError> ImageResource(uint16_t id) const {
    return module_->Find(pe::ResourceId::Number(pe::kIconType), pe::ResourceId::Number(id));
  }

  std::span<const uint8_t> file_;
  std::optional<pe::ModuleResources> module_;
  bool isModule_ = false;
  std::vector<pe::ResourceId> groups_;
};

}  // namespace

HICON ExtractIconA(HINSTANCE, const char* path, UINT index) {
  if (!path) return 0;
  auto file = files::FileBytes::Open(path);
  if (!file) return 0;
  IconSource source(file->bytes());
  int32_t signedIndex = static_cast<int32_t>(index);
  if (signedIndex == -1) return source.Count();
  return source.Extract(signedIndex);
}

}  // namespace platform::shell32
