// Datasets, persistent fields and data sources read from a form resource, as a data module has them.
#include <gtest/gtest.h>

#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/data/testing/DataTesting.h"

namespace {
class TTestModule : public TComponent {
  TRENVIK_CLASS(TTestModule, TComponent);

 public:
  explicit TTestModule(TComponent* AOwner) : TComponent(AOwner) {}
  int opened = 0;
  void PeopleAfterOpen(TDataSet*) { ++opened; }
};

TRENVIK_PUBLISHED(TTestModule) { P.Method("PeopleAfterOpen", &TTestModule::PeopleAfterOpen); }

const char* kModule =
    "object DataModule2: TTestModule\n"
    "  object Kinds: TMemoryDataSet\n"
    "  end\n"
    "  object People: TMemoryDataSet\n"
    "    AfterOpen = PeopleAfterOpen\n"
    "    Filter = 'ID > 1'\n"
    "    Filtered = True\n"
    "    object PeopleID: TAutoIncField\n"
    "      FieldName = 'ID'\n"
    "      ReadOnly = True\n"
    "    end\n"
    "    object PeopleNAME: TWideStringField\n"
    "      DisplayLabel = #1080#1084#1103\n"
    "      FieldName = 'NAME'\n"
    "      Size = 50\n"
    "    end\n"
    "    object PeopleKIND: TIntegerField\n"
    "      FieldName = 'KIND'\n"
    "      Visible = False\n"
    "    end\n"
    "    object PeopleKINDNAME: TWideStringField\n"
    "      FieldKind = fkLookup\n"
    "      FieldName = 'KINDNAME'\n"
    "      LookupDataSet = Kinds\n"
    "      LookupKeyFields = 'K'\n"
    "      LookupResultField = 'N'\n"
    "      KeyFields = 'KIND'\n"
    "      Size = 100\n"
    "    end\n"
    "  end\n"
    "  object People_DS: TDataSource\n"
    "    DataSet = People\n"
    "  end\n"
    "end\n";
}  // namespace

TEST(DataStreaming, DataModuleFromAFormResource) {
  TMemoryStream binary;
  ObjectTextToBinary(S(kModule), &binary);
  binary.SetPosition(0);
  TTestModule module(nullptr);
  ReadComponent(&binary, &module);
  auto* people = dynamic_cast<TMemoryDataSet*>(module.FindComponent(u"People"));
  auto* kinds = dynamic_cast<TMemoryDataSet*>(module.FindComponent(u"Kinds"));
  auto* src = dynamic_cast<TDataSource*>(module.FindComponent(u"People_DS"));
  ASSERT_TRUE(people && kinds && src);
  EXPECT_EQ(src->DataSet(), people);
  ASSERT_EQ(people->FieldCount(), 4);
  EXPECT_EQ(people->Fields()->Fields(1)->DisplayLabel(), S("имя"));
  EXPECT_TRUE(people->FieldByName(u"ID")->ReadOnly());
  EXPECT_FALSE(people->FieldByName(u"KIND")->Visible());
  EXPECT_EQ(people->FieldByName(u"KINDNAME")->LookupDataSet(), kinds);

  kinds->AddFieldDef(u"K", ftInteger);
  kinds->AddFieldDef(u"N", ftWideString, 100);
  kinds->AddRow({7, S("семь")});
  kinds->Open();
  people->AddFieldDef(u"ID", ftAutoInc);
  people->AddFieldDef(u"NAME", ftWideString, 50);
  people->AddFieldDef(u"KIND", ftInteger);
  people->AddRow({1, S("a"), 7});
  people->AddRow({2, S("b"), 7});
  people->Open();
  EXPECT_EQ(module.opened, 1);
  EXPECT_EQ(people->RecordCount(), 1);
  EXPECT_EQ(people->FieldByName(u"KINDNAME")->AsString(), S("семь"));

  // Written back, the fields are the dataset's children and unset labels are not stored.
  TMemoryStream out;
  WriteComponent(&out, &module);
  out.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(&out, &text);
  std::string written(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
  EXPECT_NE(written.find("    object PeopleNAME: TWideStringField"), std::string::npos) << written;
  EXPECT_EQ(written.find("DisplayLabel = 'ID'"), std::string::npos) << written;
}
