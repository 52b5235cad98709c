// The people list's column filter on a virtual X server, the program started as the user starts it
// on a demo database in its own folder, driven by simulated input: the surname header's filter
// button lists "(All)", "(Custom...)" and the surnames, and choosing one leaves its rows with the
// filter panel shown; "(Custom...)" with two surnames joined by Or shows both, and typed text
// that is no date in the birth date's dialog is refused with "Invalid value"; "Clear Filter"
// brings every row back, and after a restart "edu.ini" holds no filter. Checked on rows and on the
// pixels the X server shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/tests/DesktopDriver.h"
#include "app/tests/PeopleGridProbe.h"
#include "dx/dbgrid/dxDBGridFilterDropDown.h"
#include "dx/dbgrid/dxGrFDlg.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"

namespace {

constexpr int kColumnFilterPeople = 30;

TdxDBGrid* PeopleGrid() { return MainForm->dxDBGrid1; }

std::string ColumnFilterText(const String& Text) { return StringToUtf8(Text); }

void ClickDropDownEntry(int Index) {
  TdxDBGridFilterPopupListBox* list = PeopleGrid()->FilterDropDown();
  RECT entry{};
  SendMessage(list->Handle(), LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&entry));
  SimulateClick(TSimButton::Left, list->ClientToScreen(POINT{entry.left + 5, (entry.top + entry.bottom) / 2}));
}

// Typed into an empty edit, as the user clicks into it and types.
void TypeInto(TWinControl* Edit, const std::string& Text) {
  SimulateClick(TSimButton::Left, Edit->ClientToScreen(POINT{10, Edit->Height() / 2}));
  SimulateText(Utf8ToString(Text));
}

void ClickCentre(TControl* C) {
  SimulateClick(TSimButton::Left, C->ClientToScreen(POINT{C->Width() / 2, C->Height() / 2}));
}

std::string ReadProgramIni(const TTempFolder& Folder) {
  FILE* f = std::fopen(StringToUtf8(Folder.File("edu.ini")).c_str(), "rb");
  if (!f) return std::string();
  std::string text;
  for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
  std::fclose(f);
  return text;
}

