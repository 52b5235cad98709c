#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "dx/treelist/dxTLNodeAllocator.h"

namespace {

// Enough rooms of an odd size to span several blocks, each written whole: no two rooms overlap, a
// freed room is taken again before new ones are carved, and the last room given back releases the
// blocks while the pool stays usable.
TEST(DxTLNodeAllocatorTest, RoomsStayApartAreReusedAndBlocksGoWithTheLastNode) {
  constexpr std::size_t kSize = 90;
  constexpr int kRooms = 30000;
  TdxNodeSizePool pool(kSize);
  std::vector<unsigned char*> rooms;
  for (int i = 0; i < kRooms; ++i) {
    auto* room = static_cast<unsigned char*>(pool.Take());
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(room) % alignof(std::max_align_t), 0u);
    std::memset(room, i & 0xFF, kSize);
    rooms.push_back(room);
  }
  EXPECT_GT(pool.BlockCount(), 1u);
  for (int i = 0; i < kRooms; ++i)
    ASSERT_EQ(rooms[i][kSize - 1], i & 0xFF) << "room " << i << " was overwritten";

  const std::size_t blocks = pool.BlockCount();
  std::set<void*> freed{rooms[5], rooms[700], rooms[kRooms - 1]};
  for (void* room : freed) pool.Give(room);
  std::set<void*> retaken{pool.Take(), pool.Take(), pool.Take()};
  EXPECT_EQ(retaken, freed);
  EXPECT_EQ(pool.BlockCount(), blocks);

  for (unsigned char* room : rooms) pool.Give(room);
  EXPECT_EQ(pool.BlockCount(), 0u);
  void* again = pool.Take();
  EXPECT_NE(again, nullptr);
  EXPECT_EQ(pool.BlockCount(), 1u);
  pool.Give(again);
}

}  // namespace
