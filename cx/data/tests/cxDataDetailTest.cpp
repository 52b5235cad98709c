#include <gtest/gtest.h>

#include "cx/data/tests/ControllerFixture.h"
#include "cx/data/tests/TestHelpers.h"

namespace {

// A detail view clone: the link object of one master record, owning its detail controller.
struct TDetailLink : public TObject {
  explicit TDetailLink(int* AFreed) : Freed(AFreed) {}
  ~TDetailLink() override { ++*Freed; }
  std::unique_ptr<TTestController> Controller;
  int* Freed;
};

class TMasterController : public TTestController {
 public:
  using TTestController::TTestController;
  ~TMasterController() override { BeforeDestruction(); }
  TObject* CreateDetailLinkObject(TcxCustomDataRelation* ARelation, int ARecordIndex) override {
    auto* link = new TDetailLink(&Freed);
    link->Controller = cxCreateDataController<TTestController>(nullptr);
    link->Controller->SetMasterRelation(ARelation, ARecordIndex);
    return link;
  }
  TcxCustomDataController* GetDetailDataControllerByLinkObject(TObject* ALinkObject) override {
    return ALinkObject ? static_cast<TDetailLink*>(ALinkObject)->Controller.get() : nullptr;
  }
  int Freed = 0;
};

TEST(cxDataDetail, ClonesFollowTheirMasterRecords) {
  auto master = cxCreateDataController<TMasterController>(nullptr);
  auto pattern = cxCreateDataController<TTestController>(nullptr);
  master->AddColumn("Name", TcxWideStringValueType::Class());
  Fill(master.get(), {{Wide("a")}, {Wide("b")}, {Wide("c")}});
  TTestItem level(99, u"Courses");
  TcxCustomDataRelation* relation = master->GetRelations()->Add(&level);
  pattern->LinkToRelation(relation, true);
  EXPECT_EQ(relation->DetailDataController, pattern.get());
  EXPECT_EQ(pattern->GetDetailRole(), 1);
  EXPECT_EQ(master->GetDetailRole(), 0);

  EXPECT_EQ(master->GetDetailActiveRelationIndex(1), 0);
  TcxCustomDataController* clone = master->GetDetailDataController(1, 0);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetDetailRole(), 2);
  EXPECT_EQ(clone->GetMasterRecordIndex(), 1);
  EXPECT_EQ(clone->GetPatternDataController(), pattern.get());
  EXPECT_EQ(master->GetDetailDataController(1, 0), clone);  // made once
  EXPECT_TRUE(master->IsDetailLinkObjectExist(1, -1));

  master->InsertRecord(0);
  EXPECT_EQ(clone->GetMasterRecordIndex(), 2);
  EXPECT_EQ(master->GetDetailDataController(2, 0), clone);
  master->DeleteRecord(0);
  EXPECT_EQ(clone->GetMasterRecordIndex(), 1);

  master->ChangeDetailExpanding(99, true);
  master->ChangeDetailExpanding(1, true);
  EXPECT_TRUE(master->GetDetailExpanding(1));
  master->CollapseDetails();
  EXPECT_FALSE(master->GetDetailExpanding(1));
  EXPECT_EQ(master->Freed, 1);  // collapsing clears the link objects

  master->GetDetailDataController(0, 0);
  delete relation;  // the last relation: the detail field and every detail object go
  EXPECT_EQ(master->Freed, 2);
  EXPECT_EQ(master->GetRelations()->DetailField(), nullptr);
  EXPECT_EQ(pattern->GetDetailRole(), 1);  // still flagged as a pattern
}

TEST(cxDataDetail, LookupListsCannotBecomePatternsInARelation) {
  auto master = cxCreateDataController<TTestController>(nullptr);
  auto detail = cxCreateDataController<TTestController>(nullptr);
  TTestItem level(1, u"Level");
  TcxCustomDataRelation* relation = master->GetRelations()->Add(&level);
  detail->AddLookupLink();
  detail->SetMasterRelation(relation, -1);
  try {
    detail->ChangePatternFlag(true);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"!");
  }
  auto plain = cxCreateDataController<TTestController>(nullptr);
  plain->AddLookupLink();
  plain->ChangePatternFlag(true);
  EXPECT_EQ(plain->GetDetailRole(), 0);
  plain->RemoveLookupLink();
  EXPECT_EQ(plain->GetDetailRole(), 1);
  detail->SetMasterRelation(nullptr, -1);
}

}  // namespace
