#include "platform/gdi/GdiObject.h"

#include <mutex>
#include <vector>

namespace {

// Handle bits: the slot (plus one) in the low 24, the slot's generation in the next 24, and a tag
// bit above them so that no handle looks like the small numbers that stand in for system colours.
constexpr std::uint64_t kSlotBits = 24;
constexpr std::uint64_t kSlotMask = (std::uint64_t{1} << kSlotBits) - 1;
constexpr std::uint64_t kGenerationMask = (std::uint64_t{1} << 24) - 1;
constexpr std::uint64_t kTag = std::uint64_t{1} << 48;

struct TSlot {
  TGdiObject* object = nullptr;
  std::uint32_t generation = 0;
};

class THandleTable {
 public:
  HGDIOBJ Add(TGdiObject* object) {
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

  TGdiObject* Find(HGDIOBJ handle) {
    std::lock_guard lock(mutex_);
    TSlot* slot = SlotOf(handle);
    return slot ? slot->object : nullptr;
  }

  void Remove(HGDIOBJ handle) {
    std::lock_guard lock(mutex_);
    TSlot* slot = SlotOf(handle);
    if (!slot) return;
    slot->object = nullptr;
    slot->generation = static_cast<std::uint32_t>((slot->generation + 1) & kGenerationMask);
    free_.push_back(static_cast<std::size_t>(slot - slots_.data()));
    --live_;
  }

  std::size_t Live() {
    std::lock_guard lock(mutex_);
    return live_;
  }

 private:
  static HGDIOBJ Encode(std::size_t index, std::uint32_t generation) {
    return reinterpret_cast<HGDIOBJ>(
        static_cast<std::uintptr_t>(kTag | (std::uint64_t{generation} << kSlotBits) | (index + 1)));
  }
  // The slot a handle names while its generation is current; nullptr for anything else.
  TSlot* SlotOf(HGDIOBJ handle) {
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
    if ((bits & ~(kTag | (kGenerationMask << kSlotBits) | kSlotMask)) != 0 || !(bits & kTag)) return nullptr;
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

THandleTable& Handles() {
  static auto& table = *new THandleTable;  // outlives objects freed by other modules' shut-down
  return table;
}

}  // namespace

void TGdiObject::ReleaseSelection() {
  if (--selections_ == 0 && deleted_) delete this;
}

void TGdiObject::Delete() {
  if (deleted_) return;
  Handles().Remove(handle_);
  deleted_ = true;
  if (selections_ == 0) delete this;
}

HGDIOBJ RegisterGdiObject(TGdiObject* object) {
  object->handle_ = Handles().Add(object);
  return object->handle_;
}

TGdiObject* LookupGdiObject(HGDIOBJ handle) { return handle ? Handles().Find(handle) : nullptr; }

std::size_t LiveGdiObjectCount() { return Handles().Live(); }
