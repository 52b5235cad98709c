// The lookup combo box and the dataset lookup grid keep their list settings through a form file.
#include <gtest/gtest.h>

#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "cx/foundation/tests/cxFormTextTestUtil.h"
#include "platform/data/DataSource.h"

namespace {

// The reader finds the components' classes through the form's fields.
class TLookupForm : public TForm {
  TRENVIK_CLASS(TLookupForm, TForm);

 public:
  explicit TLookupForm(TComponent* AOwner) : TForm(AOwner) {}
  TDataSource* Source = nullptr;
  TcxLookupComboBox* Combo = nullptr;
  TcxLookupDBGrid* Grid = nullptr;
};

}  // namespace

TRENVIK_PUBLISHED(TLookupForm) {
  P.Field("Source", &TLookupForm::Source);
  P.Field("Combo", &TLookupForm::Combo);
  P.Field("Grid", &TLookupForm::Grid);
}

namespace {

class CxLookupStreaming : public CxControlsTest {
 protected:
  TLookupForm* NewForm() {
    auto* form = new TLookupForm(nullptr);
    forms_.push_back(form);
    return form;
  }
  TLookupForm* MakeSourceForm() {
    TLookupForm* form = NewForm();
    form->SetName(u"LookupForm");
    auto* source = new TDataSource(form);
    source->SetName(u"Source");
    auto* combo = Add<TcxLookupComboBox>(form, 10, 10, 200, 21);
    combo->SetName(u"Combo");
    TcxLookupComboBoxProperties* p = combo->Properties();
    p->SetListSource(source);
    p->SetKeyFieldNames(u"KATID");
    p->SetListFieldNames(u"NAME;KATID");
    p->ListColumns()->Items(1)->SetWidth(40);
    p->ListColumns()->Items(1)->SetCaption(u"Код");
    p->ListColumns()->Items(1)->SetHeaderAlignment(taRightJustify);
    p->SetListFieldIndex(1);
    p->ListOptions()->SetGridLines(glNone);
    p->ListOptions()->SetShowHeader(false);
    p->SetDropDownRows(12);
    p->SetIncrementalFiltering(false);
    p->SetGridMode(true);
    auto* grid = Add<TcxLookupDBGrid>(form, 10, 40, 200, 150);
    grid->SetName(u"Grid");
    grid->SetDataSource(source);
    grid->SetKeyFieldNames(u"KATID");
    grid->SetColumnsByFieldNames(u"NAME");
    grid->Columns()->Items(0)->SetMinWidth(50);
    grid->Columns()->Items(0)->SetFixed(true);
    grid->Options()->SetRowSelect(false);
    grid->Options()->SetColumnSorting(false);
    return form;
  }
};

TEST_F(CxLookupStreaming, TheListSettingsComeBackFromTheFormFile) {
  const String text = FormText(MakeSourceForm());
  EXPECT_FALSE(Has(text, u"ListFieldNames")) << "the columns carry the field names";
  TLookupForm* form = NewForm();
  ReadFormText(text, form);
  ASSERT_TRUE(form->Source && form->Combo && form->Grid) << StringToUtf8(text);

  TcxLookupComboBoxProperties* p = form->Combo->Properties();
  EXPECT_EQ(p->ListSource(), form->Source);
  EXPECT_EQ(p->KeyFieldNames(), u"KATID");
  EXPECT_EQ(p->ListFieldNames(), u"NAME;KATID");
  EXPECT_EQ(p->ListColumns()->Items(1)->Width(), 40);
  EXPECT_EQ(p->ListColumns()->Items(1)->Caption(), u"Код");
  EXPECT_EQ(p->ListColumns()->Items(1)->HeaderAlignment(), taRightJustify);
  EXPECT_FALSE(p->ListColumns()->Items(0)->IsWidthAssigned());
  EXPECT_EQ(p->ListFieldIndex(), 1);
  EXPECT_EQ(p->ListOptions()->GridLines(), glNone);
  EXPECT_FALSE(p->ListOptions()->ShowHeader());
  EXPECT_EQ(p->DropDownRows(), 12);
  EXPECT_FALSE(p->IncrementalFiltering());
  EXPECT_TRUE(p->GridMode());

  TcxLookupDBGrid* grid = form->Grid;
  EXPECT_EQ(grid->DataSource(), form->Source);
  EXPECT_EQ(grid->KeyFieldNames(), u"KATID");
  ASSERT_EQ(grid->Columns()->Count(), 1);
  EXPECT_EQ(grid->Columns()->Items(0)->FieldName(), u"NAME");
  EXPECT_EQ(grid->Columns()->Items(0)->MinWidth(), 50);
  EXPECT_TRUE(grid->Columns()->Items(0)->Fixed());
  EXPECT_FALSE(grid->Options()->RowSelect());
  EXPECT_FALSE(grid->Options()->ColumnSorting());
}

}  // namespace
