// Bookmarks while records are deleted one after another: every remaining record is still found at
// its new position and a deleted one nowhere, in whatever order the deletions come.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/data/ClientDataSet.h"
#include "platform/data/testing/DataTesting.h"

namespace {

TEST(BookmarkPositions, FollowDeletionsInAnyOrder) {
  const std::vector<std::vector<int>> orders = {
      {10, 8, 5, 1},  // from the last backwards, as the grid deletes a selection
      {1, 2, 3, 9},   // from the first forwards
      {6, 2, 9, 4},   // back and forth
  };
  for (const std::vector<int>& order : orders) {
    TComponent owner{nullptr};
    TMemoryDataSet* ds = MakeNumberedDataSet(&owner, 10);
    ds->Open();
    std::vector<TBookmark> marks;
    for (ds->First(); !ds->Eof(); ds->Next()) marks.push_back(ds->GetBookmark());
    std::vector<int> left = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (int id : order) {
      ds->GotoBookmark(marks[id - 1]);
      ds->Delete();
      left.erase(std::find(left.begin(), left.end(), id));
      for (int other = 1; other <= 10; ++other) {
        const auto at = std::find(left.begin(), left.end(), other);
        ASSERT_EQ(ds->BookmarkValid(marks[other - 1]), at != left.end()) << "record " << other << " after " << id;
        if (at == left.end()) continue;
        ds->GotoBookmark(marks[other - 1]);
        EXPECT_EQ(ds->FieldByName(u"ID")->AsInteger(), other);
        EXPECT_EQ(ds->RecNo(), at - left.begin() + 1) << "record " << other << " after " << id;
      }
    }
  }
}

}  // namespace
