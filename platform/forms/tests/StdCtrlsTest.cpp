// The standard controls as framework classes over the native windows, in the fixed-metrics font
// (characters 8 x 16 pixels): edits and memos, labels, buttons, check and radio boxes, list boxes,
// check list boxes, panels, splitters, labelled edits and speed buttons, and a form resource of them.
#include "platform/classes/FormResources.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/tests/FixedFontFormTest.h"

class StdCtrlsTest : public FixedFontFormTest {
 protected:
  static void Type(const String& text) {
    SimulateText(text);
    Pump();
  }
};

TEST_F(StdCtrlsTest, EditTextSelectionAndChangeEvents) {
  auto* e = Add<TEdit>(form, "Edit", 10, 10, 200, 24);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetText(u"hello world");
  EXPECT_EQ(changes, 1);
  e->SetSelStart(6);
  e->SetSelLength(5);
  EXPECT_EQ(e->SelText(), u"world");
  e->SetSelText(u"there");
  EXPECT_EQ(e->Text(), u"hello there");
  EXPECT_EQ(changes, 2);
  e->SelectAll();
  EXPECT_EQ(e->SelLength(), 11);
  e->CopyToClipboard();
  e->ClearSelection();
  EXPECT_EQ(e->Text(), u"");
  e->PasteFromClipboard();
  EXPECT_EQ(e->Text(), u"hello there");
  e->Undo();
  EXPECT_EQ(e->Text(), u"");
  // Typing goes through the window and is a modification.
  e->SetFocus();
  e->SetModified(false);
  Type(u"abc");
  EXPECT_EQ(e->Text(), u"abc");
  EXPECT_TRUE(e->Modified());
}

