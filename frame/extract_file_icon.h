// The icon file extraction command: one complete icon, with all of its images, copied out of an
// icon file or out of the icon groups of an executable module into a new icon file.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "frame/icon_format.h"
#include "frame/values.h"
#include "platform/win32/types.h"

namespace frame {

// Writes icon group `index` (1-based; below 1 counts as 1) of `sourceFile` to `savePath` when
// the save path ends in "ico", and returns the number of icon groups in the source when that
// number is at least the index; 0 otherwise, also for a source that is neither a module (PE or
// NE, whatever its name) nor an icon file, for an empty save path and for a group whose icon
// file would pass kMaxIconFileBytes (nothing is written then). An icon file counts as one group,
// and so does a file named "...ico" that cannot be read as one. Otherwise the result does not
// say whether the file was written (IconGroupSource::Save does); a group without images, or
// with an image without bytes, is not written. Mode 0 (save to the path) is the only mode.
int32_t ExtractFileIcon(const Text& sourceFile, int32_t mode, const Text& savePath, int32_t index);

// What saving one icon group did.
struct IconGroupSaved {
  int32_t count = 0;     // ExtractFileIcon's result
  bool written = false;  // the icon file is at the save path
};

// The icon groups of one source, read once: the source's kind, its group names and (for an icon
// file) its images. A module stays loaded as a data file while the object lives, so a batch over
// every group reads and parses the module once. ExtractFileIcon is one Save of a fresh object.
class IconGroupSource {
 public:
  explicit IconGroupSource(const Text& sourceFile);
  ~IconGroupSource();
  IconGroupSource(const IconGroupSource&) = delete;
  IconGroupSource& operator=(const IconGroupSource&) = delete;

  // The group count ExtractFileIcon reports for an index within it (0 for no groups).
  int32_t count() const { return count_; }
  // Writes group `index` as ExtractFileIcon does and tells whether the file was written.
  IconGroupSaved Save(const Text& savePath, int32_t index) const;
  // The size of the icon file Save would write for group `index`, or 0 when it would write
  // none. Groups that share one group resource are read once.
  uint64_t FileSize(int32_t index) const;

  // One image as stored: its directory fields come from its own header; its bytes lie in the
  // icon file's bytes or the module's resources, which live as long as the object.
  struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t planes = 0;
    uint32_t bitCount = 0;
    bool png = false;
    std::span<const uint8_t> bits;
  };
  using Icon = std::vector<Image>;

 private:
  // A group-icon name as the enumeration reports it: a string, or a number.
  struct GroupName {
    std::optional<Text> text;
    uintptr_t id = 0;
  };
  // The enumeration's callback: the group-icon names in the order the system reports them.
  static win32::BOOL ListGroup(win32::HMODULE, const char*, char* name, win32::LONG_PTR names);
  std::optional<Icon> ReadGroup(int32_t index) const;

  int32_t count_ = 0;
  ByteSet iconFileBytes_;
  std::optional<Icon> iconFile_;  // the images of an icon file source
  win32::HMODULE module_ = 0;     // a module source, loaded as a data file
  std::vector<GroupName> groups_;
  // FileSize's answers by the group resource's bytes.
  mutable std::map<std::pair<const uint8_t*, size_t>, uint64_t> fileSizes_;
};

}  // namespace frame
