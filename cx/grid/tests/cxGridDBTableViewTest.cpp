// A DB table view over a real SQLite dataset: columns bound by field name, captions and widths from
// the fields, sorting, grouping and filtering through the columns, and the stored properties.
#include "cx/data/cxDBFilter.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxEditDBRegisteredRepositoryItems.h"
#include "cx/editors/cxCheckBox.h"
#include "cx/grid/cxGridRows.h"
#include "cx/grid/cxGridStoredValues.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"

TEST_F(CxGridDBTableViewTest, ColumnsTakeTheirFieldsCaptionsAndWidths) {
  EXPECT_EQ(view_->DataController()->GetRecordCount(), 5);
  EXPECT_GE(view_->ItemDataChanges(), 1) << "the data controller's data change reached the view";
  EXPECT_EQ(Column(u"SURNAME")->DataBinding()->Field(), people_->FieldByName(u"SURNAME"));
  EXPECT_EQ(Column(u"SURNAME")->Caption(), S("Surname")) << "the field's display name";
  EXPECT_EQ(Column(u"CITY")->Caption(), S("CITY"));
  const int zero = 8;  // the fixed test font
  EXPECT_EQ(Column(u"CITY")->Width(), zero * people_->FieldByName(u"CITY")->DisplayWidth() + 4);
  // A name that no field carries: the name as caption, the default width, no editor defaults.
  TcxGridDBColumn* missing = Column(u"NOSUCH");
  EXPECT_EQ(missing->DataBinding()->Field(), nullptr);
  EXPECT_EQ(missing->Caption(), S("NOSUCH"));
  EXPECT_EQ(missing->Width(), 64);
  EXPECT_EQ(missing->DataBinding()->DefaultValuesProvider()->Field(), nullptr);
  EXPECT_EQ(Column(u"SURNAME")->DataBinding()->DefaultValuesProvider()->Field(), people_->FieldByName(u"SURNAME"));
  // An assigned caption and width win; MinWidth bounds the width.
  Column(u"CITY")->SetCaption(S("Town"));
  Column(u"CITY")->SetWidth(5);
  EXPECT_EQ(Column(u"CITY")->Caption(), S("Town"));
  EXPECT_EQ(Column(u"CITY")->Width(), 20);
}

TEST_F(CxGridDBTableViewTest, SortingGroupingAndFilteringGoThroughTheColumns) {
  Column(u"SURNAME")->SetSortOrder(soAscending);
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Abramov", "Belov", "Kim", "Orlova", "Zotov"}));
  EXPECT_EQ(Column(u"SURNAME")->SortOrder(), soAscending);

  Column(u"CITY")->SetGroupIndex(0);
  EXPECT_EQ(Column(u"CITY")->GroupIndex(), 0);
  EXPECT_EQ(view_->DataController()->Groups()->GetGroupingItemCount(), 1);
  int groupRows = 0;
  for (int row = 0; row < view_->DataController()->GetRowCount(); ++row)
    groupRows += view_->DataController()->GetRowInfo(row).Level == 0;
  EXPECT_EQ(groupRows, 3) << "one group row per city";
  Column(u"CITY")->SetGroupIndex(-1);

  TcxGridItemDataBinding* binding = Column(u"CITY")->DataBinding();
  EXPECT_FALSE(binding->Filtered());
  binding->AddToFilter(nullptr, foEqual, Variant(S("Oslo")), String(), true);
  view_->DataController()->Filter()->SetActive(true);
  EXPECT_TRUE(binding->Filtered());
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Abramov", "Kim", "Orlova"}));
  binding->SetFiltered(true);
  EXPECT_TRUE(binding->Filtered()) << "True changes nothing";
  binding->SetFiltered(false);
  EXPECT_EQ(view_->DataController()->GetRowCount(), 5);
}

