#include "dx/treelist/dxTLNodeAllocator.h"

#include <algorithm>
#include <mutex>
#include <new>

// The address sanitizer must see every node as a heap block of its own to catch a use after free.
#if defined(__SANITIZE_ADDRESS__)
#define TRENVIK_NODE_POOLS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TRENVIK_NODE_POOLS 0
#endif
#endif
#ifndef TRENVIK_NODE_POOLS
#define TRENVIK_NODE_POOLS 1
#endif

namespace {

constexpr std::size_t kNodeBlockBytes = std::size_t{1} << 20;

std::size_t NodeRoomSize(std::size_t Size) {
  const std::size_t align = alignof(std::max_align_t);
  return (std::max(Size, sizeof(void*)) + align - 1) / align * align;
}

struct TNodePools {
  std::mutex lock;
  std::vector<std::unique_ptr<TdxNodeSizePool>> pools;

  TdxNodeSizePool& Of(std::size_t Size) {
    for (auto& pool : pools)
      if (pool->RequestedSize() == Size) return *pool;
    return *pools.emplace_back(std::make_unique<TdxNodeSizePool>(Size));
  }
};

// Never destroyed: forms freed by the exit handlers still give their nodes back.
[[maybe_unused]] TNodePools& NodePools() {
  static TNodePools& pools = *new TNodePools;
  return pools;
}

}  // namespace

TdxNodeSizePool::TdxNodeSizePool(std::size_t Size) : size_(NodeRoomSize(Size)), requested_(Size) {}

void* TdxNodeSizePool::Take() {
  ++live_;
  if (freeRooms_) {
    void* room = freeRooms_;
    freeRooms_ = *static_cast<void**>(room);
    return room;
  }
  if (blocks_.empty() || carved_ + size_ > kNodeBlockBytes) {
    blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(std::max(kNodeBlockBytes, size_)));
    carved_ = 0;
  }
  void* room = blocks_.back().get() + carved_;
  carved_ += size_;
  return room;
}

void TdxNodeSizePool::Give(void* Room) {
  *static_cast<void**>(Room) = freeRooms_;
  freeRooms_ = Room;
  if (--live_ > 0) return;
  freeRooms_ = nullptr;
  blocks_.clear();
  carved_ = 0;
}

void* AllocateTreeListNode(std::size_t Size) {
#if TRENVIK_NODE_POOLS
  TNodePools& pools = NodePools();
  std::lock_guard guard(pools.lock);
  return pools.Of(Size).Take();
#else
  return ::operator new(Size);
#endif
}

void FreeTreeListNode(void* Node, [[maybe_unused]] std::size_t Size) {
#if TRENVIK_NODE_POOLS
  TNodePools& pools = NodePools();
  std::lock_guard guard(pools.lock);
  pools.Of(Size).Give(Node);
#else
  // Unsized: clang declares the sized form only with -fsized-deallocation.
  ::operator delete(Node);
#endif
}
