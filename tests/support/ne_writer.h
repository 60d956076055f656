// Writes small 16-bit NE modules that hold only resources (as icon libraries do), for tests and
// benchmarks: a DOS header, the NE header, the resource table (alignment shift, type entries in
// the order added, each with its name entries, the terminator, then the name strings), the
// resident and non-resident name tables, then each resource's data at a multiple of the
// alignment, padded to whole units. Names are written in GBK.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/pe_writer.h"

namespace testing_support {

class NeWriter {
 public:
  // Where the parts of the last built module are (file offsets), for tests that damage them.
  struct Layout {
    uint32_t neHeader = 0;       // "NE"
    uint32_t resourceTable = 0;  // the alignment shift
    uint32_t nameStrings = 0;    // the first name string after the type terminator
    uint32_t residentNames = 0;  // the first byte after the resource table
    uint32_t firstData = 0;      // the first resource's data
  };

  // With `shareIdenticalData`, resources whose data is the same point at one copy of it (the
  // format allows it), so a library of tens of thousands of entries fits the 16-bit offsets.
  explicit NeWriter(uint16_t alignShift = 4, bool shareIdenticalData = false)
      : shift_(alignShift), share_(shareIdenticalData) {}

  void Add(const ResourceName& type, const ResourceName& name, Bytes data);
  // As PeWriter::AddIconGroup.
  int AddIconGroup(const ResourceName& name, const Bytes& icoFile);

  // Throws std::length_error when a resource lies beyond what 16-bit units can reach.
  Bytes Build();
  const Layout& layout() const { return layout_; }

 private:
  struct Resource {
    ResourceName name;
    Bytes data;
  };
  struct Type {
    ResourceName id;
    std::vector<Resource> resources;
  };
  uint16_t shift_;
  bool share_;
  std::vector<Type> types_;  // in the order added
  uint16_t nextIconId_ = 1;
  Layout layout_;
};

}  // namespace testing_support