TEST_F(CxGridDBTableViewTest, StoredPropertiesRoundTripAndBadValuesLeaveTheColumnAsItWas) {
  TcxGridDBColumn* city = Column(u"CITY");
  TStringList names;
  EXPECT_TRUE(city->GetStoredPropertyNames(&names));
  EXPECT_EQ(names.CommaText(), S("Index,Visible,Caption,SortOrder,GroupIndex,Width,FieldName"));

  city->SetCaption(S("Town"));
  city->SetVisible(false);
  city->SetWidth(90);
  city->SetSortOrder(soDescending);
  // A walker reads every stored value of one view and writes it into a fresh one.
  auto* copy = new TcxGridDBTableView(form_);
  copy->DataController()->SetDataSource(source_);
  TStringList children;
  view_->GetStoredChildren(&children);
  for (int i = 0; i < children.Count(); ++i) {
    auto* from = static_cast<TcxGridDBColumn*>(children.Objects(i));
    auto* to = static_cast<TcxGridDBColumn*>(copy->CreateStoredChild(String(), u"TcxGridDBColumn"));
    TStringList properties;
    from->GetStoredPropertyNames(&properties);
    // The field first: defaults follow it.
    Variant value;
    from->GetStoredPropertyValue(u"FieldName", value);
    to->SetStoredPropertyValue(u"FieldName", value);
    for (int p = 0; p < properties.Count(); ++p) {
      from->GetStoredPropertyValue(properties.Strings(p), value);
      to->SetStoredPropertyValue(properties.Strings(p), value);
    }
  }
  TcxGridDBColumn* copied = copy->GetColumnByFieldName(u"CITY");
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->Caption(), S("Town"));
  EXPECT_FALSE(copied->Visible());
  EXPECT_EQ(copied->Width(), 90);
  EXPECT_EQ(copied->SortOrder(), soDescending);
  EXPECT_EQ(copied->Index(), city->Index());

  // Bad values: an order outside the enumeration is ignored, an index out of range is clamped,
  // a Boolean that is no Boolean raises and changes nothing.
  copied->SetStoredPropertyValue(u"SortOrder", Variant(7));
  EXPECT_EQ(copied->SortOrder(), soDescending);
  copied->SetStoredPropertyValue(u"Index", Variant(1000));
  EXPECT_EQ(copied->Index(), copy->ItemCount() - 1);
  EXPECT_ANY_THROW(copied->SetStoredPropertyValue(u"Visible", Variant(S("yes"))));
  EXPECT_FALSE(copied->Visible());
}

TEST_F(CxGridDBTableViewTest, TheViewClassesAreRegisteredByName) {
  ASSERT_NE(cxGridRegisteredViews(), nullptr);
  const int table = cxGridRegisteredViews()->GetIndexByClass(TcxGridTableView::StaticClass());
  const int dbTable = cxGridRegisteredViews()->GetIndexByClass(TcxGridDBTableView::StaticClass());
  ASSERT_GE(table, 0);
  ASSERT_GE(dbTable, 0);
  EXPECT_EQ(cxGridRegisteredViews()->Descriptions(table), S("Table"));
  EXPECT_EQ(cxGridRegisteredViews()->Descriptions(dbTable), S("DB Table"));
}

