// The table view's option objects: form files carry the values that differ from the defaults,
// setters clamp and notify, and options that name items or the grid follow them.
#include "cx/editors/cxCheckBox.h"
#include "cx/foundation/tests/cxFormTextTestUtil.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/tests/cxGridTestUtil.h"
#include "platform/classes/Published.h"

namespace {

class TOptionsForm : public TForm {
  TRENVIK_CLASS(TOptionsForm, TForm);

 public:
  explicit TOptionsForm(TComponent* AOwner) : TForm(AOwner) {}
  TcxGrid* Grid1 = nullptr;
  TcxGridTableView* TableView1 = nullptr;
};

}  // namespace

TRENVIK_PUBLISHED(TOptionsForm) {
  P.Field("Grid1", &TOptionsForm::Grid1);
  P.Field("TableView1", &TOptionsForm::TableView1);
}

using CxGridTableOptionsTest = CxGridTest;

TEST_F(CxGridTableOptionsTest, OptionsDifferingFromTheDefaultsReadBackEqual) {
  auto* source = new TOptionsForm(nullptr);
  forms_.push_back(source);
  source->SetName(S("OptionsForm"));
  auto* grid = new TcxGrid(source);
  grid->SetName(S("Grid1"));
  grid->SetParent(source);
  auto* view = new TcxGridTableView(source);
  view->SetName(S("TableView1"));
  grid->AddChildComponent(view);
  view->OptionsBehavior()->SetIncSearch(true);
  view->OptionsBehavior()->SetExpandMasterRowOnDblClick(false);
  view->OptionsBehavior()->SetDragFocusing(dfDragDrop);
  view->OptionsCustomize()->SetColumnMoving(false);
  view->OptionsCustomize()->SetColumnHiding(true);
  view->OptionsData()->SetEditing(false);
  view->OptionsSelection()->SetMultiSelect(true);
  view->OptionsSelection()->SetInvertSelect(false);
  view->OptionsView()->SetGridLines(glHorizontal);
  view->OptionsView()->SetGridLineColor(clRed);
  view->OptionsView()->SetIndicatorWidth(20);
  view->OptionsView()->SetHeaderEndEllipsis(true);
  view->OptionsView()->SetShowEditButtons(gsebAlways);
  TcxGridColumn* column = view->CreateColumn();
  column->SetName(S("TableView1Checked"));
  column->SetPropertiesClassName(u"TcxCheckBoxProperties");
  static_cast<TcxCheckBoxProperties*>(column->Properties())->SetDisplayChecked(S("Yes"));

  const String text = FormText(source);
  for (const char16_t* line :
       {u"IncSearch = True", u"ExpandMasterRowOnDblClick = False", u"DragFocusing = dfDragDrop",
        u"ColumnMoving = False", u"ColumnHiding = True", u"Editing = False", u"MultiSelect = True",
        u"InvertSelect = False", u"GridLines = glHorizontal", u"GridLineColor = clRed",
        u"IndicatorWidth = 20", u"HeaderEndEllipsis = True", u"ShowEditButtons = gsebAlways"})
    EXPECT_TRUE(Has(text, line)) << StringToUtf8(line) << "\n" << StringToUtf8(text);
  for (const char16_t* line : {u"ColumnSorting", u"CellSelect", u"Footer", u"RowSeparatorWidth"})
    EXPECT_FALSE(Has(text, line)) << "a default value is not written: " << StringToUtf8(line);

  auto* target = new TOptionsForm(nullptr);
  forms_.push_back(target);
  ReadFormText(text, target);
  ASSERT_NE(target->TableView1, nullptr);
  EXPECT_EQ(FormText(target), text);
  EXPECT_TRUE(target->TableView1->DataController()->MultiSelect()) << "the data controller keeps the switch";
  EXPECT_FALSE(target->TableView1->OptionsCustomize()->ItemMoving()) << "the custom view's name for the flag";
  ASSERT_EQ(target->TableView1->ColumnCount(), 1);
  auto* readBack = dynamic_cast<TcxCheckBoxProperties*>(target->TableView1->Columns(0)->Properties());
  ASSERT_NE(readBack, nullptr);
  EXPECT_EQ(readBack->DisplayChecked(), S("Yes"));
}

TEST_F(CxGridTableOptionsTest, SettersClampAndColoursFallBackToTheLookAndFeel) {
  auto* view = new TcxGridTableView(form_);
  TcxGridTableOptionsView* options = view->OptionsView();
  struct Case {
    const char* name;
    std::function<void(int)> set;
    std::function<int()> get;
    int given;
    int expected;
  };
  for (const Case& c :
       std::vector<Case>{{"IndicatorWidth", [&](int v) { options->SetIndicatorWidth(v); },
                          [&] { return options->IndicatorWidth(); }, -3, 0},
                         {"NewItemRowSeparatorWidth", [&](int v) { options->SetNewItemRowSeparatorWidth(v); },
                          [&] { return options->NewItemRowSeparatorWidth(); }, 1, 2},
                         {"RowSeparatorWidth", [&](int v) { options->SetRowSeparatorWidth(v); },
                          [&] { return options->RowSeparatorWidth(); }, -1, 0},
                         {"CellTextMaxLineCount", [&](int v) { options->SetCellTextMaxLineCount(v); },
                          [&] { return options->CellTextMaxLineCount(); }, -5, 0}}) {
    c.set(c.given);
    EXPECT_EQ(c.get(), c.expected) << c.name;
  }
  EXPECT_EQ(options->GetGridLineColor(), view->LookAndFeelPainter()->GetDefaultGridLineColor());
  options->SetGridLineColor(clNavy);
  EXPECT_EQ(options->GetGridLineColor(), clNavy);
}

TEST_F(CxGridTableOptionsTest, OptionsFollowTheItemsAndTheGrid) {
  auto* view = new TcxGridTableView(form_);
  grid_->RootLevel()->AddLevel()->SetGridView(view);
  TcxGridColumn* column = view->CreateColumn();
  view->OptionsBehavior()->SetIncSearchItem(column);
  delete column;
  EXPECT_EQ(view->OptionsBehavior()->IncSearchItem(), nullptr) << "the item left the view";

  EXPECT_FALSE(grid_->Keys().Contains(wkTab));
  view->OptionsBehavior()->SetFocusCellOnTab(true);
  EXPECT_TRUE(grid_->Keys().Contains(wkTab)) << "the grid takes the Tab key itself";

  view->OptionsView()->SetNewItemRow(true);
  EXPECT_TRUE(view->DataController()->NewItemRowEnabled());
  auto* copy = new TcxGridTableView(form_);
  copy->OptionsView()->Assign(view->OptionsView());
  EXPECT_TRUE(copy->OptionsView()->NewItemRow());
  EXPECT_NE(copy->ViewData()->NewItemRecord(), nullptr) << "assignment goes through the setter";
}
