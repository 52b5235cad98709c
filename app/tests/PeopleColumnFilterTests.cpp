// The people list's column filter on a real demo database: the surname header's drop-down lists
// the surnames under "(All)" and "(Custom...)", choosing one leaves its rows and shows the filter
// panel, "Clear Filter" brings every row back, and no filter is kept in "edu.ini".
#include "app/ProgramMain.h"
#include "app/tests/AppTestSupport.h"
#include "app/tests/PeopleGridProbe.h"
#include "dx/dbgrid/dxDBGridFilterDropDown.h"
#include "dx/dbgrid/dxFilterEdit.h"
#include "dx/dbgrid/dxGrFDlg.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/rtl/DateFormat.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

namespace {

class PeopleColumnFilterTest : public AppTest {
 protected:
  TdxDBGrid* Grid() const { return MainForm->dxDBGrid1; }
  void ClickAt(POINT Client) {
    clock->Advance(1000);  // never a double click
    SimulateClick(TSimButton::Left, Grid()->ClientToScreen(Client));
    RunUntilIdle();
  }
  void ClickFilterButton(TdxTreeListColumn* Column) {
    const POINT button = FilterButtonPoint(Column);
    ASSERT_GE(button.x, 0) << "no filter button";
    ClickAt(button);
  }
  TdxDBGridFilterPopupListBox* List() const { return Grid()->FilterDropDown(); }
  void ChooseEntry(int Index) {
    RECT entry;
    SendMessage(List()->Handle(), LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&entry));
    clock->Advance(1000);
    SimulateClick(TSimButton::Left,
                  List()->ClientToScreen(POINT{entry.left + 5, (entry.top + entry.bottom) / 2}));
    RunUntilIdle();
  }
};

TEST_F(PeopleColumnFilterTest, ChoosingASurnameLeavesItsRowsAndClearFilterBringsThemBack) {
  WriteIni("[Application]\nMode=0\n");
  StartShowingList(12);
  TdxTreeListColumn* surname = MainForm->dxDBGrid1FSTNAME;
  EXPECT_TRUE(Grid()->Filter()->Active());
  EXPECT_TRUE(Grid()->Filter()->IsEmpty());
  const std::string all = GridColumn(surname);

  ClickFilterButton(surname);
  ASSERT_TRUE(Grid()->FilterDropDownVisible());
  TStrings* items = List()->Items();
  ASSERT_GE(items->Count(), 3);
  EXPECT_EQ(Text(items->Strings(0)), "(All)");
  EXPECT_EQ(Text(items->Strings(1)), "(Custom...)");
  // The surnames follow, each once, in order.
  for (int i = 3; i < items->Count(); ++i)
    EXPECT_LT(AnsiCompareStr(items->Strings(i - 1), items->Strings(i)), 0) << i;
  const String chosen = items->Strings(2);
  KeepCheckedScreen("drop-down");
  RECT entry;
  SendMessage(List()->Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&entry));
  clock->Advance(1000);
  SimulateClick(TSimButton::Left,
                List()->ClientToScreen(POINT{entry.left + 5, (entry.top + entry.bottom) / 2}));
  RunUntilIdle();

  ASSERT_GT(Grid()->GetAbsoluteCount(), 0);
  for (int i = 0; i < Grid()->GetAbsoluteCount(); ++i) EXPECT_EQ(GridCell(i, surname), Text(chosen));
  EXPECT_EQ(Text(Grid()->GetFilterText()), "(фамилия = " + Text(chosen) + ")");
  EXPECT_TRUE(Grid()->IsFilterStatusVisible());
  // The filter panel shows the text and its button.
  RECT button;
  Grid()->GetClearFilterButtonRect(button);
  ASSERT_FALSE(IsRectEmpty(&button));
  KeepCheckedScreen("filtered");

  ClickAt(POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
  EXPECT_TRUE(Grid()->Filter()->IsEmpty());
  EXPECT_EQ(GridColumn(surname), all);
  EXPECT_FALSE(Grid()->IsFilterStatusVisible());

  // Filtered again and closed: the INI layout keeps no filter, and the next start is unfiltered.
  Grid()->Filter()->SetColumnValue(static_cast<TdxDBTreeListColumn*>(surname), Variant(chosen), chosen);
  delete DataModule2;
  DataModule2 = nullptr;
  delete MainForm;
  MainForm = nullptr;
  EXPECT_EQ(ReadIni().find("Filter"), std::string::npos) << ReadIni();
  CreateWindows();
  MainForm->Show();
  Pump();
  clock->Advance(100);
  RunUntilIdle();
  EXPECT_TRUE(MainForm->dxDBGrid1->Filter()->IsEmpty());
  EXPECT_EQ(GridColumn(MainForm->dxDBGrid1FSTNAME), all);
}

