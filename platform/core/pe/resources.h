// The resources of a PE32 or PE32+ module, read from its bytes: the headers, the section table,
// RVA to file offset, and the three-level resource directory (type, name, language). Opening
// checks the headers and the root directory only; each query walks just the directories it
// needs, so a module with thousands of resources costs little per query. A large directory is
// indexed on its first lookup (names folded to lower case, ids in order), so looking up every
// one of n resources costs n log n, whether they are named or stored out of order. The input is
// hostile: every RVA, offset, size and count is checked, and the walk never goes deeper than the
// three levels, so a directory that points back at itself ends in an error, not a loop.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/core/codecs/le_reader.h"
#include "platform/core/result.h"

namespace platform::pe {

enum class PeError {
  Truncated,     // a header or table reaches past the end of the file
  NotPe,         // no "MZ" or no "PE\0\0" signature
  BadHeader,     // an unknown optional header, or too many sections
  NoResources,   // the module has no resource directory
  BadRva,        // an RVA and size outside every section's file data
  BadDirectory,  // a directory entry, name or data entry out of range or at the wrong level
  NotFound,
};
std::string_view ToString(PeError error);

constexpr int kMaxSections = 96;

// A resource type or name: a number (an integer resource) or a UTF-16 string.
struct ResourceId {
  bool isString = false;
  uint16_t number = 0;
  std::u16string string;

  static ResourceId Number(uint16_t n) { return ResourceId{false, n, {}}; }
  static ResourceId String(std::u16string s) { return ResourceId{true, 0, std::move(s)}; }
  friend bool operator==(const ResourceId&, const ResourceId&) = default;
};

// String names compare without regard to the case of ASCII letters, as the platform's resource
// lookup does.
bool SameResourceName(std::u16string_view a, std::u16string_view b);

// The language taken when a resource exists in several: Chinese (PRC), then neutral, then US
// English, then the first stored. The program speaks Chinese, so it gets the images the
// platform's lookup gives a Chinese user.
constexpr uint16_t kPreferredLanguages[] = {0x0804, 0x0000, 0x0409};

constexpr uint16_t kIconType = 3;
constexpr uint16_t kGroupIconType = 14;

class ResourceDirectory {
 public:
  // Checks the headers, the section table and the root of the resource directory.
  static Result<ResourceDirectory, PeError> Open(std::span<const uint8_t> file);

  bool isPe32Plus() const { return pe32Plus_; }

  // The names of one type in directory order (named entries first, then ids, as stored).
  // A module without that type has none.
  Result<std::vector<ResourceId>, PeError> Names(const ResourceId& type) const;
  // The bytes of a resource in the preferred language (kPreferredLanguages).
  Result<std::span<const uint8_t>, PeError> Find(const ResourceId& type,
                                                 const ResourceId& name) const;

 private:
  struct Section {
    uint32_t virtualAddress;
    uint32_t extent;  // the larger of the virtual size and the raw size
    uint32_t rawOffset;
    uint32_t rawSize;
  };
  struct Entry {
    ResourceId id;
    uint32_t target;  // offset of the subdirectory or the data entry, from the root
    bool isDirectory;
  };
  struct Directory {
    uint32_t offset;  // from the root: the directory's key in indexes_
    codecs::LeReader entries;
    uint32_t namedCount;
    uint32_t idCount;
  };
  // A large directory's entries in the order lookups search them; equal keys keep the order they
  // are stored in, so a lookup finds the first stored match, as a walk through the entries would.
  struct Index {
    bool idsInOrder = true;
    std::vector<std::pair<uint32_t, uint32_t>> ids;  // id as stored, position; when out of order
    bool namesRead = false;
    std::optional<PeError> namesError;                       // a name that cannot be read
    std::vector<std::pair<std::u16string, uint32_t>> names;  // folded name, position
  };

  Result<std::span<const uint8_t>, PeError> BytesAtRva(uint32_t rva, uint32_t size) const;
  Result<Directory, PeError> DirectoryAt(uint32_t offset) const;
  Result<Entry, PeError> EntryAt(const Directory& dir, uint32_t index, bool readName) const;
  Result<std::u16string, PeError> NameAt(uint32_t offset) const;
  Result<Entry, PeError> Lookup(const Directory& dir, const ResourceId& id) const;
  Index& IndexOf(const Directory& dir) const;
  std::optional<PeError> ReadNames(const Directory& dir, Index& index) const;
  Result<Directory, PeError> Subdirectory(const Directory& dir, const ResourceId& id) const;
  Result<Entry, PeError> PreferredLanguage(const Directory& languages) const;

  std::span<const uint8_t> file_;
  uint32_t headerSize_ = 0;
  bool pe32Plus_ = false;
  std::vector<Section> sections_;
  codecs::LeReader tree_;  // from the root directory to the end of its section's file data
  mutable std::unordered_map<uint32_t, Index> indexes_;  // by directory offset, made when needed
};

}  // namespace platform::pe
