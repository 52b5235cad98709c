#include "cx/editors/cxEditListBox.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

using CxEditListBoxTest = CxControlsTest;

TEST_F(CxEditListBoxTest, HotTrackingSelectsTheItemUnderTheMouseAndReportsIt) {
  TForm* form = MakeForm();
  auto* list = Add<TcxCustomEditListBox>(form, 10, 10, 200, 150);
  list->Font()->SetName(kFixedTestFontName);
  list->Font()->SetHeight(-16);
  SetListBoxItemCount(list, 3);
  EXPECT_EQ(list->Items()->Count(), 3);
  list->Items()->Clear();
  for (const char16_t* item : {u"Бухгалтерия", u"Отдел кадров", u"Отдел снабжения", u"Охрана"})
    list->Items()->Add(item);
  form->Show();
  Pump();
  const int row = list->GetItemHeight(-1);
  EXPECT_EQ(row, 16) << "the height of Wg in the fixed font";
  EXPECT_EQ(list->GetHeight(5), 80);

  int selected = 0;
  list->OnSelectItem = [&](TObject*) { ++selected; };
  MoveTo(list, 20, row * 2 + 3);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(selected, 1);
  MoveTo(list, 30, row * 2 + 5);
  EXPECT_EQ(selected, 1) << "the same item is not selected again";
  list->SetHotTrack(false);
  MoveTo(list, 20, 3);
  EXPECT_EQ(list->ItemIndex(), 2);
  KeepCheckedScreen("edit list box");
}

}  // namespace
