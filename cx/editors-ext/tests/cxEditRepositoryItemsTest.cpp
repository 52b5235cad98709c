// The repository item classes: each read by name creates its editor's properties, a written
// properties object is copied, and the filter window's radio group item serves a group.
#include "cx/editors-ext/cxDBEditRepository.h"
#include "cx/editors-ext/cxEditRepositoryItems.h"

#include <memory>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/classes/ClassRegistry.h"

namespace {

TEST(CxEditRepositoryItems, EveryItemIsFoundByNameAndMakesItsProperties) {
  struct Case {
    const char16_t* item;
    TClass properties;
  };
  const Case cases[] = {
      {u"TcxEditRepositoryTextItem", TcxTextEditProperties::StaticClass()},
      {u"TcxEditRepositoryButtonItem", TcxButtonEditProperties::StaticClass()},
      {u"TcxEditRepositoryImageItem", TcxImageProperties::StaticClass()},
      {u"TcxEditRepositoryComboBoxItem", TcxComboBoxProperties::StaticClass()},
      {u"TcxEditRepositoryMaskItem", TcxMaskEditProperties::StaticClass()},
      {u"TcxEditRepositoryPopupItem", TcxPopupEditProperties::StaticClass()},
      {u"TcxEditRepositoryCalcItem", TcxCalcEditProperties::StaticClass()},
      {u"TcxEditRepositoryDateItem", TcxDateEditProperties::StaticClass()},
      {u"TcxEditRepositoryCurrencyItem", TcxCurrencyEditProperties::StaticClass()},
      {u"TcxEditRepositorySpinItem", TcxSpinEditProperties::StaticClass()},
      {u"TcxEditRepositoryMemoItem", TcxMemoProperties::StaticClass()},
      {u"TcxEditRepositoryCheckBoxItem", TcxCheckBoxProperties::StaticClass()},
      {u"TcxEditRepositoryTimeItem", TcxTimeEditProperties::StaticClass()},
      {u"TcxEditRepositoryMRUItem", TcxMRUEditProperties::StaticClass()},
      {u"TcxEditRepositoryHyperLinkItem", TcxHyperLinkEditProperties::StaticClass()},
      {u"TcxEditRepositoryRadioGroupItem", TcxRadioGroupProperties::StaticClass()},
      {u"TcxEditRepositoryBlobItem", TcxBlobEditProperties::StaticClass()},
      {u"TcxEditRepositoryImageComboBoxItem", TcxImageComboBoxProperties::StaticClass()},
      {u"TcxEditRepositoryLookupComboBoxItem", TcxLookupComboBoxProperties::StaticClass()},
  };
  for (const Case& c : cases) {
    TClass itemClass = GetClass(c.item);
    ASSERT_NE(itemClass, nullptr) << StringToUtf8(c.item);
    ASSERT_TRUE(itemClass->InheritsFrom(TcxEditRepositoryItem::StaticClass()));
    std::unique_ptr<TObject> object(itemClass->NewInstance());
    auto* item = dynamic_cast<TcxEditRepositoryItem*>(object.get());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Properties()->ClassType(), c.properties) << StringToUtf8(c.item);
  }
}

class CxEditRepositoryItemsTest : public CxControlsTest {};

TEST_F(CxEditRepositoryItemsTest, TheFilterWindowsRadioItemServesAGroup) {
  TcxEditRepository repository(nullptr);
  auto* item = static_cast<TcxEditRepositoryRadioGroupItem*>(
      repository.CreateItem(TcxEditRepositoryRadioGroupItem::StaticClass()));
  {
    TcxRadioGroupProperties given(nullptr);
    given.SetColumns(2);
    given.Items()->Add(u"мужской", 1);
    given.Items()->Add(u"женский", 2);
    TcxRadioGroupProperties* own = item->TypedProperties();
    item->SetTypedProperties(&given);
    EXPECT_EQ(item->TypedProperties(), own) << "copied, never adopted";
  }
  EXPECT_EQ(item->TypedProperties()->Items()->Count(), 2) << "the given object is gone, the copy stays";

  TForm* form = MakeForm();
  auto* group = Add<TcxRadioGroup>(form, 10, 10, 200, 60);
  group->SetRepositoryItem(item);
  group->SetCaption(u"пол");
  form->Show();
  Pump();
  ASSERT_EQ(group->ButtonCount(), 2);
  Click(group->Buttons(1), 10, group->Buttons(1)->Height() / 2);
  EXPECT_EQ(group->EditValue().AsInteger(), 2);
  delete item;
}

}  // namespace
