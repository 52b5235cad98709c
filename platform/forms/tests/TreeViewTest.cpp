// The tree view: the window's notifications in the platform's order for mouse, keys, expansion,
// label editing, deletion, drag start and custom draw, and the framework's nodes over them, in the
// fixed-metrics font (characters 8 x 16, rows 18 pixels).
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/tests/FormsTestSupport.h"
#include "platform/rtl/StrUtils.h"

namespace {

std::string CodeName(UINT code) {
  switch (code) {
    case TVN_SELCHANGING:
      return "selchanging";
    case TVN_SELCHANGED:
      return "selchanged";
    case TVN_ITEMEXPANDING:
      return "expanding";
    case TVN_ITEMEXPANDED:
      return "expanded";
    case TVN_DELETEITEM:
      return "delete";
    case TVN_BEGINDRAG:
      return "begindrag";
    case TVN_BEGINLABELEDIT:
      return "beginedit";
    case TVN_ENDLABELEDIT:
      return "endedit";
    case TVN_KEYDOWN:
      return "keydown";
    case NM_CLICK:
      return "click";
    case NM_DBLCLK:
      return "dblclick";
    case NM_RCLICK:
      return "rclick";
    default:
      return {};
  }
}

// Logs the window's notifications as they reach the view: "<code> <item>[ <item>] [by mouse|keys]".
class TLoggedTreeView : public TTreeView {
  TRENVIK_CLASS(TLoggedTreeView, TTreeView);

 public:
  explicit TLoggedTreeView(TComponent* AOwner) : TTreeView(AOwner) {}

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == CN_NOTIFY) Log(*reinterpret_cast<NMHDR*>(Message.LParam));
    TTreeView::WndProc(Message);
  }

 private:
  std::string Text(HTREEITEM item) {
    TTreeNode* n = Items()->GetNode(item);
    return n ? StringToUtf8(n->Text()) : std::string("-");
  }
  void Log(const NMHDR& hdr) {
    std::string name = CodeName(hdr.code);
    if (name.empty()) return;
    const auto& nm = reinterpret_cast<const NMTREEVIEW&>(hdr);
    const auto& info = reinterpret_cast<const NMTVDISPINFO&>(hdr);
    switch (hdr.code) {
      case TVN_SELCHANGING:
      case TVN_SELCHANGED:
        name += " " + Text(nm.itemOld.hItem) + ">" + Text(nm.itemNew.hItem);
        if (nm.action == TVC_BYMOUSE) name += " by mouse";
        if (nm.action == TVC_BYKEYBOARD) name += " by keys";
        break;
      case TVN_ITEMEXPANDING:
      case TVN_ITEMEXPANDED:
        name += std::string(nm.action == TVE_EXPAND ? " +" : " -") + Text(nm.itemNew.hItem);
        break;
      case TVN_DELETEITEM:
        name += " " + Text(nm.itemOld.hItem);
        break;
      case TVN_BEGINDRAG:
        name += " " + Text(nm.itemNew.hItem);
        break;
      case TVN_BEGINLABELEDIT:
        name += " " + Text(info.item.hItem);
        break;
      case TVN_ENDLABELEDIT:
        name += " " + Text(info.item.hItem) + " " +
                (info.item.pszText ? StringToUtf8(info.item.pszText) : "(cancel)");
        break;
      default:
        break;
    }
    Note(name);
  }
};

TRENVIK_IMPLEMENT_CLASS(TLoggedTreeView)

class TreeViewTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(100, 100, 400, 300);
    form->Font()->SetName(kFixedTestFontName);
    form->Font()->SetHeight(-16);
    form->Show();
    tree = Add<TLoggedTreeView>(form, "Tree", 10, 10, 200, 150);
    tree->SetBorderStyle(bsNone);
    // A (A1, A2 (A21)), B, C
    a = tree->Items()->Add(nullptr, u"A");
    a1 = tree->Items()->AddChild(a, u"A1");
    a2 = tree->Items()->AddChild(a, u"A2");
    a21 = tree->Items()->AddChild(a2, u"A21");
    b = tree->Items()->Add(nullptr, u"B");
    c = tree->Items()->Add(nullptr, u"C");
    Pump();
    EventLog().clear();
  }
  // The middle of a row's label: rows are 18 high, indent 19, one root column.
  POINT LabelOf(TTreeNode* n) {
    RECT r = n->DisplayRect(true);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void ClickNode(TTreeNode* n) {
    POINT p = LabelOf(n);
    Click(tree, p.x, p.y);
  }
  TForm* form = nullptr;
  TLoggedTreeView* tree = nullptr;
  TTreeNode *a = nullptr, *a1 = nullptr, *a2 = nullptr, *a21 = nullptr, *b = nullptr, *c = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(TreeViewTest, NodesKeepTheirPlaceAndRelations) {
  EXPECT_EQ(tree->Items()->Count(), 6);
  EXPECT_EQ(a2->Parent(), a);
  EXPECT_EQ(a->Count(), 2);
  EXPECT_EQ(a2->Level(), 1);
  EXPECT_EQ(a21->Level(), 2);
  EXPECT_EQ(b->Index(), 1);
  // Depth-first order, whatever is expanded.
  std::vector<TTreeNode*> order;
  for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext()) order.push_back(n);
  EXPECT_EQ(order, (std::vector<TTreeNode*>{a, a1, a2, a21, b, c}));
  EXPECT_EQ(tree->Items()->Item(3), a21);
  EXPECT_EQ(a21->AbsoluteIndex(), 3);
  EXPECT_EQ(c->GetPrev(), b);
  EXPECT_EQ(b->GetPrev(), a21);
  EXPECT_THROW(tree->Items()->Item(6), EListError);
  TTreeNode* first = tree->Items()->AddFirst(b, u"0");
  TTreeNode* before = tree->Items()->Insert(c, u"BC");
  TTreeNode* childFirst = tree->Items()->AddChildFirst(a, u"A0");
  EXPECT_EQ(first->Index(), 0);
  EXPECT_EQ(before->getNextSibling(), c);
  EXPECT_EQ(a->getFirstChild(), childFirst);
  // Hidden children are not visible; the next visible after a collapsed A is B.
  EXPECT_FALSE(a1->IsVisible());
  EXPECT_EQ(a->GetNextVisible(), b);
}

TEST_F(TreeViewTest, MouseSelectionClicksThenChangesSelection) {
  int changes = 0;
  tree->OnChange = [&](TObject*, TTreeNode* n) {
    ++changes;
    Note("OnChange " + StringToUtf8(n->Text()));
  };
  ClickNode(b);
  EXPECT_EQ(EventLog(), (Log{"click", "selchanging ->B by mouse", "selchanged ->B by mouse", "OnChange B"}));
  EventLog().clear();
  ClickNode(c);
  EXPECT_EQ(EventLog(), (Log{"click", "selchanging B>C by mouse", "selchanged B>C by mouse", "OnChange C"}));
  EXPECT_EQ(tree->Selected(), c);
  EXPECT_TRUE(c->Selected());
  EXPECT_FALSE(b->Selected());

  // A refusal leaves the selection where it was, and no change follows.
  tree->OnChanging = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
  EventLog().clear();
  ClickNode(a);
  EXPECT_EQ(EventLog(), (Log{"click", "selchanging C>A by mouse"}));
  EXPECT_EQ(tree->Selected(), c);
  EXPECT_EQ(changes, 2);
}

