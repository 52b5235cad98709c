#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "ClassesFixtures.h"
#include "platform/rtl/String.h"

namespace {

class FormResourceTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    SetResourceDirectory(S(TRENVIK_TEST_DATA_DIR));
  }
  void TearDown() override { SetResourceDirectory(String()); }
};

TEST_F(FormResourceTest, FormIsBuiltFromItsResourceWithEventsBoundByName) {
  TTestForm form(nullptr);
  ASSERT_TRUE(InitInheritedComponent(&form, TComponent::StaticClass()));
  EXPECT_EQ(form.Name(), u"MainForm");
  ASSERT_EQ(form.ComponentCount(), 4);
  auto* button = dynamic_cast<TTestWidget*>(form.FindComponent(u"Button1"));
  auto* grid = dynamic_cast<TTestWidget*>(form.FindComponent(u"Grid"));
  auto* panel2 = dynamic_cast<TTestPanel*>(form.FindComponent(u"Panel2"));
  ASSERT_TRUE(button && grid && panel2);
  EXPECT_EQ(button->Caption(), u"Сохранить");
  EXPECT_EQ(button->DesignInfo(), 24 | (8 << 16));
  EXPECT_EQ(button->Buddy(), panel2);
  EXPECT_EQ(panel2->Parent(), form.FindComponent(u"Panel1"));
  EXPECT_EQ(grid->Columns()->Items(0)->Caption(), u"Фамилия");
  EXPECT_EQ(grid->Columns()->Items(1)->Width(), 64);
  EXPECT_EQ(grid->Font()->Style(), TTestStyles{tsBold});
  // Both events call the form's handler, with their own sender.
  button->OnClick(button);
  grid->OnClick(grid);
  EXPECT_EQ(form.clicks, (std::vector<std::string>{"Button1", "Grid"}));
}

TEST_F(FormResourceTest, UnregisteredClassComesFromTheFormsFields) {
  const String text =
      S("object F: TTestForm\n"
        "  object Label1: TTestLabel\n    Caption = 'Имя'\n  end\n"
        "  object Other: TTestLabel\n  end\n"
        "end\n");
  TMemoryStream binary;
  ObjectTextToBinary(text, &binary);
  binary.SetPosition(0);
  TTestForm form(nullptr);
  // The class is known from the field Label1, whichever component uses it.
  ReadComponent(&binary, &form);
  ASSERT_NE(form.Label1, nullptr);
  EXPECT_EQ(form.Label1->Caption(), u"Имя");
  EXPECT_EQ(form.ComponentCount(), 2);
  EXPECT_EQ(GetClass(u"TTestLabel"), nullptr);
}

TEST_F(FormResourceTest, WrittenResourceReadsBack) {
  TTestForm form(nullptr);
  ReadComponentRes(u"ttestform", &form);  // resource names match case-insensitively
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "trenvik-classes-res";
  std::filesystem::create_directories(dir);
  SetResourceDirectory(Utf8ToString(dir.string()));
  WriteComponentResFile(Utf8ToString((dir / "TTestForm.dfm").string()), &form);
  TTestForm copy(nullptr);
  ASSERT_TRUE(InitInheritedComponent(&copy, TComponent::StaticClass()));
  EXPECT_EQ(copy.ComponentCount(), 4);
  auto* button = dynamic_cast<TTestWidget*>(copy.FindComponent(u"Button1"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(GetMethodProp(button, u"OnClick").Method->Name, u"Button1Click");
  std::filesystem::remove_all(dir);
}

TEST_F(FormResourceTest, MissingResource) {
  TTestForm form(nullptr);
  try {
    ReadComponentRes(u"TNoSuchForm", &form);
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource TNoSuchForm not found");
  }
  TTestWidget widget(nullptr);
  EXPECT_FALSE(InitInheritedComponent(&widget, TComponent::StaticClass()));
}

TEST_F(FormResourceTest, SecondInstanceUnderOneOwnerGetsItsOwnName) {
  TTestForm application(nullptr);
  auto* first = new TTestForm(&application);
  auto* second = new TTestForm(&application);
  ReadComponentRes(u"TTestForm", first);
  ReadComponentRes(u"TTestForm", second);
  EXPECT_EQ(first->Name(), u"MainForm");
  EXPECT_EQ(second->Name(), u"MainForm_1");
  // References resolve within each form.
  EXPECT_EQ(static_cast<TTestWidget*>(second->FindComponent(u"Button1"))->Buddy(),
            second->FindComponent(u"Panel2"));
}

}  // namespace
