// Dataset master/detail: each detail clone reads its master record's rows from the shared detail
// dataset, by locating the detail key or by re-querying with parameters.
#include <gtest/gtest.h>

#include "cx/data/tests/DBControllerFixture.h"
#include "platform/data/Field.h"
#include "platform/data/Params.h"

namespace {

struct TCourses {
  explicit TCourses(TComponent* AOwner, bool AParams) {
    data = new TMemoryDataSet(AOwner);
    data->AddFieldDef(u"PERSONID", ftInteger);
    data->AddFieldDef(u"TITLE", ftWideString, 50);
    data->AddFieldDef(u"COURSEID", ftInteger);
    // Ordered by the detail key, as reading without SQL mode needs.
    data->AddRow({1, S("Law"), 10});
    data->AddRow({1, S("Tax"), 11});
    data->AddRow({2, S("Safety"), 20});
    data->AddRow({4, S("Audit"), 40});
    data->AddRow({4, S("Ethics"), 41});
    data->AddRow({4, S("Excel"), 42});
    if (AParams) data->Params()->CreateParam(ftInteger, u"PERSONID", ptInput)->SetValue(Variant(1));
    source = new TDataSource(AOwner);
    source->SetDataSet(data);
  }
  TMemoryDataSet* data;
  TDataSource* source;
};

// Detail controllers read the courses; the master makes one clone per expanded person.
void SetUpDetail(TTestDBController* AController, TDataSource* ASource, bool ASQLMode, const char* AMasterKey) {
  AController->AddColumn("PERSONID");
  AController->AddColumn("TITLE");
  AController->DataModeController()->DetailInSQLMode = ASQLMode;
  AController->SetDetailKeyFieldNames(u"PERSONID");
  AController->SetMasterKeyFieldNames(Utf8ToString(AMasterKey));
  AController->SetDataSource(ASource);
}

struct TCloneLink : public TObject {
  std::unique_ptr<TTestDBController> Controller;
};

class TMasterDBController : public TTestDBController {
 public:
  using TTestDBController::TTestDBController;
  ~TMasterDBController() override { BeforeDestruction(); }
  TObject* CreateDetailLinkObject(TcxCustomDataRelation* ARelation, int ARecordIndex) override {
    auto* link = new TCloneLink;
    link->Controller = cxCreateDataController<TTestDBController>(nullptr);
    auto* pattern = static_cast<TTestDBController*>(ARelation->DetailDataController);
    SetUpDetail(link->Controller.get(), pattern->DataSource(), pattern->DataModeController()->DetailInSQLMode,
                "ID");
    link->Controller->SetMasterKeyFieldNames(pattern->MasterKeyFieldNames());
    link->Controller->SetKeyFieldNames(pattern->KeyFieldNames());
    link->Controller->SetMasterRelation(ARelation, ARecordIndex);
    return link;
  }
  TcxCustomDataController* GetDetailDataControllerByLinkObject(TObject* ALinkObject) override {
    return ALinkObject ? static_cast<TCloneLink*>(ALinkObject)->Controller.get() : nullptr;
  }
};

struct TMasterDetail {
  TMasterDetail(bool ASQLMode, const char* AMasterKey = "ID", const char* ADetailKey = "")
      : courses(&owner, ASQLMode) {
    people = new TMemoryDataSet(&owner);
    people->AddFieldDef(u"ID", ftInteger);
    people->AddFieldDef(u"NAME", ftWideString, 50);
    for (int id = 1; id <= 4; ++id) people->AddRow({id, S("P") + IntToStr(id)});
    auto* source = new TDataSource(&owner);
    source->SetDataSet(people);
    master = cxCreateDataController<TMasterDBController>(nullptr);
    master->AddColumn("ID");
    master->AddColumn("NAME");
    master->SetKeyFieldNames(u"ID");
    master->SetDataSource(source);
    pattern = cxCreateDataController<TTestDBController>(nullptr);
    relation = master->GetRelations()->Add(&level);
    pattern->LinkToRelation(relation, true);
    SetUpDetail(pattern.get(), courses.source, ASQLMode, AMasterKey);
    pattern->SetKeyFieldNames(Utf8ToString(ADetailKey));
    people->Open();
    courses.data->AfterOpen = [this](TDataSet*) { ++opens; };
    courses.data->Open();
  }
  ~TMasterDetail() {
    master.reset();
    pattern.reset();
  }
  std::vector<String> Titles(int AMasterRecord) {
    TcxCustomDataController* detail = master->GetDetailDataController(AMasterRecord, 0);
    std::vector<String> titles;
    for (int row = 0; row < detail->GetRowCount(); ++row)
      titles.push_back(detail->DisplayTexts(detail->GetRowRecordIndex(row), 1));
    return titles;
  }

  TComponent owner{nullptr};
  TCourses courses;
  TMemoryDataSet* people;
  TTestItem level{99, u"Courses"};
  std::unique_ptr<TMasterDBController> master;
  std::unique_ptr<TTestDBController> pattern;
  TcxCustomDataRelation* relation;
  int opens = 0;
};

}  // namespace

