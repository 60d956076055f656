// The resources of an executable module of either format, PE (PE32, PE32+) or 16-bit NE, behind
// one interface: callers list and find resources without caring which format they read. The
// DOS header's pointer at 0x3C decides the format.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/core/ne/resources.h"
#include "platform/core/pe/resources.h"
#include "platform/core/result.h"

namespace platform::pe {

enum class ModuleFormat { Pe32, Pe32Plus, Ne };
std::string_view ToString(ModuleFormat format);  // "PE32", "PE32+", "NE"

// The format a file's headers announce, without reading its resources; none for a file that is
// no module (or an MS-DOS program).
std::optional<ModuleFormat> SniffModuleFormat(std::span<const uint8_t> file);

class ModuleResources {
 public:
  static Result<ModuleResources, PeError> Open(std::span<const uint8_t> file);

  ModuleFormat format() const;
  // As ResourceDirectory::Names and Find; NE resources have no languages.
  Result<std::vector<ResourceId>, PeError> Names(const ResourceId& type) const;
  Result<std::span<const uint8_t>, PeError> Find(const ResourceId& type,
                                                 const ResourceId& name) const;

 private:
  explicit ModuleResources(std::variant<ResourceDirectory, ne::ResourceTable> reader)
      : reader_(std::move(reader)) {}
  std::variant<ResourceDirectory, ne::ResourceTable> reader_;
};

}  // namespace platform::pe
