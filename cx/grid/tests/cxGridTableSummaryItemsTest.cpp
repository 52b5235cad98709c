// The table view's summary items over an SQLite people table (IDs 1 to 5; Oslo 1, 3, 5; Tver 2;
// Omsk 4): the classes the views make, the values their footers and group rows show, the stored
// "Column" and the form file.
#include "cx/foundation/tests/cxFormTextTestUtil.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableSummaryItems.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/classes/Published.h"
#include "platform/display/testing/CheckedScreens.h"

namespace {

class TSummaryGridForm : public TForm {
  TRENVIK_CLASS(TSummaryGridForm, TForm);

 public:
  explicit TSummaryGridForm(TComponent* AOwner) : TForm(AOwner) {}
  TcxGrid* Grid1 = nullptr;
  TcxGridDBTableView* Grid1DBTableView1 = nullptr;
  TcxGridDBColumn* Grid1DBTableView1ID = nullptr;
  TcxGridDBColumn* Grid1DBTableView1CITY = nullptr;
  TDataSource* DataSource1 = nullptr;
};

}  // namespace

TRENVIK_PUBLISHED(TSummaryGridForm) {
  P.Field("Grid1", &TSummaryGridForm::Grid1);
  P.Field("Grid1DBTableView1", &TSummaryGridForm::Grid1DBTableView1);
  P.Field("Grid1DBTableView1ID", &TSummaryGridForm::Grid1DBTableView1ID);
  P.Field("Grid1DBTableView1CITY", &TSummaryGridForm::Grid1DBTableView1CITY);
  P.Field("DataSource1", &TSummaryGridForm::DataSource1);
}

class CxGridTableSummaryItemsTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY", u"NOSUCH"})
      Column(field)->SetName(String(u"Grid1DBTableView1") + field);
    Column(u"NOSUCH")->SetPropertiesClassName(u"TcxTextEditProperties");
    Column(u"CITY")->SetCaption(S("City"));
    view_->OptionsView()->SetScrollBars(ssNone);
    ShowLaidOut(360, 300);
  }

  TcxDataSummary* Summary() { return view_->DataController()->Summary(); }
  TcxGridTableViewInfo* ViewInfo() { return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo()); }
  int VisibleIndex(const char16_t* AFieldName) {
    return ViewInfo()->HeaderViewInfo()->VisibleIndexOf(Column(AFieldName));
  }
  // The laid-out footer cell under a column; nil when the footer shows none there.
  TcxGridColumnHeaderViewInfo* FooterCell(const char16_t* AFieldName) {
    TcxGridColumnHeaderViewInfo* cell = ViewInfo()->FooterViewInfo()->Items(VisibleIndex(AFieldName));
    return cell->GetVisible() ? cell : nullptr;
  }
  TcxDataSummaryItem* AddSummary(TcxDataSummaryItems* AItems, const char16_t* AFieldName, TcxSummaryKind AKind,
                                 TcxSummaryPosition APosition = spGroup) {
    auto* item = static_cast<TcxGridDBTableSummaryItem*>(AItems->Add());
    item->SetColumn(Column(AFieldName));
    item->SetKind(AKind);
    item->SetPosition(APosition);
    return item;
  }
  // The group rows' texts of the view data, in row order.
  std::vector<std::string> GroupRowTexts() {
    std::vector<std::string> texts;
    TcxCustomGridTableViewData* data = view_->ViewData();
    for (int i = 0; i < data->RecordCount(); ++i)
      if (auto* row = dynamic_cast<TcxGridGroupRow*>(data->Records(i))) texts.push_back(StringToUtf8(row->DisplayText()));
    return texts;
  }
};

