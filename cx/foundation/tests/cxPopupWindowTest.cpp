#include "cx/foundation/cxPopupWindow.h"

#include <string>
#include <vector>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/StdCtrls.h"

namespace {

struct PlaceCase {
  const char* name;
  RECT owner;
  SIZE size;
  TcxPopupPlacement direction;
  TcxPopupHorzAlignment horz;
  TcxPopupVertAlignment vert;
  POINT expected;
};

TEST(CxPopupPlacement, FlipsToTheSideWithMoreRoomAndClampsOnlyWhereItShould) {
  const RECT work{0, 0, 1024, 740};
  const PlaceCase cases[] = {
      {"below", {100, 100, 200, 120}, {100, 50}, ppVertical, phaLeft, pvaBottom, {100, 120}},
      {"below near the bottom opens above", {100, 700, 200, 720}, {100, 50}, ppVertical, phaLeft, pvaBottom,
       {100, 650}},
      {"equal room stays below without clamping", {100, 360, 200, 380}, {100, 400}, ppVertical, phaLeft,
       pvaBottom, {100, 380}},
      {"too wide: shifted left", {950, 100, 1000, 120}, {200, 50}, ppVertical, phaLeft, pvaBottom, {824, 120}},
      {"right aligned", {100, 100, 200, 120}, {150, 50}, ppVertical, phaRight, pvaBottom, {50, 120}},
      {"above without room flips below", {100, 10, 200, 30}, {100, 50}, ppVertical, phaLeft, pvaTop, {100, 30}},
      {"beside at the right edge flips left", {950, 100, 1000, 120}, {100, 50}, ppHorizontal, phaRight, pvaTop,
       {850, 100}},
      {"centred is clamped", {0, 100, 100, 120}, {200, 50}, ppVertical, phaCenter, pvaBottom, {0, 120}},
      {"beside near the bottom is clamped up", {100, 720, 200, 740}, {100, 50}, ppHorizontal, phaRight, pvaTop,
       {200, 690}},
  };
  for (const PlaceCase& c : cases) {
    const POINT p = cxCalculatePopupPosition(c.owner, c.size, work, c.direction, c.horz, c.vert);
    EXPECT_EQ(p.x, c.expected.x) << c.name;
    EXPECT_EQ(p.y, c.expected.y) << c.name;
  }
}

class CxPopupTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form_ = MakeForm(100, 100, 500, 400);
    owner_ = new TEdit(form_);
    owner_->SetParent(form_);
    owner_->SetBounds(20, 20, 150, 24);
    owner_->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Log("owner down"); };
    elsewhere_ = new TEdit(form_);
    elsewhere_->SetParent(form_);
    elsewhere_->SetBounds(20, 300, 150, 24);
    form_->Show();
    Pump();
  }
  void TearDown() override {
    for (auto it = popups_.rbegin(); it != popups_.rend(); ++it) delete *it;
    popups_.clear();
    CxControlsTest::TearDown();
  }

  // A pop-up under AOwner with a list box inside, shown without its own loop.
  TcxCustomPopupWindow* MakePopup(TWinControl* AOwner, const std::string& AName, bool AModal = false) {
    auto* p = new TcxCustomPopupWindow(AOwner);
    popups_.push_back(p);
    p->SetModalMode(AModal);
    p->SetOwnerParent(AOwner);
    p->SetOwnerBounds({0, 0, AOwner->Width(), AOwner->Height()});
    auto* list = new TListBox(p);
    list->SetParent(p);
    list->SetBounds(0, 0, 150, 100);
    p->OnClosed = [this, AName](TObject*) { Log(AName + " closed"); };
    return p;
  }
  void Log(const std::string& s) { log_.push_back(s); }
  static TListBox* ListOf(TcxCustomPopupWindow* p) { return static_cast<TListBox*>(p->Controls(0)); }

  TForm* form_ = nullptr;
  TEdit* owner_ = nullptr;
  TEdit* elsewhere_ = nullptr;
  std::vector<TcxCustomPopupWindow*> popups_;
  std::vector<std::string> log_;
};

