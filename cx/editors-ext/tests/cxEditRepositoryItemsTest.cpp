// The repository items of the editors: each makes its editor's properties, is found by class name,
// copies properties assigned to it, and comes back from a form file with its settings.
#include "cx/editors-ext/cxEditRepositoryItems.h"

#include <gtest/gtest.h>

#include <memory>

#include "cx/editors-ext/cxDBEditRepository.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "cx/foundation/tests/cxFormTextTestUtil.h"
#include "platform/classes/ClassRegistry.h"

namespace {

class TRepositoryForm : public TForm {
  TRENVIK_CLASS(TRepositoryForm, TForm);

 public:
  explicit TRepositoryForm(TComponent* AOwner) : TForm(AOwner) {}
  TcxEditRepository* Repository = nullptr;
  TcxEditRepositorySpinItem* AgeItem = nullptr;
  TcxEditRepositoryLookupComboBoxItem* KindItem = nullptr;
  TcxSpinEdit* Age = nullptr;
};

}  // namespace

TRENVIK_PUBLISHED(TRepositoryForm) {
  P.Field("Repository", &TRepositoryForm::Repository);
  P.Field("AgeItem", &TRepositoryForm::AgeItem);
  P.Field("KindItem", &TRepositoryForm::KindItem);
  P.Field("Age", &TRepositoryForm::Age);
}

namespace {

using CxEditRepositoryItems = CxControlsTest;

TEST_F(CxEditRepositoryItems, EachItemClassIsFoundByNameAndMakesItsEditorsProperties) {
  struct Case {
    const char16_t* itemClass;
    TClass properties;
  } cases[] = {
      {u"TcxEditRepositoryTextItem", TcxTextEditProperties::StaticClass()},
      {u"TcxEditRepositoryComboBoxItem", TcxComboBoxProperties::StaticClass()},
      {u"TcxEditRepositoryMaskItem", TcxMaskEditProperties::StaticClass()},
      {u"TcxEditRepositoryPopupItem", TcxPopupEditProperties::StaticClass()},
      {u"TcxEditRepositorySpinItem", TcxSpinEditProperties::StaticClass()},
      {u"TcxEditRepositoryMemoItem", TcxMemoProperties::StaticClass()},
      {u"TcxEditRepositoryCheckBoxItem", TcxCheckBoxProperties::StaticClass()},
      {u"TcxEditRepositoryLookupComboBoxItem", TcxLookupComboBoxProperties::StaticClass()},
  };
  TcxEditRepository repository(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.itemClass));
    TClass itemClass = GetClass(c.itemClass);
    ASSERT_NE(itemClass, nullptr) << "registered at start-up";
    TcxEditRepositoryItem* item = repository.CreateItem(itemClass);
    EXPECT_EQ(item->ClassType(), itemClass);
    EXPECT_EQ(item->Properties()->ClassType(), c.properties);
    EXPECT_EQ(GetObjectProp(item, u"Properties"), item->Properties());
    EXPECT_EQ(GetPropInfo(item, u"Properties")->PropClass, c.properties) << "published with the editor's class";
    EXPECT_EQ(ClassGroupOf(itemClass), TControl::StaticClass());
  }
  EXPECT_EQ(repository.Count(), 8);
  EXPECT_NE(GetClass(u"TcxEditRepository"), nullptr);
  EXPECT_EQ(ClassGroupOf(TcxEditRepository::StaticClass()), TControl::StaticClass());
}

TEST_F(CxEditRepositoryItems, AssignedPropertiesAreCopiedAndTheGivenObjectStaysTheCallers) {
  TcxEditRepositorySpinItem item(nullptr);
  TcxSpinEditProperties* own = item.Properties();
  auto given = std::make_unique<TcxSpinEditProperties>(nullptr);
  given->SetMaxValue(120);
  given->SetReadOnly(true);
  SetObjectProp(&item, u"Properties", given.get());
  given.reset();
  EXPECT_EQ(item.Properties(), own);
  EXPECT_EQ(item.Properties()->MaxValue(), 120);
  EXPECT_TRUE(item.Properties()->ReadOnly());

  TcxTextEditProperties text(nullptr);
  EXPECT_THROW(SetObjectProp(&item, u"Properties", &text), EInvalidCast) << "another editor's properties";
  EXPECT_EQ(item.Properties()->MaxValue(), 120);
}

TEST_F(CxEditRepositoryItems, AFormFileBringsBackTheRepositoryItsItemsAndTheirSettings) {
  auto source = std::make_unique<TRepositoryForm>(nullptr);
  source->SetName(u"RepositoryForm");
  auto* repository = new TcxEditRepository(source.get());
  repository->SetName(u"Repository");
  auto* age = static_cast<TcxEditRepositorySpinItem*>(repository->CreateItem(TcxEditRepositorySpinItem::StaticClass()));
  age->SetName(u"AgeItem");
  age->Properties()->SetMinValue(18);
  age->Properties()->SetMaxValue(70);
  auto* kind = static_cast<TcxEditRepositoryLookupComboBoxItem*>(
      repository->CreateItem(TcxEditRepositoryLookupComboBoxItem::StaticClass()));
  kind->SetName(u"KindItem");
  kind->Properties()->SetKeyFieldNames(u"KATID");
  kind->Properties()->ListOptions()->SetShowHeader(false);
  auto* edit = Add<TcxSpinEdit>(source.get(), 10, 10, 80, 21);
  edit->SetName(u"Age");
  edit->SetRepositoryItem(age);
  const String text = FormText(source.get());

  auto target = std::make_unique<TRepositoryForm>(nullptr);
  ReadFormText(text, target.get());
  ASSERT_TRUE(target->Repository && target->AgeItem && target->KindItem) << StringToUtf8(text);
  ASSERT_EQ(target->Repository->Count(), 2);
  EXPECT_EQ(target->Repository->Items(0), target->AgeItem);
  EXPECT_EQ(target->AgeItem->Repository(), target->Repository) << "joined from the stream parent";
  EXPECT_EQ(target->AgeItem->Properties()->MinValue(), 18);
  EXPECT_EQ(target->AgeItem->Properties()->MaxValue(), 70);
  EXPECT_EQ(target->KindItem->Properties()->KeyFieldNames(), u"KATID");
  EXPECT_FALSE(target->KindItem->Properties()->ListOptions()->ShowHeader());
  ASSERT_TRUE(target->Age);
  EXPECT_EQ(target->Age->RepositoryItem(), target->AgeItem) << "the edit finds its item by name";
  EXPECT_EQ(target->Age->GetActiveProperties(), target->AgeItem->Properties());
}

}  // namespace
