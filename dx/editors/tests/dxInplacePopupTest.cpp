#include <gtest/gtest.h>

#include "dx/editors/dxInplacePopup.h"
#include "dx/editors/dxTextEdit.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"

namespace {

// A drop-down window as the calendar or calculator makes one.
class TTestPopup : public TdxInplacePopupControl {
 public:
  explicit TTestPopup(TComponent* AOwner) : TdxInplacePopupControl(AOwner) { SetIsPopup(true); }
};

// Counts the pop-up-closed messages that reach an editor.
class TListeningEdit : public TdxInplaceTextEdit {
 public:
  using TdxInplaceTextEdit::TdxInplaceTextEdit;
  int Closed = 0;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_DXPOPUPCLOSED) ++Closed;
    TdxInplaceTextEdit::WndProc(Message);
  }
};

class DxInplacePopupTest : public DxEditorsTest {};

TEST_F(DxInplacePopupTest, AFramedPopupWithAShadowLosesItsFrameAndShadowFromTheClientArea) {
  auto* host = MakeHost();
  auto* edit = new TListeningEdit(host);
  edit->SetParent(host);
  edit->ShowAt(RECT{10, 10, 100, 30});
  auto* popup = new TTestPopup(edit);
  popup->SetOwnerControl(edit);
  popup->SetPopupBorder(pbFrame3D);
  popup->SetShadow(true);
  popup->SetBounds(200, 200, 100, 80);
  popup->ShowPopup();
  Pump();
  RECT window, client;
  GetWindowRect(popup->Handle(), &window);
  GetClientRect(popup->Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(popup->Handle(), &origin);
  EXPECT_EQ(origin.x - window.left, 4);
  EXPECT_EQ(origin.y - window.top, 4);
  EXPECT_EQ(window.right - (origin.x + client.right), 6);
  EXPECT_EQ(window.bottom - (origin.y + client.bottom), 6);

  popup->ClosePopup(false);
  Pump();
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(GetFocus(), edit->Handle());
  // Once for the close, and once more for the focus the pop-up lost on the way.
  EXPECT_GE(edit->Closed, 1);
}

TEST_F(DxInplacePopupTest, ClosingAHiddenPopupStillTellsItsEditorButLeavesTheFocus) {
  auto* host = MakeHost();
  auto* edit = new TListeningEdit(host);
  edit->SetParent(host);
  edit->ShowAt(RECT{10, 10, 100, 30});
  auto* other = new TTestContainer(GetParentForm(host));
  other->SetParent(GetParentForm(host));
  other->SetBounds(0, 220, 50, 20);
  other->SetTabStop(true);
  Pump();
  ::SetFocus(other->Handle());
  Pump();
  const HWND focused = GetFocus();
  ASSERT_EQ(focused, other->Handle());
  auto* popup = new TTestPopup(edit);
  popup->SetOwnerControl(edit);
  popup->HandleNeeded();
  popup->ClosePopup(true);
  Pump();
  EXPECT_EQ(edit->Closed, 1);
  EXPECT_EQ(GetFocus(), focused);
}

TEST_F(DxInplacePopupTest, HintsStayOnTheScreen) {
  SetFixedTestFontForAllFaces(true);
  TdxContainerHintWindow hint(nullptr);
  TFont font;
  hint.ShowHint(POINT{100, 100}, u"Полное имя", &font);
  RECT r;
  GetWindowRect(hint.Handle(), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  hint.ShowHint(POINT{1020, 760}, u"Полное имя", &font);
  GetWindowRect(hint.Handle(), &r);
  EXPECT_EQ(r.left, 1024 - w);
  EXPECT_EQ(r.top, 768 - h);
  hint.ShowHint(POINT{-50, -20}, u"Полное имя", &font);
  GetWindowRect(hint.Handle(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(SendMessage(hint.Handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  hint.HideHint();
  EXPECT_FALSE(IsWindowVisible(hint.Handle()));
  SetFixedTestFontForAllFaces(false);
}

// One wheel notch scrolls as many lines as the system says.
TEST_F(DxInplacePopupTest, TheWheelScrollsTheHostByLines) {
  struct TCountingHost : TTestContainer {
    using TTestContainer::TTestContainer;
    int down = 0, up = 0;
    void MouseWheelScroll(bool Up, int Lines) override {
      (Up ? up : down) += Lines;
      TTestContainer::MouseWheelScroll(Up, Lines);
    }
  };
  TForm* f = MakeForm();
  auto* host = new TCountingHost(f);
  host->SetParent(f);
  host->SetBounds(0, 0, 200, 100);
  f->Show();
  host->SetFocus();
  Pump();
  SimulateWheel(-120, At(host, 50, 50));
  Pump();
  EXPECT_EQ(host->down, Mouse->WheelScrollLines());
  SimulateWheel(120, At(host, 50, 50));
  Pump();
  EXPECT_EQ(host->up, Mouse->WheelScrollLines());
}

// The wheel over an in-place editor scrolls its host, once per notch.
TEST_F(DxInplacePopupTest, TheWheelOverAnEditorScrollsItsHost) {
  struct TCountingHost : TTestContainer {
    using TTestContainer::TTestContainer;
    int down = 0;
    void MouseWheelScroll(bool Up, int Lines) override {
      if (!Up) down += Lines;
      TTestContainer::MouseWheelScroll(Up, Lines);
    }
  };
  TForm* f = MakeForm();
  auto* host = new TCountingHost(f);
  host->SetParent(f);
  host->SetBounds(0, 0, 200, 100);
  f->Show();
  Pump();
  auto* edit = new TdxInplaceTextEdit(host);
  edit->SetParent(host);
  edit->ShowAt(RECT{10, 10, 100, 30});
  Pump();
  SimulateWheel(-120, At(edit, 20, 8));
  Pump();
  EXPECT_EQ(host->down, Mouse->WheelScrollLines());
}

}  // namespace
