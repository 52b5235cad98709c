#include "dx/editors/dxMRUEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/Graphic.h"

namespace {

std::vector<std::string> ItemsOf(TdxInplaceMRUEdit& Edit) {
  std::vector<std::string> items;
  for (int i = 0; i < Edit.Items()->Count(); ++i) items.push_back(StringToUtf8(Edit.Items()->Strings(i)));
  return items;
}

class DxMRUEditTest : public DxEditorsTest {};

}  // namespace

TEST_F(DxMRUEditTest, RecentTextsComeFirstAndTheListIsTrimmed) {
  TdxInplaceMRUEdit edit(nullptr);
  for (const char16_t* s : {u"a", u"b", u"c"}) edit.Items()->Add(s);
  edit.SetMaxItemCount(3);
  edit.AddItem(u"d");
  EXPECT_EQ(ItemsOf(edit), (std::vector<std::string>{"d", "a", "b"}));
  edit.AddItem(u"B");
  EXPECT_EQ(ItemsOf(edit), (std::vector<std::string>{"b", "d", "a"}));
  edit.AddItem(u"");
  EXPECT_EQ(edit.Items()->Count(), 3);
  edit.SetMaxItemCount(0);  // no limit
  for (const char16_t* s : {u"e", u"f", u"g"}) edit.AddItem(s);
  EXPECT_EQ(edit.Items()->Count(), 6);
  edit.SetMaxItemCount(-4);
  EXPECT_EQ(edit.MaxItemCount(), 0);
}

TEST_F(DxMRUEditTest, TheEllipsisButtonTakesTheGlyphAndClicksWithoutOpening) {
  TTestContainer* host = MakeHost();
  auto* edit = new TdxInplaceMRUEdit(host);
  edit->SetParent(host);
  edit->Items()->Add(u"x");
  int clicks = 0;
  edit->OnButtonClick = [&](TObject*) { ++clicks; };
  edit->ShowAt(RECT{10, 10, 160, 30});
  edit->SetFocus();
  Pump();
  auto v = edit->CreateViewData(false);
  TdxEditViewInfo info;
  edit->EditClass()->CalcViewInfo(v.get(), false, info);
  auto* d = static_cast<TdxDropDownEditViewData*>(v.get());
  ASSERT_EQ(d->ButtonCount, 2);
  EXPECT_EQ(d->Buttons[0].Kind, bkDown);
  EXPECT_EQ(d->Buttons[1].Kind, bkEllipsis);
  TBitmap glyph;
  glyph.SetSize(8, 8);
  edit->SetButtonGlyph(&glyph);
  v = edit->CreateViewData(false);
  edit->EditClass()->CalcViewInfo(v.get(), false, info);
  d = static_cast<TdxDropDownEditViewData*>(v.get());
  EXPECT_EQ(d->Buttons[0].Kind, bkDown);
  EXPECT_EQ(d->Buttons[1].Kind, bkGlyph);
  KeepCheckedWindow(edit->Handle(), "mru");

  const RECT ellipsis = TdxDropDownEditMetaClass::ButtonRects(info, d)[1];
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, POINT{w.left + (ellipsis.left + ellipsis.right) / 2, (w.top + w.bottom) / 2});
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(edit->DropDownShown);
  Key(VK_RETURN, 2);
  EXPECT_EQ(clicks, 2);
}