TEST_F(CxPopupTest, ShowsBelowItsOwnerSizedFromItsChildren) {
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->SetFrameStyle(pfLine);
  p->Popup(nullptr);
  Pump();
  ASSERT_TRUE(p->IsPopupShown());
  EXPECT_EQ(p->Width(), 152);
  EXPECT_EQ(p->Height(), 102);
  EXPECT_EQ(ListOf(p)->Left(), 1);
  const POINT below = owner_->ClientToScreen({0, 24});
  EXPECT_EQ(p->Left(), below.x);
  EXPECT_EQ(p->Top(), below.y);
  EXPECT_EQ(cxShownPopups().back(), p);
  KeepCheckedScreen();
}

TEST_F(CxPopupTest, AClickInANonModalPopupLeavesTheFocusWithTheOwner) {
  owner_->SetFocus();
  Pump();
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->SetFrameStyle(pfLine);
  p->Popup(nullptr);
  Pump();
  Click(p, 0, 50);  // on its frame
  EXPECT_TRUE(p->IsPopupShown());
  EXPECT_TRUE(owner_->Focused()) << "the popup is not activated by the click";
  EXPECT_EQ(GetActiveWindow(), form_->Handle());
  EXPECT_EQ(SendMessage(p->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(p->Handle()), HTCLIENT),
            MA_NOACTIVATE);
}

TEST_F(CxPopupTest, AClickElsewhereOnTheOwnersFormClosesIt) {
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->Popup(nullptr);
  Pump();
  Click(elsewhere_, 5, 5);
  EXPECT_FALSE(p->IsPopupShown());
  EXPECT_FALSE(p->Visible());
  EXPECT_EQ(log_, (std::vector<std::string>{"p closed"}));
}

TEST_F(CxPopupTest, AClickOnTheOwnerInsideOwnerBoundsClosesItAndStillReachesTheOwner) {
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->Popup(nullptr);
  Pump();
  Click(owner_, 140, 10);
  EXPECT_FALSE(p->IsPopupShown());
  EXPECT_EQ(log_, (std::vector<std::string>{"p closed", "owner down"}));
}

TEST_F(CxPopupTest, AClickInsideANestedPopupClosesNeitherAndOneInTheOuterClosesTheNested) {
  TcxCustomPopupWindow* outer = MakePopup(owner_, "outer");
  outer->Popup(nullptr);
  Pump();
  TcxCustomPopupWindow* inner = MakePopup(ListOf(outer), "inner");
  inner->Popup(nullptr);
  Pump();
  Click(ListOf(inner), 10, 10);
  EXPECT_TRUE(outer->IsPopupShown());
  EXPECT_TRUE(inner->IsPopupShown());
  Click(ListOf(outer), 10, 10);
  EXPECT_TRUE(outer->IsPopupShown());
  EXPECT_EQ(log_, (std::vector<std::string>{"inner closed"}));
}

TEST_F(CxPopupTest, HidingTheOwnerClosesItsPopupAndEveryOneShownAfter) {
  TcxCustomPopupWindow* first = MakePopup(elsewhere_, "first");
  first->Popup(nullptr);
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->Popup(nullptr);
  TcxCustomPopupWindow* later = MakePopup(ListOf(p), "later");
  later->Popup(nullptr);
  Pump();
  ShowWindow(owner_->Handle(), SW_HIDE);
  Pump();
  EXPECT_EQ(log_, (std::vector<std::string>{"later closed", "p closed"}));
  EXPECT_TRUE(first->IsPopupShown());
}

TEST_F(CxPopupTest, CloseOnThePopupWindowIsPassedToTheOwnersForm) {
  bool asked = false;
  form_->OnCloseQuery = [&](TObject*, bool& CanClose) {
    asked = true;
    CanClose = false;
  };
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->Popup(nullptr);
  Pump();
  SendMessage(p->Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(p->IsPopupShown());
  EXPECT_TRUE(asked);
  form_->OnCloseQuery = nullptr;
}

TEST_F(CxPopupTest, TheOwnersCaptionStaysActiveAndAltLettersAreSwallowed) {
  std::vector<WORD> keys;
  owner_->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keys.push_back(Key); };
  owner_->SetFocus();
  Pump();
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->Popup(owner_);
  Pump();
  EXPECT_EQ(SendMessage(form_->Handle(), WM_NCACTIVATE, FALSE, 0), TRUE);
  // The suppression is for one call only.
  EXPECT_EQ(GetWindowLongPtr(form_->Handle(), GWL_WNDPROC) == 0, false);

  Key('F', 4);
  Key(VK_DOWN, 4);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_DOWN}));
  owner_->OnKeyDown = nullptr;
}

