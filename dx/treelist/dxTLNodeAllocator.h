// Where tree-list nodes live. A load makes and frees nodes by the million, and one heap block each
// costs a header and a trip through the general allocator: nodes are carved from large blocks kept
// per node size instead, and a freed node's room serves the next node of that size. The blocks of a
// size go back to the heap when no node of that size is left.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

void* AllocateTreeListNode(std::size_t Size);
void FreeTreeListNode(void* Node, std::size_t Size);

// The rooms of one node size: blocks carved front to back, freed rooms linked through their first
// bytes; the last room given back releases every block.
class TdxNodeSizePool {
 public:
  explicit TdxNodeSizePool(std::size_t Size);
  std::size_t RequestedSize() const { return requested_; }
  std::size_t BlockCount() const { return blocks_.size(); }
  void* Take();
  void Give(void* Room);

 private:
  std::size_t size_;
  std::size_t requested_;
  std::vector<std::unique_ptr<std::byte[]>> blocks_;
  std::size_t carved_ = 0;
  void* freeRooms_ = nullptr;
  std::size_t live_ = 0;
};