TEST(cxDBDataDetail, EachCloneReadsTheRowsOfItsMasterRecordUntilTheKeyChanges) {
  TMasterDetail md(false);
  EXPECT_EQ(md.pattern->GetRecordCount(), 0);  // the pattern holds no rows
  EXPECT_EQ(md.Titles(0), (std::vector<String>{u"Law", u"Tax"}));
  EXPECT_EQ(md.Titles(3), (std::vector<String>{u"Audit", u"Ethics", u"Excel"}));
  EXPECT_EQ(md.Titles(1), (std::vector<String>{u"Safety"}));
  EXPECT_EQ(md.Titles(2), (std::vector<String>{}));
  // The clone that read last holds the shared dataset.
  auto owns = [&](int ARecord) {
    return static_cast<TcxDBDataController*>(md.master->GetDetailDataController(ARecord, 0))
        ->DBProvider()
        ->OwnsDetailDataSet;
  };
  EXPECT_TRUE(owns(2));
  EXPECT_FALSE(owns(1));
}

TEST(cxDBDataDetail, InSQLModeEveryMasterRecordRequeriesTheDetailByParameters) {
  TMasterDetail md(true);
  int opens = md.opens;
  EXPECT_EQ(md.Titles(0), (std::vector<String>{u"Law", u"Tax"}));
  EXPECT_EQ(md.opens, opens);  // the parameters already held the first master's key
  EXPECT_EQ(md.Titles(3), (std::vector<String>{u"Audit", u"Ethics", u"Excel"}));
  EXPECT_EQ(md.opens, opens + 1);
  EXPECT_EQ(md.courses.data->Params()->ParamByName(u"PERSONID")->AsInteger(), 4);
  md.master->GetDetailDataController(0, 0)->DataChanged(dcTotal);
  EXPECT_EQ(md.opens, opens + 2);
  EXPECT_EQ(md.Titles(0), (std::vector<String>{u"Law", u"Tax"}));
}

TEST(cxDBDataDetail, WithoutMasterKeyFieldNamesTheDetailReadsNothing) {
  TMasterDetail md(false, "");
  EXPECT_EQ(md.Titles(0), (std::vector<String>{}));
  EXPECT_EQ(md.Titles(3), (std::vector<String>{}));
}

TEST(cxDBDataDetail, ADatasetClassWithoutAnAdapterIsReported) {
  TMasterDetail md(false);
  cxFreeDetailFilterAdapters();
  EXPECT_THROW(md.pattern->GetDetailFilterAdapter(), EcxInvalidDataControllerOperation);
  cxCreateDetailFilterAdapters();
  EXPECT_NE(md.pattern->GetDetailFilterAdapter(), nullptr);
}

TEST(cxDBDataDetail, AFocusChangeFirstPostsTheMasterAndIsRefusedWhenThatFreedTheDetail) {
  TMasterDetail md(false);
  // With smart refresh the posted master record is read again in place and keeps its details.
  md.master->DataModeController()->SetSmartRefresh(true);
  auto* clone = static_cast<TcxDBDataController*>(md.master->GetDetailDataController(0, 0));
  md.people->Edit();
  md.people->FieldByName(u"NAME")->SetAsString(u"P1a");
  EXPECT_TRUE(clone->CanChangeFocus());
  EXPECT_EQ(md.people->State(), dsBrowse);
  EXPECT_EQ(md.master->GetDetailDataController(0, 0), clone);
  EXPECT_EQ(md.Titles(0), (std::vector<String>{u"Law", u"Tax"}));

  clone = static_cast<TcxDBDataController*>(md.master->GetDetailDataController(0, 0));
  md.people->Edit();
  md.people->FieldByName(u"NAME")->SetAsString(u"P1b");
  md.people->BeforePost = [&](TDataSet*) { md.master->ClearDetails(); };
  EXPECT_FALSE(clone->CanChangeFocus());
  EXPECT_EQ(md.people->State(), dsBrowse);
}

TEST(cxDBDataDetail, MovingTheDetailDataSetPositionsTheMasterAndExpandsItsDetail) {
  TMasterDetail md(false, "ID", "COURSEID");
  ASSERT_EQ(md.master->Values(md.master->GetFocusedRecordIndex(), 0).AsInteger(), 1);
  ASSERT_TRUE(md.courses.data->Locate(u"COURSEID", Variant(41), TLocateOptions{}));
  EXPECT_EQ(md.people->FieldByName(u"ID")->AsInteger(), 4);
  EXPECT_EQ(md.master->GetFocusedRecordIndex(), 3);
  EXPECT_TRUE(md.master->GetDetailExpanding(3));
  EXPECT_EQ(md.master->GetDetailActiveRelationIndex(3), 0);
  TcxCustomDataController* clone = md.master->GetDetailDataController(3, 0);
  ASSERT_EQ(clone->GetRecordCount(), 3);
  EXPECT_EQ(clone->DisplayTexts(clone->GetFocusedRecordIndex(), 1), u"Ethics");
}
