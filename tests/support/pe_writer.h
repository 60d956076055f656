// Writes small PE32 and PE32+ modules that hold only resources, for tests and benchmarks: one
// ".rsrc" section with the three-level resource directory laid out as resource compilers do
// (named entries first, sorted, then ids ascending; directories, then data entries, then name
// strings, then the data). Icon files can be added as icon groups.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

using Bytes = std::vector<uint8_t>;
// A resource type or name: a number or a UTF-16 string. Strings sort before numbers, as they
// are stored.
struct ResourceName {
  ResourceName(int n) : number(static_cast<uint16_t>(n)) {}  // NOLINT: implicit on purpose
  ResourceName(std::u16string s) : isString(true), string(std::move(s)) {}  // NOLINT
  ResourceName(const char16_t* s) : ResourceName(std::u16string(s)) {}      // NOLINT

  bool isString = false;
  uint16_t number = 0;
  std::u16string string;

  friend bool operator<(const ResourceName& a, const ResourceName& b) {
    if (a.isString != b.isString) return a.isString;
    return a.isString ? a.string < b.string : a.number < b.number;
  }
};

constexpr uint16_t kRtIcon = 3;
constexpr uint16_t kRtGroupIcon = 14;

// An icon file as module resources: each image becomes an icon resource (ids from `firstId` on)
// and the group directory lists them.
struct IconGroupResources {
  Bytes group;
  std::vector<Bytes> images;
};
IconGroupResources SplitIconFile(const Bytes& icoFile, uint16_t firstId);

class PeWriter {
 public:
  enum class Format { Pe32, Pe32Plus };

  // Where the parts of the last built module are (file offsets), for tests that damage them.
  struct Layout {
    uint32_t peHeader = 0;  // "PE\0\0"
    uint32_t optionalHeader = 0;
    uint32_t sectionTable = 0;
    uint32_t resourceSection = 0;  // the root directory
    uint32_t resourceRva = 0;
    uint32_t firstSubdirectory = 0;  // the first type's name directory
  };

  // With `shareIdenticalData`, resources whose data is the same point at one copy of it.
  explicit PeWriter(Format format = Format::Pe32, bool shareIdenticalData = false)
      : format_(format), share_(shareIdenticalData) {}

  void Add(const ResourceName& type, const ResourceName& name, Bytes data,
           uint16_t language = 1033);
  // The images of an icon file become icon resources with fresh ids, and a group resource
  // named `name` lists them. Returns the number of images.
  int AddIconGroup(const ResourceName& name, const Bytes& icoFile);

  Bytes Build();
  const Layout& layout() const { return layout_; }

 private:
  using Languages = std::map<uint16_t, Bytes>;
  using Names = std::map<ResourceName, Languages>;
  Format format_;
  bool share_;
  std::map<ResourceName, Names> types_;
  uint16_t nextIconId_ = 1;
  Layout layout_;
};

}  // namespace testing_support