TEST_F(CxGridTableSummaryItemsTest, EachViewMakesItsOwnSummaryClassesWhoseColumnIsTheItemLink) {
  TcxDataSummaryGroup* group = Summary()->SummaryGroups()->Add();
  for (TcxDataSummaryItems* items : {static_cast<TcxDataSummaryItems*>(Summary()->FooterSummaryItems()),
                                     static_cast<TcxDataSummaryItems*>(Summary()->DefaultGroupSummaryItems()),
                                     static_cast<TcxDataSummaryItems*>(group->SummaryItems())})
    EXPECT_NE(dynamic_cast<TcxGridDBTableSummaryItem*>(items->Add()), nullptr);
  auto* link = dynamic_cast<TcxGridTableSummaryGroupItemLink*>(group->Links()->Add());
  ASSERT_NE(link, nullptr);
  link->SetColumn(Column(u"CITY"));
  EXPECT_EQ(link->GetItemLink(), Column(u"CITY"));
  EXPECT_EQ(Summary()->SummaryGroups()->FindByItemLink(Column(u"CITY")), group);

  // A view without data binding makes the table classes, not the dataset-bound ones.
  auto* plain = new TcxGridTableView(form_);
  TcxGridColumn* column = plain->CreateColumn();
  TcxDataSummaryItem* plainItem = plain->DataController()->Summary()->FooterSummaryItems()->Add();
  EXPECT_EQ(plainItem->ClassType(), TcxGridTableSummaryItem::StaticClass());
  static_cast<TcxGridTableSummaryItem*>(plainItem)->SetColumn(column);
  EXPECT_EQ(plain->DataController()->Summary()->FooterSummaryItems()->IndexOfItemLink(column), 0);

  // The column binds the item to its field; a column that goes takes the link with it.
  auto* footer = static_cast<TcxGridDBTableSummaryItem*>(
      AddSummary(Summary()->FooterSummaryItems(), u"SURNAME", skCount, spFooter));
  EXPECT_EQ(footer->Column(), Column(u"SURNAME"));
  ASSERT_NE(footer->GetDataField(), nullptr);
  delete Column(u"SURNAME");
  EXPECT_EQ(footer->Column(), nullptr);
  EXPECT_EQ(footer->GetDataField(), nullptr);
  view_->OptionsView()->SetFooter(true);
  Pump();
  EXPECT_EQ(Summary()->FooterSummaryItems()->IndexOfItemLink(nullptr), 0) << "the item stays, without a column";
}

// Each kind over the IDs in its default footer format, then in one of its own.
TEST_F(CxGridTableSummaryItemsTest, FooterCellsShowEachKindInItsFormatAndFollowTheFilter) {
  struct Case {
    TcxSummaryKind kind;
    const char16_t* format;
    const char* shown;
    const char* shownInOslo;
  };
  const Case cases[] = {
      {skSum, u"", "15,00", "9,00"},        {skMin, u"", "MIN=1,00", "MIN=1,00"},
      {skMax, u"", "MAX=5,00", "MAX=5,00"}, {skCount, u"", "5", "3"},
      {skAverage, u"", "AVG=3,00", "AVG=3,00"}, {skSum, u"Total 0", "Total 15", "Total 9"},
      {skCount, u"0 people", "5 people", "3 people"},
  };
  view_->OptionsView()->SetFooter(true);
  TcxDataSummaryItem* item = AddSummary(Summary()->FooterSummaryItems(), u"ID", skNone);
  for (const Case& c : cases) {
    item->SetKind(c.kind);
    item->SetFormat(c.format);
    Column(u"CITY")->DataBinding()->SetFiltered(false);
    Pump();
    TcxGridColumnHeaderViewInfo* cell = FooterCell(u"ID");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(StringToUtf8(cell->Text()), c.shown) << StringToUtf8(GetEnumName(TrenvikEnumInfo(c.kind), c.kind));
    EXPECT_EQ(FooterCell(u"CITY"), nullptr) << "a column without a footer summary shows no cell";

    Column(u"CITY")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(S("Oslo")), String(), true);
    view_->DataController()->Filter()->SetActive(true);
    Pump();
    EXPECT_EQ(StringToUtf8(FooterCell(u"ID")->Text()), c.shownInOslo) << StringToUtf8(GetEnumName(TrenvikEnumInfo(c.kind), c.kind));
  }
  EXPECT_TRUE(KeepCheckedScreen());
}

