// The filter control's rows and criteria: conditions made from criteria items and written back,
// between and in-list values, operators per item, invalid rows and unknown items.
#include "cx/grid/cxFilterControlRows.h"

#include <string>

#include "cx/data/cxDataStorage.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/grid/tests/cxGridTestUtil.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/classes/AtomicFile.h"
#include "platform/rtl/Streams.h"

namespace {

// Three items whose links (10, 20, 30) are not their positions.
class TTestFilterLink : public IcxFilterControl {
 public:
  TTestFilterLink() : surname(nullptr), age(nullptr), notes(nullptr) {}
  String GetCaption(int AIndex) override { return captions.at(static_cast<size_t>(AIndex)); }
  int GetCount() override { return static_cast<int>(captions.size()); }
  TcxFilterCriteria* GetCriteria() override { return nullptr; }
  TObject* GetItemLink(int AIndex) override { return cxFilterControlItemLink((AIndex + 1) * 10); }
  String GetFieldName(int AIndex) override { return fieldNames.at(static_cast<size_t>(AIndex)); }
  TcxCustomEditProperties* GetProperties(int AIndex) override {
    TcxCustomEditProperties* properties[] = {&surname, &age, &notes};
    return AIndex < 3 ? properties[AIndex] : nullptr;  // later items have none: the default text editor
  }
  const TcxValueType* GetValueType(int AIndex) override {
    return AIndex == 1 ? TcxIntegerValueType::Class() : TcxStringValueType::Class();
  }

  std::vector<String> captions{u"Surname", u"Age", u"Notes"};
  std::vector<String> fieldNames{u"FSTNAME", u"AGE", u"NOTE"};
  TcxTextEditProperties surname;
  TcxTextEditProperties age;
  TcxMemoProperties notes;
};

TObject* Link(int AID) { return cxFilterControlItemLink(AID); }

TcxConditionViewInfo* Condition(TcxFilterControlRowList& ARows, int ARow) {
  return dynamic_cast<TcxConditionViewInfo*>(ARows.Rows(ARow));
}

}  // namespace

class CxFilterControlRowsTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    rows.SetLink(&link);
  }
  TcxFilterCriteriaItem* CriteriaItem(int AIndex) {
    return dynamic_cast<TcxFilterCriteriaItem*>(rows.Criteria()->Root()->Items(AIndex));
  }

  TTestFilterLink link;
  TcxFilterControlRowList rows;
};

TEST_F(CxFilterControlRowsTest, ANewConditionTakesTheFirstItemAndItsLowestOperator) {
  TcxConditionViewInfo* condition = rows.AddCondition(nullptr);
  ASSERT_NE(condition, nullptr);
  EXPECT_EQ(condition->ItemText(), u"Surname");
  EXPECT_EQ(condition->ItemLink(), Link(10));
  EXPECT_EQ(condition->Operator(), fcopEqual);
  EXPECT_EQ(condition->Values().size(), 1u);
  condition->SetItem(2);
  EXPECT_EQ(condition->Operator(), fcopLike) << "a memo item starts with like";
  condition->SetItem(1);
  EXPECT_FALSE(condition->SupportedOperators().test(fcopLike)) << "a number is not like anything";
  EXPECT_FALSE(condition->SupportedOperators().test(fcopNotLike));
  EXPECT_TRUE(condition->SupportedOperators().test(fcopBetween));
  EXPECT_EQ(rows.RowCount(), 2);
  EXPECT_EQ(rows.Rows(1)->Level(), 1);
}

TEST_F(CxFilterControlRowsTest, ChangingTheOperatorKeepsTheValuesThatFit) {
  TcxConditionViewInfo* condition = rows.AddCondition(nullptr);
  condition->SetItem(1);
  condition->SetOperator(fcopInList);
  condition->Values() = {{1, u"1"}, {2, u"2"}, {3, u"3"}};
  condition->SetOperator(fcopNotInList);
  EXPECT_EQ(condition->Values().size(), 3u);
  condition->SetOperator(fcopEqual);
  ASSERT_EQ(condition->Values().size(), 1u);
  EXPECT_EQ(condition->Values()[0].Value, Variant(1));
  condition->SetOperator(fcopBetween);
  ASSERT_EQ(condition->Values().size(), 2u);
  EXPECT_EQ(condition->Values()[0].Value, Variant(1));
  EXPECT_TRUE(VarIsNull(condition->Values()[1].Value));
  condition->SetOperator(fcopBlanks);
  ASSERT_EQ(condition->Values().size(), 1u) << "every condition keeps one value entry";
  EXPECT_TRUE(VarIsNull(condition->Values()[0].Value));
}

