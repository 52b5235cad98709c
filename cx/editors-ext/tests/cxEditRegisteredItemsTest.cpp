// The default-editor registries: the table arithmetic on a registry of its own, then the filled
// process-wide registries by value type and by field, and the lookup grid columns that ask them.
#include "cx/editors-ext/cxEditDBRegisteredRepositoryItems.h"
#include "cx/editors-ext/cxEditDataRegisteredRepositoryItems.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "cx/editors-ext/cxDBEditRepository.h"
#include "cx/editors-ext/tests/cxLookupGridFixture.h"
#include "platform/data/FieldTypes.h"

namespace {

class CxRegisteredItemsTable : public ::testing::Test {
 protected:
  TcxEditRepositoryItem* NewItem() { return repository.CreateItem(TcxEditRepositoryTextItem::StaticClass()); }

  TcxEditRepository repository{nullptr};
  TcxEditRegisteredRepositoryItems registry{nullptr};
};

TEST_F(CxRegisteredItemsTable, KeysFallBackToTheDefaultAndTheFirstRegistrationWins) {
  EXPECT_EQ(registry.GetDefaultItem(), nullptr) << "empty";
  EXPECT_EQ(registry.ItemForKey(7), nullptr);
  TcxEditRepositoryItem* fallback = NewItem();
  TcxEditRepositoryItem* seven = NewItem();
  TcxEditRepositoryItem* late = NewItem();
  registry.RegisterDefaultItem(-1, fallback);
  const int index = registry.RegisterItem(7, -1, seven);
  EXPECT_EQ(registry.RegisterItem(7, -1, late), index) << "the same key and priority again";
  EXPECT_EQ(registry.ItemForKey(7), seven);
  EXPECT_EQ(registry.ItemForKey(0), fallback) << "key 0 asks for no key";
  EXPECT_EQ(registry.ItemForKey(8), fallback);
  EXPECT_EQ(late->ListenerCount(), 0) << "a refused registration does not listen";

  registry.UnregisterItem(7, 5);
  EXPECT_EQ(registry.ItemForKey(7), seven) << "another priority: nothing to remove";
  registry.UnregisterItem(7, -1);
  EXPECT_EQ(registry.ItemForKey(7), fallback);
  EXPECT_EQ(seven->ListenerCount(), 0);
}

TEST_F(CxRegisteredItemsTable, TheHighestPriorityOfAKeyAnswersWhateverTheOrderOfRegistration) {
  TcxEditRepositoryItem* low = NewItem();
  TcxEditRepositoryItem* high = NewItem();
  TcxEditRepositoryItem* middle = NewItem();
  registry.RegisterItem(3, -1, low);
  registry.RegisterItem(3, 10, high);
  registry.RegisterItem(3, 2, middle);
  registry.RegisterItem(9, 0, NewItem());
  registry.RegisterItem(1, 50, NewItem());
  EXPECT_EQ(registry.ItemForKey(3), high);
  registry.UnregisterItem(3, 10);
  EXPECT_EQ(registry.ItemForKey(3), middle);
  const auto& entries = registry.KeyedEntries();
  for (size_t i = 1; i < entries.size(); ++i)
    EXPECT_TRUE(entries[i - 1].Key > entries[i].Key ||
                (entries[i - 1].Key == entries[i].Key && entries[i - 1].Priority > entries[i].Priority));
}

TEST_F(CxRegisteredItemsTable, KeysAboveThirtyTwoBitsStayOrdered) {
  // Value-type keys are addresses: a key difference does not fit an integer.
  const TcxRegisteredItemKey big = TcxRegisteredItemKey(1) << 40, bigger = big + (TcxRegisteredItemKey(1) << 33);
  TcxEditRepositoryItem* a = NewItem();
  TcxEditRepositoryItem* b = NewItem();
  TcxEditRepositoryItem* c = NewItem();
  registry.RegisterItem(bigger, -1, b);
  registry.RegisterItem(5, -1, c);
  registry.RegisterItem(big, -1, a);
  EXPECT_EQ(registry.ItemForKey(big), a);
  EXPECT_EQ(registry.ItemForKey(bigger), b);
  EXPECT_EQ(registry.ItemForKey(5), c);
  EXPECT_EQ(registry.ItemForKey(big + 1), nullptr);
}

TEST_F(CxRegisteredItemsTable, AFreedItemLeavesEveryListItWasIn) {
  TcxEditRepositoryItem* fallback = NewItem();
  TcxEditRepositoryItem* shared = NewItem();
  registry.RegisterDefaultItem(-1, fallback);
  registry.RegisterItem(4, -1, shared);
  registry.RegisterItem(6, -1, shared);
  registry.UnregisterItem(4, -1);
  EXPECT_EQ(shared->ListenerCount(), 1) << "still registered under key 6";
  delete shared;
  EXPECT_EQ(registry.ItemForKey(6), fallback);
  EXPECT_TRUE(registry.KeyedEntries().empty());
  delete fallback;
  EXPECT_EQ(registry.GetDefaultItem(), nullptr);
}

TEST_F(CxRegisteredItemsTable, TheFieldRegistryForgetsAFreedLookupItem) {
  TcxEditDBRegisteredRepositoryItems db(nullptr);
  TcxEditRepositoryItem* fallback = NewItem();
  TcxEditRepositoryItem* lookup = NewItem();
  EXPECT_EQ(db.ItemForField(nullptr), nullptr) << "empty";
  EXPECT_EQ(db.GetLookupItem(), nullptr);
  db.RegisterDefaultItem(-1, fallback);
  db.RegisterLookupItem(-1, lookup);
  EXPECT_EQ(db.GetLookupItem(), lookup);
  delete lookup;
  EXPECT_EQ(db.GetLookupItem(), fallback);
}

// The registries as the editor modules fill them at start-up.
class CxDefaultEditors : public ::testing::Test {
 protected:
  static TClass ItemClassOf(TcxEditRepositoryItem* AItem) { return AItem ? AItem->ClassType() : nullptr; }
};

TEST_F(CxDefaultEditors, AValueTypeGetsItsEditorOrTheTextEditor) {
  TcxEditDataRegisteredRepositoryItems* registry = GetEditDataRegisteredItems();
  struct Case {
    TcxValueTypeClass valueType;
    TClass item;
  } cases[] = {
      {TcxBooleanValueType::Class(), TcxEditRepositoryCheckBoxItem::StaticClass()},
      {TcxCurrencyValueType::Class(), TcxEditRepositoryCurrencyItem::StaticClass()},
      {TcxDateTimeValueType::Class(), TcxEditRepositoryDateItem::StaticClass()},
      {TcxFMTBcdValueType::Class(), TcxEditRepositoryCurrencyItem::StaticClass()},
      {TcxSQLTimeStampValueType::Class(), TcxEditRepositoryDateItem::StaticClass()},
      {TcxIntegerValueType::Class(), TcxEditRepositoryTextItem::StaticClass()},
      {TcxStringValueType::Class(), TcxEditRepositoryTextItem::StaticClass()},
      {nullptr, TcxEditRepositoryTextItem::StaticClass()},
  };
  for (const Case& c : cases) {
    TcxEditRepositoryItem* item = registry->GetItem(c.valueType);
    EXPECT_EQ(ItemClassOf(item), c.item) << (c.valueType ? StringToUtf8(c.valueType->Caption()) : "none");
    if (item) {
      EXPECT_EQ(item->Repository(), GetDefaultEditRepository());
    }
  }
  EXPECT_EQ(registry->GetItem(nullptr), registry->GetDefaultItem());
}

TEST_F(CxDefaultEditors, EveryFieldTypeGetsItsEditorOrTheMaskEditor) {
  TcxEditDBRegisteredRepositoryItems* registry = GetEditDBRegisteredItems();
  const std::map<TFieldType, TClass> ownEditors = {
      {ftBoolean, TcxEditRepositoryCheckBoxItem::StaticClass()},
      {ftCurrency, TcxEditRepositoryCurrencyItem::StaticClass()},
      {ftBCD, TcxEditRepositoryCurrencyItem::StaticClass()},
      {ftFMTBcd, TcxEditRepositoryCurrencyItem::StaticClass()},
      {ftDate, TcxEditRepositoryDateItem::StaticClass()},
      {ftDateTime, TcxEditRepositoryDateItem::StaticClass()},
      {ftTime, TcxEditRepositoryTimeItem::StaticClass()},
      {ftMemo, TcxEditRepositoryMemoItem::StaticClass()},
      {ftGraphic, TcxEditRepositoryImageItem::StaticClass()},
      {ftBytes, TcxEditRepositoryBlobItem::StaticClass()},
      {ftVarBytes, TcxEditRepositoryBlobItem::StaticClass()},
      {ftBlob, TcxEditRepositoryBlobItem::StaticClass()},
      {ftFmtMemo, TcxEditRepositoryBlobItem::StaticClass()},
      {ftParadoxOle, TcxEditRepositoryBlobItem::StaticClass()},
      {ftDBaseOle, TcxEditRepositoryBlobItem::StaticClass()},
      {ftTypedBinary, TcxEditRepositoryBlobItem::StaticClass()},
  };
  for (int ordinal = 0; ordinal <= static_cast<int>(ftFMTBcd); ++ordinal) {
    const auto type = static_cast<TFieldType>(ordinal);
    auto own = ownEditors.find(type);
    TClass expected = own != ownEditors.end() ? own->second : TcxEditRepositoryMaskItem::StaticClass();
    EXPECT_EQ(ItemClassOf(registry->GetFieldTypeItem(type)), expected) << StringToUtf8(FieldTypeName(type));
  }
  EXPECT_EQ(ItemClassOf(registry->ItemForField(nullptr)), TcxEditRepositoryMaskItem::StaticClass());

  auto* lookup = dynamic_cast<TcxEditRepositoryLookupComboBoxItem*>(registry->GetLookupItem());
  ASSERT_NE(lookup, nullptr);
  EXPECT_EQ(lookup->TypedProperties()->ListOptions()->GridLines(), glNone);
  EXPECT_FALSE(lookup->TypedProperties()->ListOptions()->ShowHeader());
  EXPECT_EQ(lookup->TypedProperties()->DropDownListStyle(), lsEditFixedList);
}

TEST_F(CxDefaultEditors, ALookupGridColumnShowsTheEditorOfItsField) {
  TLookupGridTables tables;
  TADOQuery* people = tables.Query("SELECT ID, FAM, KATID FROM PEOPLE ORDER BY ID");
  TWideStringField* lookupField = AddCategoryLookupField(tables.Owner(), people, tables.categories);
  people->Open();
  TDataSource source(nullptr);
  source.SetDataSet(people);
  TcxLookupDBGrid grid(nullptr);
  grid.SetDataSource(&source);
  grid.SetColumnsByFieldNames(u"FAM;KATNAME");
  TcxEditDBRegisteredRepositoryItems* registry = GetEditDBRegisteredItems();
  EXPECT_EQ(grid.Columns()->Items(0)->Properties(), registry->GetFieldTypeItem(ftWideString)->Properties());
  EXPECT_EQ(grid.Columns()->Items(1)->Properties(), registry->ItemForField(lookupField)->Properties());
  EXPECT_EQ(ItemClassOf(registry->ItemForField(lookupField)), TcxEditRepositoryLookupComboBoxItem::StaticClass());
  SetLookupGridTestLook(&grid);
  grid.SetBounds(0, 0, 300, 100);
  grid.ViewInfo()->Calculate();
  ASSERT_FALSE(grid.ViewInfo()->Rows.empty());
  EXPECT_EQ(grid.ViewInfo()->Rows[0]->Cells[0].EditViewInfo->Text, u"Иванов");
  EXPECT_EQ(grid.ViewInfo()->Rows[0]->Cells[1].EditViewInfo->Text, u"Бухгалтеры") << "the lookup editor shows the name";

  // A column's own item still comes first.
  TcxEditRepositorySpinItem own(nullptr);
  grid.Columns()->Items(0)->SetRepositoryItem(&own);
  EXPECT_EQ(grid.Columns()->Items(0)->Properties(), own.Properties());
  grid.Columns()->Items(0)->SetRepositoryItem(nullptr);

  // An unbound column of a plain lookup grid takes the value-type registry's default.
  TcxLookupGridColumn* plain = grid.Columns()->Add();
  EXPECT_EQ(plain->Properties(), registry->ItemForField(nullptr)->Properties()) << "no field: the mask item";
  EXPECT_EQ(static_cast<TcxLookupGridColumn*>(plain)->TcxLookupGridColumn::GetDefaultRepositoryItem(),
            GetEditDataRegisteredItems()->GetDefaultItem());
}

}  // namespace
