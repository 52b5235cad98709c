// Status, tool and cool bars through the real message path: panel layout and texts, the size grip
// sizing the form, tool buttons running their actions (and refusing while disabled), check and
// grouped buttons, hot tracking on a flat bar, bands laid out in rows.
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FormsTestSupport.h"

namespace {
COLORREF ClientPixel(TWinControl* c, int X, int Y) {
  UpdateWindow(c->Handle());
  HDC dc = GetDC(c->Handle());
  COLORREF p = GetPixel(dc, X, Y);
  ReleaseDC(c->Handle(), dc);
  return p;
}

// Whether any pixel of the rectangle differs from Colour (text or a frame was drawn there).
bool DrawnIn(TWinControl* c, const RECT& R, COLORREF Colour) {
  UpdateWindow(c->Handle());
  HDC dc = GetDC(c->Handle());
  bool drawn = false;
  for (int y = R.top; y < R.bottom && !drawn; ++y)
    for (int x = R.left; x < R.right && !drawn; ++x) drawn = GetPixel(dc, x, y) != Colour;
  ReleaseDC(c->Handle(), dc);
  return drawn;
}
}  // namespace

class StatusBarTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(100, 100, 500, 300);
    bar = new TStatusBar(form);
    bar->SetParent(form);
    for (int w : {150, 150, 50}) bar->Panels()->Add()->SetWidth(w);
    form->Show();
    Pump();
  }
  TForm* form = nullptr;
  TStatusBar* bar = nullptr;
};

TEST_F(StatusBarTest, PanelsSitSideBySideAndTheLastReachesTheGrip) {
  EXPECT_EQ(bar->Align(), alBottom);
  EXPECT_EQ(bar->Height(), 19);
  EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
  ASSERT_TRUE(bar->SizeGripShown());
  RECT p0 = bar->PanelRect(0), p1 = bar->PanelRect(1), p2 = bar->PanelRect(2), grip = bar->SizeGripRect();
  EXPECT_EQ(p0.left, 0);
  EXPECT_EQ(p0.right, 150);
  EXPECT_EQ(p1.left, 152);
  EXPECT_EQ(p1.right, 302);
  EXPECT_EQ(p2.left, 304);
  EXPECT_EQ(p2.right, grip.left) << "the last panel fills up to the grip";

  const COLORREF face = ColorToRGB(clBtnFace);
  RECT inside1{p1.left + 3, p1.top + 3, p1.right - 3, p1.bottom - 3};
  EXPECT_FALSE(DrawnIn(bar, inside1, face));
  bar->Panels()->Items(1)->SetText(u"Всего записей - 42");
  EXPECT_TRUE(DrawnIn(bar, inside1, face)) << "the text is drawn in its panel";
  EXPECT_EQ(ClientPixel(bar, p0.left, p0.top), ColorToRGB(clBtnShadow)) << "lowered bevel";
  KeepCheckedWindow(form->Handle());

  bar->SetSimplePanel(true);
  bar->SetSimpleText(u"Подсказка");
  EXPECT_TRUE(DrawnIn(bar, RECT{3, 5, 60, 16}, face));
  EXPECT_FALSE(DrawnIn(bar, RECT{p1.left + 3, 5, p1.left + 40, 16}, face)) << "panels are not drawn";
}

TEST_F(StatusBarTest, AnOwnerDrawnPanelIsDrawnByOnDrawPanel) {
  TStatusPanel* panel = bar->Panels()->Items(1);
  std::vector<RECT> drawn;
  bar->OnDrawPanel = [&](TStatusBar* Bar, TStatusPanel* P, const RECT& R) {
    EXPECT_EQ(P, panel);
    drawn.push_back(R);
    Bar->Canvas()->Brush()->SetColor(clRed);
    Bar->Canvas()->FillRect(R);
  };
  panel->SetStyle(psOwnerDraw);
  Pump();
  ASSERT_FALSE(drawn.empty());
  RECT r = bar->PanelRect(1);
  EXPECT_EQ(drawn.back(), (RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1})) << "inside the bevel";
  EXPECT_EQ(ClientPixel(bar, r.left + 5, r.top + 5), RGB(255, 0, 0));
  EXPECT_EQ(ClientPixel(bar, r.left, r.top), ColorToRGB(clBtnShadow));
  KeepCheckedWindow(bar->Handle());
}