TEST_F(CxFilterControlRowsTest, RowsBecomeCriteriaAndComeBackTheSame) {
  TcxConditionViewInfo* name = rows.AddCondition(nullptr);
  name->Values()[0] = {Variant(S("Orlova")), S("Orlova")};
  TcxConditionViewInfo* blank = rows.AddCondition(nullptr);
  blank->SetItem(1);
  blank->SetOperator(fcopBlanks);
  TcxGroupViewInfo* group = rows.AddGroup(nullptr);
  group->SetBoolOperator(fgkOr);
  auto* between = static_cast<TcxConditionViewInfo*>(group->Rows(0));
  between->SetItem(1);
  between->SetOperator(fcopBetween);
  between->Values() = {{40, u"40"}, {30, u"30"}};
  TcxConditionViewInfo* in = rows.AddCondition(group);
  in->SetItem(1);
  in->SetOperator(fcopInList);
  in->Values() = {{5, u"5"}, {7, u"7"}, {6, u"6"}};
  rows.Root()->SetBoolOperator(fgkNotAnd);

  ASSERT_TRUE(rows.BuildCriteria());
  TcxFilterCriteriaItemList* root = rows.Criteria()->Root();
  EXPECT_EQ(root->BoolOperatorKind(), fgkNotAnd);
  ASSERT_EQ(root->Count(), 3);
  EXPECT_EQ(CriteriaItem(0)->ItemLink(), Link(10));
  EXPECT_EQ(CriteriaItem(0)->OperatorKind(), foEqual);
  EXPECT_EQ(CriteriaItem(0)->DisplayValue(), S("Orlova"));
  EXPECT_EQ(CriteriaItem(1)->ItemLink(), Link(20));
  EXPECT_EQ(CriteriaItem(1)->OperatorKind(), foEqual);
  EXPECT_TRUE(VarIsNull(CriteriaItem(1)->Value()));
  EXPECT_EQ(CriteriaItem(1)->DisplayValue(), u"blank");
  EXPECT_EQ(CriteriaItem(1)->FieldCaption(), u"Age") << "the link is looked up, not used as a position";
  EXPECT_EQ(CriteriaItem(1)->FieldName(), u"AGE");
  auto* list = dynamic_cast<TcxFilterCriteriaItemList*>(root->Items(2));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->BoolOperatorKind(), fgkOr);
  auto* pair = static_cast<TcxFilterCriteriaItem*>(list->Items(0));
  EXPECT_EQ(pair->OperatorKind(), foBetween);
  EXPECT_EQ(VarArrayGet(pair->Value(), {0}), Variant(30)) << "the smaller value first";
  EXPECT_EQ(VarArrayGet(pair->Value(), {1}), Variant(40));
  auto* inList = static_cast<TcxFilterCriteriaItem*>(list->Items(1));
  EXPECT_EQ(inList->OperatorKind(), foInList);
  EXPECT_EQ(VarArrayHighBound(inList->Value(), 1) - VarArrayLowBound(inList->Value(), 1), 2);

  // Through the criteria stream, the item links travel as their integers.
  TMemoryStream stream;
  rows.Criteria()->WriteData(&stream);
  stream.SetPosition(0);
  TcxFilterControlRowList loaded;
  loaded.SetLink(&link);
  loaded.Criteria()->ReadData(&stream);
  loaded.BuildRows();
  ASSERT_EQ(loaded.RowCount(), rows.RowCount());
  EXPECT_EQ(loaded.Root()->BoolOperator(), fgkNotAnd);
  EXPECT_EQ(Condition(loaded, 1)->ItemText(), u"Surname");
  EXPECT_EQ(Condition(loaded, 2)->Operator(), fcopBlanks);
  EXPECT_EQ(Condition(loaded, 2)->ItemText(), u"Age");
  EXPECT_EQ(Condition(loaded, 4)->Operator(), fcopBetween);
  ASSERT_EQ(Condition(loaded, 4)->Values().size(), 2u);
  EXPECT_EQ(Condition(loaded, 4)->Values()[0].Value, Variant(30));
  ASSERT_EQ(Condition(loaded, 5)->Values().size(), 3u);
  EXPECT_EQ(Condition(loaded, 5)->Values()[2].Value, Variant(6));
  EXPECT_EQ(loaded.Rows(3)->Level(), 1);
  EXPECT_EQ(loaded.Rows(4)->Level(), 2);
}