// Grouped by city: the default group summaries, then a summary group of the city column that takes
// their place; items at the footer position show in the group footers instead of the group row.
TEST_F(CxGridTableSummaryItemsTest, GroupRowsAndGroupFootersShowTheirGroupsSummaries) {
  AddSummary(Summary()->DefaultGroupSummaryItems(), u"ID", skCount);
  AddSummary(Summary()->DefaultGroupSummaryItems(), u"ID", skMax);
  Column(u"CITY")->SetGroupIndex(0);
  Column(u"CITY")->SetSortOrder(soAscending);
  Pump();
  EXPECT_EQ(GroupRowTexts(), (std::vector<std::string>{"City : Omsk (COUNT=1, MAX=4,00)",
                                                      "City : Oslo (COUNT=3, MAX=5,00)",
                                                      "City : Tver (COUNT=1, MAX=2,00)"}));
  Summary()->DefaultGroupSummaryItems()->SetSeparator(S(";"));
  Summary()->DefaultGroupSummaryItems()->SetBeginText(S("["));
  Summary()->DefaultGroupSummaryItems()->SetEndText(S("]"));
  EXPECT_EQ(GroupRowTexts()[1], "City : Oslo [COUNT=3; MAX=5,00]");

  TcxDataSummaryGroup* cityGroup = Summary()->SummaryGroups()->Add();
  static_cast<TcxGridTableSummaryGroupItemLink*>(cityGroup->Links()->Add())->SetColumn(Column(u"CITY"));
  TcxDataSummaryItem* sum = AddSummary(cityGroup->SummaryItems(), u"ID", skSum);
  sum->SetFormat(S("ids 0"));
  AddSummary(cityGroup->SummaryItems(), u"SURNAME", skCount, spFooter);
  EXPECT_EQ(GroupRowTexts(), (std::vector<std::string>{"City : Omsk (ids 4)", "City : Oslo (ids 9)",
                                                      "City : Tver (ids 2)"}));

  view_->OptionsView()->SetGroupFooters(gfAlwaysVisible);
  view_->ViewData()->Collapse(true);
  Pump();
  // The collapsed Oslo group row carries its footer with the count of surnames under that column.
  auto* oslo = dynamic_cast<TcxCustomGridRowViewInfo*>(ViewInfo()->RowsViewInfo()->Items(1));
  ASSERT_NE(oslo, nullptr);
  ASSERT_EQ(oslo->FootersViewInfo()->Count(), 1);
  TcxGridRowFooterViewInfo* footer = oslo->FootersViewInfo()->Items(0);
  TcxGridColumnHeaderViewInfo* surnames = footer->Items(VisibleIndex(u"SURNAME"));
  EXPECT_TRUE(surnames->GetVisible());
  EXPECT_EQ(StringToUtf8(surnames->Text()), "3");
  EXPECT_FALSE(footer->Items(VisibleIndex(u"ID"))->GetVisible()) << "the sum shows in the group row, not here";
  EXPECT_TRUE(KeepCheckedScreen());
}

