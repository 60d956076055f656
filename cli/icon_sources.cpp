#include "cli/icon_sources.h"

#include <optional>
#include <string_view>

#include "platform/core/codecs/ico.h"
#include "platform/core/codecs/png.h"
#include "platform/core/files/file_bytes.h"
#include "platform/core/pe/module_resources.h"
#include "platform/text/gbk.h"

namespace cli {
namespace {

namespace codecs = platform::codecs;
namespace pe = platform::pe;
using Bytes = std::span<const uint8_t>;

ImageFacts DescribeImage(Bytes image) {
  ImageFacts facts;
  facts.bytes = image.size();
  codecs::IconImageHeader header = codecs::ReadIconImageHeader(image);
  facts.png = header.png;
  if (!header.complete) return facts;
  if (facts.png) {
    facts.width = header.width;
    facts.height = header.height;
    facts.bitsPerPixel = header.pngBitDepth * codecs::PngChannels(header.pngColourType);
  } else {
    // As stored, unsigned: a damaged header's negative fields show as the large numbers they
    // are rather than as sizes below zero.
    facts.width = header.width;
    facts.height = header.height / 2;  // colour rows and mask
    facts.bitsPerPixel = int64_t{header.planes} * header.bitCount;
  }
  facts.readable = true;
  return facts;
}

GroupFacts DescribeGroup(const pe::ModuleResources& module, const pe::ResourceId& name) {
  GroupFacts group;
  group.named = name.isString;
  group.name =
      name.isString ? platform::text::Utf16ToUtf8(name.string) : std::to_string(name.number);
  auto directory = module.Find(pe::ResourceId::Number(pe::kGroupIconType), name);
  if (!directory) {
    group.problem = std::string(pe::ToString(directory.error()));
    return group;
  }
  auto entries = codecs::ReadGroupIconDirectory(*directory);
  if (!entries) {
    group.problem = std::string(codecs::ToString(entries.error()));
    return group;
  }
  for (const codecs::GroupIconEntry& entry : *entries) {
    auto image =
        module.Find(pe::ResourceId::Number(pe::kIconType), pe::ResourceId::Number(entry.id));
    if (!image) {
      group.problem = "icon resource " + std::to_string(entry.id) + " is missing";
      continue;
    }
    group.images.push_back(DescribeImage(*image));
  }
  return group;
}

bool StartsLikeModule(Bytes file) {
  return file.size() >= 2 && file[0] == 'M' && file[1] == 'Z';
}

// A file with an icon file's header whose directory cannot be read is a damaged icon file.
std::optional<SourceFacts> DescribeIconFile(Bytes file) {
  auto directory = codecs::ReadIcoDirectory(file);
  if (!directory &&
      (file.size() < codecs::kIcoHeaderSize || directory.error() == codecs::IcoError::NotIconFile))
    return std::nullopt;
  SourceFacts facts;
  facts.kind = SourceFacts::Kind::IconFile;
  GroupFacts group;
  if (!directory) {
    group.problem = std::string(codecs::ToString(directory.error()));
    facts.groups.push_back(std::move(group));
    return facts;
  }
  for (const codecs::IcoEntry& entry : directory->entries) {
    auto image = codecs::IcoImageBytes(file, entry);
    if (!image) {
      group.problem = std::string(codecs::ToString(image.error()));
      continue;
    }
    group.images.push_back(DescribeImage(*image));
  }
  facts.groups.push_back(std::move(group));
  return facts;
}

// A file that starts as a module but whose resources cannot be listed.
SourceFacts BrokenModule(Bytes file, pe::PeError error) {
  SourceFacts facts;
  if (auto format = pe::SniffModuleFormat(file)) facts.format = pe::ToString(*format);
  switch (error) {
    case pe::PeError::NotPe:
      facts.problem = "an MS-DOS program, not a PE or NE module";
      break;
    case pe::PeError::Truncated:
    case pe::PeError::BadHeader:
      facts.problem = "a damaged module: " + std::string(pe::ToString(error));
      break;
    case pe::PeError::NoResources:
      facts.kind = SourceFacts::Kind::Module;
      facts.problem = "the module holds no icons (it has no resources)";
      break;
    default:
      facts.kind = SourceFacts::Kind::Module;
      facts.problem = "the module's resources cannot be read: " + std::string(pe::ToString(error));
      break;
  }
  return facts;
}

}  // namespace

SourceFacts ExamineSource(const frame::Text& path) {
  SourceFacts facts;
  auto file = platform::files::FileBytes::Open(path.view());
  if (!file) {
    facts.problem = "it cannot be read";
    return facts;
  }
  Bytes bytes = file->bytes();
  auto module = pe::ModuleResources::Open(bytes);
  if (module) {
    facts.kind = SourceFacts::Kind::Module;
    facts.format = pe::ToString(module->format());
    auto names = module->Names(pe::ResourceId::Number(pe::kGroupIconType));
    if (!names) {
      facts.problem = std::string(pe::ToString(names.error()));
      return facts;
    }
    for (const pe::ResourceId& name : *names)
      facts.groups.push_back(DescribeGroup(*module, name));
    if (facts.groups.empty()) facts.problem = "the module holds no icons";
    return facts;
  }
  if (StartsLikeModule(bytes)) return BrokenModule(bytes, module.error());
  if (std::optional<SourceFacts> icon = DescribeIconFile(bytes)) return *icon;
  facts.problem = "neither a module (EXE, DLL, ...) nor an icon file";
  return facts;
}

std::string IconFileProblem(const frame::Text& path) {
  auto file = platform::files::FileBytes::Open(path.view());
  if (!file) return "it cannot be read";
  auto directory = codecs::ReadIcoDirectory(file->bytes());
  return directory ? std::string() : std::string(codecs::ToString(directory.error()));
}

std::string NoIconsReason(const frame::Text& path) {
  SourceFacts facts = ExamineSource(path);
  if (!facts.problem.empty()) return facts.problem;
  return "the platform finds no icons in it";
}

}  // namespace cli
