#include "platform/text/private_forms.h"

#include <array>
#include <mutex>
#include <unordered_map>

#include "platform/text/gbk.h"

namespace platform::text::private_forms {
namespace {

// GBK's user-defined areas, in the order forms are given: AAA1-AFFE and F8A1-FEFE (trail bytes
// A1-FE), then A140-A7A0 without the trail bytes "\" and "|", which code that looks for a
// separator or a filter's bar byte by byte would take for one.
struct Area {
  unsigned char firstLead, lastLead;
  bool lowTrails;  // 40-7E and 80-A0 (A140-A7A0), else A1-FE
};
constexpr Area kAreas[] = {{0xAA, 0xAF, false}, {0xF8, 0xFE, false}, {0xA1, 0xA7, true}};

constexpr bool UsableLowTrail(unsigned char t) {
  return t >= 0x40 && t <= 0xA0 && t != 0x7F && t != '\\' && t != '|';
}
// A1-FE, or 40-A0 without 7F, "\" and "|": 94 either way.
constexpr size_t TrailsPerLead(const Area&) {
  return 94;
}

constexpr size_t CountForms() {
  size_t n = 0;
  for (const Area& area : kAreas)
    n += size_t(area.lastLead - area.firstLead + 1) * TrailsPerLead(area);
  return n;
}
static_assert(CountForms() == kPrivateFormCount);

// The n-th trail byte of an area's row.
constexpr unsigned char Trail(const Area& area, size_t n) {
  if (!area.lowTrails) return static_cast<unsigned char>(0xA1 + n);
  for (unsigned t = 0x40; t <= 0xA0; ++t)
    if (UsableLowTrail(static_cast<unsigned char>(t)) && n-- == 0)
      return static_cast<unsigned char>(t);
  return 0;
}

constexpr uint16_t CodeAt(size_t index) {
  for (const Area& area : kAreas) {
    size_t size = size_t(area.lastLead - area.firstLead + 1) * TrailsPerLead(area);
    if (index < size) {
      auto lead = static_cast<unsigned char>(area.firstLead + index / TrailsPerLead(area));
      return static_cast<uint16_t>(lead << 8 | Trail(area, index % TrailsPerLead(area)));
    }
    index -= size;
  }
  return 0;
}

constexpr std::optional<size_t> IndexOf(unsigned char lead, unsigned char trail) {
  size_t base = 0;
  for (const Area& area : kAreas) {
    if (lead >= area.firstLead && lead <= area.lastLead) {
      size_t row = size_t(lead - area.firstLead) * TrailsPerLead(area);
      if (!area.lowTrails) {
        if (trail < 0xA1 || trail > 0xFE) return std::nullopt;
        return base + row + (trail - 0xA1);
      }
      if (!UsableLowTrail(trail)) return std::nullopt;
      size_t n = 0;
      for (unsigned t = 0x40; t < trail; ++t)
        if (UsableLowTrail(static_cast<unsigned char>(t))) ++n;
      return base + row + n;
    }
    base += size_t(area.lastLead - area.firstLead + 1) * TrailsPerLead(area);
  }
  return std::nullopt;
}
static_assert(IndexOf(0xAA, 0xA1) == 0 && CodeAt(0) == 0xAAA1);
static_assert(CodeAt(kPrivateFormCount - 1) == 0xA7A0);
static_assert(IndexOf(0xA1, 0x5C) == std::nullopt &&
              IndexOf(0xA1, 0x5D) == IndexOf(0xA1, 0x5B).value() + 1);

class Table {
 public:
  std::optional<uint16_t> Form(std::string_view piece, bool give) {
    std::lock_guard lock(mutex_);
    if (auto found = byPiece_.find(std::string(piece)); found != byPiece_.end())
      return CodeAt(found->second);
    if (!give || count_ == kPrivateFormCount) return std::nullopt;
    pieces_[count_] = std::string(piece);
    byPiece_.emplace(pieces_[count_], count_);
    return CodeAt(count_++);
  }

  std::optional<std::string> Piece(unsigned char lead, unsigned char trail) {
    std::optional<size_t> index = IndexOf(lead, trail);
    if (!index) return std::nullopt;
    std::lock_guard lock(mutex_);
    if (*index >= count_) return std::nullopt;
    return pieces_[*index];
  }

 private:
  std::mutex mutex_;
  std::array<std::string, kPrivateFormCount> pieces_;
  std::unordered_map<std::string, size_t> byPiece_;
  size_t count_ = 0;
};

Table& Forms() {
  static Table table;
  return table;
}

}  // namespace

std::optional<uint16_t> FormOf(std::string_view piece) {
  return Forms().Form(piece, true);
}

std::optional<uint16_t> KnownFormOf(std::string_view piece) {
  return Forms().Form(piece, false);
}

std::optional<std::string> PieceOf(unsigned char lead, unsigned char trail) {
  return Forms().Piece(lead, trail);
}

}  // namespace platform::text::private_forms
