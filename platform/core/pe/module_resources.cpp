#include "platform/core/pe/module_resources.h"

#include "platform/core/codecs/le_reader.h"

namespace platform::pe {
namespace {

constexpr uint16_t kDosSignature = 0x5A4D;  // "MZ"
constexpr uint32_t kNewHeaderField = 0x3C;
constexpr uint16_t kNeSignature = 0x454E;      // "NE"
constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint32_t kOptionalHeader = 24;       // from the signature
constexpr uint16_t kPe32PlusMagic = 0x20B;

// Where the signature of the new header is, when the DOS header has one that fits the file.
std::optional<uint32_t> NewHeader(std::span<const uint8_t> file) {
  codecs::LeReader f(file);
  auto signature = f.U16(0);
  auto at = f.U32(kNewHeaderField);
  if (!signature || *signature != kDosSignature || !at || !f.Contains(*at, 2)) return std::nullopt;
  return *at;
}

}  // namespace

std::string_view ToString(ModuleFormat format) {
  switch (format) {
    case ModuleFormat::Pe32:
      return "PE32";
    case ModuleFormat::Pe32Plus:
      return "PE32+";
    case ModuleFormat::Ne:
      return "NE";
  }
  return "module";
}

std::optional<ModuleFormat> SniffModuleFormat(std::span<const uint8_t> file) {
  auto at = NewHeader(file);
  if (!at) return std::nullopt;
  codecs::LeReader f(file);
  if (f.U16(*at) == kNeSignature) return ModuleFormat::Ne;
  if (f.U32(*at) != kPeSignature) return std::nullopt;
  auto magic = f.U16(uint64_t{*at} + kOptionalHeader);
  return magic == kPe32PlusMagic ? ModuleFormat::Pe32Plus : ModuleFormat::Pe32;
}

Result<ModuleResources, PeError> ModuleResources::Open(std::span<const uint8_t> file) {
  auto at = NewHeader(file);
  if (at && codecs::LeReader(file).U16(*at) == kNeSignature) {
    return ModuleResources(TRY(ne::ResourceTable::Open(file, *at)));
  }
  return ModuleResources(TRY(ResourceDirectory::Open(file)));
}

ModuleFormat ModuleResources::format() const {
  if (const auto* pe = std::get_if<ResourceDirectory>(&reader_))
    return pe->isPe32Plus() ? ModuleFormat::Pe32Plus : ModuleFormat::Pe32;
  return ModuleFormat::Ne;
}

Result<std::vector<ResourceId>, PeError> ModuleResources::Names(const ResourceId& type) const {
  return std::visit([&](const auto& reader) { return reader.Names(type); }, reader_);
}

Result<std::span<const uint8_t>, PeError> ModuleResources::Find(const ResourceId& type,
                                                                const ResourceId& name) const {
  return std::visit([&](const auto& reader) { return reader.Find(type, name); }, reader_);
}

}  // namespace platform::pe