TEST_F(CxGridDBTableViewTest, TheStoredFilterRoundTripsAndABadValueKeepsTheFilter) {
  view_->SetStorageOptions({gsoFilter});
  TStringList names;
  view_->GetStoredPropertyNames(&names);
  EXPECT_EQ(names.CommaText(), S("GroupByBox,NewItemRow,FilterActive,FilterAutoDataSetFilter,FilterDateTimeFormat,FilterMaxValueListCount,"
                                 "FilterOptions,FilterPercentWildcard,FilterUnderscoreWildcard,Filter"));
  Variant empty;
  view_->GetStoredPropertyValue(u"Filter", empty);

  Column(u"CITY")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(S("Oslo")), String(), true);
  view_->SetStoredPropertyValue(u"FilterActive", Variant(S("True")));
  Variant stored;
  view_->GetStoredPropertyValue(u"Filter", stored);
  EXPECT_EQ(VarToStr(stored).substr(0, 4), S("Hex:"));
  EXPECT_EQ(view_->DataController()->GetRowCount(), 3);

  // Bad values raise and leave the filter as it was.
  EXPECT_THROW(view_->SetStoredPropertyValue(u"Filter", Variant(S("Hex:4Z"))), EcxHexStringConvertError);
  EXPECT_ANY_THROW(view_->SetStoredPropertyValue(u"Filter", Variant(S("Hex:0102030405"))));
  EXPECT_THROW(view_->SetStoredPropertyValue(u"FilterActive", Variant(S("yes"))), EPropertyConvertError);
  EXPECT_TRUE(Column(u"CITY")->DataBinding()->Filtered());
  EXPECT_EQ(view_->DataController()->GetRowCount(), 3);

  // The empty filter's value empties it; the stored one brings the condition back.
  view_->SetStoredPropertyValue(u"Filter", empty);
  EXPECT_FALSE(Column(u"CITY")->DataBinding()->Filtered());
  EXPECT_EQ(view_->DataController()->GetRowCount(), 5);
  view_->SetStoredPropertyValue(u"Filter", stored);
  EXPECT_TRUE(Column(u"CITY")->DataBinding()->Filtered());
  EXPECT_EQ(view_->DataController()->GetRowCount(), 3);
}

TEST_F(CxGridDBTableViewTest, FilterSettingsAndSummaryObjectsWalkIntoAFreshView) {
  auto* filter = static_cast<TcxDBDataFilterCriteria*>(view_->DataController()->Filter());
  filter->SetOptions({fcoCaseInsensitive, fcoSoftNull});
  filter->SetPercentWildcard(u'*');
  filter->SetDateTimeFormat(S("dd.mm.yyyy"));
  filter->SetMaxValueListCount(50);
  filter->SetAutoDataSetFilter(true);
  Column(u"CITY")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(S("Oslo")), String(), true);
  filter->SetActive(true);
  TcxDataSummary* summary = view_->DataController()->Summary();
  summary->SetOptions({soSelectedRecords});
  summary->FooterSummaryItems()->Add();
  summary->FooterSummaryItems()->Add();
  summary->SummaryGroups()->Add()->SummaryItems()->Add();
  summary->SummaryGroups()->GetItem(0)->Links()->Add();
  view_->OptionsView()->SetGroupByBox(false);
  view_->OptionsView()->SetNewItemRow(true);

  auto* copy = new TcxGridDBTableView(form_);
  copy->DataController()->SetDataSource(source_);
  for (TcxCustomGridView* view : {static_cast<TcxCustomGridView*>(view_), static_cast<TcxCustomGridView*>(copy)})
    view->SetStorageOptions({gsoFilter, gsoSummary});
  // Children first (the filter refers to the items by ID), then the view's own values.
  TStringList children;
  view_->GetStoredChildren(&children);
  EXPECT_EQ(children.CommaText(), S(",,,,FooterSummaryItem0,FooterSummaryItem1,SummaryGroup0,SummaryGroup0_Item0,"
                                    "SummaryGroup0_Link0"));
  for (int i = 0; i < children.Count(); ++i) {
    const String className = children.Objects(i)->ClassName();
    TObject* child = copy->CreateStoredChild(children.Strings(i), className);
    ASSERT_NE(child, nullptr) << StringToUtf8(children.Strings(i));
    if (auto* from = dynamic_cast<TcxGridDBColumn*>(children.Objects(i))) {
      Variant field;
      from->GetStoredPropertyValue(u"FieldName", field);
      static_cast<TcxGridDBColumn*>(child)->SetStoredPropertyValue(u"FieldName", field);
    }
  }
  TStringList names;
  view_->GetStoredPropertyNames(&names);
  EXPECT_EQ(names.Strings(names.Count() - 1), S("SummaryOptions"));
  for (int p = 0; p < names.Count(); ++p) {
    Variant value;
    view_->GetStoredPropertyValue(names.Strings(p), value);
    copy->SetStoredPropertyValue(names.Strings(p), value);
  }

  EXPECT_FALSE(copy->OptionsView()->GroupByBox());
  EXPECT_TRUE(copy->OptionsView()->NewItemRow());
  auto* copied = static_cast<TcxDBDataFilterCriteria*>(copy->DataController()->Filter());
  EXPECT_EQ(copied->Options(), (TcxFilterCriteriaOptions{fcoCaseInsensitive, fcoSoftNull}));
  EXPECT_EQ(copied->PercentWildcard(), u'*');
  EXPECT_EQ(copied->UnderscoreWildcard(), u'_');
  EXPECT_EQ(copied->DateTimeFormat(), S("dd.mm.yyyy"));
  EXPECT_EQ(copied->MaxValueListCount(), 50);
  EXPECT_TRUE(copied->AutoDataSetFilter());
  EXPECT_TRUE(copied->Active());
  EXPECT_TRUE(copy->GetColumnByFieldName(u"CITY")->DataBinding()->Filtered());
  TcxDataSummary* copiedSummary = copy->DataController()->Summary();
  EXPECT_EQ(copiedSummary->Options(), TcxSummaryOptions{soSelectedRecords});
  EXPECT_EQ(copiedSummary->FooterSummaryItems()->Count(), 2);
  ASSERT_EQ(copiedSummary->SummaryGroups()->Count(), 1);
  EXPECT_EQ(copiedSummary->SummaryGroups()->GetItem(0)->SummaryItems()->Count(), 1);
  EXPECT_EQ(copiedSummary->SummaryGroups()->GetItem(0)->Links()->Count(), 1);
}

