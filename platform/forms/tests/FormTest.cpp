// Forms: reading from a form resource and laying out, the modal loop, focus with its exit and
// enter notifications, dialog keys (Tab, Enter, Esc) and closing.
#include "platform/classes/FormResources.h"
#include "platform/forms/tests/FormsTestSupport.h"

class TLayoutTestForm : public TForm {
  TRENVIK_CLASS(TLayoutTestForm, TForm);

 public:
  explicit TLayoutTestForm(TComponent* AOwner) : TForm(AOwner) {}
  TTestPanel* Header = nullptr;
  TTestPanel* Footer = nullptr;
  TTestPanel* Side = nullptr;
  TTestPanel* Body = nullptr;
  TTestPanel* Inner = nullptr;
  TTestBox* OkBox = nullptr;
  TTestBox* NameBox = nullptr;
  TTestBox* CityBox = nullptr;
  TTestShape* Mark = nullptr;
  int Created = 0;
  void FormCreate(TObject*) { ++Created; }
};

TRENVIK_PUBLISHED(TLayoutTestForm) {
  P.Field("Header", &TLayoutTestForm::Header);
  P.Field("Footer", &TLayoutTestForm::Footer);
  P.Field("Side", &TLayoutTestForm::Side);
  P.Field("Body", &TLayoutTestForm::Body);
  P.Field("Inner", &TLayoutTestForm::Inner);
  P.Field("OkBox", &TLayoutTestForm::OkBox);
  P.Field("NameBox", &TLayoutTestForm::NameBox);
  P.Field("CityBox", &TLayoutTestForm::CityBox);
  P.Field("Mark", &TLayoutTestForm::Mark);
  P.Method("FormCreate", &TLayoutTestForm::FormCreate);
}

class FormTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    SetResourceDirectory(Utf8ToString(TRENVIK_TEST_DATA_DIR));
  }
  void TearDown() override {
    SetResourceDirectory(String());
    FormsTest::TearDown();
  }
  static RECT Bounds(TControl* c) { return c->BoundsRect(); }
};

TEST_F(FormTest, AFormReadFromItsResourceIsLaidOutByAlignAndAnchors) {
  auto* f = NewForm<TLayoutTestForm>(nullptr);
  forms_.push_back(f);
  EXPECT_EQ(f->Created, 1);  // OnCreate bound by name in the resource
  ASSERT_TRUE(f->Body && f->Inner && f->OkBox && f->Mark);
  EXPECT_EQ(f->Caption(), u"Layout");
  EXPECT_EQ(f->Inner->Parent(), f->Body);
  EXPECT_EQ(f->Mark->Parent(), f->Inner);
  EXPECT_EQ(f->ClientWidth(), 400);
  EXPECT_EQ(f->ClientHeight(), 300);

  auto expectRect = [](TControl* c, RECT r) {
    SCOPED_TRACE(StringToUtf8(c->Name()));
    EXPECT_EQ(c->Left(), r.left);
    EXPECT_EQ(c->Top(), r.top);
    EXPECT_EQ(c->Width(), r.right - r.left);
    EXPECT_EQ(c->Height(), r.bottom - r.top);
  };
  expectRect(f->Header, {0, 0, 400, 30});
  expectRect(f->Footer, {0, 260, 400, 300});
  expectRect(f->Side, {0, 30, 120, 260});
  expectRect(f->Body, {120, 30, 400, 260});
  expectRect(f->Inner, {0, 0, 280, 50});
  expectRect(f->OkBox, {300, 8, 375, 33});

  // Parent colour and font: the body keeps its own colour, the boxes inherit the form's font.
  EXPECT_EQ(f->Body->Color(), clWindow);
  EXPECT_EQ(f->NameBox->Color(), clWindow);
  EXPECT_EQ(f->Inner->Color(), clYellow);
  EXPECT_EQ(f->Mark->Color(), clYellow);
  EXPECT_EQ(f->NameBox->Font()->Name(), u"Tahoma");
  // The tab order comes from TabOrder, not from the order in the resource.
  std::vector<TWinControl*> order;
  f->Body->GetTabOrderList(order);
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(order[0], f->CityBox);
  EXPECT_EQ(order[1], f->NameBox);

  // Shown and resized: the layout follows, the anchored box keeps its distance to the right.
  f->Show();
  Pump();
  f->SetClientSize(500, 400);
  Pump();
  expectRect(f->Footer, {0, 360, 500, 400});
  expectRect(f->Side, {0, 30, 120, 360});
  expectRect(f->Body, {120, 30, 500, 360});
  expectRect(f->Inner, {0, 0, 380, 50});
  expectRect(f->OkBox, {400, 8, 475, 33});
  // The windows are where the controls say.
  RECT r;
  GetWindowRect(f->Body->Handle(), &r);
  POINT origin = f->ClientOrigin();
  EXPECT_EQ(r.left - origin.x, 120);
  EXPECT_EQ(r.top - origin.y, 30);
  // The graphic control was painted on its parent's window.
  UpdateWindow(f->Handle());
  Pump();
  EXPECT_GT(f->Mark->PaintCount, 0);
}

