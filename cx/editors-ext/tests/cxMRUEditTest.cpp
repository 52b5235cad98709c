// The MRU edit: the order and trimming of its list, and texts added when a value is posted.
#include "cx/editors-ext/cxMRUEdit.h"

#include <vector>

#include "cx/editors/cxEditViewInfo.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/classes/StringList.h"
#include "platform/win/Input.h"

namespace {

std::vector<String> ItemsOf(TStrings* AItems) {
  std::vector<String> items;
  for (int i = 0; i < AItems->Count(); ++i) items.push_back(AItems->Strings(i));
  return items;
}

TEST(CxMRUItems, NewestFirstWithTheExistingItemsCase) {
  struct Case {
    std::vector<String> before;
    String text;
    int maxCount;
    std::vector<String> after;
  };
  const Case cases[] = {
      {{u"x", u"y"}, u"abc", 0, {u"abc", u"x", u"y"}},
      {{u"x", u"abc", u"y"}, u"X", 0, {u"x", u"abc", u"y"}},  // moved, keeping its own case
      {{u"abc", u"x", u"y"}, u"Y", 0, {u"y", u"abc", u"x"}},
      {{u"x", u"y"}, u"", 0, {u"x", u"y"}},  // an empty text is never added
      {{u"x", u"y"}, u"z", 2, {u"z", u"x"}},
  };
  for (const Case& c : cases) {
    TStringList items;
    for (const String& s : c.before) items.Add(s);
    cxMRUAddItem(&items, c.text, c.maxCount);
    EXPECT_EQ(ItemsOf(&items), c.after) << StringToUtf8(c.text);
  }
}

TEST(CxMRUEditProperties, LoweringMaxItemCountDropsTheOldest) {
  TcxMRUEditProperties properties(nullptr);
  for (const char16_t* s : {u"5", u"4", u"3", u"2", u"1"}) properties.LookupItems()->Add(s);
  properties.SetMaxItemCount(5);
  properties.SetMaxItemCount(2);
  EXPECT_EQ(ItemsOf(properties.LookupItems()), (std::vector<String>{u"5", u"4"}));
  properties.SetMaxItemCount(-1);
  EXPECT_EQ(properties.MaxItemCount(), 0);
  ASSERT_EQ(properties.Buttons()->Count(), 2);
  EXPECT_EQ(properties.Buttons()->Items(1)->Kind, bkEllipsis);
  properties.SetShowEllipsis(false);
  EXPECT_EQ(properties.Buttons()->VisibleCount(), 1);
  TcxMRUEditProperties column(nullptr);
  properties.Update(&column);
  EXPECT_EQ(ItemsOf(column.LookupItems()), ItemsOf(properties.LookupItems()));
}

class CxMRUEditTest : public CxControlsTest {};

TEST_F(CxMRUEditTest, PostedTextsEnterTheListAndTheEllipsisHasItsEvent) {
  TForm* form = MakeForm();
  auto* edit = Add<TcxMRUEdit>(form, 10, 10, 150, 21);
  int ellipsis = 0;
  edit->ActiveProperties()->OnEllipsisClick = [&](TObject*) { ++ellipsis; };
  form->Show();
  Pump();
  edit->SetText(u"Иванов");
  edit->PostEditValue();
  edit->SetText(u"Петров");
  edit->PostEditValue();
  EXPECT_EQ(ItemsOf(edit->ActiveProperties()->LookupItems()), (std::vector<String>{u"Петров", u"Иванов"}));
  edit->ActiveProperties()->SetReadOnly(true);
  edit->SetText(u"Сидоров");
  edit->PostEditValue();
  EXPECT_EQ(edit->ActiveProperties()->LookupItems()->Count(), 2) << "a read-only edit adds nothing";

  const RECT button = edit->EditViewInfo()->Button(1)->Bounds;
  Click(edit, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
  EXPECT_EQ(ellipsis, 1);
}

}  // namespace
