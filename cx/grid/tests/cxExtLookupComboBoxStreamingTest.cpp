// A form like the program's filter window written to a form file and read back: a hidden grid's DB
// table view, a repository item bound to it and a lookup combo box using the item.
#include "cx/foundation/tests/cxFormTextTestUtil.h"
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGridDBTableView.h"
#include "cx/grid/tests/cxGridTestUtil.h"
#include "platform/classes/Published.h"

namespace {

class TLookupForm : public TForm {
  TRENVIK_CLASS(TLookupForm, TForm);

 public:
  explicit TLookupForm(TComponent* AOwner) : TForm(AOwner) {}
  TcxGrid* HiddenGrid = nullptr;
  TcxGridDBTableView* KatView = nullptr;
  TcxGridDBColumn* KatViewNAME = nullptr;
  TcxEditRepository* Repository = nullptr;
  TcxEditRepositoryExtLookupComboBoxItem* KatItem = nullptr;
  TcxExtLookupComboBox* KatCombo = nullptr;
};

}  // namespace

TRENVIK_PUBLISHED(TLookupForm) {
  P.Field("HiddenGrid", &TLookupForm::HiddenGrid);
  P.Field("KatView", &TLookupForm::KatView);
  P.Field("KatViewNAME", &TLookupForm::KatViewNAME);
  P.Field("Repository", &TLookupForm::Repository);
  P.Field("KatItem", &TLookupForm::KatItem);
  P.Field("KatCombo", &TLookupForm::KatCombo);
}

using CxExtLookupComboBoxStreamingTest = CxControlsTest;

TEST_F(CxExtLookupComboBoxStreamingTest, TheBindingReadsBackInItsOrder) {
  auto* source = new TLookupForm(nullptr);
  forms_.push_back(source);
  source->SetName(S("LookupForm"));
  auto* grid = new TcxGrid(source);
  grid->SetName(S("HiddenGrid"));
  grid->SetParent(source);
  grid->SetVisible(false);
  auto* view = new TcxGridDBTableView(source);
  view->SetName(S("KatView"));
  grid->AddChildComponent(view);
  TcxGridDBColumn* id = view->CreateColumn();
  id->SetName(S("KatViewM_KATID"));
  id->DataBinding()->SetFieldName(u"M_KATID");
  TcxGridDBColumn* name = view->CreateColumn();
  name->SetName(S("KatViewNAME"));
  name->DataBinding()->SetFieldName(u"NAME");
  grid->RootLevel()->AddLevel()->SetGridView(view);
  auto* repository = new TcxEditRepository(source);
  repository->SetName(S("Repository"));
  auto* item = static_cast<TcxEditRepositoryExtLookupComboBoxItem*>(
      repository->CreateItem(TcxEditRepositoryExtLookupComboBoxItem::StaticClass()));
  item->SetName(S("KatItem"));
  item->Properties()->SetView(view);
  item->Properties()->SetKeyFieldNames(u"M_KATID");
  item->Properties()->SetListFieldItem(name);
  item->Properties()->SetClearKey(16452);
  item->Properties()->SetDropDownAutoSize(true);
  auto* combo = new TcxExtLookupComboBox(source);
  combo->SetName(S("KatCombo"));
  combo->SetParent(source);
  combo->SetRepositoryItem(item);

  const String text = FormText(source);
  const size_t viewAt = text.find(u"Properties.View = KatView");
  const size_t keysAt = text.find(u"Properties.KeyFieldNames = 'M_KATID'");
  const size_t itemAt = text.find(u"Properties.ListFieldItem = KatViewNAME");
  ASSERT_NE(viewAt, String::npos) << StringToUtf8(text);
  ASSERT_NE(keysAt, String::npos);
  ASSERT_NE(itemAt, String::npos);
  EXPECT_LT(viewAt, keysAt);
  EXPECT_LT(keysAt, itemAt);
  EXPECT_TRUE(Has(text, u"ClearKey = 16452"));
  EXPECT_TRUE(Has(text, u"RepositoryItem = KatItem"));

  auto* target = new TLookupForm(nullptr);
  forms_.push_back(target);
  ReadFormText(text, target);
  ASSERT_NE(target->KatItem, nullptr);
  TcxExtLookupComboBoxProperties* read = target->KatItem->Properties();
  EXPECT_EQ(read->View(), target->KatView);
  EXPECT_EQ(read->KeyFieldNames(), u"M_KATID");
  EXPECT_EQ(read->ListFieldItem(), target->KatViewNAME);
  EXPECT_EQ(read->ClearKey(), 16452);
  EXPECT_TRUE(read->DropDownAutoSize());
  EXPECT_EQ(target->KatCombo->RepositoryItem(), target->KatItem);
  EXPECT_EQ(target->KatCombo->ActiveProperties(), read);
  EXPECT_EQ(target->KatItem->Repository(), target->Repository);
  EXPECT_EQ(FormText(target), text);
}
