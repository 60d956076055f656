// Per-kind tables of platform objects addressed by 32-bit handles.
//
// A handle is (kind << 26) | (generation << 18) | slot, with bit 31 always clear, so handles are
// positive 32-bit values that pass unchanged through the frame's value slots and event arguments.
// 0 is never a valid handle. A lookup checks the kind and the generation, so a stale handle (its
// object destroyed, the slot reused) or a handle of another kind is refused, never dereferenced.
// Tables are used from the one user-interface thread only.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace platform {

enum class HandleKind : uint32_t {
  None = 0,
  Module = 1,
  Window,
  Icon,
  Bitmap,
  DeviceContext,
  Brush,
  ImageList,
  Global,
  FindFile,
  File,
  Resource,
  ResourceData,
  GpImage,
  GpGraphics,
  GpBrush,
  Stream,
  FolderId,
  Cursor,
  Menu,
};

constexpr uint32_t kHandleKindShift = 26;
constexpr uint32_t kHandleGenerationShift = 18;
constexpr uint32_t kHandleSlotMask = (1u << kHandleGenerationShift) - 1;
constexpr uint32_t kHandleGenerationMask = 0xFF;
constexpr size_t kHandleSlotLimit = kHandleSlotMask + 1;

constexpr HandleKind KindOfHandle(uint32_t handle) {
  return static_cast<HandleKind>((handle >> kHandleKindShift) & 0x1F);
}

template <class T>
class HandleTable {
 public:
  explicit HandleTable(HandleKind kind) : kind_(kind) {}
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // Stores the object and returns its handle; 0 when the table is full or obj is null.
  uint32_t Insert(std::unique_ptr<T> obj) {
    if (!obj) return 0;
    uint32_t slot;
    if (!free_.empty()) {
      slot = free_.front();
      free_.pop_front();
    } else {
      if (slots_.size() >= kHandleSlotLimit) return 0;
      slot = static_cast<uint32_t>(slots_.size());
      slots_.emplace_back();
    }
    Slot& s = slots_[slot];
    s.object = std::move(obj);
    ++live_;
    return Compose(slot, s.generation);
  }

  // The object behind a handle, or nullptr for 0, a stale handle or one of another kind.
  T* Find(uint32_t handle) const {
    const Slot* s = Lookup(handle);
    return s ? s->object.get() : nullptr;
  }

  bool Contains(uint32_t handle) const { return Find(handle) != nullptr; }

  // Removes the object and hands it back (null when the handle is not valid).
  std::unique_ptr<T> Take(uint32_t handle) {
    Slot* s = const_cast<Slot*>(Lookup(handle));
    if (!s) return nullptr;
    std::unique_ptr<T> obj = std::move(s->object);
    s->generation = (s->generation + 1) & kHandleGenerationMask;
    free_.push_back(handle & kHandleSlotMask);
    --live_;
    return obj;
  }

  bool Erase(uint32_t handle) { return Take(handle) != nullptr; }

  size_t size() const { return live_; }
  HandleKind kind() const { return kind_; }

  // Calls f(handle, object&) for every live object in slot order.
  template <class F>
  void ForEach(F&& f) const {
    for (uint32_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].object) f(Compose(i, slots_[i].generation), *slots_[i].object);
  }

  // Handles of every live object in slot order (safe to use while objects are removed).
  std::vector<uint32_t> Handles() const {
    std::vector<uint32_t> out;
    ForEach([&](uint32_t h, const T&) { out.push_back(h); });
    return out;
  }

 private:
  struct Slot {
    std::unique_ptr<T> object;
    uint32_t generation = 0;
  };

  uint32_t Compose(uint32_t slot, uint32_t generation) const {
    return (static_cast<uint32_t>(kind_) << kHandleKindShift) |
           (generation << kHandleGenerationShift) | slot;
  }

  const Slot* Lookup(uint32_t handle) const {
    if (handle == 0 || (handle >> 31) != 0 || KindOfHandle(handle) != kind_) return nullptr;
    uint32_t slot = handle & kHandleSlotMask;
    if (slot >= slots_.size()) return nullptr;
    const Slot& s = slots_[slot];
    if (!s.object || s.generation != ((handle >> kHandleGenerationShift) & kHandleGenerationMask))
      return nullptr;
    return &s;
  }

  HandleKind kind_;
  std::vector<Slot> slots_;
  std::deque<uint32_t> free_;
  size_t live_ = 0;
};

}  // namespace platform
