// Loading a dataset into the controller, fields bound by name, keys and the focus that follows the
// dataset both ways.
#include <gtest/gtest.h>

#include "cx/data/tests/DBControllerFixture.h"
#include "platform/data/Field.h"

TEST(cxDBDataLoad, OpeningTheDataSetLoadsEveryRecordAndFollowsItsCurrentRecord) {
  TDBFixture f(FiveCities());
  f.data->Open();
  ASSERT_EQ(f.dc->GetRecordCount(), 5);
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(f.dc->DisplayTexts(1, f.name), u"Boris");
  EXPECT_TRUE(VarIsNull(f.dc->Values(2, f.city)));
  EXPECT_EQ(f.FocusedId(), 1);

  f.data->MoveBy(3);
  EXPECT_EQ(f.FocusedId(), 4);

  f.dc->ChangeFocusedRowIndex(1);
  EXPECT_EQ(f.CurrentId(), 2);
}
