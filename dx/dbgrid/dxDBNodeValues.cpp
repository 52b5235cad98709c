#include "dx/dbgrid/dxDBNodeValues.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "dx/treelist/dxTLNodeAllocator.h"

TdxNodeValueList::~TdxNodeValueList() {
  if (!block_) return;
  std::destroy_n(Data(), block_->Count);
  FreeTreeListNode(block_, RoomSize(block_->Capacity));
}

void TdxNodeValueList::Reserve(size_t Count) {
  if (Count <= Capacity()) return;
  auto* block = static_cast<THeader*>(AllocateTreeListNode(RoomSize(Count)));
  const size_t count = Size();
  block->Count = static_cast<uint32_t>(count);
  block->Capacity = static_cast<uint32_t>(Count);
  if (block_) {
    std::uninitialized_move_n(Data(), count, reinterpret_cast<TdxNodeColumnValue*>(block + 1));
    std::destroy_n(Data(), count);
    FreeTreeListNode(block_, RoomSize(block_->Capacity));
  }
  block_ = block;
}

void TdxNodeValueList::Add(TdxNodeColumnValue Entry) {
  if (Size() == Capacity()) Reserve(std::max<size_t>(4, Capacity() * 2));
  new (Data() + block_->Count) TdxNodeColumnValue(std::move(Entry));
  ++block_->Count;
}

void TdxNodeValueList::RemoveColumn(int Column) {
  if (!block_) return;
  TdxNodeColumnValue* entries = Data();
  TdxNodeColumnValue* kept = std::remove_if(entries, entries + block_->Count,
                                            [&](const TdxNodeColumnValue& v) { return v.Column == Column; });
  const size_t left = static_cast<size_t>(kept - entries);
  std::destroy(kept, entries + block_->Count);
  block_->Count = static_cast<uint32_t>(left);
}