TEST_F(CxGridDBTableViewTest, StoredViewValuesKeepTheirBorderlineRulesAndBadValuesChangeNothing) {
  view_->SetStorageOptions({gsoFilter, gsoSummary});
  auto* filter = static_cast<TcxDBDataFilterCriteria*>(view_->DataController()->Filter());
  Variant value;
  view_->GetStoredPropertyValue(u"FilterPercentWildcard", value);
  EXPECT_EQ(VarToStr(value), S("%"));
  view_->SetStoredPropertyValue(u"FilterPercentWildcard", Variant(String()));
  EXPECT_EQ(filter->PercentWildcard(), Char(0)) << "an empty wildcard is stored as the character of code 0";
  view_->SetStoredPropertyValue(u"FilterOptions", Variant(S("[fcoSoftNull, fcoSoftCompare]")));
  EXPECT_EQ(filter->Options(), TcxFilterCriteriaOptions{fcoSoftNull}) << "pieces are not trimmed";

  struct BadValue {
    const char16_t* name;
    const char16_t* text;
  };
  for (const BadValue& bad : {BadValue{u"FilterActive", u"yes"}, BadValue{u"FilterAutoDataSetFilter", u"1"},
                              BadValue{u"FilterOptions", u"fcoSoftNull"}, BadValue{u"SummaryOptions", u""}})
    EXPECT_THROW(view_->SetStoredPropertyValue(bad.name, Variant(String(bad.text))), EPropertyConvertError)
        << StringToUtf8(bad.name);
  EXPECT_FALSE(filter->Active());
  EXPECT_FALSE(filter->AutoDataSetFilter());
  EXPECT_EQ(filter->Options(), TcxFilterCriteriaOptions{fcoSoftNull});

  // Summary children: a group item or link of a missing group, or a name of no kind, gives nothing.
  view_->DataController()->Summary()->SummaryGroups()->Add();
  view_->DataController()->Summary()->SummaryGroups()->Add();
  for (const char16_t* name : {u"SummaryGroup2_Item0", u"SummaryGroup2_Link0", u"SummaryGroupX", u"Something"})
    EXPECT_EQ(view_->CreateStoredChild(name, u"TcxDataSummaryItem"), nullptr) << StringToUtf8(name);
  EXPECT_NE(view_->CreateStoredChild(u"SummaryGroup1_Item0", u"TcxDataSummaryItem"), nullptr);
  view_->SetStorageOptions({gsoFilter});
  EXPECT_EQ(view_->CreateStoredChild(u"FooterSummaryItem0", u"TcxDataSummaryItem"), nullptr)
      << "summary objects take part only with the summary flag";
}

