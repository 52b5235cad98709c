// Hints: shown after the pause on the virtual clock, with the short part of the hint below the
// cursor, hidden after the hide pause; the quick re-show; the long part as Application->Hint.
#include "platform/forms/tests/FormsTestSupport.h"

class HintTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(50, 50, 400, 300);
    first = Add<TTestBox>(form, "First", 10, 10, 100, 30);
    first->SetHint(u"Save|Saves the card");
    first->SetShowHint(true);
    second = Add<TTestBox>(form, "Second", 150, 10, 100, 30);
    second->SetHint(u"Delete");
    second->SetShowHint(true);
    plain = Add<TTestBox>(form, "Plain", 10, 100, 100, 30);
    form->Show();
    Pump();
  }

  void MoveTo(TControl* c, int x, int y) {
    SimulateMouseMove(At(c, x, y));
    Pump();
  }
  void Wait(int ms) {
    clock_->Advance(ms);
    Pump();
  }
  static bool HintShown() {
    THintWindow* w = Application->HintWindow();
    return w && w->HandleAllocated() && IsWindowVisible(w->Handle());
  }

  TForm* form = nullptr;
  TTestBox* first = nullptr;
  TTestBox* second = nullptr;
  TTestBox* plain = nullptr;
};

TEST_F(HintTest, TheHintAppearsAfterItsPauseAndHidesAfterTheHidePause) {
  EXPECT_EQ(Application->HintPause(), 500);
  EXPECT_EQ(Application->HintHidePause(), 2500);
  MoveTo(first, 20, 10);
  Wait(499);
  EXPECT_FALSE(HintShown());
  Wait(1);
  ASSERT_TRUE(HintShown());
  THintWindow* w = Application->HintWindow();
  EXPECT_EQ(w->Caption(), u"Save");  // the part before "|"
  EXPECT_EQ(w->Color(), clInfoBk);
  RECT r;
  GetWindowRect(w->Handle(), &r);
  const POINT cursor = At(first, 20, 10);
  EXPECT_EQ(r.left, cursor.x);
  EXPECT_EQ(r.top, cursor.y + 20);  // below the cursor
  EXPECT_GT(r.right - r.left, 6);
  EXPECT_EQ(GetFocus(), first->Handle()) << "the hint window never takes the focus";

  // Moving inside the control keeps the hint; the hide pause ends it.
  MoveTo(first, 25, 12);
  EXPECT_TRUE(HintShown());
  Wait(2499);
  EXPECT_TRUE(HintShown());
  Wait(1);
  EXPECT_FALSE(HintShown());

  // The long part is the application's hint while the mouse is over the control.
  MSG m{};
  Application->Idle(m);
  EXPECT_EQ(Application->Hint(), u"Saves the card");
}

TEST_F(HintTest, AnotherControlRightAfterwardsShowsItsHintAfterTheShortPause) {
  MoveTo(first, 20, 10);
  Wait(500);
  ASSERT_TRUE(HintShown());
  MoveTo(second, 20, 10);
  EXPECT_FALSE(HintShown());
  Wait(49);
  EXPECT_FALSE(HintShown());
  Wait(1);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Application->HintWindow()->Caption(), u"Delete");

  // A control without ShowHint, a key or a click ends the hint; CancelHint starts over.
  MoveTo(plain, 5, 5);
  EXPECT_FALSE(HintShown());
  MoveTo(second, 20, 10);
  Wait(500);
  ASSERT_TRUE(HintShown());
  Key(VK_SHIFT);
  EXPECT_FALSE(HintShown());
  Application->CancelHint();
  MoveTo(second, 21, 10);
  Wait(50);
  EXPECT_FALSE(HintShown());  // the full pause again after CancelHint
  Wait(450);
  EXPECT_TRUE(HintShown());
}

TEST_F(HintTest, CMHintShowAndOnShowHintCanChangeOrStopTheHint) {
  Application->OnShowHint = [](String& HintStr, bool& CanShow, THintInfo& Info) {
    if (HintStr == u"Delete") CanShow = false;
    HintStr += u"!";
    Info.HideTimeout = 100;
  };
  MoveTo(first, 20, 10);
  Wait(500);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Application->HintWindow()->Caption(), u"Save!");
  Wait(100);
  EXPECT_FALSE(HintShown());
  MoveTo(second, 20, 10);
  Wait(500);
  EXPECT_FALSE(HintShown());
  Application->OnShowHint = nullptr;
  Application->SetShowHint(false);
  MoveTo(first, 30, 10);
  Wait(600);
  EXPECT_FALSE(HintShown());
  Application->SetShowHint(true);
}