TEST_F(FormTest, AMissingResourceIsAnError) {
  // The framework's own form class reads no resource.
  auto* plain = NewForm<TForm>(nullptr);
  forms_.push_back(plain);
  EXPECT_EQ(plain->ControlCount(), 0);
  SetResourceDirectory(Utf8ToString(std::string(TRENVIK_TEST_DATA_DIR) + "/none"));
  EXPECT_THROW(NewForm<TLayoutTestForm>(nullptr), EResNotFound);
}

TEST_F(FormTest, ShowModalRunsUntilAButtonSetsModalResult) {
  auto* f = MakeForm();
  f->SetBorderStyle(bsDialog);
  auto* edit = Add<TTestBox>(f, "Edit", 10, 10, 100, 20);
  auto* ok = Add<TButton>(f, "Ok", 10, 50, 75, 25);
  ok->SetModalResult(mrOk);
  auto* cancel = Add<TButton>(f, "Cancel", 100, 50, 75, 25);
  cancel->SetModalResult(mrCancel);
  auto* other = MakeForm(600, 100, 200, 100);
  other->Show();
  Pump();
  int shownWhileModal = 0;
  bool otherDisabled = false;
  f->OnShow = [&](TObject*) { ++shownWhileModal; };
  f->OnActivate = [&](TObject*) { otherDisabled = !IsWindowEnabled(other->Handle()); };

  SimulateClick(TSimButton::Left, At(ok, 10, 10));
  EXPECT_EQ(f->ShowModal(), mrOk);
  EXPECT_EQ(shownWhileModal, 1);
  EXPECT_TRUE(otherDisabled);
  EXPECT_TRUE(IsWindowEnabled(other->Handle()));  // enabled again afterwards
  EXPECT_FALSE(f->Visible());
  EXPECT_EQ(f->ActiveControl(), ok);
  (void)edit;

  // Refused closing keeps the loop going; the close button answers mrCancel.
  int asked = 0;
  f->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++asked > 1; };
  SimulateClick(TSimButton::Left, At(ok, 10, 10));
  SimulateClick(TSimButton::Left, At(cancel, 10, 10));
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);

  // Closing (here the window's WM_CLOSE) ends the loop with mrCancel.
  f->OnCloseQuery = nullptr;
  f->OnShow = [&](TObject*) { PostMessage(f->Handle(), WM_CLOSE, 0, 0); };
  EXPECT_EQ(f->ShowModal(), mrCancel);
  // A visible form cannot become modal.
  other->Show();
  EXPECT_THROW(other->ShowModal(), EInvalidOperation);
}