TEST_F(CxFilterControlRowsTest, AnUnknownItemStopsTheRowsBuiltFromCriteria) {
  TcxFilterCriteriaItemList* root = rows.Criteria()->Root();
  root->AddItem(Link(30), foLike, S("%x%"), S("%x%"));
  root->AddItem(Link(3), foEqual, 1, u"1");  // a position, not a link
  root->AddItem(Link(20), foEqual, 2, u"2");
  try {
    rows.BuildRows();
    ADD_FAILURE() << "no error";
  } catch (const EcxFilterControlError& e) {
    EXPECT_EQ(e.Message(), u"Can't build filter from source");
  }
  ASSERT_EQ(rows.RowCount(), 2) << "the rows before the unknown item";
  EXPECT_EQ(Condition(rows, 1)->ItemText(), u"Notes");
  EXPECT_EQ(Condition(rows, 1)->Operator(), fcopLike);

  TcxFilterControlRowList unlinked;
  unlinked.Criteria()->Root()->AddItem(Link(10), foEqual, 1, u"1");
  EXPECT_THROW(unlinked.BuildRows(), EcxFilterControlError);
  EXPECT_EQ(unlinked.AddCondition(nullptr), nullptr) << "nothing to add without items";
}

TEST_F(CxFilterControlRowsTest, OnlyRowsWithoutItemOrOperatorAreInvalid) {
  link.captions[0].clear();
  TcxConditionViewInfo* condition = rows.AddCondition(nullptr);
  EXPECT_TRUE(condition->IsValid()) << "an item without a caption is still an item";
  ASSERT_TRUE(rows.BuildCriteria());
  ASSERT_EQ(rows.Criteria()->Root()->Count(), 1);

  TcxConditionViewInfo* broken = rows.AddCondition(nullptr);
  broken->SetItem(-1);
  EXPECT_FALSE(broken->IsValid());
  EXPECT_FALSE(rows.IsValid());
  EXPECT_FALSE(rows.BuildCriteria());
  EXPECT_EQ(rows.Criteria()->Root()->Count(), 1) << "the criteria stay as they were";
}

TEST_F(CxFilterControlRowsTest, RemovingTheOnlyConditionOfAGroupRemovesTheGroup) {
  rows.AddCondition(nullptr);
  TcxGroupViewInfo* outer = rows.AddGroup(nullptr);
  TcxGroupViewInfo* inner = rows.AddGroup(outer);
  outer->Remove(outer->Rows(0));  // the outer group's own first condition
  rows.RefreshRows();
  ASSERT_EQ(outer->RowCount(), 1);
  rows.RemoveRow(inner->Rows(0));
  EXPECT_EQ(rows.Root()->RowCount(), 1) << "both groups went with the condition";
  EXPECT_EQ(rows.RowCount(), 2);
  rows.RemoveRow(rows.Root());
  EXPECT_EQ(rows.RowCount(), 2) << "the root stays";
}

// ".flt" files: written whole, read aside first.
class CxFilterControlFilesTest : public CxFilterControlRowsTest {
 protected:
  // Surname like "Orl%" or age between 30 and 40.
  void MakeFilter(TcxFilterControlRowList& ARows) {
    TcxConditionViewInfo* name = ARows.AddCondition(nullptr);
    name->SetOperator(fcopLike);
    name->Values()[0] = {Variant(S("Orl%")), S("Orl%")};
    TcxConditionViewInfo* age = ARows.AddCondition(nullptr);
    age->SetItem(1);
    age->SetOperator(fcopBetween);
    age->Values() = {{30, u"30"}, {40, u"40"}};
    ARows.Root()->SetBoolOperator(fgkOr);
  }
  static std::string Bytes(const String& AFileName) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(AFileName, bytes));
    return bytes;
  }
  static void WriteBytes(const String& AFileName, const std::string& ABytes) { WriteFileAtomically(AFileName, ABytes); }
  // The criteria stream of the rows, to see that nothing changed.
  static std::string CriteriaBytes(TcxFilterControlRowList& ARows) {
    TMemoryStream stream;
    ARows.Criteria()->WriteData(&stream);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
  }

  TTempFolder folder;
};

