// The custom filter dialog and the filter builder over a DB table view on SQLite, driven by
// simulated input while they run modally: operators chosen, values typed, OK and Cancel, the
// builder's Apply, Save As and Open of ".flt" files, and where it reopens.
#include "cx/grid/cxFilterControlDialog.h"
#include "cx/grid/cxFilterDialog.h"
#include "cx/grid/cxGridFilterPopup.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTableViewInfo.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/classes/FormResources.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Input.h"
#include "platform/win/Paint.h"

class CxFilterDialogsTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    // The program reads its form resources from the resource folder's "forms".
    SetResourceDirectory(IncludeTrailingPathDelimiter(ResourceDirectory()) + u"forms");
    form_->Show();
    Pump();
    cxFilterBuilderBounds() = TcxFilterBuilderBounds{};
    Application->OnException = [this](TObject*, Exception& E) { errors_.push_back(StringToUtf8(E.Message())); };
  }
  void TearDown() override {
    Application->OnException = nullptr;
    SetResourceDirectory(String());
    CxGridDBTableViewTest::TearDown();
  }

  template <class T>
  static T* Active() {
    return dynamic_cast<T*>(Screen->ActiveForm());
  }
  // Queued: the modal loop running when it is read takes it.
  static void QueueClick(TControl* c) { SimulateClick(TSimButton::Left, At(c, c->Width() / 2, c->Height() / 2)); }
  static void FixedFont(TControl* c) {
    c->Font()->SetName(kFixedTestFontName);
    c->Font()->SetHeight(-11);
  }
  // Something other than the form's face colour is drawn in R (client coordinates of c).
  static bool HasInk(TControl* c, const RECT& R) {
    const TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x)
        if (ScreenPixel(c, x, y) != face) return true;
    return false;
  }
  static RECT BoundsOf(TControl* c) { return RECT{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()}; }
  static std::string Text(TcxCustomEdit* AEdit) { return StringToUtf8(dynamic_cast<TcxCustomTextEdit*>(AEdit)->Text()); }
  TcxDataFilterCriteria* Filter() { return view_->DataController()->Filter(); }
  // The pixels the X server shows for a window are the framework's own.
  static int DesktopPixelsDiffering(void* AWindow, HWND AHandle) {
    LetDesktopSettle();
    const auto shot = ReadDesktopImage(AWindow);
    if (!shot) return -1;
    RECT wr;
    GetWindowRect(AHandle, &wr);
    return CountPixelsDifferingFromScreen(*shot, wr);
  }
  // As the user gets there: the column's filter drop-down, "(Custom...)".
  void RunCustomDialog(const char16_t* AFieldName) {
    TcxGridFilterPopup popup(view_);
    popup.SetFilterButton(Column(AFieldName), RECT{80, 0, 96, 18}, RECT{0, 0, 100, 18});
    popup.FillValues();
    popup.ApplyChoice(popup.Texts()->IndexOf(u"(Custom...)"));
  }

  std::vector<std::string> errors_;
};

