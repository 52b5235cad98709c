// Parameters and master/detail datasets linked through them.
#include <gtest/gtest.h>

#include "platform/data/testing/DataTesting.h"

namespace {
struct MasterDetailFixture {
  TComponent owner{nullptr};
  TMemoryDataSet* master = MakePeopleDataSet(&owner);
  TDataSource* masterSrc = new TDataSource(&owner);
  TMemoryDataSet* detail = new TMemoryDataSet(&owner);
  TDataSource* detailSrc = new TDataSource(&owner);
  MasterDetailFixture() {
    masterSrc->SetDataSet(master);
    detailSrc->SetDataSet(detail);
    detail->AddFieldDef(u"EDUID", ftAutoInc);
    detail->AddFieldDef(u"ID", ftInteger);
    detail->AddFieldDef(u"COURSE", ftWideString, 50);
    detail->AddRow({1, 1, S("Право")});
    detail->AddRow({2, 1, S("Экономика")});
    detail->AddRow({3, 2, S("Кадры")});
    detail->AddRow({4, 4, S("Финансы")});
    detail->Params()->CreateParam(ftInteger, u"ID", ptInput);
    detail->SetDataSource(masterSrc);
  }
  std::string Courses() {
    std::string s;
    for (detail->First(); !detail->Eof(); detail->Next())
      s += (s.empty() ? "" : ",") + StringToUtf8(detail->FieldByName(u"COURSE")->AsString());
    return s;
  }
};
}  // namespace

TEST(MasterDetail, DetailFollowsTheMastersRecord) {
  MasterDetailFixture f;
  f.master->Open();
  f.detail->Open();
  EXPECT_EQ(f.detail->Params()->ParamByName(u"ID")->AsInteger(), 1);
  EXPECT_EQ(f.Courses(), "Право,Экономика");
  int opens = 0;
  f.detail->BeforeOpen = [&](TDataSet*) { ++opens; };
  TRecordingLink detailLink;
  detailLink.SetDataSource(f.detailSrc);
  detailLink.Log.clear();
  f.master->Next();
  // The reopening is hidden from the detail's controls but for one refresh.
  EXPECT_EQ(detailLink.Take(), "CheckBrowse, Event14(0), Event14(1), Changed");
  EXPECT_EQ(f.Courses(), "Кадры");
  EXPECT_EQ(opens, 1);
  f.master->Next();
  EXPECT_EQ(f.Courses(), "");
  EXPECT_TRUE(f.detail->IsEmpty());
  // A move that does not change the key does not reopen the detail.
  f.master->Edit();
  f.master->FieldByName(u"SECNAME")->SetAsString(u"x");
  f.master->Post();
  EXPECT_EQ(opens, 2);
  // New detail records take the key from the caller; a pending detail edit is posted when the
  // master moves.
  f.master->First();
  f.detail->Append();
  f.detail->FieldByName(u"ID")->SetAsInteger(1);
  f.detail->FieldByName(u"COURSE")->SetAsString(S("История"));
  f.master->Next();
  EXPECT_EQ(f.detail->InsertCount(), 1);
  f.master->First();
  EXPECT_EQ(f.Courses(), "Право,Экономика,История");
  f.detail->Last();
  EXPECT_EQ(f.detail->FieldByName(u"EDUID")->AsInteger(), 5);  // numbered on insert
}

TEST(MasterDetail, CircularLinksAreRefused) {
  MasterDetailFixture f;
  EXPECT_TRUE(f.detail->IsLinkedTo(f.masterSrc));
  EXPECT_FALSE(f.master->IsLinkedTo(f.detailSrc));
  EXPECT_EQ(f.detail->GetDataSource(), f.masterSrc);
  try {
    f.masterSrc->SetDataSet(f.detail);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Circular datalinks are not allowed");
  }
  EXPECT_THROW(f.detail->SetDataSource(f.detailSrc), EDatabaseError);
  // A third level: the master cannot follow its own grand-detail.
  auto* grand = new TMemoryDataSet(&f.owner);
  grand->AddFieldDef(u"EDUID", ftInteger);
  grand->SetDataSource(f.detailSrc);
  EXPECT_TRUE(grand->IsLinkedTo(f.masterSrc));
  auto* grandSrc = new TDataSource(&f.owner);
  grandSrc->SetDataSet(grand);
  EXPECT_THROW(f.master->SetDataSource(grandSrc), EDatabaseError);
}

TEST(Params, ByNameValuesAndStatementParsing) {
  TParams params;
  params.CreateParam(ftInteger, u"O_PEOPLEID", ptInput);
  params.CreateParam(ftWideString, u"USER_NAME", ptInput)->SetSize(50);
  params.ParamByName(u"o_peopleid")->SetAsInteger(7);
  EXPECT_EQ(params.FindParam(u"USER_NAME")->Size(), 50);
  EXPECT_EQ(params.FindParam(u"nope"), nullptr);
  try {
    params.ParamByName(u"nope");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), u"Parameter 'nope' not found");
  }
  params.SetParamValues(u"O_PEOPLEID;USER_NAME", VarArrayOf({8, S("admin")}));
  Variant v = params.ParamValues(u"O_PEOPLEID;USER_NAME");
  EXPECT_EQ(v.Element(0), Variant(8));
  EXPECT_EQ(params.ParamByName(u"USER_NAME")->AsString(), u"admin");
  params.ParamByName(u"USER_NAME")->Clear();
  EXPECT_TRUE(params.ParamByName(u"USER_NAME")->IsNull());

  TParams parsed;
  parsed.CreateParam(ftInteger, u"M_RAYON_DEPID", ptInput)->SetAsInteger(5);
  String sql = parsed.ParseSQL(S("select a from T where [x:y] = ':no' and ID = :M_RAYON_DEPID and U = :U and "
                                 "V = :U and t = '10::20'::text"),
                               true);
  EXPECT_EQ(sql,
            S("select a from T where [x:y] = ':no' and ID = ? and U = ? and V = ? and t = '10::20':text"));
  ASSERT_EQ(parsed.Count(), 2);
  EXPECT_EQ(parsed[0]->Name(), u"M_RAYON_DEPID");
  EXPECT_EQ(parsed[0]->AsInteger(), 5);  // kept across the parse
  EXPECT_EQ(parsed[1]->Name(), u"U");
  EXPECT_EQ(TParams::ParamNamesOf(S("x = :A or y = :A")), (std::vector<String>{u"A", u"A"}));
}