TEST_F(CxGridDBTableViewTest, FilterValuesAndFilterTextsPassThroughTheColumnsEvents) {
  TcxGridDBColumn* city = Column(u"CITY");
  city->OnGetFilterValues = [](TcxCustomGridTableItem*, TcxDataFilterValueList* AList) {
    AList->Add(fviUser, Variant(S("Moon")), S("Moon"), false);
  };
  city->OnGetFilterDisplayText = [](TcxCustomGridTableItem*, const Variant& AValue, String& AText) {
    if (VarToStr(AValue) == u"Oslo") AText = S("Oslo (capital)");
  };
  std::unique_ptr<TcxDataFilterValueList> values(view_->DataController()->Filter()->CreateDataValueList());
  TStringList lines;
  lines.Add(u"left over");
  city->DataBinding()->GetFilterValues(&lines, values.get());
  ASSERT_EQ(lines.Count(), values->Count()) << "one line per entry, the old lines gone";
  std::vector<std::string> valueLines;
  for (int i = values->GetValuesStartIndex(); i < values->Count(); ++i)
    if (values->Items(i).Kind == fviValue) valueLines.push_back(StringToUtf8(lines.Strings(i)));
  std::sort(valueLines.begin(), valueLines.end());
  EXPECT_EQ(valueLines, (std::vector<std::string>{"Omsk", "Oslo (capital)", "Tver"}));
  EXPECT_NE(lines.IndexOf(u"Moon"), -1) << "the list the event edited";

  TcxFilterCriteriaItem* oslo = city->DataBinding()->AddToFilter(nullptr, foEqual, Variant(S("Oslo")), String(), true);
  EXPECT_EQ(oslo->DisplayValue(), S("Oslo (capital)"));
  city->DataBinding()->AddToFilter(nullptr, foEqual, Variant(S("Tver")), String(), true);
  EXPECT_EQ(view_->DataController()->Filter()->Root()->Count(), 1) << "the condition replaced the old one";
}

TEST_F(CxGridDBTableViewTest, EditorPropertiesShowTheValuesAndARepositoryItemWinsWhileItLives) {
  TcxGridDBColumn* city = Column(u"CITY");
  TcxEditRepositoryItem* byField = GetEditDBRegisteredItems()->ItemForField(city->DataBinding()->Field());
  ASSERT_NE(byField, nullptr);
  EXPECT_EQ(city->GetProperties(), byField->Properties()) << "the field type's default editor";
  const int listeners = byField->ListenerCount();
  city->SetPropertiesClassName(u"TcxCheckBoxProperties");
  EXPECT_EQ(byField->ListenerCount(), listeners - 1) << "own properties let the default go";
  auto* check = dynamic_cast<TcxCheckBoxProperties*>(city->Properties());
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(city->GetProperties(), check);
  check->SetValueChecked(Variant(S("Oslo")));
  check->SetValueUnchecked(Variant(S("Tver")));
  check->SetDisplayChecked(S("Capital"));
  check->SetDisplayUnchecked(S("Province"));
  EXPECT_EQ(RowTexts(u"CITY")[0], "Capital") << "the properties read the stored value and show it";
  EXPECT_EQ(RowTexts(u"CITY")[1], "Province");

  auto* repository = new TcxEditRepository(form_);
  auto* shared = new TcxEditRepositoryItem(form_);
  shared->SetRepository(repository);
  city->SetRepositoryItem(shared);
  EXPECT_EQ(city->GetProperties(), shared->Properties()) << "a repository item wins over the own properties";
  delete shared;
  EXPECT_EQ(city->RepositoryItem(), nullptr) << "a removed repository item is let go";
  EXPECT_EQ(city->GetProperties(), check);

  // An item freed before its repository item leaves no listener behind.
  auto* kept = new TcxEditRepositoryItem(form_);
  TcxGridDBColumn* extra = view_->CreateColumn();
  extra->SetRepositoryItem(kept);
  EXPECT_EQ(kept->ListenerCount(), 1);
  delete extra;
  EXPECT_EQ(kept->ListenerCount(), 0);
  delete kept;

  city->SetPropertiesClassName(u"TcxNoSuchProperties");
  EXPECT_EQ(city->Properties(), nullptr) << "an unknown class name gives no properties";
  EXPECT_EQ(RowTexts(u"CITY")[0], "Oslo");
}

