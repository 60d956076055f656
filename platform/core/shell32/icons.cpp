// Icons extracted from files: the icon groups of PE32, PE32+ and NE modules (whatever the file's
// extension) or the one icon of an icon file, made into 32 x 32 icon handles. The icon the
// desktop associates with a file or folder is in associated_icons.cpp.
//
// The program asks for a file's icons one call at a time (the count, then every index for the
// strip or the extract-all batch), so the file read last is kept parsed: its resource reader,
// its group names and the 32 x 32 images already made from its icon images. Groups that share
// an image (many names for one group, or groups listing the same image) decode it once. The
// parsed file goes when another file is asked about or its bytes are released (see
// files/file_bytes.h: an unchanged, pinned or settled file gives the same bytes).
#include <memory>
#include <optional>
#include <unordered_map>

#include "platform/core/codecs/ico.h"
#include "platform/core/files/file_bytes.h"
#include "platform/core/gdi/icon_objects.h"
#include "platform/core/pe/module_resources.h"
#include "platform/win32/shell32.h"

namespace platform::shell32 {
namespace {

using namespace win32;

constexpr int kIconSize = 32;
// At 4 KiB an image, the most a parsed file keeps of its images made at 32 x 32; beyond it,
// images are made afresh each time.
constexpr size_t kMaxKeptImages = 8192;

// The icon groups of a module, or the one icon of an icon file.
class IconSource {
 public:
  explicit IconSource(std::shared_ptr<const files::FileBytes> file)
      : file_(file), bytes_(file->bytes()) {
    auto module = pe::ModuleResources::Open(bytes_);
    if (module) {
      module_ = std::move(module).value();
      auto names = module_->Names(pe::ResourceId::Number(pe::kGroupIconType));
      if (names) groups_ = std::move(names).value();
    } else if (module.error() != pe::PeError::NotPe && module.error() != pe::PeError::Truncated) {
      isModule_ = true;  // a module whose resources cannot be read holds no icons
    }
  }

  bool Reads(const std::shared_ptr<const files::FileBytes>& file) const {
    return file_.lock() == file;
  }

  UINT Count() const {
    if (module_ || isModule_) return static_cast<UINT>(groups_.size());
    return codecs::ReadIcoDirectory(bytes_).ok() ? 1 : 0;
  }

  // Group `index` in directory order; an index below -1 names the group whose id is -index.
  HICON Extract(int64_t index) {
    if (!module_) return index == 0 ? FromIconFile() : 0;
    if (index >= 0) {
      if (index >= static_cast<int64_t>(groups_.size())) return 0;
      return FromGroup(groups_[static_cast<size_t>(index)]);
    }
    if (-index > 0xFFFF) return 0;
    return FromGroup(pe::ResourceId::Number(static_cast<uint16_t>(-index)));
  }

 private:
  HICON FromIconFile() {
    auto dir = codecs::ReadIcoDirectory(bytes_);
    if (!dir) return 0;
    const size_t chosen = codecs::ChooseIconImage(dir->entries, kIconSize, kIconSize);
    auto bytes = codecs::IcoImageBytes(bytes_, dir->entries[chosen]);
    HICON icon = bytes ? IconFromImage(*bytes) : 0;
    if (auto detail = gdi::ChooseDetailImage(dir->entries, chosen, kIconSize); detail && icon)
      if (auto detailBytes = codecs::IcoImageBytes(bytes_, dir->entries[*detail]))
        gdi::AttachDetail(icon, *detailBytes);
    return icon;
  }

  HICON FromGroup(const pe::ResourceId& group) {
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

  // An image lies at one place in the file's bytes, which stay while the source reads them.
  HICON IconFromImage(std::span<const uint8_t> bytes) {
    const Key key{bytes.data(), bytes.size()};
    auto kept = made_.find(key);
    if (kept != made_.end()) return kept->second ? gdi::CreateIcon(*kept->second) : 0;
    std::optional<codecs::DibImage> made;
    if (auto decoded = codecs::DecodeIconImage(bytes))
      made = gdi::ScaledImage(std::move(decoded).value(), kIconSize, kIconSize);
    HICON icon = made ? gdi::CreateIcon(*made) : 0;
    if (made_.size() < kMaxKeptImages) made_.emplace(key, std::move(made));
    return icon;
  }

  struct Key {
    const uint8_t* data;
    size_t size;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    size_t operator()(const Key& k) const {
      return std::hash<const uint8_t*>()(k.data) ^ (k.size * 0x9E3779B97F4A7C15ull);
    }
  };

  std::weak_ptr<const files::FileBytes> file_;
  std::span<const uint8_t> bytes_;
  std::optional<pe::ModuleResources> module_;
  bool isModule_ = false;
  std::vector<pe::ResourceId> groups_;
  std::unordered_map<Key, std::optional<codecs::DibImage>, KeyHash> made_;  // none: undecodable
};

// The source of the file read last, parsed again only when the bytes differ.
IconSource& SourceOf(const std::shared_ptr<const files::FileBytes>& file) {
  static std::unique_ptr<IconSource> last;
  if (!last || !last->Reads(file)) {
    last.reset();  // the old file's images go before the new file's are made
    last = std::make_unique<IconSource>(file);
  }
  return *last;
}

}  // namespace

HICON ExtractIconA(HINSTANCE, const char* path, UINT index) {
  if (!path) return 0;
  auto file = files::FileBytes::Open(path);
  if (!file) return 0;
  IconSource& source = SourceOf(file);
  int32_t signedIndex = static_cast<int32_t>(index);
  if (signedIndex == -1) return source.Count();
  return source.Extract(signedIndex);
}

}  // namespace platform::shell32