void DriveTheColumnFilter() {
  SDL_Window* window = nullptr;
  ASSERT_NO_FATAL_FAILURE(StartDesktopScreen(120, window));
  TTempFolder folder;
  WriteDemoProgramFolder(folder, kColumnFilterPeople);
  const TProgramFolderScope inFolder(folder.Path());
  StartProgramOnDesktop();
  TProgramOnDesktop desk(window);
  desk.Settle();
  TdxTreeListColumn* surname = MainForm->dxDBGrid1FSTNAME;
  ASSERT_EQ(PeopleGrid()->GetAbsoluteCount(), kColumnFilterPeople);
  const std::string everybody = GridColumn(surname);
  const RECT gridRect{0, 0, PeopleGrid()->ClientWidth(), PeopleGrid()->ClientHeight()};
  desk.Shoot();
  const std::vector<COLORREF> unfiltered = desk.Pixels(PeopleGrid(), gridRect);
  auto clickFilterButton = [&](TdxTreeListColumn* Column) {
    const POINT button = FilterButtonPoint(Column);
    ASSERT_GE(button.x, 0) << "no filter button";
    desk.Click(PeopleGrid(), button);
    desk.Settle();
  };

  // The drop-down, and a surname chosen in it.
  clickFilterButton(surname);
  ASSERT_TRUE(PeopleGrid()->FilterDropDownVisible());
  TStrings* items = PeopleGrid()->FilterDropDown()->Items();
  ASSERT_GE(items->Count(), 4);
  EXPECT_EQ(ColumnFilterText(items->Strings(0)), "(All)");
  EXPECT_EQ(ColumnFilterText(items->Strings(1)), "(Custom...)");
  const std::string chosen = ColumnFilterText(items->Strings(2));
  desk.Shoot();
  KeepCheckedScreen("column-filter-drop-down");
  ClickDropDownEntry(2);
  desk.Settle();
  ASSERT_GT(PeopleGrid()->GetAbsoluteCount(), 0);
  for (int i = 0; i < PeopleGrid()->GetAbsoluteCount(); ++i) EXPECT_EQ(GridCell(i, surname), chosen);
  EXPECT_EQ(ColumnFilterText(PeopleGrid()->GetFilterText()), "(фамилия = " + chosen + ")");
  EXPECT_TRUE(PeopleGrid()->IsFilterStatusVisible());
  RECT clear{};
  PeopleGrid()->GetClearFilterButtonRect(clear);
  ASSERT_FALSE(IsRectEmpty(&clear));
  desk.Shoot();
  EXPECT_GT(TProgramOnDesktop::Differing(unfiltered, desk.Pixels(PeopleGrid(), gridRect)), 1000)
      << "the rows and the filter panel on the screen";
  KeepCheckedScreen("column-filtered");

  // "(Custom...)": the dialog opens on the surname chosen; Or, equals another.
  const std::string other = ColumnFilterText(items->Strings(3));
  TModalSteps<TfmCustomDialog> orSteps({
      [&](TfmCustomDialog* d) {
        EXPECT_EQ(ColumnFilterText(d->ValueEdit1->Text()), chosen) << "the column's condition loaded";
        ClickCentre(d->rbOr);
      },
      [](TfmCustomDialog* d) { d->OperatorEdit2->SetText(u"0"); },
      [&](TfmCustomDialog* d) { TypeInto(d->ValueEdit2, other); },
      [&desk](TfmCustomDialog* d) {
        EXPECT_TRUE(d->rbOr->Checked());
        desk.Shoot();
        KeepCheckedScreen("column-filter-custom-or");
        ClickCentre(d->btnOK);
      },
  });
  orSteps.Arm();
  clickFilterButton(surname);
  ASSERT_TRUE(PeopleGrid()->FilterDropDownVisible());
  ClickDropDownEntry(1);
  desk.Settle();
  bool sawChosen = false, sawOther = false;
  for (int i = 0; i < PeopleGrid()->GetAbsoluteCount(); ++i) {
    const std::string name = GridCell(i, surname);
    EXPECT_TRUE(name == chosen || name == other) << name;
    sawChosen |= name == chosen;
    sawOther |= name == other;
  }
  EXPECT_TRUE(sawChosen && sawOther);
  EXPECT_EQ(ColumnFilterText(PeopleGrid()->GetFilterText()),
            "((фамилия = " + chosen + ") OR (фамилия = " + other + "))");

  // The birth date shown first: typed text that is no date is refused, the dialog staying open
  // with the text as typed, and the filter kept.
  TdxDBGridDateColumn* birth = MainForm->dxDBGrid1BIRTHDATE;
  birth->SetVisible(true);
  birth->SetColIndex(0);
  desk.Settle();
  const std::string orFilter = ColumnFilterText(PeopleGrid()->GetFilterText());
  std::vector<std::string> refusals;
  SetMessageBoxHook([&refusals](const String& Text, const String&, UINT) {
    refusals.push_back(StringToUtf8(Text));
    return IDOK;
  });
  TModalSteps<TfmCustomDialog> badDateSteps({
      [](TfmCustomDialog* d) { TypeInto(d->ValueEdit1, "не дата"); },
      [](TfmCustomDialog* d) { ClickCentre(d->btnOK); },
      [&](TfmCustomDialog* d) {
        EXPECT_EQ(refusals, std::vector<std::string>{"Invalid value."});
        EXPECT_TRUE(d->Visible());
        EXPECT_TRUE(d->ValueEdit1->Focused());
        EXPECT_EQ(ColumnFilterText(d->ValueEdit1->Text()), "не дата");
        desk.Shoot();
        KeepCheckedScreen("column-filter-custom-bad-date");
        ClickCentre(d->btnCancel);
      },
  });
  badDateSteps.Arm();
  clickFilterButton(birth);
  ASSERT_TRUE(PeopleGrid()->FilterDropDownVisible());
  ClickDropDownEntry(1);
  desk.Settle();
  SetMessageBoxHook(nullptr);
  EXPECT_EQ(refusals.size(), 1u);
  EXPECT_EQ(ColumnFilterText(PeopleGrid()->GetFilterText()), orFilter);

  // "Clear Filter" on the filter panel: every row back.
  PeopleGrid()->GetClearFilterButtonRect(clear);
  desk.Click(PeopleGrid(), POINT{(clear.left + clear.right) / 2, (clear.top + clear.bottom) / 2});
  desk.Settle();
  EXPECT_TRUE(PeopleGrid()->Filter()->IsEmpty());
  EXPECT_EQ(GridColumn(surname), everybody);
  EXPECT_FALSE(PeopleGrid()->IsFilterStatusVisible());
  desk.Shoot();
  KeepCheckedScreen("column-filter-cleared");

  // Filtered again and the program closed: "edu.ini" keeps no filter and the next start lists all.
  clickFilterButton(surname);
  ClickDropDownEntry(2);
  desk.Settle();
  ASSERT_FALSE(PeopleGrid()->Filter()->IsEmpty());
  CloseProgramOnDesktop();
  const std::string ini = ReadProgramIni(folder);
  EXPECT_NE(ini.find("[Application]"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("Filter"), std::string::npos) << ini;
  StartProgramOnDesktop();
  desk.Settle();
  EXPECT_TRUE(PeopleGrid()->Filter()->IsEmpty());
  EXPECT_EQ(GridColumn(MainForm->dxDBGrid1FSTNAME), everybody);
  CloseProgramOnDesktop();
  StopDisplay();
}

TEST(ProgramColumnFilterOnDesktop, SurnameCustomOrClearAndRestartThroughSimulatedInput) {
  if (OnVirtualDesktop()) return DriveTheColumnFilter();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