TEST_F(CxGridDBTableViewTest, RecordsAreOneObjectPerVisibleRowAndGroupRowsExpand) {
  TcxCustomGridTableViewData* data = view_->ViewData();
  ASSERT_EQ(data->RecordCount(), 5);
  // The focused record's repaint made that record; the others are made on first request.
  const int made = data->CreatedRecordCount();
  EXPECT_LE(made, 1);
  TcxCustomGridRecord* fourth = data->Records(3);
  EXPECT_EQ(data->Records(3), fourth);
  EXPECT_TRUE(fourth->IsData());
  EXPECT_EQ(fourth->DisplayTexts(Column(u"SURNAME")->Index()), S("Zotov"));
  EXPECT_EQ(data->CreatedRecordCount(), made + 1);

  TcxDataSummaryItem* count = view_->DataController()->Summary()->DefaultGroupSummaryItems()->Add();
  count->SetItemLink(Column(u"ID"));
  count->SetKind(skCount);
  Column(u"CITY")->SetCaption(S("City"));
  Column(u"CITY")->SetGroupIndex(0);
  Column(u"CITY")->SetSortOrder(soAscending);
  data->Collapse(true);
  ASSERT_EQ(data->RecordCount(), 3) << "the rebuilt rows replaced the records";
  auto* oslo = dynamic_cast<TcxGridGroupRow*>(data->Records(1));
  ASSERT_NE(oslo, nullptr);
  EXPECT_FALSE(oslo->IsData());
  EXPECT_TRUE(oslo->Expandable());
  EXPECT_FALSE(oslo->Expanded());
  EXPECT_EQ(oslo->DisplayText(), S("City : Oslo (COUNT=3)"));

  oslo->SetExpanded(true);
  EXPECT_EQ(data->RecordCount(), 6);
  data->Collapse(true);
  data->Expand(true);
  EXPECT_EQ(data->RecordCount(), 8) << "three groups and five data rows";
  EXPECT_TRUE(data->Records(0)->Expanded());
}

// Closing the dataset takes the focused record with it: the focus change names a record that is gone.
TEST_F(CxGridDBTableViewTest, ClosingTheDataSetUnderAFocusedRecordLeavesNoRecordToRepaint) {
  std::vector<std::pair<TcxCustomGridRecord*, TcxCustomGridRecord*>> moves;
  view_->OnFocusedRecordChanged = [&](TcxCustomGridTableView*, TcxCustomGridRecord* APrev,
                                      TcxCustomGridRecord* AFocused, bool) { moves.emplace_back(APrev, AFocused); };
  view_->DataController()->ChangeFocusedRowIndex(2);
  moves.clear();
  EXPECT_NO_THROW(people_->Close());
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back().first, nullptr) << "the record focused before is gone";
  EXPECT_EQ(moves.back().second, nullptr);
  EXPECT_EQ(view_->ViewData()->RecordCount(), 0);
  people_->Open();
  EXPECT_EQ(view_->ViewData()->RecordCount(), 5) << "the view follows the reopened dataset";
}