TEST_F(FormTest, EnterAndExitFollowTheFocusThroughTheContainers) {
  auto* f = MakeForm();
  auto* panelA = Add<TTestPanel>(f, "PanelA", 0, 0, 200, 100);
  auto* panelB = Add<TTestPanel>(f, "PanelB", 0, 120, 200, 100);
  auto* a1 = Add<TTestBox>(panelA, "A1", 5, 5, 50, 20);
  auto* a2 = Add<TTestBox>(panelA, "A2", 5, 35, 50, 20);
  auto* b1 = Add<TTestBox>(panelB, "B1", 5, 5, 50, 20);
  for (TWinControl* c : std::initializer_list<TWinControl*>{panelA, panelB, a1, a2, b1}) {
    c->OnEnter = [](TObject* s) { Note("enter " + Name(s)); };
    c->OnExit = [](TObject* s) { Note("exit " + Name(s)); };
  }
  f->OnActivate = [](TObject*) { Note("activate"); };
  f->Show();
  Pump();
  EXPECT_EQ(f->ActiveControl(), a1);  // the first control in tab order
  EXPECT_EQ(GetFocus(), a1->Handle());
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"activate", "enter PanelA", "enter A1"}));

  EventLog().clear();
  b1->SetFocus();
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"exit A1", "exit PanelA", "enter PanelB", "enter B1"}));
  EXPECT_EQ(Screen->ActiveControl(), b1);

  EventLog().clear();
  Key(VK_TAB);  // wraps to the first control
  EXPECT_EQ(GetFocus(), a1->Handle());
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"exit B1", "exit PanelB", "enter PanelA", "enter A1"}));

  EventLog().clear();
  Key(VK_TAB);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"exit A1", "enter A2"}));
  EventLog().clear();
  Key(VK_TAB, 1);  // Shift+Tab goes back
  EXPECT_EQ(GetFocus(), a1->Handle());
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"exit A2", "enter A1"}));

  // An OnExit that keeps the focus (a failed validation) stops the move.
  a1->OnExit = [a1](TObject* s) {
    Note("exit " + Name(s));
    a1->SetFocus();
  };
  EventLog().clear();
  b1->SetFocus();
  EXPECT_EQ(GetFocus(), a1->Handle());
  EXPECT_EQ(f->ActiveControl(), a1);
  EXPECT_EQ(std::count(EventLog().begin(), EventLog().end(), "enter B1"), 0);

  // Tab skips disabled and invisible controls and those without TabStop.
  a1->OnExit = nullptr;
  a2->SetEnabled(false);
  panelB->SetVisible(false);
  EventLog().clear();
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), a1->Handle());  // the only one left: focus stays
  a2->SetEnabled(true);
  a2->SetTabStop(false);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), a1->Handle());
}

TEST_F(FormTest, EnterAndEscapeReachTheDefaultAndCancelButtons) {
  auto* f = MakeForm();
  auto* box = Add<TTestBox>(f, "Box", 10, 10, 100, 20);
  auto* ok = Add<TButton>(f, "Ok", 10, 50, 75, 25);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = Add<TButton>(f, "Cancel", 100, 50, 75, 25);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  std::vector<WORD> keys;
  box->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keys.push_back(Key); };
  f->Show();
  Pump();
  ASSERT_EQ(GetFocus(), box->Handle());

  Key(VK_RETURN);
  EXPECT_EQ(f->ModalResult(), mrOk);
  f->SetModalResult(mrNone);
  Key(VK_ESCAPE);
  EXPECT_EQ(f->ModalResult(), mrCancel);
  EXPECT_TRUE(keys.empty());  // dialog keys never reached the box

  // A control that wants every key gets Enter and Esc itself.
  f->SetModalResult(mrNone);
  box->WantKeys = DLGC_WANTALLKEYS;
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  EXPECT_EQ(f->ModalResult(), mrNone);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_RETURN, VK_ESCAPE}));

  // With the focus on the cancel button, Enter clicks it (the focused button is the default one).
  box->WantKeys = 0;
  cancel->SetFocus();
  Key(VK_RETURN);
  EXPECT_EQ(f->ModalResult(), mrCancel);
}

TEST_F(FormTest, KeyPreviewLetsTheFormSeeKeysFirst) {
  auto* f = MakeForm();
  auto* box = Add<TTestBox>(f, "Box", 10, 10, 100, 20);
  std::vector<std::string> seen;
  box->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { seen.push_back("box " + std::to_string(Key)); };
  box->OnKeyPress = [&](TObject*, Char& Key) { seen.push_back("box char " + std::to_string(Key)); };
  f->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
    seen.push_back("form " + std::to_string(Key));
    if (Key == 'B') Key = 0;  // the form takes B
  };
  f->Show();
  Pump();
  Key('A');
  EXPECT_EQ(seen, (std::vector<std::string>{"box 65", "box char 97"}));  // no preview yet
  seen.clear();
  f->SetKeyPreview(true);
  Key('A');
  Key('B');
  EXPECT_EQ(seen, (std::vector<std::string>{"form 65", "box 65", "box char 97", "form 66", "box char 98"}));
}

TEST_F(FormTest, CloseActions) {
  auto* f = MakeForm();
  f->Show();
  Pump();
  TCloseAction action = caHide;
  f->OnClose = [&](TObject*, TCloseAction& a) { a = action; };
  f->Close();
  EXPECT_FALSE(f->Visible());

  f->Show();
  action = caNone;
  f->Close();
  EXPECT_TRUE(f->Visible());

  bool destroyed = false;
  f->OnDestroy = [&](TObject*) { destroyed = true; };
  action = caFree;
  Forget(f);
  const int before = Screen->FormCount();
  f->Close();
  EXPECT_FALSE(destroyed);  // released once the messages being handled are done
  Pump();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(Screen->FormCount(), before - 1);
}