TEST_F(CxPopupTest, TheCloseMessageRefocusesTheOwnerAndTheApplicationsDeactivationCloses) {
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  elsewhere_->SetFocus();
  Pump();
  p->Popup(nullptr);
  Pump();
  p->PostClosePopup();
  Pump();
  EXPECT_FALSE(p->IsPopupShown());
  EXPECT_EQ(form_->ActiveControl(), owner_) << "the owner is told it has the focus";

  p->Popup(nullptr);
  Pump();
  SendMessage(form_->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  Pump();
  EXPECT_FALSE(p->IsPopupShown());
  EXPECT_EQ(log_, (std::vector<std::string>{"p closed", "p closed"}));
}

TEST_F(CxPopupTest, AModalPopupRunsItsOwnLoopDroppingAltEnterUntilItsResultIsSet) {
  TcxCustomPopupWindow* p = MakePopup(owner_, "p", true);
  std::vector<std::string> keys;
  ListOf(p)->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keys.push_back(std::to_string(Key)); };
  int queries = 0;
  p->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++queries > 1; };
  bool shownInLoop = false;
  ScriptModalLoop({
      {50, [&] { shownInLoop = p->IsPopupShown() && p->Visible(); }},
      {80, [&] { PostMessage(ListOf(p)->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0x20000000); }},
      // As a button inside would: set the result, and its click's message wakes the loop.
      {100, [&] { p->SetModalResult(mrOk), PostMessage(p->Handle(), WM_NULL, 0, 0); }},  // refused once
      {150, [&] { p->SetModalResult(mrOk), PostMessage(p->Handle(), WM_NULL, 0, 0); }},
  });
  // Alt+Enter waiting in the queue when the loop starts is dropped; Alt+Down later passes.
  PostMessage(ListOf(p)->Handle(), WM_SYSKEYDOWN, VK_RETURN, 0x20000000);
  p->Popup(ListOf(p));
  EndScript();
  EXPECT_TRUE(shownInLoop);
  EXPECT_FALSE(p->IsPopupShown());
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(keys, (std::vector<std::string>{std::to_string(VK_DOWN)}));
}

}  // namespace

namespace {

TEST_F(CxPopupTest, AModalPopupKeepsItsOwnersCaptionActiveAndClosesWhenAnotherWindowIsActivated) {
  TForm* other = MakeForm(650, 100, 200, 150);
  other->Show();
  Pump();
  SetActiveWindow(form_->Handle());
  Pump();
  TcxCustomPopupWindow* p = MakePopup(owner_, "p", true);
  HWND previous = nullptr;
  ScriptModalLoop({
      {50, [&] { previous = p->PrevActiveWindow(); }},
      {60, [&] { SetActiveWindow(other->Handle()); }},
  });
  p->Popup(nullptr);  // returns once the deactivation closed it
  EndScript();
  EXPECT_EQ(previous, form_->Handle());
  EXPECT_FALSE(p->IsPopupShown());
  EXPECT_EQ(log_, (std::vector<std::string>{"p closed"}));
}

}  // namespace

namespace {

TEST_F(CxPopupTest, AnOwnerHiddenByTheFrameworkClosesItsPopup) {
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->Popup(nullptr);
  Pump();
  owner_->Hide();  // the window moves out of sight without a show-window message
  Pump();
  EXPECT_FALSE(p->IsPopupShown());
}

TEST_F(CxPopupTest, AClickOnAnOwnerThatClosingHidesIsSwallowed) {
  TcxCustomPopupWindow* p = MakePopup(owner_, "p");
  p->OnClosed = [this](TObject*) { owner_->Hide(); };
  p->Popup(nullptr);
  Pump();
  Click(owner_, 140, 10);
  EXPECT_FALSE(p->IsPopupShown());
  EXPECT_TRUE(log_.empty()) << "the owner never saw the click";
}

}  // namespace