TEST_F(StatusBarTest, TheGripSizesTheFormAndGoesWhenTheFormCannotBeSized) {
  RECT grip = bar->SizeGripRect();
  POINT start = At(bar, grip.right - 4, grip.bottom - 4);
  LRESULT hit = SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(start.x, start.y));
  EXPECT_EQ(hit, HTBOTTOMRIGHT);
  int width = form->Width(), height = form->Height();
  SimulateMouseDown(TSimButton::Left, start);
  SimulateMouseMove(POINT{start.x + 40, start.y + 30});
  SimulateMouseUp(TSimButton::Left, POINT{start.x + 40, start.y + 30});
  Pump();
  EXPECT_EQ(form->Width(), width + 40);
  EXPECT_EQ(form->Height(), height + 30);

  form->SetBorderStyle(bsDialog);
  Pump();
  EXPECT_FALSE(bar->SizeGripShown());
  grip = bar->SizeGripRect();
  start = At(bar, grip.right - 4, grip.bottom - 4);
  EXPECT_EQ(SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(start.x, start.y)), HTCLIENT);
}

class ToolBarTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(100, 100, 400, 200);
    list = new TActionList(form);
    bar = new TToolBar(form);
    bar->SetParent(form);
    bar->SetFlat(true);
    first = AddButton(tbsButton);
    separator = AddButton(tbsSeparator);
    check = AddButton(tbsCheck);
    action = new TAction(form);
    action->SetActionList(list);
    action->SetHint(u"Установить фильтр");
    action->OnExecute = [](TObject*) { Note("execute"); };
    first->SetAction(action);
    form->Show();
    Pump();
  }
  TToolButton* AddButton(TToolButtonStyle Style) {
    auto* b = new TToolButton(form);
    b->SetStyle(Style);
    b->SetParent(bar);
    return b;
  }
  TForm* form = nullptr;
  TActionList* list = nullptr;
  TToolBar* bar = nullptr;
  TToolButton *first = nullptr, *separator = nullptr, *check = nullptr;
  TAction* action = nullptr;
};

TEST_F(ToolBarTest, ButtonsAndSeparatorsAreLaidOutInOrder) {
  EXPECT_EQ(first->Left(), 0);
  EXPECT_EQ(first->Width(), 23);
  EXPECT_EQ(first->Top(), 2) << "below the top edge";
  EXPECT_EQ(first->Height(), 22);
  EXPECT_EQ(separator->Left(), 23);
  EXPECT_EQ(separator->Width(), 8);
  EXPECT_EQ(check->Left(), 31);
  EXPECT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(bar->Buttons(2), check);
  EXPECT_EQ(first->Hint(), u"Установить фильтр");
}

TEST_F(ToolBarTest, AButtonRunsItsActionOnlyWhileTheActionIsEnabled) {
  Click(first, 10, 10);
  EXPECT_EQ(EventLog(), std::vector<std::string>{"execute"});
  action->SetEnabled(false);
  EXPECT_FALSE(first->Enabled());
  Click(first, 10, 10);
  EXPECT_EQ(EventLog().size(), 1u);
  Click(separator, 3, 10);
  EXPECT_EQ(EventLog().size(), 1u);
}

// A button given its own picture keeps it when its action (which has none) changes; one showing the
// action's picture follows it.
TEST_F(ToolBarTest, AButtonsOwnPictureOutlivesChangesOfItsAction) {
  first->SetImageIndex(10);
  action->SetEnabled(false);
  EXPECT_EQ(first->ImageIndex(), 10);
  auto* other = new TAction(form);
  other->SetActionList(list);
  other->SetImageIndex(3);
  check->SetAction(other);
  EXPECT_EQ(check->ImageIndex(), 3);
  other->SetImageIndex(4);
  EXPECT_EQ(check->ImageIndex(), 4);
}

