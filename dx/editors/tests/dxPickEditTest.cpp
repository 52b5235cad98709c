#include "dx/editors/dxPickEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"

namespace {

class DxPickEditTest : public DxEditorsTest {
 protected:
  TdxInplacePickEdit* MakeEditor(std::initializer_list<const char16_t*> Items) {
    host_ = MakeHost();
    auto* edit = new TdxInplacePickEdit(host_);
    edit->SetParent(host_);
    for (const char16_t* item : Items) edit->Items()->Add(item);
    edit->ShowAt(RECT{10, 10, 160, 30});
    edit->SetFocus();
    Pump();
    return edit;
  }
  static std::string TextOf(TdxInplacePickEdit* Edit) { return StringToUtf8(Edit->Text()); }
  static std::pair<int, int> Selection(TdxInplacePickEdit* Edit) {
    int start = 0, end = 0;
    Edit->GetSelectionRange(start, end);
    return {start, end};
  }

  TTestContainer* host_ = nullptr;
};

}  // namespace

TEST_F(DxPickEditTest, TypingCompletesWithTheFirstMatchingItem) {
  auto* edit = MakeEditor({u"Apple", u"apricot", u"Банан"});
  edit->ImmediateDropDown = false;
  struct Step {
    const char* typed;
    const char* shown;
    std::pair<int, int> selected;
  } steps[] = {
      {"a", "Apple", {1, 5}},
      {"p", "Apple", {2, 5}},
      {"r", "apricot", {3, 7}},
      {"x", "aprx", {4, 4}},  // no item matches: typed normally
  };
  for (const Step& s : steps) {
    Type(s.typed);
    EXPECT_EQ(TextOf(edit), s.shown) << s.typed;
    EXPECT_EQ(Selection(edit), s.selected) << s.typed;
  }
  EXPECT_EQ(edit->FindItem(u"бАН"), 2);
  EXPECT_EQ(edit->FindItem(u""), -1);
  EXPECT_EQ(edit->FindItem(u"Applesauce"), -1);
}

TEST_F(DxPickEditTest, TheListOpensOnTypingAndEnterOrAClickChooses) {
  auto* edit = MakeEditor({u"Apple", u"apricot", u"Банан"});
  Type("б");
  TdxPopupPickListBox* list = edit->PopupList();
  ASSERT_TRUE(edit->DropDownShown);
  ASSERT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(GetFocus(), edit->Handle());
  KeepCheckedScreen("pick list");
  Key(VK_UP);  // to the list
  EXPECT_EQ(list->ItemIndex(), 1);
  Key(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(TextOf(edit), "apricot");

  Key(VK_F4);
  ASSERT_TRUE(IsWindowVisible(list->Handle()));
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  EXPECT_EQ(TextOf(edit), "apricot") << "Esc discards the list's selection";
  Key(VK_F4);
  const RECT first = list->ItemRect(0);
  Click(list, first.left + 3, first.top + 3);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(TextOf(edit), "Apple");
}

TEST_F(DxPickEditTest, DropDownListStyleAndEmptyItems) {
  auto* edit = MakeEditor({u"Apple", u"apricot"});
  edit->SetDropDownListStyle(true);
  edit->CanDeleteText = true;
  edit->ImmediateDropDown = false;
  edit->SetText(u"Apple");
  edit->SelectAll();
  Key(VK_DELETE);
  EXPECT_EQ(TextOf(edit), "");
  auto* empty = MakeEditor({});
  Key(VK_F4);
  EXPECT_FALSE(empty->DropDownShown) << "an empty list never opens";
}

TEST_F(DxPickEditTest, SteppingRemembersItsIndex) {
  auto* edit = MakeEditor({u"Apple", u"apricot", u"Банан"});
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  SimulateWheel(-120, POINT{w.left + 5, w.top + 5});
  Pump();
  EXPECT_EQ(TextOf(edit), "Apple");
  SimulateWheel(-120, POINT{w.left + 5, w.top + 5});
  Pump();
  EXPECT_EQ(TextOf(edit), "apricot");
  edit->SetEditValue(Variant(String(u"Apple")));
  SimulateWheel(-120, POINT{w.left + 5, w.top + 5});
  Pump();
  EXPECT_EQ(TextOf(edit), "Банан") << "from the remembered index, not from the new value";
}