TEST_F(FormTest, PositionBorderStyleWindowStateAndStayOnTop) {
  auto* f = MakeForm(0, 0, 400, 300);
  f->SetPosition(poScreenCenter);
  f->SetBorderStyle(bsDialog);
  f->Show();
  Pump();
  const RECT work = Screen->WorkAreaRect();
  EXPECT_EQ(f->Left(), work.left + (work.right - work.left - 400) / 2);
  EXPECT_EQ(f->Top(), work.top + (work.bottom - work.top - 300) / 2);
  const LONG style = GetWindowLong(f->Handle(), GWL_STYLE), ex = GetWindowLong(f->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);

  auto* g = MakeForm(10, 10, 300, 200);
  g->SetFormStyle(fsStayOnTop);
  g->SetWindowState(wsMaximized);
  g->SetBorderIcons({biSystemMenu});
  g->Show();
  Pump();
  EXPECT_TRUE(GetWindowLong(g->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsZoomed(g->Handle()));
  EXPECT_FALSE(GetWindowLong(g->Handle(), GWL_STYLE) & WS_MINIMIZEBOX);
  // Changing the border style makes the window again, with the controls on it.
  auto* box = Add<TTestBox>(g, "Box", 0, 0, 10, 10);
  HWND before = g->Handle();
  g->SetBorderStyle(bsToolWindow);
  Pump();
  EXPECT_NE(g->Handle(), before);
  EXPECT_TRUE(GetWindowLong(g->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetParent(box->Handle()), g->Handle());
  EXPECT_TRUE(IsWindowVisible(box->Handle()));
}

TEST_F(FormTest, ActivatingAnotherFormDeactivatesTheFirst) {
  auto* a = MakeForm(10, 10, 200, 150);
  auto* b = MakeForm(300, 10, 200, 150);
  auto* boxA = Add<TTestBox>(a, "BoxA", 5, 5, 50, 20);
  auto* boxB = Add<TTestBox>(b, "BoxB", 5, 5, 50, 20);
  for (TCustomForm* f : {static_cast<TCustomForm*>(a), static_cast<TCustomForm*>(b)}) {
    f->SetName(f == a ? u"A" : u"B");
    f->OnActivate = [](TObject* s) { Note("activate " + Name(s)); };
    f->OnDeactivate = [](TObject* s) { Note("deactivate " + Name(s)); };
  }
  a->Show();
  Pump();
  b->Show();
  Pump();
  EXPECT_TRUE(b->Active());
  EXPECT_FALSE(a->Active());
  EXPECT_EQ(Screen->ActiveForm(), b);
  EXPECT_EQ(GetFocus(), boxB->Handle());
  Click(boxA, 5, 5);  // clicking on the other form activates it
  EXPECT_TRUE(a->Active());
  EXPECT_EQ(Screen->ActiveForm(), a);
  EXPECT_EQ(GetFocus(), boxA->Handle());  // its active control gets the focus back
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"activate A", "deactivate A", "activate B", "deactivate B",
                                                  "activate A"}));
}

TEST_F(FormTest, FormsAreFoundByName) {
  auto* f = MakeForm();
  f->SetName(u"CardForm");
  EXPECT_EQ(FindGlobalComponent(u"cardform"), f);
  EXPECT_EQ(FindGlobalComponent(u"NoSuchForm"), nullptr);
  EXPECT_EQ(f->Caption(), u"CardForm");  // the caption followed the name
}

namespace {
// A form whose OnDestroy uses its own members.
class TListForm : public TForm {
  TRENVIK_CLASS(TListForm, TForm);

 public:
  explicit TListForm(TComponent* AOwner) : TForm(AOwner) {
    OnDestroy = [this](TObject*) { Note("destroy with " + std::to_string(rows.size()) + " rows"); };
  }
  std::vector<std::string> rows{"a", "b"};
};
}  // namespace

TRENVIK_IMPLEMENT_CLASS(TListForm)

TEST_F(FormTest, OnDestroySeesTheWholeFormWhenReleasedOrFreedExplicitly) {
  auto* f = new TListForm(nullptr);  // made without a resource
  f->Show();
  f->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
  f->Close();
  Pump();
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"destroy with 2 rows"}));

  EventLog().clear();
  auto* g = new TListForm(Application);
  g->rows.push_back("c");
  g->BeforeDestruction();
  delete g;
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"destroy with 3 rows"}));  // once
}