TEST_F(ToolBarTest, CheckButtonsStayDownAndGroupsKeepOneDown) {
  Click(check, 10, 10);
  EXPECT_TRUE(check->Down());
  Click(check, 10, 10);
  EXPECT_FALSE(check->Down());
  TToolButton* other = AddButton(tbsCheck);
  for (TToolButton* b : {check, other}) b->SetGrouped(true);
  Pump();
  Click(check, 10, 10);
  Click(other, 10, 10);
  EXPECT_TRUE(other->Down());
  EXPECT_FALSE(check->Down());
  Click(other, 10, 10);
  EXPECT_TRUE(other->Down()) << "the down button of a group stays down";
}

TEST_F(ToolBarTest, AFlatButtonShowsItsFrameOnlyUnderTheMouse) {
  const COLORREF face = ColorToRGB(clBtnFace);
  // The top-left corner of a flat button is the bar's face until the mouse is over it.
  EXPECT_EQ(ClientPixel(bar, first->Left(), first->Top()), face);
  SimulateMouseMove(At(first, 10, 10));
  Pump();
  Application->HandleMessage();  // mouse enter comes with the idle check
  EXPECT_TRUE(first->Hot());
  EXPECT_EQ(ClientPixel(bar, first->Left(), first->Top()), ColorToRGB(clBtnHighlight));
  KeepCheckedWindow(form->Handle(), "hot");
  SimulateMouseMove(At(bar, 300, 10));
  Pump();
  Application->HandleMessage();
  EXPECT_FALSE(first->Hot());
  EXPECT_EQ(ClientPixel(bar, first->Left(), first->Top()), face);
}

TEST_F(ToolBarTest, ButtonsWrapWhenTheRowIsFullAndAutoSizeFollows) {
  bar->SetAutoSize(true);
  for (int i = 0; i < 20; ++i) AddButton(tbsButton);
  Pump();
  TToolButton* last = bar->Buttons(bar->ButtonCount() - 1);
  EXPECT_EQ(last->Top(), 2 + 22) << "a second row";
  EXPECT_EQ(bar->Height(), 2 + 2 * 22);
}

TEST(CoolBarTest, BandsAreRowsOfControlsAndTheBarTakesTheirHeight) {
  VirtualClockScope clock;
  TForm* form = NewForm<TForm>(nullptr);
  std::unique_ptr<TForm> owner(form);
  form->SetBounds(50, 50, 600, 300);
  auto* cool = new TCoolBar(form);
  cool->SetParent(form);
  auto* one = new TToolBar(form);
  auto* two = new TToolBar(form);
  auto* three = new TToolBar(form);
  for (TToolBar* t : {one, two, three}) {
    t->SetEdgeBorders({});
    t->SetHeight(22);
  }
  TCoolBand* b1 = cool->Bands()->Add();
  b1->SetControl(one);
  TCoolBand* b2 = cool->Bands()->Add();
  b2->SetControl(two);
  b2->SetBreak(false);  // beside the first
  b1->SetWidth(200);
  TCoolBand* b3 = cool->Bands()->Add();
  b3->SetControl(three);
  b3->SetText(u"Сервис");
  form->Show();
  Application->ProcessMessages();
  EXPECT_EQ(one->Parent(), cool);
  EXPECT_EQ(one->Left(), 10);
  EXPECT_EQ(one->Width(), 200 - 10 - 2);
  EXPECT_EQ(two->Left(), 210);
  EXPECT_EQ(two->Top(), one->Top());
  EXPECT_EQ(three->Top(), 29 + 2) << "the third band starts the second row";
  EXPECT_GT(three->Left(), 10) << "after its text";
  EXPECT_EQ(cool->Height(), 2 * 29) << "two rows of 25 + 4";
  delete two;  // a freed control leaves its band
  EXPECT_EQ(b2->Control(), nullptr);
}
