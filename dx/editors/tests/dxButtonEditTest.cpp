#include "dx/editors/dxButtonEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"

namespace {

class DxButtonEditTest : public DxEditorsTest {
 protected:
  TdxInplaceButtonEdit* MakeEditor(int Buttons) {
    host_ = MakeHost();
    auto* edit = new TdxInplaceButtonEdit(host_);
    edit->SetParent(host_);
    edit->OnButtonClick = [this](TObject*, int Index) { clicks_.push_back(Index); };
    while (edit->Buttons()->Count() < Buttons) edit->Buttons()->Add();
    edit->ShowAt(RECT{10, 10, 210, 30});
    edit->SetFocus();
    Pump();
    return edit;
  }
  // The centre of the N-th laid-out button, in screen coordinates.
  static POINT ButtonCentre(TdxInplaceButtonEdit* Edit, int N) {
    auto viewData = Edit->CreateViewData(false);
    TdxEditViewInfo info;
    Edit->EditClass()->CalcViewInfo(viewData.get(), false, info);
    const RECT r = TdxDropDownEditMetaClass::ButtonRects(info, static_cast<TdxDropDownEditViewData*>(viewData.get()))[N];
    RECT w;
    GetWindowRect(Edit->Handle(), &w);
    return POINT{w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
  }

  TTestContainer* host_ = nullptr;
  std::vector<int> clicks_;
};

}  // namespace

TEST_F(DxButtonEditTest, NoMoreThanEightButtons) {
  auto* edit = MakeEditor(8);
  try {
    edit->Buttons()->Add();
    ADD_FAILURE() << "a ninth button was added";
  } catch (const Exception& e) {
    EXPECT_EQ(StringToUtf8(e.Message()), "Too many buttons ( >= 8)");
  }
  EXPECT_EQ(edit->Buttons()->Count(), 8);
}

TEST_F(DxButtonEditTest, ASingleButtonIsTheDefaultAndTheClickKeyClicksIt) {
  auto* edit = MakeEditor(3);
  edit->Buttons()->Delete(2);
  edit->Buttons()->Delete(1);
  EXPECT_TRUE(edit->Buttons()->GetItem(0)->Default());
  Key(VK_RETURN, 2);
  EXPECT_EQ(clicks_, std::vector<int>{0});
  EXPECT_EQ(StringToUtf8(edit->Text()), "") << "no line break typed";
}

TEST_F(DxButtonEditTest, ClicksReportTheCollectionIndexPastHiddenButtons) {
  auto* edit = MakeEditor(3);
  edit->Buttons()->GetItem(0)->SetVisible(false);
  edit->Buttons()->GetItem(2)->SetKind(bkDown);
  auto viewData = edit->CreateViewData(false);
  TdxEditViewInfo info;
  edit->EditClass()->CalcViewInfo(viewData.get(), false, info);
  auto* v = static_cast<TdxDropDownEditViewData*>(viewData.get());
  ASSERT_EQ(v->ButtonCount, 2);
  EXPECT_EQ(v->Buttons[1].Kind, bkDown);
  KeepCheckedWindow(edit->Handle(), "buttons");
  for (int n : {1, 0}) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, ButtonCentre(edit, n));
    Pump();
  }
  EXPECT_EQ(clicks_, (std::vector<int>{2, 1}));
  edit->Buttons()->GetItem(1)->SetDefault(true);
  edit->Buttons()->GetItem(2)->SetDefault(true);
  EXPECT_FALSE(edit->Buttons()->GetItem(1)->Default()) << "one default at a time";
  edit->ClickDefaultButton();
  EXPECT_EQ(clicks_.back(), 2);
}

TEST_F(DxButtonEditTest, ButtonsOnlyFillTheEditor) {
  auto* edit = MakeEditor(2);
  edit->Buttons()->GetItem(0)->SetWidth(20);
  edit->Buttons()->GetItem(1)->SetWidth(30);
  edit->SetTextMode(2);
  auto viewData = edit->CreateViewData(false);
  viewData->Bounds = RECT{0, 0, 200, 20};
  TdxEditViewInfo info;
  edit->EditClass()->CalcViewInfo(viewData.get(), false, info);
  auto* v = static_cast<TdxDropDownEditViewData*>(viewData.get());
  EXPECT_EQ(info.Inner.right, info.Inner.left);
  EXPECT_EQ(v->Buttons[0].Width + v->Buttons[1].Width, 200 - 4);
  EXPECT_EQ(v->Buttons[0].Width, 20);
  EXPECT_FALSE(edit->IsEditClass());
}

TEST_F(DxButtonEditTest, AnEditorStoredWithoutButtonsLoadsWithout) {
  for (bool keep : {false, true}) {
    TdxInplaceButtonEdit source(nullptr);
    source.SetName(u"beRank");
    if (!keep) source.Buttons()->Clear();
    TMemoryStream stream;
    TWriter(&stream).WriteRootComponent(&source);
    stream.SetPosition(0);
    TdxInplaceButtonEdit loaded(nullptr);
    TReader(&stream).ReadRootComponent(&loaded);
    EXPECT_EQ(loaded.Buttons()->Count(), keep ? 1 : 0);
  }
}
