#include "dx/editors/dxPopupEdit.h"

#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Backend.h"

namespace {

class DxPopupEditTest : public DxEditorsTest {
 protected:
  void SetUp() override {
    DxEditorsTest::SetUp();
    host_ = MakeHost();
    form_ = GetParentForm(host_);
    panel_ = new TPanel(form_);
    panel_->SetParent(form_);
    panel_->SetBounds(320, 100, 120, 80);
    panel_->SetAlign(alNone);
    edit_ = new TdxInplacePopupEdit(host_);
    edit_->SetParent(host_);
    edit_->SetPopupControl(panel_);
    edit_->ShowAt(RECT{10, 10, 160, 30});
    edit_->SetFocus();
    Pump();
  }
  void TearDown() override {
    SetMessagePumpHook(nullptr);
    DxEditorsTest::TearDown();
  }
  // Opens the pop-up with F4; While runs inside its message loop until it answers false.
  void OpenWhile(std::function<bool()> While) {
    SetMessagePumpHook([this, While] {
      if (inHook_) return;
      TValueScope<bool> guard(inHook_, true);
      if (!While()) SetMessagePumpHook(nullptr);
    });
    Key(VK_F4);
    SetMessagePumpHook(nullptr);
  }
  bool Shown() const {
    TdxPopupEditForm* f = edit_->PopupForm();
    return f && f->HandleAllocated() && IsWindowVisible(f->Handle());
  }

  TTestContainer* host_ = nullptr;
  TCustomForm* form_ = nullptr;
  TPanel* panel_ = nullptr;
  TdxInplacePopupEdit* edit_ = nullptr;
  bool inHook_ = false;
};

}  // namespace

TEST_F(DxPopupEditTest, TheBorrowedControlComesBackAsItWas) {
  bool sawInside = false;
  std::vector<bool> closeUps;
  edit_->OnPopupCloseUp = [&](TObject*, String& Text, bool& Accept) {
    closeUps.push_back(Accept);
    Text = u"выбрано";
  };
  OpenWhile([&] {
    if (!Shown()) return true;
    sawInside = panel_->Parent() == edit_->PopupForm() && panel_->Align() == alClient && panel_->Visible();
    KeepCheckedScreen("popup form");
    edit_->PopupForm()->SetModalResult(mrOk);
    PostMessage(edit_->PopupForm()->Handle(), WM_NULL, 0, 0);
    return false;
  });
  Pump();
  EXPECT_TRUE(sawInside);
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(edit_->PopupOpen());
  EXPECT_EQ(panel_->Parent(), form_);
  EXPECT_EQ(panel_->Align(), alNone);
  EXPECT_EQ(panel_->Left(), 320);
  EXPECT_EQ(panel_->Top(), 100);
  EXPECT_EQ(panel_->Width(), 120);
  EXPECT_TRUE(panel_->Visible());
  EXPECT_EQ(closeUps, std::vector<bool>{true});
  EXPECT_EQ(StringToUtf8(edit_->Text()), "выбрано");
  EXPECT_TRUE(edit_->GetModified());
}

TEST_F(DxPopupEditTest, ARefusingCloseQueryKeepsTheFormOpen) {
  bool allow = false;
  int queries = 0;
  edit_->OnPopupCloseQuery = [&](TObject*, bool& CanClose) {
    ++queries;
    CanClose = allow;
  };
  OpenWhile([&] {
    if (!Shown()) return true;
    TdxPopupEditForm* popup = edit_->PopupForm();
    if (queries == 0) {
      if (popup->ModalResult() == mrNone) popup->SetModalResult(mrOk);
      PostMessage(popup->Handle(), WM_NULL, 0, 0);
      return true;
    }
    // Refused once: still open, its result cleared.
    EXPECT_EQ(popup->ModalResult(), mrNone);
    allow = true;
    popup->SetModalResult(mrOk);
    PostMessage(popup->Handle(), WM_NULL, 0, 0);
    return false;
  });
  Pump();
  EXPECT_GE(queries, 2);
  EXPECT_FALSE(Shown());
}

TEST_F(DxPopupEditTest, CircularReferenceIsRefused) {
  edit_->SetPopupControl(host_);
  EXPECT_THROW(edit_->ShowPopupForm(), Exception);
  EXPECT_FALSE(edit_->PopupOpen());
}

TEST_F(DxPopupEditTest, TheFormFlipsAboveAndLeftNearTheScreensCorner) {
  form_->SetBounds(700, 600, 300, 150);
  Pump();
  edit_->SetPopupControl(nullptr);
  TdxPopupEditForm popup(nullptr);
  popup.SetBounds(0, 0, 400, 300);
  edit_->PositionPopupForm(&popup);
  RECT e;
  GetWindowRect(edit_->Handle(), &e);
  EXPECT_EQ(popup.Left() + popup.Width(), e.right);
  EXPECT_EQ(popup.Top() + popup.Height(), e.top);
  EXPECT_EQ(popup.GripCorner, 0);
}