TEST_F(PeopleColumnFilterTest, TheCustomDialogJoinsTwoSurnamesWithOrAndRefusesABadDate) {
  StartShowingList(12);
  TdxTreeListColumn* surname = MainForm->dxDBGrid1FSTNAME;
  const std::string first = GridCell(0, surname), second = GridCell(1, surname);
  ASSERT_NE(first, second);
  WhenModal<TfmCustomDialog>([&](TfmCustomDialog* Dialog) {
    EXPECT_EQ(Text(Dialog->LColumnName->Caption()), "фамилия ");
    Dialog->OperatorEdit1->SetText(u"0");
    Dialog->ValueEdit1->SetText(Utf8ToString(first));
    Dialog->rbOr->SetChecked(true);
    Dialog->OperatorEdit2->SetText(u"0");
    Dialog->ValueEdit2->SetText(Utf8ToString(second));
    Dialog->btnOK->Click();
  });
  ClickFilterButton(surname);
  ChooseEntry(1);
  ASSERT_GT(Grid()->GetAbsoluteCount(), 1);
  for (int i = 0; i < Grid()->GetAbsoluteCount(); ++i) {
    const std::string name = GridCell(i, surname);
    EXPECT_TRUE(name == first || name == second) << name;
  }
  EXPECT_EQ(Text(Grid()->GetFilterText()), "((фамилия = " + first + ") OR (фамилия = " + second + "))");

  // The birth date shown first: a text that is no date is refused and the dialog stays open.
  MainForm->dxDBGrid1BIRTHDATE->SetVisible(true);
  MainForm->dxDBGrid1BIRTHDATE->SetColIndex(0);
  RunUntilIdle();
  bool stayedOpen = false;
  std::string refusal;
  WhenModal<TfmCustomDialog>([&](TfmCustomDialog* Dialog) {
    Dialog->ValueEdit1->SetText(u"не дата");
    // What the modal loop asks when OK closes the dialog.
    Dialog->SetModalResult(mrOk);
    try {
      stayedOpen = !Dialog->CloseQuery();
    } catch (const Exception& e) {
      refusal = Text(e.Message());
      stayedOpen = Dialog->Visible();
    }
    Dialog->SetModalResult(mrNone);
    Dialog->btnCancel->Click();
  });
  ClickFilterButton(MainForm->dxDBGrid1BIRTHDATE);
  ASSERT_TRUE(Grid()->FilterDropDownVisible());
  EXPECT_EQ(List()->Column(), MainForm->dxDBGrid1BIRTHDATE);
  ChooseEntry(1);
  EXPECT_EQ(refusal, "Invalid value");
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(Text(Grid()->GetFilterText()), "((фамилия = " + first + ") OR (фамилия = " + second + "))");
}

// Typed as the user types it: the date editor must neither put its fallback date in place of text
// that is no date nor keep the date it was loaded with.
TEST_F(PeopleColumnFilterTest, TypedBirthDatesFilterAndTypedTextThatIsNoDateIsRefused) {
  StartShowingList(12);
  TdxDBGridDateColumn* birth = MainForm->dxDBGrid1BIRTHDATE;
  birth->SetVisible(true);
  birth->SetColIndex(0);
  RunUntilIdle();
  const String date = DateToStr(EncodeDate(1980, 1, 2));
  const std::string dateCondition = "(" + Text(birth->Caption()) + " = " + Text(date) + ")";
  auto typeInto = [this](TWinControl* Edit, const String& Typed) {
    AppTest::ClickAt(Edit, 10, Edit->Height() / 2);
    SimulateKeyPress(VK_HOME);
    SimulateKeyPress(VK_END, 1);  // Shift: what was there is typed over
    SimulateText(Typed);
  };
  auto runDialog = [&](std::function<void(TfmCustomDialog*)> Script) {
    WhenModal<TfmCustomDialog>(std::move(Script));
    ClickFilterButton(birth);
    ASSERT_TRUE(Grid()->FilterDropDownVisible());
    ChooseEntry(1);
  };

  runDialog([&](TfmCustomDialog* Dialog) {
    typeInto(Dialog->ValueEdit1, date);
    AppTest::ClickAt(Dialog->btnOK, 10, 10);
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Text(Grid()->GetFilterText()), dateCondition);

  struct Attempt {
    bool stayedOpen = false;
    bool editFocused = false;
    String shown;
  };
  // Over an empty value (the fallback would have been today or blanks) and over the loaded date.
  for (const bool overLoadedDate : {true, false}) {
    if (!overLoadedDate) Grid()->Filter()->Clear();
    RunUntilIdle();
    const std::string before = Text(Grid()->GetFilterText());
    boxes.clear();
    Attempt attempt;
    runDialog([&](TfmCustomDialog* Dialog) {
      typeInto(Dialog->ValueEdit1, u"не дата");
      AppTest::ClickAt(Dialog->btnOK, 10, 10);
      // Looked at once the modal loop has asked the dialog to close and the refusal was shown.
      SetMessagePumpHook([this, Dialog, &attempt] {
        if (boxes.empty()) return;
        // Clearing the hook frees this closure.
        auto* test = this;
        Attempt* seen = &attempt;
        TfmCustomDialog* dialog = Dialog;
        SetMessagePumpHook(nullptr);
        *seen = {dialog->Visible(), dialog->ValueEdit1->Focused(), dialog->ValueEdit1->Text()};
        test->AppTest::ClickAt(dialog->btnCancel, 10, 10);
        PostMessage(dialog->Handle(), WM_NULL, 0, 0);
      });
    });
    ASSERT_EQ(boxes.size(), 1u) << overLoadedDate;
    EXPECT_EQ(boxes[0].Text, "Invalid value.");
    EXPECT_TRUE(attempt.stayedOpen);
    EXPECT_TRUE(attempt.editFocused);
    EXPECT_EQ(Text(attempt.shown), "не дата");
    EXPECT_EQ(Text(Grid()->GetFilterText()), before) << "Cancel after the refusal changes nothing";
  }
}

}  // namespace