TEST_F(TreeViewTest, KeysMoveSelectionExpandAndCollapse) {
  b->SetSelected(true);
  tree->SetFocus();
  EventLog().clear();
  Key(VK_UP);
  EXPECT_EQ(EventLog(), (Log{"keydown", "selchanging B>A by keys", "selchanged B>A by keys"}));
  EventLog().clear();
  Key(VK_RIGHT);  // expands A
  EXPECT_EQ(EventLog(), (Log{"keydown", "expanding +A", "expanded +A"}));
  EXPECT_TRUE(a->Expanded());
  EventLog().clear();
  Key(VK_RIGHT);  // into the first child
  EXPECT_EQ(EventLog(), (Log{"keydown", "selchanging A>A1 by keys", "selchanged A>A1 by keys"}));
  Key(VK_END);
  EXPECT_EQ(tree->Selected(), c);
  Key(VK_HOME);
  EXPECT_EQ(tree->Selected(), a);
  EventLog().clear();
  Key(VK_LEFT);  // collapses A
  EXPECT_EQ(EventLog(), (Log{"keydown", "expanding -A", "expanded -A"}));
  EXPECT_FALSE(a->Expanded());
}

TEST_F(TreeViewTest, CollapsingAroundTheSelectionMovesItToTheCollapsedNode) {
  a->Expand(false);
  a21->SetSelected(true);  // expands A2 to show it
  EXPECT_TRUE(a2->Expanded());
  Pump();
  EventLog().clear();
  // The button of A sits in the root column, at x 8.
  RECT r = a->DisplayRect(false);
  Click(tree, 8, (r.top + r.bottom) / 2);
  EXPECT_EQ(EventLog(), (Log{"expanding -A", "selchanging A21>A", "selchanged A21>A", "expanded -A"}));
  EXPECT_EQ(tree->Selected(), a);
}

TEST_F(TreeViewTest, ExpandMessageNotifiesUntilExpandedOnceButNodesAlwaysRaiseTheirEvents) {
  // The window's own rule: TVM_EXPAND notifies only while the item has never been expanded.
  HWND h = tree->Handle();
  SendMessage(h, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a->ItemId()));
  SendMessage(h, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(a->ItemId()));
  SendMessage(h, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a->ItemId()));
  EXPECT_EQ(EventLog(), (Log{"expanding +A", "expanded +A"}));

  // Nodes raise the view's events themselves, once each, whatever the window says.
  EventLog().clear();
  tree->OnCollapsing = [](TObject*, TTreeNode* n, bool&) { Note("OnCollapsing " + StringToUtf8(n->Text())); };
  tree->OnCollapsed = [](TObject*, TTreeNode* n) { Note("OnCollapsed " + StringToUtf8(n->Text())); };
  tree->OnExpanding = [](TObject*, TTreeNode* n, bool& allow) {
    Note("OnExpanding " + StringToUtf8(n->Text()));
    allow = n->Text() != u"A2";
  };
  tree->OnExpanded = [](TObject*, TTreeNode* n) { Note("OnExpanded " + StringToUtf8(n->Text())); };
  a->Collapse(false);
  a->Expand(false);
  a2->Expand(false);  // refused
  EXPECT_EQ(EventLog(),
            (Log{"OnCollapsing A", "OnCollapsed A", "OnExpanding A", "OnExpanded A", "OnExpanding A2"}));
  EXPECT_TRUE(a->Expanded());
  EXPECT_FALSE(a2->Expanded());
  // A node without children does not expand.
  EventLog().clear();
  b->Expand(false);
  EXPECT_TRUE(EventLog().empty());
}