TEST_F(CxGridTableSummaryItemsTest, TheStoredColumnIsTheColumnsNameAndAnUnknownNameLeavesNone) {
  auto* item = static_cast<TcxGridDBTableSummaryItem*>(AddSummary(Summary()->FooterSummaryItems(), u"ID", skSum));
  TcxDataSummaryGroup* group = Summary()->SummaryGroups()->Add();
  auto* link = static_cast<TcxGridTableSummaryGroupItemLink*>(group->Links()->Add());
  link->SetColumn(Column(u"CITY"));

  TStringList itemNames, linkNames;
  EXPECT_FALSE(item->GetStoredPropertyNames(&itemNames));
  EXPECT_TRUE(link->GetStoredPropertyNames(&linkNames));
  EXPECT_EQ(itemNames.CommaText(), S("Column"));
  EXPECT_EQ(linkNames.CommaText(), S("Column"));
  String objectName = S("left over");
  item->GetStoredObjectName(objectName);
  EXPECT_TRUE(objectName.empty());

  Variant value;
  item->GetStoredPropertyValue(u"Column", value);
  EXPECT_EQ(VarToStr(value), S("Grid1DBTableView1ID"));
  item->SetStoredPropertyValue(u"Column", Variant(S("Grid1DBTableView1SURNAME")));
  EXPECT_EQ(item->Column(), Column(u"SURNAME"));
  for (const char16_t* unknown : {u"NoSuchColumn", u"grid1dbtableview1id", u""}) {
    item->SetStoredPropertyValue(u"Column", Variant(String(unknown)));
    EXPECT_EQ(item->Column(), nullptr) << StringToUtf8(unknown) << ": names compare exactly";
  }
  item->GetStoredPropertyValue(u"Column", value);
  EXPECT_EQ(VarToStr(value), String());
  link->SetStoredPropertyValue(u"Column", Variant(S("Grid1DBTableView1ID")));
  EXPECT_EQ(link->Column(), Column(u"ID"));
}

// A walker reads every stored child of a summarised view and writes it into a fresh view: each
// summary object finds its column again by name.
TEST_F(CxGridTableSummaryItemsTest, StoredSummariesWalkIntoAFreshViewWithTheirColumns) {
  view_->OptionsView()->SetFooter(true);
  AddSummary(Summary()->FooterSummaryItems(), u"ID", skAverage);
  AddSummary(Summary()->DefaultGroupSummaryItems(), u"ID", skCount);
  TcxDataSummaryGroup* cityGroup = Summary()->SummaryGroups()->Add();
  static_cast<TcxGridTableSummaryGroupItemLink*>(cityGroup->Links()->Add())->SetColumn(Column(u"CITY"));
  AddSummary(cityGroup->SummaryItems(), u"ID", skSum);

  // On a form of its own: the columns keep their names there.
  auto* copy = new TcxGridDBTableView(MakeForm(0, 0, 100, 100));
  for (TcxCustomGridView* view : {static_cast<TcxCustomGridView*>(view_), static_cast<TcxCustomGridView*>(copy)})
    view->SetStorageOptions({gsoSummary});
  TStringList children;
  view_->GetStoredChildren(&children);
  for (int i = 0; i < children.Count(); ++i) {
    TObject* child = copy->CreateStoredChild(children.Strings(i), children.Objects(i)->ClassName());
    ASSERT_NE(child, nullptr) << StringToUtf8(children.Strings(i));
    // A summary group is a child without properties of its own.
    auto* from = dynamic_cast<IcxStoredPropertiesObject*>(children.Objects(i));
    auto* to = dynamic_cast<IcxStoredPropertiesObject*>(child);
    ASSERT_EQ(from == nullptr, to == nullptr) << StringToUtf8(children.Strings(i));
    if (!from) continue;
    if (auto* column = dynamic_cast<TcxGridDBColumn*>(children.Objects(i))) {
      static_cast<TcxGridDBColumn*>(child)->SetName(column->Name());
      static_cast<TcxGridDBColumn*>(child)->DataBinding()->SetFieldName(column->DataBinding()->FieldName());
    }
    TStringList names;
    from->GetStoredPropertyNames(&names);
    for (int p = 0; p < names.Count(); ++p) {
      Variant value;
      from->GetStoredPropertyValue(names.Strings(p), value);
      to->SetStoredPropertyValue(names.Strings(p), value);
    }
  }
  TcxDataSummary* copied = copy->DataController()->Summary();
  ASSERT_EQ(copied->FooterSummaryItems()->Count(), 1);
  EXPECT_EQ(copied->FooterSummaryItems()->IndexOfItemLink(copy->GetColumnByFieldName(u"ID")), 0);
  ASSERT_EQ(copied->SummaryGroups()->Count(), 1);
  EXPECT_EQ(copied->SummaryGroups()->FindByItemLink(copy->GetColumnByFieldName(u"CITY")),
            copied->SummaryGroups()->GetItem(0));
  EXPECT_EQ(copied->DefaultGroupSummaryItems()->IndexOfItemLink(copy->GetColumnByFieldName(u"ID")), 0);
}

