// The common controls read from a form resource: sheets join their page control and the active
// page waits for them all, collections and items load, clips open once the form is read.
#include "platform/classes/FormResources.h"
#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FormsTestSupport.h"
#include "platform/rtl/DateTime.h"

class TComCtrlsTestForm : public TForm {
  TRENVIK_CLASS(TComCtrlsTestForm, TForm);

 public:
  explicit TComCtrlsTestForm(TComponent* AOwner) : TForm(AOwner) {}
  TPageControl* Pages = nullptr;
  TTabSheet* Source = nullptr;
  TTabSheet* Target = nullptr;
  TListView* Rows = nullptr;
  TComboBoxEx* Compare = nullptr;
  TBevel* Line = nullptr;
  TDateTimePicker* Finish = nullptr;
  TAnimate* Searching = nullptr;
  TBitBtn* OkButton = nullptr;
};

TRENVIK_PUBLISHED(TComCtrlsTestForm) {
  P.Field("Pages", &TComCtrlsTestForm::Pages);
  P.Field("Source", &TComCtrlsTestForm::Source);
  P.Field("Target", &TComCtrlsTestForm::Target);
  P.Field("Rows", &TComCtrlsTestForm::Rows);
  P.Field("Compare", &TComCtrlsTestForm::Compare);
  P.Field("Line", &TComCtrlsTestForm::Line);
  P.Field("Finish", &TComCtrlsTestForm::Finish);
  P.Field("Searching", &TComCtrlsTestForm::Searching);
  P.Field("OkButton", &TComCtrlsTestForm::OkButton);
}

class ComCtrlsResourceTest : public FormsTest {};

TEST_F(ComCtrlsResourceTest, AFormResourceBuildsTheCommonControls) {
  RegisterClass(TComCtrlsTestForm::StaticClass());
  SetResourceDirectory(Utf8ToString(TRENVIK_TEST_DATA_DIR));
  auto* f = NewForm<TComCtrlsTestForm>(nullptr);
  forms_.push_back(f);
  SetResourceDirectory(String());
  ASSERT_TRUE(f->Pages && f->Source && f->Target && f->Rows && f->Compare && f->Line && f->Finish &&
              f->Searching && f->OkButton);
  EXPECT_EQ(f->Pages->PageCount(), 2);
  EXPECT_EQ(f->Pages->ActivePage(), f->Target);  // named before the sheet was read
  EXPECT_TRUE(f->Target->Visible());
  EXPECT_FALSE(f->Source->Visible());
  EXPECT_EQ(f->Pages->Style(), tsFlatButtons);
  EXPECT_EQ(f->Target->ImageIndex(), 1);
  EXPECT_EQ(f->Rows->Parent(), f->Source);
  ASSERT_EQ(f->Rows->Columns()->Count(), 2);
  EXPECT_EQ(f->Rows->Columns()->Items(1)->Caption(), u"value");
  EXPECT_EQ(f->Rows->Columns()->Items(0)->Width(), 140);
  EXPECT_TRUE(f->Rows->Checkboxes());
  EXPECT_EQ(f->Rows->ViewStyle(), vsReport);
  EXPECT_EQ(f->Compare->Items()->Count(), 3);
  EXPECT_EQ(f->Compare->StyleEx(), csExDropDownList);
  EXPECT_EQ(f->Compare->ItemIndex(), -1);
  EXPECT_EQ(f->Line->Shape(), bsTopLine);
  EXPECT_EQ(f->Finish->Date(), EncodeDate(2024, 3, 5));
  EXPECT_EQ(f->Finish->DateFormat(), dfLong);
  EXPECT_TRUE(f->Searching->Open());
  EXPECT_EQ(f->Searching->FrameCount(), 8);
  EXPECT_EQ(f->OkButton->Caption(), u"OK");
  EXPECT_EQ(f->OkButton->ModalResult(), mrOk);
}