TEST_F(CxGridDBTableViewTest, AMasterDetailLevelPairMakesOneDetailClonePerExpandedMaster) {
  TcxGridDBTableView* pattern = AddEducationDetail();
  pattern->Columns(2)->SetCaption(S("Programme"));
  pattern->Columns(0)->SetVisible(false);
  pattern->OptionsBehavior()->SetIncSearch(true);
  pattern->OptionsView()->SetFooter(true);
  pattern->Filtering()->SetVisible(fvAlways);
  int leftPosChanges = 0;
  pattern->OnLeftPosChanged = [&](TObject*) { ++leftPosChanges; };
  EXPECT_TRUE(pattern->IsPattern());
  EXPECT_FALSE(pattern->IsVisibleInGrid());

  TcxGridDBDataController* master = view_->DataController();
  // An expanded master row asks for its detail, as its row layout does.
  master->ChangeDetailExpanding(0, true);
  EXPECT_TRUE(master->GetDetailExpanding(0));
  master->GetDetailLinkObject(0, 0);
  ASSERT_EQ(pattern->CloneCount(), 1);
  TcxCustomGridView* first = pattern->Clones(0);
  EXPECT_EQ(first->MasterGridView(), view_);
  EXPECT_EQ(first->MasterRecordIndex(), 0);
  EXPECT_EQ(first->DataController()->GetRecordCount(), 2) << "Orlova's two courses";
  // The clone carries the pattern's columns, with their IDs, and its options.
  auto* clone = dynamic_cast<TcxGridDBTableView*>(first);
  ASSERT_NE(clone, nullptr);
  ASSERT_EQ(clone->ColumnCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(clone->Columns(i)->ID(), pattern->Columns(i)->ID());
    EXPECT_EQ(clone->Columns(i)->DataBinding()->FieldName(), pattern->Columns(i)->DataBinding()->FieldName());
  }
  EXPECT_EQ(clone->Columns(2)->Caption(), S("Programme"));
  EXPECT_FALSE(clone->Columns(0)->Visible());
  EXPECT_EQ(clone->NextID(), pattern->NextID());
  EXPECT_TRUE(clone->OptionsBehavior()->IncSearch());
  EXPECT_TRUE(clone->OptionsView()->Footer());
  EXPECT_EQ(clone->Filtering()->Visible(), fvAlways);
  ASSERT_TRUE(clone->OnLeftPosChanged);
  clone->OnLeftPosChanged(clone);
  EXPECT_EQ(leftPosChanges, 1) << "the pattern's handler";
  master->ChangeDetailExpanding(1, true);
  master->GetDetailLinkObject(1, 0);
  ASSERT_EQ(pattern->CloneCount(), 2);
  EXPECT_EQ(pattern->Clones(1)->DataController()->GetRecordCount(), 1);
  EXPECT_EQ(master->GetDetailLinkObject(0, 0), first) << "an expanded master keeps its clone";
}

TEST_F(CxGridDBTableViewTest, AnUnboundColumnsDefaultEditorFollowsItsValueType) {
  auto* view = new TcxGridTableView(form_);
  TcxGridColumn* column = view->CreateColumn();
  TcxCustomEditProperties* text = column->GetProperties();
  ASSERT_NE(text, nullptr) << "the value-type registry's default item";
  view->DataController()->ChangeValueTypeClass(column->Index(), TcxDateTimeValueType::Class());
  EXPECT_NE(dynamic_cast<TcxDateEditProperties*>(column->GetProperties()), nullptr);
  view->DataController()->ChangeValueTypeClass(column->Index(), TcxBooleanValueType::Class());
  EXPECT_NE(dynamic_cast<TcxCheckBoxProperties*>(column->GetProperties()), nullptr);
  column->SetPropertiesClassName(u"TcxTextEditProperties");
  view->DataController()->ChangeValueTypeClass(column->Index(), TcxDateTimeValueType::Class());
  EXPECT_EQ(column->GetProperties(), column->Properties()) << "own properties win over the default";
}