TEST_F(TreeViewTest, LabelEditAcceptedCancelledAndRefused) {
  b->SetSelected(true);
  tree->SetFocus();
  tree->OnEdited = [](TObject*, TTreeNode*, String& s) { s += u"!"; };
  EventLog().clear();
  Key(VK_F2);
  ASSERT_TRUE(tree->IsEditing());
  HWND edit = reinterpret_cast<HWND>(SendMessage(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
  EXPECT_EQ(GetFocus(), edit);
  SimulateText(u"Bee");
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(EventLog(), (Log{"keydown", "beginedit B", "endedit B Bee"}));
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(b->Text(), u"Bee!");
  EXPECT_EQ(GetFocus(), tree->Handle());

  EventLog().clear();
  ASSERT_TRUE(b->EditText());
  SimulateText(u"lost");
  Pump();
  Key(VK_ESCAPE);
  EXPECT_EQ(EventLog(), (Log{"beginedit Bee!", "endedit Bee! (cancel)"}));
  EXPECT_EQ(b->Text(), u"Bee!");

  // OnEditing refuses; a read-only view never edits.
  tree->OnEditing = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
  EXPECT_FALSE(b->EditText());
  EXPECT_FALSE(tree->IsEditing());
  tree->OnEditing = nullptr;
  tree->SetReadOnly(true);
  EXPECT_FALSE(b->EditText());
}

TEST_F(TreeViewTest, SecondClickOnTheSelectedLabelEditsAfterTheDoubleClickTime) {
  ClickNode(b);
  POINT p = LabelOf(b);
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, At(tree, p.x, p.y));
  Pump();
  EXPECT_FALSE(tree->IsEditing());
  clock_->Advance(GetDoubleClickTime() + 10);
  Pump();
  EXPECT_TRUE(tree->IsEditing());
  // Losing the focus ends the edit and keeps what was typed.
  SimulateText(u"x");
  Pump();
  EventLog().clear();
  auto* other = Add<TEdit>(form, "Other", 220, 10, 100, 24);
  other->SetFocus();
  Pump();
  EXPECT_EQ(EventLog(), (Log{"endedit B x"}));
  EXPECT_EQ(b->Text(), u"x");
}

TEST_F(TreeViewTest, DeletingANodeNotifiesItThenItsDescendantsThenMovesTheSelection) {
  a21->SetSelected(true);
  std::vector<std::string> deleted;
  tree->OnDeletion = [&](TObject*, TTreeNode* n) { deleted.push_back(StringToUtf8(n->Text())); };
  EventLog().clear();
  a->Delete();
  EXPECT_EQ(EventLog(),
            (Log{"delete A", "delete A1", "delete A2", "delete A21", "selchanging ->B", "selchanged ->B"}));
  EXPECT_EQ(deleted, (std::vector<std::string>{"A", "A1", "A2", "A21"}));
  EXPECT_EQ(tree->Items()->Count(), 2);
  EXPECT_EQ(tree->Selected(), b);
  EXPECT_EQ(tree->Items()->GetFirstNode(), b);
  // Without a next sibling the selection goes to the parent, at the root to the previous one.
  TTreeNode* b1 = tree->Items()->AddChild(b, u"B1");
  TTreeNode* b2 = tree->Items()->AddChild(b, u"B2");
  b2->SetSelected(true);
  b2->Delete();
  EXPECT_EQ(tree->Selected(), b);
  c->SetSelected(true);
  c->Delete();
  EXPECT_EQ(tree->Selected(), b);
  EXPECT_EQ(b1->Parent(), b);
  // Clearing frees every node.
  tree->Items()->Clear();
  EXPECT_EQ(tree->Items()->Count(), 0);
  EXPECT_EQ(tree->Selected(), nullptr);
}

TEST_F(TreeViewTest, DragStartsPastTheThresholdInsteadOfAClick) {
  POINT p = LabelOf(b);
  SimulateMouseMove(At(tree, p.x, p.y));
  SimulateMouseDown(TSimButton::Left, At(tree, p.x, p.y));
  Pump();
  SimulateMouseMove(At(tree, p.x + 1, p.y + 1));  // within the threshold
  Pump();
  EXPECT_TRUE(EventLog().empty());
  SimulateMouseMove(At(tree, p.x + 10, p.y + 10));
  Pump();
  SimulateMouseUp(TSimButton::Left, At(tree, p.x + 10, p.y + 10));
  Pump();
  EXPECT_EQ(EventLog(), (Log{"begindrag B"}));
  EXPECT_EQ(tree->Selected(), nullptr);

  // An automatic drag starts the framework's drag on the node, selected.
  tree->SetDragMode(dmAutomatic);
  bool started = false;
  tree->OnStartDrag = [&](TObject*, TDragObject*&) { started = true; };
  clock_->Advance(1000);
  SimulateMouseDown(TSimButton::Left, At(tree, p.x, p.y));
  Pump();
  SimulateMouseMove(At(tree, p.x + 10, p.y + 10));
  Pump();
  EXPECT_TRUE(started);
  EXPECT_EQ(tree->Selected(), b);
  SimulateKeyPress(VK_ESCAPE);
  SimulateMouseUp(TSimButton::Left, At(tree, p.x + 10, p.y + 10));
  Pump();
}

TEST_F(TreeViewTest, HitTestsOfTheRowParts) {
  a->Expand(false);
  // Rows: A 0, A1 18, A2 36, A21 54, B 72; A's label starts at 19 + 0, A1's at 38.
  struct {
    int x, y;
    THitTest expected;
    TTreeNode* node;
  } cases[] = {
      {9, 9, htOnButton, a},        {25, 9, htOnLabel, a},    {150, 9, htOnRight, a},
      {45, 27, htOnLabel, a1},      {30, 27, htOnIndent, a1}, {28, 45, htOnButton, a2},
      {5, 140, htNowhere, nullptr},
  };
  for (auto& c : cases) {
    EXPECT_TRUE(tree->GetHitTestInfoAt(c.x, c.y).Contains(c.expected)) << c.x << "," << c.y;
    EXPECT_EQ(tree->GetNodeAt(c.x, c.y), c.node) << c.x << "," << c.y;
  }
  EXPECT_TRUE(tree->GetHitTestInfoAt(-1, 5).Contains(htToLeft));
  EXPECT_TRUE(tree->GetHitTestInfoAt(5, 500).Contains(htBelow));
  EXPECT_EQ(a1->DisplayRect(true), (RECT{38, 18, 38 + 2 * 8 + 4, 36}));
}

TEST_F(TreeViewTest, CustomDrawStagesAndItemColours) {
  std::vector<std::string> stages;
  tree->OnCustomDraw = [&](TCustomTreeView*, const RECT&, bool&) { stages.push_back("control"); };
  tree->OnCustomDrawItem = [&](TCustomTreeView* sender, TTreeNode* n, TCustomDrawState state, bool&) {
    stages.push_back(StringToUtf8(n->Text()) + (state.Contains(cdsSelected) ? " selected" : ""));
    if (n == c) {
      sender->Canvas()->Font()->SetColor(clRed);
      sender->Canvas()->Brush()->SetColor(clYellow);
    }
  };
  b->SetSelected(true);
  tree->Invalidate();
  tree->Update();
  EXPECT_EQ(stages, (std::vector<std::string>{"control", "A", "B selected", "C"}));
  HDC dc = GetDC(tree->Handle());
  RECT lc = c->DisplayRect(true);
  EXPECT_EQ(GetPixel(dc, lc.left + 1, lc.top + 1), ColorToColorRef(clYellow));
  bool red = false;
  for (int x = lc.left; x < lc.right; ++x)
    for (int y = lc.top; y < lc.bottom; ++y) red |= GetPixel(dc, x, y) == ColorToColorRef(clRed);
  EXPECT_TRUE(red);
  // Unchanged items keep the window's colours.
  RECT la = a->DisplayRect(true);
  EXPECT_EQ(GetPixel(dc, la.left + 1, la.top + 1), ColorToColorRef(clWindow));
  ReleaseDC(tree->Handle(), dc);
  KeepCheckedWindow(tree->Handle());

  // A default-drawn view asks for no item stages.
  stages.clear();
  tree->OnCustomDrawItem = nullptr;
  tree->Invalidate();
  tree->Update();
  EXPECT_EQ(stages, (std::vector<std::string>{"control"}));
}

TEST_F(TreeViewTest, DrawsLinesButtonsAndTheSelection) {
  a->Expand(false);
  a1->SetSelected(true);
  tree->SetFocus();
  tree->Invalidate();
  tree->Update();
  HDC dc = GetDC(tree->Handle());
  // The button of A: a 9 x 9 box centred at (9, 9) with a minus, no plus stroke.
  COLORREF frame = ColorToColorRef(clBtnShadow), sign = ColorToColorRef(clWindowText);
  EXPECT_EQ(GetPixel(dc, 5, 9), frame);
  EXPECT_EQ(GetPixel(dc, 13, 9), frame);
  EXPECT_EQ(GetPixel(dc, 9, 9), sign);
  EXPECT_EQ(GetPixel(dc, 9, 7), ColorToColorRef(clWindow));
  // The selected label of A1 is in the highlight colour while the view has the focus.
  RECT l = a1->DisplayRect(true);
  EXPECT_EQ(GetPixel(dc, l.left + 1, l.top + 2), ColorToColorRef(clHighlight));
  // Dotted lines through A1's row: its own connector (x 28, A2 follows) and A's (x 9, B follows).
  for (int x : {9, 28}) {
    int dots = 0;
    for (int y = l.top; y < l.bottom; ++y) dots += GetPixel(dc, x, y) == ColorToColorRef(clGrayText);
    EXPECT_EQ(dots, 9) << x;
  }
  ReleaseDC(tree->Handle(), dc);
  KeepCheckedWindow(tree->Handle());
}

TEST_F(TreeViewTest, MoveToKeepsTheNodeAndItsChildrenWithoutAChangeEvent) {
  a21->SetSelected(true);
  int changes = 0;
  tree->OnChange = [&](TObject*, TTreeNode*) { ++changes; };
  a2->MoveTo(c, naAddChild);
  EXPECT_EQ(a2->Parent(), c);
  EXPECT_EQ(a21->Parent(), a2);
  EXPECT_EQ(a->Count(), 1);
  EXPECT_EQ(tree->Items()->Count(), 6);
  EXPECT_EQ(changes, 0);
  a2->MoveTo(a, naInsert);
  EXPECT_EQ(a->getPrevSibling(), a2);
  EXPECT_EQ(a2->Parent(), nullptr);
  // A node never moves under itself.
  a2->MoveTo(a21, naAddChild);
  EXPECT_EQ(a21->Parent(), a2);
}

TEST_F(TreeViewTest, NodesSurviveARemadeWindow) {
  a->Expand(false);
  a2->SetSelected(true);
  int payload = 0;
  a->SetData(&payload);
  tree->SetBorderStyle(bsSingle);  // remakes the window
  tree->HandleNeeded();
  EXPECT_EQ(tree->Items()->Count(), 6);
  EXPECT_EQ(a2->Parent(), a);
  EXPECT_TRUE(a->Expanded());
  EXPECT_EQ(tree->Selected(), a2);
  EXPECT_EQ(a->Data(), &payload);
}

TEST_F(TreeViewTest, ToolTipTextIsAskedOfTheViewForClippedLabels) {
  TTreeNode* wide = tree->Items()->Add(nullptr, u"a label far too wide for the view");
  Pump();
  bool asked = false;
  tree->WindowProc = [&, old = tree->WindowProc](TMessage& m) {
    if (m.Msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == TTN_NEEDTEXT) asked = true;
    old(m);
  };
  POINT p = LabelOf(wide);
  SimulateMouseMove(At(tree, 40, p.y));
  Pump();
  EXPECT_TRUE(asked);
  HWND tip = reinterpret_cast<HWND>(SendMessage(tree->Handle(), TVM_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(IsWindowVisible(tip));
  // A short label shows none.
  SimulateMouseMove(At(tree, 22, 9));
  Pump();
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(TreeViewTest, DropHighlightShowsInsteadOfTheSelection) {
  b->SetSelected(true);
  tree->SetFocus();
  tree->SetDropTarget(c);
  EXPECT_EQ(tree->DropTarget(), c);
  EXPECT_TRUE(c->DropTarget());
  EXPECT_EQ(tree->Selected(), b);  // the drop target is no selection
  tree->Repaint();
  HDC dc = GetDC(tree->Handle());
  RECT lb = b->DisplayRect(true), lc = c->DisplayRect(true);
  EXPECT_EQ(GetPixel(dc, lc.left + 1, lc.top + 2), ColorToColorRef(clHighlight));
  EXPECT_EQ(GetPixel(dc, lb.left + 1, lb.top + 2), ColorToColorRef(clWindow));
  ReleaseDC(tree->Handle(), dc);
  tree->SetDropTarget(nullptr);
  EXPECT_FALSE(c->DropTarget());
  EXPECT_EQ(tree->DropTarget(), nullptr);
}

TEST_F(TreeViewTest, NormalAndSelectedImagesComeFromTheNodesAskedWhenDrawn) {
  auto* images = new TImageList(form, 16, 16);
  for (TColor colour : {clRed, clBlue, clLime}) {
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    bitmap.Canvas()->Brush()->SetColor(colour);
    bitmap.Canvas()->FillRect(RECT{0, 0, 16, 16});
    images->Add(&bitmap, nullptr);
  }
  ASSERT_EQ(images->Count(), 3);
  int asked = 0;
  tree->OnGetImageIndex = [&](TObject*, TTreeNode* n) {
    ++asked;
    n->SetImageIndex(n == a ? 0 : 1);
  };
  tree->OnGetSelectedIndex = [](TObject*, TTreeNode* n) { n->SetSelectedIndex(2); };
  tree->SetImages(images);
  b->SetSelected(true);
  tree->Repaint();
  EXPECT_GT(asked, 0);
  // The image sits in the item's column after the root column; the label follows it.
  EXPECT_EQ(a->DisplayRect(true).left, 19 + 16 + 1);
  HDC dc = GetDC(tree->Handle());
  RECT ra = a->DisplayRect(false), rb = b->DisplayRect(false), rc = c->DisplayRect(false);
  EXPECT_EQ(GetPixel(dc, 19 + 8, (ra.top + ra.bottom) / 2), ColorToColorRef(clRed));
  EXPECT_EQ(GetPixel(dc, 19 + 8, (rb.top + rb.bottom) / 2), ColorToColorRef(clLime));  // selected
  EXPECT_EQ(GetPixel(dc, 19 + 8, (rc.top + rc.bottom) / 2), ColorToColorRef(clBlue));
  KeepCheckedWindow(tree->Handle());
  // State images come first in the row; a node shows the one of its StateIndex (none for 0).
  tree->SetStateImages(images);
  c->SetStateIndex(2);
  tree->Repaint();
  EXPECT_EQ(a->DisplayRect(true).left, 19 + 16 + 16 + 1);
  EXPECT_EQ(GetPixel(dc, 19 + 8, (rc.top + rc.bottom) / 2), ColorToColorRef(clLime));
  EXPECT_EQ(GetPixel(dc, 19 + 8, (ra.top + ra.bottom) / 2), ColorToColorRef(clWindow));
  EXPECT_EQ(GetPixel(dc, 19 + 16 + 8, (ra.top + ra.bottom) / 2), ColorToColorRef(clRed));
  ReleaseDC(tree->Handle(), dc);
  tree->SetStateImages(nullptr);
  // Freeing the list takes it off the view.
  delete images;
  EXPECT_EQ(tree->Images(), nullptr);
  EXPECT_EQ(a->DisplayRect(true).left, 19);
}

TEST_F(TreeViewTest, StaleHandlesAreRefusedNotFollowed) {
  HWND h = tree->Handle();
  HTREEITEM gone = b->ItemId();
  b->Delete();
  EXPECT_EQ(SendMessage(h, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(gone)), FALSE);
  EXPECT_EQ(SendMessage(h, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(gone)), FALSE);
  EXPECT_EQ(SendMessage(h, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(gone)), FALSE);
  EXPECT_EQ(SendMessage(h, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(gone)), 0);
  TVITEM item;
  item.mask = TVIF_TEXT;
  item.hItem = gone;
  EXPECT_EQ(SendMessage(h, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)), FALSE);
  EXPECT_EQ(SendMessage(h, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)), FALSE);
  RECT r;
  SetItemRectRequest(r, gone);
  EXPECT_EQ(SendMessage(h, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)), FALSE);
  TVINSERTSTRUCT is;
  is.hParent = gone;
  is.item.mask = TVIF_TEXT;
  EXPECT_EQ(SendMessage(h, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&is)), 0);
  EXPECT_EQ(tree->Items()->Count(), 5);
}

