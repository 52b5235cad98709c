#include "cx/foundation/cxListBox.h"

#include <vector>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/StdCtrls.h"

namespace {

class CxInnerListBoxTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form_ = MakeForm();
    container_ = new TcxContainer(form_);
    container_->SetParent(form_);
    container_->SetBounds(20, 20, 150, 100);
    list_ = new TcxInnerListBox(container_);
    list_->SetParent(container_);
    list_->SetContainer(container_);
    container_->SetInnerControl(list_);
    container_->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) { containerKeys_.push_back(Key); };
    form_->Show();
    Pump();
    container_->ShortRefreshContainer(false);
    Pump();
  }
  void TearDown() override {
    container_->OnKeyDown = nullptr;
    container_->SetInnerControl(nullptr);
    CxControlsTest::TearDown();
  }
  void Fill(int ACount, int AWidth = 1) {
    for (int i = 0; i < ACount; ++i) list_->Items()->Add(String(static_cast<size_t>(AWidth), u'W'));
    Pump();
  }
  TForm* form_ = nullptr;
  TcxContainer* container_ = nullptr;
  TcxInnerListBox* list_ = nullptr;
  std::vector<WORD> containerKeys_;
};

TEST_F(CxInnerListBoxTest, LookAndFeelBarsCoverTheNativeOnesOnlyWhenShown) {
  EXPECT_FALSE(list_->VScrollBar()->Visible());
  EXPECT_FALSE(list_->HScrollBar()->Visible());
  Fill(30);
  TcxScrollBar* bar = list_->VScrollBar();
  ASSERT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Parent(), container_);
  SCROLLBARINFO info;
  ASSERT_TRUE(GetScrollBarInfo(list_->Handle(), OBJID_VSCROLL, &info));
  const POINT tl = container_->ScreenToClient({info.rcScrollBar.left, info.rcScrollBar.top});
  EXPECT_EQ(bar->Left(), tl.x);
  EXPECT_EQ(bar->Top(), tl.y);
  EXPECT_EQ(bar->Height(), info.rcScrollBar.bottom - info.rcScrollBar.top);
  SCROLLINFO si{};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  GetScrollInfo(list_->Handle(), SB_VERT, &si);
  EXPECT_EQ(bar->Max(), si.nMax);
  EXPECT_EQ(bar->PageSize(), static_cast<int>(si.nPage));
  EXPECT_EQ(bar->Position(), si.nPos);

  list_->Items()->Clear();
  Pump();
  EXPECT_FALSE(bar->Visible());
}

TEST_F(CxInnerListBoxTest, ScrollingTheLookAndFeelBarScrollsTheList) {
  Fill(30);
  TcxScrollBar* bar = list_->VScrollBar();
  ASSERT_TRUE(bar->Visible());
  Click(bar, bar->Width() / 2, bar->Height() - 3);  // the down arrow
  Click(bar, bar->Width() / 2, bar->Height() - 3);
  EXPECT_EQ(list_->TopIndex(), 2);
  EXPECT_EQ(bar->Position(), GetScrollPos(list_->Handle(), SB_VERT));
  bar->Scroll(scBottom);
  EXPECT_EQ(bar->Position(), GetScrollPos(list_->Handle(), SB_VERT));
  EXPECT_GT(list_->TopIndex(), 20);
}

TEST_F(CxInnerListBoxTest, TabAndEnterReachTheContainerWithoutMovingTheSelection) {
  Fill(5);
  list_->SetItemIndex(1);
  list_->SetFocus();
  Pump();
  Key(VK_RETURN);
  Key(VK_DOWN);
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(containerKeys_, (std::vector<WORD>{VK_RETURN, VK_DOWN}));
  Key(VK_TAB);
  EXPECT_EQ(containerKeys_.back(), VK_TAB);
  EXPECT_EQ(list_->ItemIndex(), 2);
}

TEST_F(CxInnerListBoxTest, AClickOnAnAutomaticDragEditorStartsItsDragInsteadOfSelecting) {
  Fill(5);
  list_->SetItemIndex(0);
  container_->SetDragMode(dmAutomatic);
  Down(list_, 10, 40);
  EXPECT_TRUE(container_->Dragging());
  EXPECT_EQ(list_->ItemIndex(), 0);
  Key(VK_ESCAPE);
  Up(list_, 10, 40);
  container_->SetDragMode(dmManual);
  list_->SetDragMode(dmManual);
}

TEST_F(CxInnerListBoxTest, TheCornerBetweenBothBarsIsButtonFace) {
  list_->SendToBack();
  SendMessage(list_->Handle(), LB_SETHORIZONTALEXTENT, 600, 0);
  Fill(30, 40);
  ASSERT_TRUE(list_->VScrollBar()->Visible());
  ASSERT_TRUE(list_->HScrollBar()->Visible());
  const RECT grip = list_->GetSizeGripRect();
  EXPECT_FALSE(IsRectEmpty(&grip));
  list_->Repaint();
  Pump();
  const POINT corner{list_->VScrollBar()->Left() + 3, list_->HScrollBar()->Top() + 3};
  EXPECT_EQ(ScreenPixel(container_, corner.x, corner.y), ColorToRGB(clBtnFace));
  KeepCheckedWindow(container_->Handle());
}

}  // namespace
