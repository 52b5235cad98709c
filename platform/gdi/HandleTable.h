// Internal: a table of live objects behind handles. A handle is a slot of the table and the slot's
// generation, so a handle kept after its object was removed is refused even when a newer object took
// the slot. Each kind of handle has a tag bit of its own (no handle of one table is valid in
// another, nor looks like the small numbers that stand in for system colours and resources).
// Locked: any thread may add, look up and remove.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

template <class T, int TagBit>
class THandleTable {
 public:
  void* Add(T* object) {
    std::lock_guard lock(mutex_);
    std::size_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      index = slots_.size();
      slots_.emplace_back();
    }
    slots_[index].object = object;
    ++live_;
    return Encode(index, slots_[index].generation);
  }

  T* Find(const void* handle) {
    std::lock_guard lock(mutex_);
    TSlot* slot = SlotOf(handle);
    return slot ? slot->object : nullptr;
  }

  // The object removed; nullptr when the handle was not live.
  T* Remove(const void* handle) {
    std::lock_guard lock(mutex_);
    TSlot* slot = SlotOf(handle);
    if (!slot) return nullptr;
    T* object = slot->object;
    slot->object = nullptr;
    slot->generation = (slot->generation + 1) & kGenerationMask;
    free_.push_back(static_cast<std::size_t>(slot - slots_.data()));
    --live_;
    return object;
  }

  std::size_t Live() {
    std::lock_guard lock(mutex_);
    return live_;
  }

 private:
  static constexpr std::uint64_t kSlotBits = 24;
  static constexpr std::uint64_t kSlotMask = (std::uint64_t{1} << kSlotBits) - 1;
  static constexpr std::uint32_t kGenerationMask = (std::uint32_t{1} << 24) - 1;
  static constexpr std::uint64_t kTag = std::uint64_t{1} << TagBit;
  static_assert(TagBit >= 48 && TagBit < 62, "the tag lies above the slot and generation bits");

  struct TSlot {
    T* object = nullptr;
    std::uint32_t generation = 0;
  };

  static void* Encode(std::size_t index, std::uint32_t generation) {
    return reinterpret_cast<void*>(
        static_cast<std::uintptr_t>(kTag | (std::uint64_t{generation} << kSlotBits) | (index + 1)));
  }
  // The slot a handle names while its generation is current; nullptr for anything else.
  TSlot* SlotOf(const void* handle) {
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
    const std::uint64_t known = kTag | (std::uint64_t{kGenerationMask} << kSlotBits) | kSlotMask;
    if (!(bits & kTag) || (bits & ~known) != 0) return nullptr;
    const std::uint64_t slot = bits & kSlotMask;
    if (slot == 0 || slot > slots_.size()) return nullptr;
    TSlot& s = slots_[slot - 1];
    if (!s.object || s.generation != ((bits >> kSlotBits) & kGenerationMask)) return nullptr;
    return &s;
  }

  std::mutex mutex_;
  std::vector<TSlot> slots_;
  std::vector<std::size_t> free_;
  std::size_t live_ = 0;
};

// The tag bits of the layer's handle tables.
constexpr int kGdiHandleTag = 48;
constexpr int kIconHandleTag = 49;
constexpr int kImageListHandleTag = 50;