TEST_F(StdCtrlsTest, EditPropertiesSurviveTheWindowBeingMadeAgain) {
  auto* e = Add<TEdit>(form, "Edit", 10, 10, 200, 24);
  e->SetMaxLength(4);
  e->SetPasswordChar(u'*');
  e->SetText(u"ab");
  e->SetModified(true);
  e->SetCharCase(ecUpperCase);  // a new window, and the text in upper case
  EXPECT_EQ(e->Text(), u"AB");
  EXPECT_TRUE(e->Modified());
  EXPECT_EQ(SendMessage(e->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'*');
  e->SetFocus();
  Key(VK_END);
  ActivateKeyboardLayout(HKL_RUSSIAN, 0);
  Type(S("щит"));
  ActivateKeyboardLayout(HKL_US, 0);
  EXPECT_EQ(e->Text(), S("ABЩИ"));  // upper case, and cut at four
  e->SetReadOnly(true);
  Type(u"x");
  EXPECT_EQ(e->Text(), S("ABЩИ"));
}

TEST_F(StdCtrlsTest, EnteringAnEditByTabSelectsItsText) {
  auto* first = Add<TEdit>(form, "First", 10, 10, 100, 24);
  auto* second = Add<TEdit>(form, "Second", 10, 40, 100, 24);
  second->SetText(u"select me");
  first->SetFocus();
  Key(VK_TAB);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(second->SelLength(), 9);
  second->SetAutoSelect(false);
  second->SetSelStart(0);
  Key(VK_TAB, 1);
  Key(VK_TAB);
  EXPECT_EQ(second->SelLength(), 0);
}

TEST_F(StdCtrlsTest, MemoLinesReadAndWriteTheWindow) {
  auto* m = Add<TMemo>(form, "Memo", 10, 10, 200, 100);
  TStrings* lines = m->Lines();
  EXPECT_EQ(m->Text(), u"Memo");  // a new memo shows its name
  lines->Clear();
  lines->Add(u"one");
  lines->Add(u"two");
  lines->Insert(1, u"half");
  EXPECT_EQ(m->Text(), u"one\r\nhalf\r\ntwo\r\n");  // added lines end with a line break
  EXPECT_EQ(lines->Count(), 3);
  EXPECT_EQ(lines->Strings(2), u"two");
  lines->SetStrings(0, u"ONE");
  lines->Delete(2);
  EXPECT_EQ(m->Text(), u"ONE\r\nhalf\r\n");
  lines->Delete(0);
  EXPECT_EQ(lines->Count(), 1);
  EXPECT_THROW(lines->Strings(5), EStringListError);
  lines->SetText(u"a\nb\rc");
  EXPECT_EQ(m->Text(), u"a\r\nb\r\nc");
  lines->Clear();
  EXPECT_EQ(lines->Count(), 0);
  // The capacity is the window's limit.
  m->SetMaxLength(5);
  lines->Add(u"abc");
  EXPECT_THROW(lines->Add(u"defgh"), EInvalidOperation);
}

TEST_F(StdCtrlsTest, MemoEnterAndTabFollowWantReturnsAndWantTabs) {
  auto* m = Add<TMemo>(form, "Memo", 10, 10, 200, 100);
  auto* ok = Add<TButton>(form, "Ok", 250, 10, 75, 25);
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  m->Clear();
  m->SetFocus();
  Type(u"a");
  Key(VK_RETURN);
  Type(u"b");
  EXPECT_EQ(m->Lines()->Count(), 2);
  EXPECT_EQ(clicks, 0);
  m->SetWantReturns(false);
  Key(VK_RETURN);  // goes to the default button
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(m->Lines()->Count(), 2);
  m->SetWantTabs(true);
  Key(VK_TAB);
  EXPECT_TRUE(m->Focused());
  EXPECT_EQ(m->Lines()->Strings(1), u"b\t");
  m->SetWantTabs(false);
  Key(VK_TAB);
  EXPECT_FALSE(m->Focused());
}

TEST_F(StdCtrlsTest, LabelSizesItselfAndItsAcceleratorFocusesItsControl) {
  auto* l = Add<TLabel>(form, "Label", 10, 10, 10, 10);
  l->SetCaption(u"&Name");
  EXPECT_EQ(l->Width(), 32);  // four characters, the '&' marks the accelerator
  EXPECT_EQ(l->Height(), 16);
  l->SetAlignment(taRightJustify);
  l->SetCaption(u"Na");
  EXPECT_EQ(l->Left(), 26);  // the right edge stays
  EXPECT_EQ(l->Width(), 16);
  auto* e = Add<TEdit>(form, "Edit", 10, 40, 100, 24);
  auto* other = Add<TEdit>(form, "Other", 10, 70, 100, 24);
  l->SetCaption(u"&Name");
  l->SetFocusControl(e);
  other->SetFocus();
  Key('N', 4);
  EXPECT_TRUE(e->Focused());
  // Drawn in the font colour on the parent.
  l->SetCaption(u"W");
  form->Update();
  EXPECT_LT(GetRValue(ColorToRGB(form->Canvas()->Pixels(l->Left() + 3, l->Top() + 8))), 64);
  EXPECT_EQ(form->Canvas()->Pixels(l->Left() + 3, l->Top() + 20), ColorToRGB(form->Color()));
}

TEST_F(StdCtrlsTest, StaticTextIsAWindowThatClicks) {
  auto* s = Add<TStaticText>(form, "Static", 10, 10, 10, 10);
  s->SetCaption(u"Link");
  EXPECT_EQ(s->Width(), 32);
  int clicks = 0;
  s->OnClick = [&](TObject*) { ++clicks; };
  Click(s, 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetClassNameString(s->Handle()), u"TStaticText");
}

TEST_F(StdCtrlsTest, DefaultAndCancelButtonsAnswerEnterAndEscapeInAModalForm) {
  auto* f = MakeForm(100, 100, 300, 200);
  auto* e = Add<TEdit>(f, "Edit", 10, 10, 100, 24);
  auto* ok = Add<TButton>(f, "Ok", 10, 50, 75, 25);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = Add<TButton>(f, "Cancel", 100, 50, 75, 25);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  f->SetActiveControl(e);
  SimulateKeyPress(VK_RETURN);
  EXPECT_EQ(f->ShowModal(), mrOk);
  SimulateKeyPress(VK_ESCAPE);
  EXPECT_EQ(f->ShowModal(), mrCancel);
  // A focused button is the one Enter presses.
  f->SetActiveControl(cancel);
  SimulateKeyPress(VK_RETURN);
  EXPECT_EQ(f->ShowModal(), mrCancel);
  // Clicking a button without a ModalResult leaves the form open.
  auto* plain = Add<TButton>(f, "Plain", 200, 50, 75, 25);
  int clicks = 0;
  plain->OnClick = [&](TObject*) { ++clicks; };
  f->SetActiveControl(e);
  SimulateClick(TSimButton::Left, At(plain, 5, 5));
  SimulateKeyPress(VK_ESCAPE);
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_EQ(clicks, 1);
}

TEST_F(StdCtrlsTest, CheckBoxStatesAndClicks) {
  auto* c = Add<TCheckBox>(form, "Check", 10, 10, 120, 20);
  int clicks = 0;
  c->OnClick = [&](TObject*) { ++clicks; };
  Click(c, 5, 10);
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(SendMessage(c->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  c->SetAllowGrayed(true);
  std::vector<TCheckBoxState> states;
  for (int i = 0; i < 3; ++i) {
    Click(c, 5, 10);
    states.push_back(c->State());
  }
  EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbUnchecked, cbGrayed, cbChecked}));
  EXPECT_EQ(clicks, 4);
  c->SetChecked(false);  // a change by code fires OnClick too
  EXPECT_EQ(clicks, 5);
  c->SetFocus();
  Key(VK_SPACE);
  EXPECT_EQ(c->State(), cbGrayed);
}