TEST_F(TreeViewTest, HandlersThatDeleteTheNodeInTheirNotificationEndTheOperation) {
  // Expanding a node whose handler removes it: nothing expands, nothing is left pointing at it.
  tree->OnExpanding = [](TObject*, TTreeNode* n, bool&) { n->Delete(); };
  SendMessage(tree->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a->ItemId()));
  EXPECT_EQ(tree->Items()->Count(), 2);
  EXPECT_EQ(tree->Items()->GetFirstNode(), b);
  // Selecting a node whose OnChanging removes it.
  tree->OnChanging = [](TObject*, TTreeNode* n, bool&) {
    if (n) n->Delete();
  };
  SendMessage(tree->Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(c->ItemId()));
  EXPECT_EQ(tree->Items()->Count(), 1);
  EXPECT_EQ(tree->Selected(), nullptr);
}

TEST_F(TreeViewTest, SortingByTextByCompareAndOnInsertion) {
  TTreeNode* z = tree->Items()->Add(nullptr, u"ab");
  EXPECT_TRUE(tree->AlphaSort(false));
  auto roots = [&] {
    std::string out;
    for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->getNextSibling())
      out += StringToUtf8(n->Text()) + " ";
    return out;
  };
  EXPECT_EQ(roots(), "A ab B C ");
  // OnCompare decides: reversed.
  tree->OnCompare = [](TObject*, TTreeNode* x, TTreeNode* y, int, int& result) {
    result = -AnsiCompareText(x->Text(), y->Text());
  };
  tree->AlphaSort(false);
  EXPECT_EQ(roots(), "C B ab A ");
  tree->OnCompare = nullptr;
  // A sorted view puts new nodes in their place.
  tree->SetSortType(stText);
  EXPECT_EQ(roots(), "A ab B C ");
  tree->Items()->Add(nullptr, u"Ba");
  EXPECT_EQ(roots(), "A ab B Ba C ");
  EXPECT_EQ(z->Index(), 1);
}

TEST_F(TreeViewTest, HideSelectionOffKeepsTheSelectionShownWithoutFocus) {
  b->SetSelected(true);
  auto* other = Add<TEdit>(form, "Other", 220, 10, 100, 24);
  other->SetFocus();
  tree->Repaint();
  HDC dc = GetDC(tree->Handle());
  RECT lb = b->DisplayRect(true);
  EXPECT_EQ(GetPixel(dc, lb.left + 1, lb.top + 2), ColorToColorRef(clWindow));
  tree->SetHideSelection(false);
  tree->Repaint();
  EXPECT_EQ(GetPixel(dc, lb.left + 1, lb.top + 2), ColorToColorRef(clBtnFace));
  ReleaseDC(tree->Handle(), dc);
}

}  // namespace