TEST_F(CxFilterDialogsTest, ATextColumnProposesLikeWithTheWildcardHintsAndATypedPatternFilters) {
  TcxFilterDialog* dialog = nullptr;
  ScriptModalLoop({{20,
                    [&] {
                      dialog = Active<TcxFilterDialog>();
                      ASSERT_NE(dialog, nullptr);
                      FixedFont(dialog);
                      EXPECT_EQ(dialog->Caption(), u"Custom Filter");
                      EXPECT_EQ(dialog->lblTitle->Caption(), u"Show rows where:");
                      EXPECT_EQ(dialog->lblColumnCaption->Caption(), u"Surname ");
                      EXPECT_EQ(dialog->lblSingle->Caption(), u"Use _ to represent any single character");
                      EXPECT_EQ(dialog->lblSeries->Caption(), u"Use % to represent any series of characters");
                      EXPECT_EQ(dialog->btnOK->Caption(), u"Ok");
                      EXPECT_EQ(dialog->rbAnd->Caption(), u"AND");
                      EXPECT_EQ(dialog->cbOperator1->Text(), u"like");
                      EXPECT_EQ(dialog->cbOperator2->ItemIndex(), 0) << "the empty item";
                      EXPECT_EQ(dialog->cbOperator2->Text(), u"");
                      EXPECT_TRUE(dialog->rbAnd->Checked());
                      EXPECT_TRUE(dialog->lblSingle->Visible());
                      dialog->ValueEdit1()->SetFocus();
                      SimulateText(u"O%");
                    }},
                   {200,
                    [&] {
                      EXPECT_TRUE(KeepCheckedWindow(dialog->Handle(), "like"));
                      EXPECT_TRUE(HasInk(dialog, BoundsOf(dialog->lblSingle))) << "the wildcard hints are shown";
                      EXPECT_TRUE(HasInk(dialog, BoundsOf(dialog->lblTitle)));
                      QueueClick(dialog->btnOK);
                    }}});
  RunCustomDialog(u"SURNAME");
  EndScript();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(RowTexts(u"SURNAME"), std::vector<std::string>{"Orlova"});
  TcxFilterCriteriaItem* like = Column(u"SURNAME")->DataBinding()->FilterCriteriaItem();
  ASSERT_NE(like, nullptr);
  EXPECT_EQ(like->OperatorKind(), foLike);
  EXPECT_EQ(VarToStr(like->Value()), u"O%");
  EXPECT_EQ(Filter()->Root()->Count(), 1);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(CxFilterDialogsTest, AnOrPairIsShownAndChoosingIsBlankWritesAnEqualToNullCondition) {
  TcxGridDBColumn* city = Column(u"CITY");
  TcxFilterCriteriaItemList* pair = Filter()->Root()->AddItemList(fgkOr);
  Filter()->AddItem(pair, city, foEqual, Variant(String(u"Oslo")), u"Oslo");
  Filter()->AddItem(pair, city, foEqual, Variant(String(u"Tver")), u"Tver");
  Filter()->SetActive(true);
  ASSERT_EQ(RowTexts(u"SURNAME").size(), 4u);
  TcxFilterDialog* dialog = nullptr;
  ScriptModalLoop({{20,
                    [&] {
                      dialog = Active<TcxFilterDialog>();
                      ASSERT_NE(dialog, nullptr);
                      FixedFont(dialog);
                      EXPECT_EQ(dialog->cbOperator1->Text(), u"equals");
                      EXPECT_EQ(Text(dialog->ValueEdit1()), "Oslo");
                      EXPECT_TRUE(dialog->rbOr->Checked());
                      EXPECT_EQ(dialog->cbOperator2->Text(), u"equals");
                      EXPECT_EQ(Text(dialog->ValueEdit2()), "Tver");
                      EXPECT_FALSE(dialog->lblSingle->Visible()) << "no like, no wildcard hints";
                      // "is blank" picked by its first letters; the second row back to its empty item.
                      dialog->cbOperator1->SetFocus();
                      SimulateText(u"is b");
                    }},
                   {150,
                    [&] {
                      EXPECT_EQ(dialog->cbOperator1->Text(), u"is blank");
                      dialog->cbOperator2->SetFocus();
                      SimulateKeyPress(VK_HOME);
                    }},
                   {250,
                    [&] {
                      EXPECT_EQ(dialog->cbOperator2->ItemIndex(), 0);
                      EXPECT_TRUE(KeepCheckedWindow(dialog->Handle(), "pair"));
                      EXPECT_FALSE(HasInk(dialog, BoundsOf(dialog->lblSingle))) << "no like, no wildcard hints";
                      SimulateKeyPress(VK_RETURN);
                    }}});
  RunCustomDialog(u"CITY");
  EndScript();
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(Filter()->Root()->Count(), 1) << "the pair became one condition";
  auto* blank = dynamic_cast<TcxFilterCriteriaItem*>(Filter()->Root()->Items(0));
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(blank->ItemLink(), city);
  EXPECT_EQ(blank->OperatorKind(), foEqual);
  EXPECT_TRUE(VarIsNull(blank->Value()));
  EXPECT_EQ(blank->DisplayValue(), u"blank");
  EXPECT_EQ(Filter()->Root()->BoolOperatorKind(), fgkAnd);
  EXPECT_TRUE(RowTexts(u"SURNAME").empty()) << "everyone has a city";
}

TEST_F(CxFilterDialogsTest, AWordInANumberColumnIsRefusedAndTheDialogStaysOpenUntilCancelled) {
  TcxFilterDialog* dialog = nullptr;
  bool openAfterOk = false;
  ScriptModalLoop({{20,
                    [&] {
                      dialog = Active<TcxFilterDialog>();
                      ASSERT_NE(dialog, nullptr);
                      // The column's text editor offers like (which takes any text); equals checks.
                      dialog->cbOperator1->SetFocus();
                      SimulateKeyPress(VK_HOME);
                    }},
                   {100,
                    [&] {
                      EXPECT_EQ(dialog->cbOperator1->Text(), u"equals");
                      EXPECT_FALSE(dialog->lblSingle->Visible()) << "no like, no hints";
                      dialog->ValueEdit1()->SetFocus();
                      SimulateText(u"x");
                      QueueClick(dialog->btnOK);
                    }},
                   {300,
                    [&] {
                      openAfterOk = dialog->Visible();
                      SimulateKeyPress(VK_ESCAPE);
                    }}});
  RunCustomDialog(u"ID");
  EndScript();
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(errors_, std::vector<std::string>{"Invalid value"});
  EXPECT_TRUE(Filter()->IsEmpty()) << "cancelled: nothing written";
}

TEST_F(CxFilterDialogsTest, ThePopupsCustomEntryOpensTheCustomDialogAndActivatesTheFilterEvenWhenCancelled) {
  TcxGridFilterPopup popup(view_);
  popup.SetFilterButton(Column(u"CITY"), RECT{80, 0, 96, 18}, RECT{0, 0, 100, 18});
  popup.FillValues();
  bool shown = false;
  ScriptModalLoop({{20, [&] {
                      shown = Active<TcxFilterDialog>() != nullptr;
                      SimulateKeyPress(VK_ESCAPE);
                    }}});
  popup.ApplyChoice(popup.Texts()->IndexOf(u"(Custom...)"));
  EndScript();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(Filter()->Active());
  EXPECT_TRUE(Filter()->IsEmpty());
}

TEST_F(CxFilterDialogsTest, TheBuilderAddsAConditionByKeysSavesItClearsItOpensItAndApplies) {
  view_->Filtering()->SetVisible(fvAlways);
  int shows = 0;
  view_->OnFilterControlDialogShow = [&](TObject*) { ++shows; };
  Pump();
  auto* viewInfo = static_cast<TcxGridTableViewInfo*>(view_->ViewInfo());
  const RECT customize = viewInfo->FilterViewInfo()->ButtonsViewInfo()->Items(2)->Bounds;
  const String file = folder_.File("untitled.flt");
  TfmFilterControlDialog* dialog = nullptr;
  std::vector<std::string> appliedRows;
  bool openAfterApply = false;
  // The click reaches the button a few looks at the queue after the script starts.
  ScriptModalLoop({{100,
                    [&] {
                      dialog = Active<TfmFilterControlDialog>();
                      ASSERT_NE(dialog, nullptr);
                      EXPECT_EQ(dialog->Caption(), u"Filter builder - [untitled.flt]");
                      EXPECT_EQ(dialog->btSave->Caption(), u"&Save As...");
                      EXPECT_EQ(dialog->btOpen->Caption(), u"&Open...");
                      EXPECT_EQ(dialog->btApply->Caption(), u"&Apply");
                      EXPECT_EQ(dialog->OpenDialog->Title(), u"Open an existing filter");
                      EXPECT_EQ(dialog->SaveDialog->Filter(), u"Filters (*.flt)|*.flt");
                      FixedFont(dialog->FilterControl);
                      dialog->SaveDialog->SetInitialDir(folder_.Path());
                      dialog->OpenDialog->SetInitialDir(folder_.Path());
                      // A condition on the first column (ID equals), its value typed.
                      for (UINT key : {VK_INSERT, VK_RIGHT, VK_RIGHT}) SimulateKeyPress(key);
                      SimulateText(u"2");
                      SimulateKeyPress(VK_RETURN);
                    }},
                   {300,
                    [&] {
                      if (!dialog) return;
                      EXPECT_EQ(dialog->FilterControl->RowCount(), 2);
                      EXPECT_TRUE(KeepCheckedWindow(dialog->Handle(), "builder"));
                      EXPECT_TRUE(HasInk(dialog, BoundsOf(dialog->FilterControl)));
                      QueueClick(dialog->btSave);
                      SimulateKeyPress(VK_RETURN);  // the save dialog's proposed name
                    }},
                   {500,
                    [&] {
                      if (!dialog) return;
                      EXPECT_TRUE(FileExists(file));
                      EXPECT_EQ(dialog->Caption(), u"Filter builder - [" + file + u"]");
                      dialog->FilterControl->SetFocus();
                      SimulateKeyPress(VK_DELETE, 2);
                    }},
                   {600,
                    [&] {
                      if (!dialog) return;
                      EXPECT_EQ(dialog->FilterControl->RowCount(), 1);
                      QueueClick(dialog->btOpen);
                      SimulateText(u"untitled");
                      SimulateKeyPress(VK_RETURN);
                    }},
                   {900,
                    [&] {
                      if (!dialog) return;
                      EXPECT_EQ(dialog->FilterControl->RowCount(), 2) << "opened again";
                      QueueClick(dialog->btApply);
                    }},
                   {1000,
                    [&] {
                      if (!dialog) return;
                      appliedRows = RowTexts(u"SURNAME");
                      openAfterApply = dialog->Visible();
                      dialog->SetBounds(40, 30, 600, 400);
                      QueueClick(dialog->btOk);
                    }}});
  Click(view_->Site(), customize.left + 4, customize.top + 4);
  EndScript();
  ASSERT_NE(dialog, nullptr) << customize.left << "," << customize.top << "," << customize.right << "," << customize.bottom << " errors " << errors_.size() << (errors_.empty() ? "" : errors_[0]);
  EXPECT_EQ(appliedRows, std::vector<std::string>{"Belov"});
  EXPECT_TRUE(openAfterApply) << "Apply keeps the builder open";
  EXPECT_EQ(RowTexts(u"SURNAME"), std::vector<std::string>{"Belov"});
  EXPECT_TRUE(Filter()->Active());
  EXPECT_EQ(shows, 1);
  EXPECT_TRUE(errors_.empty()) << errors_.front();

  // It reopens where it was closed; Esc closes it and applies nothing.
  RECT reopened{};
  ScriptModalLoop({{20, [&] {
                      TfmFilterControlDialog* again = Active<TfmFilterControlDialog>();
                      ASSERT_NE(again, nullptr);
                      reopened = RECT{again->Left(), again->Top(), again->Width(), again->Height()};
                      again->FilterControl->SetFocus();
                      SimulateKeyPress(VK_DELETE, 2);
                      SimulateKeyPress(VK_ESCAPE);
                    }}});
  view_->Filtering()->RunFilterDialog(nullptr);
  EndScript();
  EXPECT_EQ(reopened.left, 40);
  EXPECT_EQ(reopened.top, 30);
  EXPECT_EQ(reopened.right, 600);
  EXPECT_EQ(reopened.bottom, 400);
  EXPECT_EQ(RowTexts(u"SURNAME"), std::vector<std::string>{"Belov"}) << "cancelled";
}

TEST_F(CxFilterDialogsTest, TheBuildersOkWithARowWithoutAColumnShowsWhyAndAppliesNothing) {
  bool openAfterOk = false;
  ScriptModalLoop({{20,
                    [&] {
                      auto* dialog = Active<TfmFilterControlDialog>();
                      ASSERT_NE(dialog, nullptr);
                      dialog->FilterControl->AddCondition(nullptr);
                      dynamic_cast<TcxConditionViewInfo*>(dialog->FilterControl->Rows(1))->SetItem(-1);
                      QueueClick(dialog->btOk);
                    }},
                   {200, [&] {
                      openAfterOk = Active<TfmFilterControlDialog>() != nullptr;
                      SimulateKeyPress(VK_ESCAPE);
                    }}});
  view_->Filtering()->RunFilterDialog(nullptr);
  EndScript();
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(errors_, std::vector<std::string>{"A filter condition has no column or no operator"});
  EXPECT_TRUE(Filter()->IsEmpty());
  EXPECT_FALSE(Filter()->Active()) << "the apply handler did not run";
}

TEST_F(CxFilterDialogsTest, OnTheDesktopThePopupsCustomEntryAndTheCustomizeButtonOpenTheDialogs) {
  if (!OnVirtualDesktop()) {
    if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
    RunTestOnVirtualDesktop();
    return;
  }
  SetScreenSize(1024, 768);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << LastDisplayError();
  void* window = DisplaySdlWindow();
  ASSERT_NE(window, nullptr);
  view_->Filtering()->SetVisible(fvAlways);
  Pump();
  TcxGridFilterPopup popup(view_);
  popup.ListBox()->Font()->SetName(kFixedTestFontName);
  int popupDiffering = -1, customDiffering = -1, builderDiffering = -1;
  ScriptModalLoop({{50,
                    [&] {
                      popupDiffering = DesktopPixelsDiffering(window, popup.Handle());
                      const RECT custom = popup.ListBox()->ItemRect(popup.Texts()->IndexOf(u"(Custom...)"));
                      SimulateMouseMove(At(popup.ListBox(), custom.left + 4, custom.top + 4));
                      SimulateClick(TSimButton::Left, At(popup.ListBox(), custom.left + 4, custom.top + 4));
                    }},
                   {200,
                    [&] {
                      auto* dialog = Active<TcxFilterDialog>();
                      ASSERT_NE(dialog, nullptr);
                      customDiffering = DesktopPixelsDiffering(window, dialog->Handle());
                      dialog->ValueEdit1()->SetFocus();
                      SimulateText(u"T%");
                      SimulateKeyPress(VK_RETURN);
                    }}});
  for (int i = 0; i < 20; ++i) SimulateMouseMove(At(form_, 300 + i, 250));
  popup.Popup(Column(u"CITY"), RECT{80, 0, 96, 18}, RECT{0, 0, 100, 18});
  EndScript();
  EXPECT_EQ(RowTexts(u"SURNAME"), std::vector<std::string>{"Belov"});

  auto* viewInfo = static_cast<TcxGridTableViewInfo*>(view_->ViewInfo());
  const RECT customize = viewInfo->FilterViewInfo()->ButtonsViewInfo()->Items(2)->Bounds;
  ScriptModalLoop({{100, [&] {
                      auto* builder = Active<TfmFilterControlDialog>();
                      ASSERT_NE(builder, nullptr);
                      EXPECT_EQ(builder->FilterControl->RowCount(), 2) << "the city condition";
                      builderDiffering = DesktopPixelsDiffering(window, builder->Handle());
                      SimulateKeyPress(VK_ESCAPE);
                    }}});
  Click(view_->Site(), customize.left + 4, customize.top + 4);
  EndScript();
  EXPECT_EQ(popupDiffering, 0) << "the pop-up's pixels on the desktop";
  EXPECT_EQ(customDiffering, 0) << "the custom dialog's pixels on the desktop";
  EXPECT_EQ(builderDiffering, 0) << "the builder's pixels on the desktop";
  EXPECT_TRUE(errors_.empty());
  StopDisplay();
}