TEST_F(CxFilterControlFilesTest, AFilterSavedAndLoadedGivesTheSameRowsAlsoInAnotherControl) {
  MakeFilter(rows);
  const String file = folder.File("people.flt");
  rows.SaveToFile(file);
  TTestFilterLink sameIds;  // another component whose items carry the same links
  sameIds.captions = {u"Фамилия", u"Возраст", u"Примечание"};
  TcxFilterControlRowList other;
  other.SetLink(&sameIds);
  other.LoadFromFile(file);
  ASSERT_EQ(other.RowCount(), 3);
  EXPECT_EQ(other.Root()->BoolOperator(), fgkOr);
  EXPECT_EQ(Condition(other, 1)->ItemText(), S("Фамилия"));
  EXPECT_EQ(Condition(other, 1)->Operator(), fcopLike);
  EXPECT_EQ(Condition(other, 1)->Values()[0].Value, Variant(S("Orl%")));
  EXPECT_EQ(Condition(other, 2)->Operator(), fcopBetween);
  EXPECT_EQ(Condition(other, 2)->Values()[1].Value, Variant(40));
  EXPECT_EQ(CriteriaBytes(other), Bytes(file));
}

TEST_F(CxFilterControlFilesTest, ABadFileReportsAnErrorAndLosesNothing) {
  MakeFilter(rows);
  const String good = folder.File("good.flt");
  rows.SaveToFile(good);
  const std::string bytes = Bytes(good);

  TTestFilterLink moreItems;
  moreItems.captions.push_back(u"Extra");
  moreItems.fieldNames.push_back(u"EXTRA");
  TcxFilterControlRowList wider;
  wider.SetLink(&moreItems);
  TcxConditionViewInfo* extra = wider.AddCondition(nullptr);
  extra->SetItem(3);  // link 40, which the three-item link lacks
  const String unknown = folder.File("unknown.flt");
  wider.SaveToFile(unknown);

  const String truncated = folder.File("truncated.flt");
  WriteBytes(truncated, bytes.substr(0, bytes.size() / 2));
  const String foreign = folder.File("foreign.flt");
  WriteBytes(foreign, "object Form1: TForm1\n  Left = 0\nend\n");

  TcxFilterControlRowList target;
  target.SetLink(&link);
  target.LoadFromFile(good);
  const std::string before = CriteriaBytes(target);
  for (const String& file : {truncated, foreign, unknown}) {
    SCOPED_TRACE(StringToUtf8(file));
    try {
      target.LoadFromFile(file);
      ADD_FAILURE() << "no error";
    } catch (const EcxFilterControlError& e) {
      EXPECT_EQ(e.Message(), u"Can't build filter from source");
    } catch (const Exception& e) {
      EXPECT_FALSE(e.Message().empty());
    }
    EXPECT_EQ(target.RowCount(), 3) << "the rows stay";
    EXPECT_EQ(CriteriaBytes(target), before) << "the criteria stay";
  }
  EXPECT_THROW(target.LoadFromFile(folder.File("missing.flt")), EFOpenError);
  EXPECT_EQ(target.RowCount(), 3);
}

TEST_F(CxFilterControlFilesTest, AFailedOrRefusedSaveKeepsTheOldFile) {
  MakeFilter(rows);
  const String file = folder.File("kept.flt");
  rows.SaveToFile(file);
  const std::string before = Bytes(file);
  rows.Root()->SetBoolOperator(fgkAnd);

  SetAtomicFileFault([](TAtomicFileStep step) { return step == TAtomicFileStep::afsWrite; });
  EXPECT_THROW(rows.SaveToFile(file), EFCreateError);
  SetAtomicFileFault(nullptr);
  EXPECT_EQ(Bytes(file), before);

  rows.AddCondition(nullptr)->SetItem(-1);
  EXPECT_THROW(rows.SaveToFile(file), EcxFilterControlError) << "a condition without an item";
  EXPECT_EQ(Bytes(file), before);
}
