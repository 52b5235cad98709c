#include <memory>

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

class TTestRepositoryItem : public TcxEditRepositoryItem {
  TRENVIK_CLASS(TTestRepositoryItem, TcxEditRepositoryItem);

 public:
  explicit TTestRepositoryItem(TComponent* AOwner) : TcxEditRepositoryItem(AOwner) { CreateProperties(); }
  TClass GetPropertiesClass() override { return TTestEditProperties::StaticClass(); }
};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TTestRepositoryItem)

namespace {

using CxEditRepositoryTest = CxControlsTest;

TEST_F(CxEditRepositoryTest, EditsUseTheItemsPropertiesAndForgetAFreedItem) {
  TForm form(nullptr);
  TcxEditRepository repository(&form);
  auto* item = static_cast<TTestRepositoryItem*>(repository.CreateItem(TTestRepositoryItem::StaticClass()));
  EXPECT_EQ(item->Owner(), &form);
  EXPECT_EQ(item->Repository(), &repository);
  TTestEdit a(nullptr), b(nullptr);
  a.SetRepositoryItem(item);
  b.SetRepositoryItem(item);
  EXPECT_EQ(a.GetActiveProperties(), item->Properties());
  EXPECT_EQ(item->ListenerCount(), 2);

  // A change of the shared settings reaches each user.
  a.SetEditValue(u"x");
  a.SetModifiedAfterEnter(true);
  item->Properties()->SetReadOnly(true);
  EXPECT_TRUE(a.Props()->ReadOnly());
  EXPECT_TRUE(b.Props()->ReadOnly());

  delete item;
  EXPECT_EQ(a.RepositoryItem(), nullptr);
  EXPECT_EQ(b.RepositoryItem(), nullptr);
  EXPECT_EQ(a.GetActiveProperties(), a.Properties());
  EXPECT_EQ(repository.Count(), 0);
}

TEST_F(CxEditRepositoryTest, AnItemOfAnotherPropertiesClassIsRefused) {
  TcxEditRepository repository(nullptr);
  TcxEditRepositoryItem* plain = repository.CreateItem(TcxEditRepositoryItem::StaticClass());
  auto* fitting = repository.CreateItem(TTestRepositoryItem::StaticClass());
  TTestEdit edit(nullptr);
  edit.SetRepositoryItem(fitting);
  try {
    edit.SetRepositoryItem(plain);
    ADD_FAILURE() << "accepted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"The repository item is not acceptable");
  }
  EXPECT_EQ(edit.RepositoryItem(), fitting) << "the old item stays";
  edit.SetRepositoryItem(nullptr);
  EXPECT_EQ(fitting->ListenerCount(), 0);
}

TEST_F(CxEditRepositoryTest, RepositoryFreesItemsOwnedByAForm) {
  TForm form(nullptr);
  auto repository = std::make_unique<TcxEditRepository>(&form);
  repository->CreateItem(TcxEditRepositoryItem::StaticClass());
  repository->CreateItem(TcxEditRepositoryItem::StaticClass());
  const int components = form.ComponentCount();
  std::vector<TComponent*> children;
  repository->GetChildren([&](TComponent* c) { children.push_back(c); }, &form);
  EXPECT_EQ(children.size(), 2u);
  repository.reset();
  EXPECT_EQ(form.ComponentCount(), components - 3);
}

TEST_F(CxEditRepositoryTest, ProviderReferencesOfItemsAreClearedByInstance) {
  TcxEditRepository repository(nullptr);
  TcxEditRepositoryItem* item = repository.CreateItem(TcxEditRepositoryItem::StaticClass());
  auto provider = std::make_shared<TcxCustomEditDefaultValuesProvider>(nullptr);
  item->Properties()->SetDefaultValuesProvider(provider);
  int changes = 0;
  item->Properties()->OnPropertiesChanged = [&](TObject*) { ++changes; };
  repository.RemoveDefaultValuesProvider(provider.get());
  EXPECT_EQ(item->Properties()->DefaultValuesProvider(), nullptr);
  EXPECT_EQ(changes, 0);
}

TEST(CxEditRegistry, AClassRegisteredTwiceKeepsItsFirstDescription) {
  TcxRegisteredClasses* list = GetRegisteredEditProperties();
  const int count = list->Count();
  list->Register(TTestEditProperties::StaticClass(), u"Test|First");
  list->Register(TTestEditProperties::StaticClass(), u"Test|Second");
  EXPECT_EQ(list->Count(), count + 1);
  EXPECT_EQ(list->Descriptions(list->GetIndexByClass(TTestEditProperties::StaticClass())), u"Test|First");
  EXPECT_EQ(list->FindByClassName(u"TTestEditProperties"), TTestEditProperties::StaticClass());
  list->Unregister(TTestEditProperties::StaticClass());
  EXPECT_EQ(GetDefaultEditRepository(), GetDefaultEditRepository());
}

// --- In-place editors ---

TEST_F(CxEditRepositoryTest, InplaceListKeepsOneHiddenEditPerPropertiesObject) {
  TcxInplaceEditList list;
  TTestEditProperties column(nullptr), other(nullptr);
  column.SetReadOnly(true);
  TcxCustomEdit* edit = list.GetEdit(&column);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->IsInplace());
  EXPECT_FALSE(edit->Visible());
  EXPECT_TRUE(edit->Properties()->ReadOnly());

