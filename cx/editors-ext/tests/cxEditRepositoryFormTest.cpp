// A repository, its items and an edit on one of them come back from a form file; the items are
// grouped with the visual controls.
#include "cx/editors-ext/cxEditRepositoryItems.h"

#include <gtest/gtest.h>

#include <memory>

#include "cx/editors-ext/cxDBEditRepository.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "cx/foundation/tests/cxFormTextTestUtil.h"
#include "platform/classes/ClassRegistry.h"

namespace {

class TRepositoryFileForm : public TForm {
  TRENVIK_CLASS(TRepositoryFileForm, TForm);

 public:
  explicit TRepositoryFileForm(TComponent* AOwner) : TForm(AOwner) {}
  TcxEditRepository* Repository = nullptr;
  TcxEditRepositorySpinItem* AgeItem = nullptr;
  TcxEditRepositoryLookupComboBoxItem* KindItem = nullptr;
  TcxSpinEdit* Age = nullptr;
};

}  // namespace

TRENVIK_PUBLISHED(TRepositoryFileForm) {
  P.Field("Repository", &TRepositoryFileForm::Repository);
  P.Field("AgeItem", &TRepositoryFileForm::AgeItem);
  P.Field("KindItem", &TRepositoryFileForm::KindItem);
  P.Field("Age", &TRepositoryFileForm::Age);
}

namespace {

using CxEditRepositoryForm = CxControlsTest;

TEST_F(CxEditRepositoryForm, AFormFileBringsBackTheRepositoryItsItemsAndTheirSettings) {
  auto source = std::make_unique<TRepositoryFileForm>(nullptr);
  source->SetName(u"RepositoryForm");
  auto* repository = new TcxEditRepository(source.get());
  repository->SetName(u"Repository");
  auto* age = static_cast<TcxEditRepositorySpinItem*>(repository->CreateItem(TcxEditRepositorySpinItem::StaticClass()));
  age->SetName(u"AgeItem");
  age->TypedProperties()->SetMinValue(18);
  age->TypedProperties()->SetMaxValue(70);
  auto* kind = static_cast<TcxEditRepositoryLookupComboBoxItem*>(
      repository->CreateItem(TcxEditRepositoryLookupComboBoxItem::StaticClass()));
  kind->SetName(u"KindItem");
  kind->TypedProperties()->SetKeyFieldNames(u"KATID");
  kind->TypedProperties()->ListOptions()->SetShowHeader(false);
  auto* edit = Add<TcxSpinEdit>(source.get(), 10, 10, 80, 21);
  edit->SetName(u"Age");
  edit->SetRepositoryItem(age);
  const String text = FormText(source.get());

  auto target = std::make_unique<TRepositoryFileForm>(nullptr);
  ReadFormText(text, target.get());
  ASSERT_TRUE(target->Repository && target->AgeItem && target->KindItem) << StringToUtf8(text);
  ASSERT_EQ(target->Repository->Count(), 2);
  EXPECT_EQ(target->Repository->Items(0), target->AgeItem);
  EXPECT_EQ(target->AgeItem->Repository(), target->Repository) << "joined from the stream parent";
  EXPECT_EQ(target->AgeItem->TypedProperties()->MinValue(), 18);
  EXPECT_EQ(target->AgeItem->TypedProperties()->MaxValue(), 70);
  EXPECT_EQ(target->KindItem->TypedProperties()->KeyFieldNames(), u"KATID");
  EXPECT_FALSE(target->KindItem->TypedProperties()->ListOptions()->ShowHeader());
  EXPECT_EQ(ClassGroupOf(TcxEditRepositorySpinItem::StaticClass()), TControl::StaticClass());
  EXPECT_EQ(ClassGroupOf(TcxEditRepository::StaticClass()), TControl::StaticClass());
  ASSERT_TRUE(target->Age);
  EXPECT_EQ(target->Age->RepositoryItem(), target->AgeItem) << "the edit finds its item by name";
  EXPECT_EQ(target->Age->GetActiveProperties(), target->AgeItem->Properties());
}

}  // namespace
