// MDI forms: the main form's MDI client beside the aligned controls, child forms inside it, the
// active child, and the children's WindowState.
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/tests/FormsTestSupport.h"

class MDIFormTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    ASSERT_EQ(Application->MainForm(), nullptr) << "a test left a main form behind";
    Application->CreateForm(frame_);
    frame_->SetBounds(0, 0, 640, 480);
    frame_->SetFormStyle(fsMDIForm);
    frame_->Show();
    Pump();
  }
  void TearDown() override {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) delete *it;
    delete frame_;
    FormsTest::TearDown();
  }
  TForm* Child(int Left, int Top) {
    TForm* f = NewForm<TForm>(nullptr);
    f->SetFormStyle(fsMDIChild);
    f->SetBounds(Left, Top, 200, 150);
    children_.push_back(f);
    f->Show();
    Pump();
    return f;
  }
  static RECT ScreenClientOf(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  TForm* frame_ = nullptr;
  std::vector<TForm*> children_;
};

TEST_F(MDIFormTest, TheClientTakesTheRoomTheAlignedControlsLeave) {
  ASSERT_NE(frame_->ClientHandle(), nullptr);
  auto* top = Add<TPanel>(frame_, "Top", 0, 0, 100, 30);
  top->SetAlign(alTop);
  RECT client;
  GetWindowRect(frame_->ClientHandle(), &client);
  const POINT origin = frame_->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(client.top - origin.y, 30);
  EXPECT_EQ(client.right - client.left, frame_->ClientWidth());
  EXPECT_EQ(client.bottom - client.top, frame_->ClientHeight() - 30);
  // Resized with the form.
  frame_->SetBounds(0, 0, 500, 400);
  GetWindowRect(frame_->ClientHandle(), &client);
  EXPECT_EQ(client.bottom - client.top, frame_->ClientHeight() - 30);
}

TEST_F(MDIFormTest, ChildrenLiveInTheClientAndTheLastShownIsActive) {
  TForm* a = Child(10, 10);
  EXPECT_EQ(GetParent(a->Handle()), frame_->ClientHandle());
  EXPECT_EQ(frame_->ActiveMDIChild(), a);
  TForm* b = Child(40, 40);
  EXPECT_EQ(frame_->ActiveMDIChild(), b);
  SendMessage(frame_->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->Handle()), 0);
  EXPECT_EQ(frame_->ActiveMDIChild(), a);
  delete a;
  std::erase(children_, a);
  EXPECT_EQ(frame_->ActiveMDIChild(), b) << "the child left takes over";
}

TEST_F(MDIFormTest, AChildsWindowStateFollowsItsWindow) {
  TForm* a = Child(10, 10);
  a->SetWindowState(wsMaximized);
  EXPECT_TRUE(IsZoomed(a->Handle()));
  EXPECT_EQ(ScreenClientOf(a->Handle()), ScreenClientOf(frame_->ClientHandle()));
  SendMessage(a->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(a->WindowState(), wsNormal) << "restored through its system menu";
  SendMessage(frame_->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a->Handle()), 0);
  EXPECT_EQ(a->WindowState(), wsMaximized) << "maximised by the client";
  // A new child of a maximised active one comes maximised, the old one restored.
  TForm* b = Child(40, 40);
  EXPECT_EQ(b->WindowState(), wsMaximized);
  EXPECT_EQ(a->WindowState(), wsNormal);
}

TEST_F(MDIFormTest, AChildNeedsAnMDIMainForm) {
  frame_->SetFormStyle(fsNormal);
  EXPECT_EQ(frame_->ClientHandle(), nullptr);
  TForm* f = NewForm<TForm>(nullptr);
  children_.push_back(f);
  f->SetFormStyle(fsMDIChild);
  EXPECT_THROW(f->HandleNeeded(), EInvalidOperation);
}