TEST_F(StdCtrlsTest, RadioButtonsOfOneParentExcludeEachOther) {
  auto* a = Add<TRadioButton>(form, "A", 10, 10, 100, 20);
  auto* b = Add<TRadioButton>(form, "B", 10, 30, 100, 20);
  auto* group = Add<TGroupBox>(form, "Group", 150, 10, 200, 100);
  auto* c = Add<TRadioButton>(group, "C", 10, 30, 100, 20);
  a->SetChecked(true);
  c->SetChecked(true);
  Click(b, 5, 10);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(c->Checked());  // another parent
  EXPECT_EQ(SendMessage(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(c->ClientToScreen(POINT{0, 0}).y - group->ClientToScreen(POINT{0, 0}).y, 30);
}

TEST_F(StdCtrlsTest, ListBoxItemsIndexAndPositions) {
  auto* l = Add<TListBox>(form, "List", 10, 10, 120, 100);
  l->Items()->Add(u"pear");
  l->Items()->Add(u"apple");
  l->Items()->AddObject(u"plum", reinterpret_cast<TObject*>(form));
  EXPECT_EQ(l->Items()->Objects(2), form);
  l->SetItemIndex(1);
  EXPECT_EQ(l->ItemIndex(), 1);
  int clicks = 0;
  l->OnClick = [&](TObject*) { ++clicks; };
  Click(l, 5, 2 * 16 + 5);
  EXPECT_EQ(l->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(l->ItemAtPos(POINT{5, 20}, true), 1);
  EXPECT_EQ(l->ItemAtPos(POINT{5, 90}, true), -1);
  EXPECT_EQ(l->ItemAtPos(POINT{5, 90}, false), 3);
  EXPECT_EQ(l->ItemRect(1).top, 16);
  // Sorting makes the window again: the items, their objects and the selected index stay.
  l->SetSorted(true);
  EXPECT_EQ(l->Items()->Strings(0), u"apple");
  EXPECT_EQ(l->Items()->Objects(2), form);
  EXPECT_EQ(l->ItemIndex(), 2);
  l->Items()->Delete(0);
  EXPECT_EQ(l->Count(), 2);
  l->Clear();
  EXPECT_EQ(l->ItemIndex(), -1);
}

TEST_F(StdCtrlsTest, OwnerDrawVariableListBoxMeasuresAndDrawsThroughEvents) {
  auto* l = Add<TListBox>(form, "List", 10, 10, 120, 150);
  l->SetStyle(lbOwnerDrawVariable);
  l->OnMeasureItem = [](TWinControl*, int Index, int& Height) { Height = 20 + 10 * Index; };
  std::vector<std::pair<int, RECT>> drawn;
  l->OnDrawItem = [&](TWinControl* c, int Index, const RECT& Rect, TOwnerDrawState State) {
    drawn.push_back({Index, Rect});
    auto* list = static_cast<TListBox*>(c);
    list->Canvas()->FillRect(Rect);
    list->Canvas()->TextOut(Rect.left, Rect.top, list->Items()->Strings(Index));
    (void)State;
  };
  for (auto* s : {u"a", u"b", u"c"}) l->Items()->Add(s);
  EXPECT_EQ(l->ItemRect(2).top, 50);  // 20 + 30
  EXPECT_EQ(l->ItemAtPos(POINT{5, 45}, true), 1);
  l->SetItemIndex(1);
  l->Invalidate();
  l->Update();
  ASSERT_GE(drawn.size(), 3u);
  EXPECT_EQ(drawn[1].first, 1);
  EXPECT_EQ(drawn[1].second, (RECT{0, 20, l->ClientWidth(), 50}));
  // The selected item is drawn in the highlight colours the canvas was given.
  EXPECT_EQ(l->Canvas()->Brush()->Color(), clWindow);
  HDC dc = GetDC(l->Handle());
  EXPECT_EQ(GetPixel(dc, 60, 25), ColorToColorRef(clHighlight));
  ReleaseDC(l->Handle(), dc);
}

TEST_F(StdCtrlsTest, CheckListBoxChecksByClickAndSpace) {
  auto* l = Add<TCheckListBox>(form, "Checks", 10, 10, 200, 100);
  for (auto* s : {u"first", u"second", u"third"}) l->Items()->Add(s);
  l->Items()->SetObjects(1, form);
  int checks = 0;
  l->OnClickCheck = [&](TObject*) { ++checks; };
  Click(l, 5, 16 + 8);  // on the box
  EXPECT_TRUE(l->Checked(1));
  Click(l, 60, 2 * 16 + 8);  // on the text: selects only
  EXPECT_FALSE(l->Checked(2));
  EXPECT_EQ(l->ItemIndex(), 2);
  Key(VK_SPACE);
  EXPECT_TRUE(l->Checked(2));
  EXPECT_EQ(checks, 2);
  EXPECT_EQ(l->Items()->Objects(1), form);  // the object is kept beside the state
  l->SetItemEnabled(0, false);
  Click(l, 5, 8);
  EXPECT_FALSE(l->Checked(0));
  l->SetState(0, cbGrayed);
  EXPECT_EQ(l->State(0), cbGrayed);
  // Two columns, as the program's list of reports has.
  l->SetColumns(2);
  EXPECT_TRUE(l->Checked(1));
  EXPECT_EQ(l->ItemRect(2).left, 0);
  for (int i = 0; i < 6; ++i) l->Items()->Add(u"more");
  EXPECT_GT(l->ItemRect(8).left, 0);
  l->Items()->Delete(1);
  EXPECT_TRUE(l->Checked(1));  // "third" moved up with its state
}

TEST_F(StdCtrlsTest, PanelBevelsAndBorderShrinkTheClientArea) {
  auto* p = Add<TPanel>(form, "Panel", 10, 10, 200, 100);
  p->SetBevelOuter(bvRaised);
  p->SetBevelInner(bvLowered);
  p->SetBevelWidth(2);
  p->SetBorderWidth(3);
  auto* inner = Add<TTestPanel>(p, "Inner", 0, 0, 10, 10);
  inner->SetAlign(alClient);
  EXPECT_EQ(inner->BoundsRect(), (RECT{7, 7, 193, 93}));
  p->SetCaption(u"");
  p->Repaint();
  HDC dc = GetDC(p->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 50), ColorToColorRef(clBtnHighlight));  // raised outer: light top-left
  EXPECT_EQ(GetPixel(dc, 199, 50), ColorToColorRef(clBtnShadow));
  EXPECT_EQ(GetPixel(dc, 5, 50), ColorToColorRef(clBtnShadow));  // lowered inner after the border
  ReleaseDC(p->Handle(), dc);
}

TEST_F(StdCtrlsTest, SplitterDragResizesItsNeighbour) {
  auto* left = Add<TTestPanel>(form, "Left", 0, 0, 100, 100);
  left->SetAlign(alLeft);
  auto* split = Add<TSplitter>(form, "Split", 100, 0, 3, 100);
  split->SetAlign(alLeft);
  auto* rest = Add<TTestPanel>(form, "Rest", 0, 0, 10, 10);
  rest->SetAlign(alClient);
  EXPECT_EQ(split->Left(), 100);
  int moved = 0;
  split->OnMoved = [&](TObject*) { ++moved; };
  auto drag = [&](int dx) {
    clock_->Advance(1000);
    SimulateMouseDown(TSimButton::Left, At(split, 1, 50));
    Pump();
    SimulateMouseMove(At(split, 1 + dx / 2, 50));
    SimulateMouseMove(At(split, 1 + dx, 50));
    Pump();
    SimulateMouseUp(TSimButton::Left, At(split, 1 + dx, 50));
    Pump();
  };
  drag(40);
  EXPECT_EQ(left->Width(), 140);
  EXPECT_EQ(split->Left(), 140);
  EXPECT_EQ(moved, 1);
  drag(-200);  // below MinSize: snaps shut
  EXPECT_EQ(left->Width(), 0);
  drag(300);
  EXPECT_EQ(left->Width(), 300);
  drag(200);  // the rest keeps MinSize
  EXPECT_EQ(left->Width(), form->ClientWidth() - 3 - 30);
}

TEST_F(StdCtrlsTest, LabeledEditKeepsItsLabelBesideIt) {
  auto* e = Add<TLabeledEdit>(form, "Name", 50, 50, 100, 24);
  TBoundLabel* l = e->EditLabel();
  EXPECT_EQ(l->Parent(), form);
  EXPECT_EQ(l->Caption(), u"Name");
  l->SetCaption(u"User");
  e->SetLabelPosition(lpAbove);
  EXPECT_EQ(l->Left(), 50);
  EXPECT_EQ(l->Top(), 50 - 16 - 3);
  e->SetLabelPosition(lpLeft);
  EXPECT_EQ(l->Left(), 50 - 32 - 3);
  EXPECT_EQ(l->Top(), 50 + (24 - 16) / 2);
  e->SetLeft(80);
  EXPECT_EQ(l->Left(), 80 - 32 - 3);
  e->SetVisible(false);
  EXPECT_FALSE(l->Visible());
  e->SetVisible(true);
  // The label's accelerator focuses the edit.
  l->SetCaption(u"&User");
  Key('U', 4);
  EXPECT_TRUE(e->Focused());
}

TEST_F(StdCtrlsTest, SpeedButtonsOfAGroupStayDownOneAtATime) {
  auto* a = Add<TSpeedButton>(form, "A", 10, 10, 23, 22);
  auto* b = Add<TSpeedButton>(form, "B", 40, 10, 23, 22);
  auto* plain = Add<TSpeedButton>(form, "Plain", 70, 10, 23, 22);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  int clicks = 0;
  plain->OnClick = [&](TObject*) { ++clicks; };
  a->OnClick = [&](TObject*) { ++clicks; };
  Click(a, 5, 5);
  EXPECT_TRUE(a->Down());
  Click(b, 5, 5);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  Click(b, 5, 5);  // stays down without AllowAllUp
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  Click(b, 5, 5);
  EXPECT_FALSE(b->Down());
  Click(plain, 5, 5);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicks, 2);
  // Pressed and released outside: no click.
  clock_->Advance(1000);
  SimulateMouseDown(TSimButton::Left, At(plain, 5, 5));
  Pump();
  EXPECT_EQ(plain->State(), bsDown);
  SimulateMouseMove(At(plain, 50, 50));
  SimulateMouseUp(TSimButton::Left, At(plain, 50, 50));
  Pump();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(plain->State(), bsUp);
}

class TStdCtrlsTestForm : public TForm {
  TRENVIK_CLASS(TStdCtrlsTestForm, TForm);

 public:
  explicit TStdCtrlsTestForm(TComponent* AOwner) : TForm(AOwner) {}
  TLabeledEdit* NameEdit = nullptr;
  TMemo* Notes = nullptr;
  TCheckListBox* Reports = nullptr;
  TCheckBox* Active = nullptr;
  TButton* OkButton = nullptr;
  TPanel* Bottom = nullptr;
};

TRENVIK_PUBLISHED(TStdCtrlsTestForm) {
  P.Field("NameEdit", &TStdCtrlsTestForm::NameEdit);
  P.Field("Notes", &TStdCtrlsTestForm::Notes);
  P.Field("Reports", &TStdCtrlsTestForm::Reports);
  P.Field("Active", &TStdCtrlsTestForm::Active);
  P.Field("OkButton", &TStdCtrlsTestForm::OkButton);
  P.Field("Bottom", &TStdCtrlsTestForm::Bottom);
}

TEST_F(StdCtrlsTest, AFormResourceSetsThePublishedProperties) {
  SetResourceDirectory(Utf8ToString(TRENVIK_TEST_DATA_DIR));
  auto* f = NewForm<TStdCtrlsTestForm>(nullptr);
  forms_.push_back(f);
  SetResourceDirectory(String());
  ASSERT_TRUE(f->NameEdit && f->Notes && f->Reports && f->Active && f->OkButton && f->Bottom);
  EXPECT_EQ(f->NameEdit->EditLabel()->Caption(), u"Name");
  EXPECT_EQ(f->NameEdit->MaxLength(), 20);
  EXPECT_EQ(f->Notes->Lines()->Count(), 2);
  EXPECT_EQ(f->Notes->Lines()->Strings(1), S("вторая"));
  EXPECT_EQ(f->Notes->ScrollBars(), ssVertical);
  EXPECT_EQ(f->Reports->Items()->Count(), 3);
  EXPECT_EQ(f->Reports->Columns(), 2);
  EXPECT_TRUE(f->Active->Checked());
  EXPECT_TRUE(f->OkButton->Default());
  EXPECT_EQ(f->OkButton->ModalResult(), mrOk);
  EXPECT_EQ(f->Bottom->BevelOuter(), bvNone);
  EXPECT_EQ(f->Bottom->Caption(), u"");
}
