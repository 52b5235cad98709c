// TPopupDataList over a lookup dataset in SQLite: the pop-up's window, its height from RowCount,
// the key value chosen by code, mouse and keys, and the chosen row drawn highlighted.
#include "platform/dbctrls/DBLookup.h"
#include "platform/dbctrls/tests/DataControlsFixture.h"
#include "platform/display/testing/CheckedScreens.h"

namespace {

class PopupDataListTest : public DataControlsTest {
 protected:
  void SetUp() override {
    DataControlsTest::SetUp();
    sexes = Query(u"select * from SEX order by M_SEXID");
    sexes->Open();
    list = new TPopupDataList(form);
    list->SetParent(form);
    list->Font()->Assign(form->Font());
    list->SetListSource(Source(sexes));
    list->SetKeyField(u"M_SEXID");
    list->SetListField(u"NAME");
    list->SetRowCount(2);
    list->SetBounds(150, 150, 120, list->Height());
    list->HandleNeeded();
    list->SetRowCount(2);
  }
  TADOQuery* sexes = nullptr;
  TPopupDataList* list = nullptr;
};

TEST_F(PopupDataListTest, APopUpToolWindowSizedToItsRows) {
  HWND h = list->Handle();
  EXPECT_EQ(GetWindowLong(h, GWL_STYLE) & (WS_POPUP | WS_CHILD), static_cast<LONG>(WS_POPUP));
  EXPECT_EQ(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, static_cast<LONG>(WS_EX_TOOLWINDOW));
  EXPECT_EQ(GetClassLongPtr(h, GCL_STYLE) & CS_SAVEBITS, static_cast<ULONG_PTR>(CS_SAVEBITS));
  // Two rows of 18 pixels and the one-pixel border above and below.
  EXPECT_EQ(list->ItemHeight(), 18);
  EXPECT_EQ(list->Height(), 2 * 18 + 2);
  EXPECT_EQ(list->ClientHeight(), 36);
}

TEST_F(PopupDataListTest, KeyValueChosenByCodeMouseAndKeys) {
  std::vector<std::string> changes;
  list->OnKeyValueChange = [&](TObject*) { changes.push_back(StringToUtf8(list->SelectedText())); };
  list->SetKeyValue(Variant(2));
  EXPECT_EQ(list->SelectedText(), u"женский");
  EXPECT_EQ(sexes->FieldByName(u"M_SEXID")->AsInteger(), 2);  // the list dataset follows the key
  EXPECT_TRUE(changes.empty());                               // a key set in code is no user's choice

  ShowWindow(list->Handle(), SW_SHOWNOACTIVATE);
  Pump();
  Click(list, 10, 5);  // the first row
  EXPECT_EQ(list->KeyValue(), Variant(1));
  EXPECT_EQ(list->SelectedText(), u"мужской");
  // The pop-up never takes the focus: the editor that dropped it down forwards its keys.
  SendMessage(list->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(list->KeyValue(), Variant(2));
  SendMessage(list->Handle(), WM_KEYDOWN, VK_DOWN, 0);  // no row below the last
  EXPECT_EQ(list->KeyValue(), Variant(2));
  EXPECT_EQ(changes, (std::vector<std::string>{"мужской", "женский"}));

  // A key the list does not have chooses nothing.
  list->SetKeyValue(Variant(7));
  EXPECT_EQ(list->SelectedText(), u"");
}

TEST_F(PopupDataListTest, TheChosenRowIsHighlighted) {
  list->SetKeyValue(Variant(2));
  ShowWindow(list->Handle(), SW_SHOWNOACTIVATE);
  list->Repaint();
  HDC dc = GetDC(list->Handle());
  EXPECT_EQ(GetPixel(dc, 1, 18 + 9), ColorToColorRef(clHighlight));
  EXPECT_EQ(GetPixel(dc, 1, 9), ColorToColorRef(clWindow));
  ReleaseDC(list->Handle(), dc);
  KeepCheckedWindow(list->Handle());
}

}  // namespace