  column.SetReadOnly(false);
  EXPECT_EQ(list.GetEdit(&column), edit);
  EXPECT_FALSE(edit->Properties()->ReadOnly()) << "copied again on every use";
  EXPECT_NE(list.GetEdit(&other), edit);
  EXPECT_EQ(list.Count(), 2);

  list.RemoveItem(&column);
  list.RemoveItem(&column);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.FindEdit(&column), nullptr);
}

TEST_F(CxEditRepositoryTest, InplaceEditOfARepositoryItemKeepsItsSettings) {
  TcxInplaceEditList list;
  TTestEditProperties column(nullptr);
  TcxEditRepository repository(nullptr);
  auto* item = repository.CreateItem(TTestRepositoryItem::StaticClass());
  TcxCustomEdit* edit = list.GetEdit(&column);
  edit->SetRepositoryItem(item);
  item->Properties()->SetReadOnly(true);
  column.SetReadOnly(false);
  list.GetEdit(&column);
  EXPECT_TRUE(edit->GetActiveProperties()->ReadOnly());
  EXPECT_FALSE(edit->Properties()->IsReadOnlyStored()) << "its own properties were not overwritten";
  edit->SetRepositoryItem(nullptr);
}

TEST_F(CxEditRepositoryTest, InplaceEditByPropertiesClassIsFoundAgain) {
  TcxInplaceEditList list;
  TcxCustomEdit* edit = list.GetEditByPropertiesClass(TTestEditProperties::StaticClass());
  EXPECT_TRUE(edit->InheritsFrom(TTestEdit::StaticClass()));
  EXPECT_EQ(list.GetEditByPropertiesClass(TTestEditProperties::StaticClass()), edit);
  EXPECT_EQ(list.FindEdit(edit->GetActiveProperties()), edit);
}

}  // namespace

#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/cxTextEdit.h"

namespace {

TEST(CxEditRegistry, TheEditorsAreRegisteredAtStartUpInModuleOrder) {
  const struct {
    TClass Class;
    const char16_t* Description;
  } editors[] = {
      {TcxMaskEditProperties::StaticClass(), u"MaskEdit|Represents a generic masked edit control."},
      {TcxCheckBoxProperties::StaticClass(), u"CheckBox|Represents a check box control that allows selecting an option"},
      {TcxSpinEditProperties::StaticClass(), u"SpinEdit|Represents a spin editor"},
      {TcxTextEditProperties::StaticClass(), u"TextEdit|Represents a single line text editor"},
      {TcxMemoProperties::StaticClass(), u"Memo|Represents an edit control that allows editing memo data"},
  };
  TcxRegisteredClasses* list = GetRegisteredEditProperties();
  int previous = -1;
  for (const auto& editor : editors) {
    const int index = list->GetIndexByClass(editor.Class);
    ASSERT_GT(index, previous) << StringToUtf8(editor.Description);
    EXPECT_EQ(list->Descriptions(index), editor.Description);
    EXPECT_EQ(list->FindByClassName(editor.Class->ClassName()), editor.Class);
    previous = index;
  }
}

}  // namespace
