// The values a data-aware node keeps beside its texts, one entry per column value. A million nodes
// each kept a vector (24 bytes in the node) and its heap block; the entries now live in one room
// from the tree list's node pools, sized by the entries the control's nodes have been seen to need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/rtl/Variant.h"

struct TdxNodeColumnValue {
  int32_t Column;
  // A lookup column's key value, an entry of its own: lookup keys are rare.
  bool LookupKey;
  // The cell's text is the field's text of Value, made when asked for.
  bool TextFromValue;
  Variant Value;
};

class TdxNodeValueList {
 public:
  TdxNodeValueList() = default;
  ~TdxNodeValueList();
  TdxNodeValueList(const TdxNodeValueList&) = delete;
  TdxNodeValueList& operator=(const TdxNodeValueList&) = delete;

  std::span<TdxNodeColumnValue> Entries() { return {Data(), Size()}; }
  std::span<const TdxNodeColumnValue> Entries() const { return {Data(), Size()}; }
  size_t Size() const { return block_ ? block_->Count : 0; }
  size_t Capacity() const { return block_ ? block_->Capacity : 0; }
  // Room for Count entries at least: the first entry of a node makes room for all it will get.
  void Reserve(size_t Count);
  void Add(TdxNodeColumnValue Entry);
  // Removes the entries of Column, keeping the others in their order.
  void RemoveColumn(int Column);

 private:
  struct alignas(alignof(Variant)) THeader {
    uint32_t Count;
    uint32_t Capacity;
  };
  static size_t RoomSize(size_t Capacity) { return sizeof(THeader) + Capacity * sizeof(TdxNodeColumnValue); }
  TdxNodeColumnValue* Data() const { return block_ ? reinterpret_cast<TdxNodeColumnValue*>(block_ + 1) : nullptr; }

  THeader* block_ = nullptr;
};