TEST_F(CxGridTableSummaryItemsTest, SummaryItemsWithTheirColumnsReadBackFromAFormFile) {
  auto* source = new TSummaryGridForm(nullptr);
  forms_.push_back(source);
  source->SetName(S("SummaryGridForm"));
  auto* data = new TDataSource(source);
  data->SetName(S("DataSource1"));
  auto* grid = new TcxGrid(source);
  grid->SetName(S("Grid1"));
  grid->SetParent(source);
  auto* view = new TcxGridDBTableView(source);
  view->SetName(S("Grid1DBTableView1"));
  grid->AddChildComponent(view);
  grid->RootLevel()->AddLevel()->SetGridView(view);
  view->DataController()->SetDataSource(data);
  for (const char16_t* field : {u"ID", u"CITY"}) {
    TcxGridDBColumn* column = view->CreateColumn();
    column->SetName(String(u"Grid1DBTableView1") + field);
    column->DataBinding()->SetFieldName(field);
  }
  view->OptionsView()->SetFooter(true);
  TcxDataSummary* summary = view->DataController()->Summary();
  auto* footer = static_cast<TcxGridDBTableSummaryItem*>(summary->FooterSummaryItems()->Add());
  footer->SetColumn(view->Columns(0));
  footer->SetKind(skSum);
  footer->SetFormat(S("Total 0"));
  TcxDataSummaryGroup* cityGroup = summary->SummaryGroups()->Add();
  static_cast<TcxGridTableSummaryGroupItemLink*>(cityGroup->Links()->Add())->SetColumn(view->Columns(1));
  auto* count = static_cast<TcxGridDBTableSummaryItem*>(cityGroup->SummaryItems()->Add());
  count->SetColumn(view->Columns(0));
  count->SetKind(skCount);
  count->SetPosition(spFooter);

  const String text = FormText(source);
  EXPECT_TRUE(Has(text, u"Column = Grid1DBTableView1ID")) << StringToUtf8(text);
  EXPECT_TRUE(Has(text, u"Column = Grid1DBTableView1CITY"));
  auto* target = new TSummaryGridForm(nullptr);
  forms_.push_back(target);
  ReadFormText(text, target);
  ASSERT_NE(target->Grid1DBTableView1, nullptr);
  TcxDataSummary* read = target->Grid1DBTableView1->DataController()->Summary();
  ASSERT_EQ(read->FooterSummaryItems()->Count(), 1);
  auto* readFooter = static_cast<TcxGridDBTableSummaryItem*>(read->FooterSummaryItems()->GetItem(0));
  EXPECT_EQ(readFooter->Column(), target->Grid1DBTableView1ID);
  EXPECT_EQ(readFooter->Kind(), skSum);
  EXPECT_EQ(readFooter->Format(), S("Total 0"));
  ASSERT_EQ(read->SummaryGroups()->Count(), 1);
  TcxDataSummaryGroup* readGroup = read->SummaryGroups()->GetItem(0);
  EXPECT_EQ(read->SummaryGroups()->FindByItemLink(target->Grid1DBTableView1CITY), readGroup);
  ASSERT_EQ(readGroup->SummaryItems()->Count(), 1);
  EXPECT_EQ(readGroup->SummaryItems()->GetItem(0)->Position(), spFooter);
  EXPECT_EQ(FormText(target), text);

  // Over the people, the read view sums the IDs in its own format.
  target->DataSource1->SetDataSet(people_);
  EXPECT_EQ(read->GetFooterSummaryText(0), S("Total 15"));
}
