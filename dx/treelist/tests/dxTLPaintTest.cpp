#include <gtest/gtest.h>

#include "dx/editors/dxCheckEdit.h"
#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/dxMemoEdit.h"
#include "dx/treelist/tests/dxTreeListTestSupport.h"

namespace {

// Columns painted by the check and memo editor classes.
class TCheckColumn : public TdxTreeListColumn {
 public:
  using TdxTreeListColumn::TdxTreeListColumn;
  TdxInplaceEditClass GetEditorClass() override { return TdxInplaceCheckEdit::StaticEditClass(); }
};

class TMemoColumn : public TdxTreeListColumn {
 public:
  using TdxTreeListColumn::TdxTreeListColumn;
  TdxInplaceEditClass GetEditorClass() override { return TdxInplaceMemoEdit::StaticEditClass(); }
};

class TPreviewTreeList : public TTestTreeList {
 public:
  using TTestTreeList::TTestTreeList;
  String GetPreviewText(TdxTreeListNode* Node) override { return u"note " + Node->GetString(0); }
};

class DxTLPaintTest : public DxTreeListTest {
 protected:
  // Band "Person" (name, phone), band "Card" (registered check, memo); a root with two children,
  // an indicator, a one-line preview and a footer with a cell under the name.
  TPreviewTreeList* Sample() {
    TForm* f = NewForm<TForm>(nullptr);
    f->SetBounds(50, 50, 460, 320);
    forms_.push_back(f);
    auto* tl = new TPreviewTreeList(f);
    tl->SetName(u"People");
    tl->SetBorderStyle(bsNone);
    tl->SetScrollBars(ssNone);
    tl->SetParent(f);
    tl->SetBounds(0, 0, 420, 260);
    tl->SetDefaultLayout(false);
    tl->SetOptionFlagsEx(tl->OptionFlagsEx() & ~dxtlox::BandHeaderWidth & ~dxtlox::AutoCalcPreviewLines);
    tl->SetOptionFlags((tl->OptionFlags() | dxtlo::Preview) & ~dxtlo::RowSelect);
    tl->SetPreviewLines(1);
    tl->Bands()->Items(0)->SetCaption(u"Person");
    tl->Bands()->Items(0)->SetWidth(200);
    TdxTreeListBand* card = tl->Bands()->Add();
    card->SetCaption(u"Card");
    card->SetWidth(160);
    name_ = tl->CreateColumn(TdxTreeListColumn::StaticClass());
    name_->SetCaption(u"Name");
    name_->SetWidth(120);
    phone_ = tl->CreateColumnOf<TdxTreeListMaskColumn>();
    phone_->SetCaption(u"Phone");
    phone_->SetEditMask(u"000-00;1;_");
    phone_->SetWidth(80);
    auto* check = new TCheckColumn(f);
    check->SetTreeList(tl);
    check->SetBandIndex(1);
    check->SetWidth(40);
    auto* memo = new TMemoColumn(f);
    memo->SetTreeList(tl);
    memo->SetBandIndex(1);
    memo->SetWidth(120);
    tl->SetShowBands(true);
    tl->SetShowIndicator(true);
    tl->SetShowFooter(true);
    tl->OnIsExistFooterCell = [this](TObject*, int Column, bool& Exist) { Exist = Column == 0; };
    root_ = AddRow(tl, nullptr, "Ivanov", "123-45", "1", "first");
    a_ = AddRow(tl, root_, "Petrov", "234-56", "0", "second");
    b_ = AddRow(tl, root_, "Sidorov", "345-67", "1", "third");
    root_->SetExpanded(true);
    f->Show();
    Pump();
    return tl;
  }
  static TdxTreeListNode* AddRow(TCustomdxTreeList* tl, TdxTreeListNode* parent, const char* name,
                                 const char* phone, const char* check, const char* memo) {
    TdxTreeListNode* n = AddText(tl, parent, name);
    n->SetString(1, Utf8ToString(phone));
    n->SetString(2, Utf8ToString(check));
    n->SetString(3, Utf8ToString(memo));
    return n;
  }
  TdxTreeListColumn* name_ = nullptr;
  TdxTreeListMaskColumn* phone_ = nullptr;
  TdxTreeListNode *root_ = nullptr, *a_ = nullptr, *b_ = nullptr;
};

TEST_F(DxTLPaintTest, BandsHeadersTreeCellsPreviewAndFooterAreDrawn) {
  auto* tl = Sample();
  KeepCheckedWindow(tl->Handle());
  const COLORREF face = ColorToColorRef(clBtnFace), ink = ColorToColorRef(clWindowText);
  const COLORREF window = ColorToColorRef(clWindow), gray = ColorToColorRef(clGrayText);
  TdxTreeListDrawInfo info;
  tl->CalcDrawInfo(info);
  // Band panel 0..17 and header panel 17..34, after the 12-pixel indicator.
  EXPECT_EQ(Pixel(tl, 14, 9), face);
  EXPECT_GT(CountColour(tl, RECT{12, 0, 212, 17}, ink), 20) << "band caption";
  EXPECT_GT(CountColour(tl, RECT{12, 17, 132, 34}, ink), 20) << "header caption";
  // Rows start at 34: root, then its two children; each row is 16 plus a preview line of 11 + 2.
  ASSERT_EQ(info.Rows.size(), 3u);
  const TdxTreeListRowItem& row1 = info.Rows[1];
  EXPECT_EQ(row1.Top, 34 + 29);
  // The name cell of the child starts after the two levels of tree indent (32 pixels).
  RECT nameCell;
  tl->GetCellRect(a_, 0, nameCell);
  EXPECT_EQ(nameCell.left, 12 + 32);
  EXPECT_GT(CountColour(tl, nameCell, ink), 40) << "cell text";
  // The phone, check and memo cells have ink of their own.
  RECT phoneCell, checkCell, memoCell;
  tl->GetCellRect(a_, 1, phoneCell);
  tl->GetCellRect(a_, 2, checkCell);
  tl->GetCellRect(a_, 3, memoCell);
  EXPECT_GT(CountColour(tl, phoneCell, ink), 20);
  EXPECT_GT(CountColour(tl, memoCell, ink), 20);
  EXPECT_GT(CountColour(tl, RECT{checkCell.left, checkCell.top, checkCell.right, checkCell.bottom}, window),
            0);
  // The root's expand button: a 9 x 9 box framed in grey-text, centred on the row (preview included).
  const TdxTreeListRowItem& row0 = info.Rows[0];
  int mid = row0.Top + row0.Height / 2;
  EXPECT_EQ(Pixel(tl, 12 + 3, mid - 4), gray);
  EXPECT_EQ(Pixel(tl, 12 + 11, mid + 4), gray);
  // A dotted line runs down the children's level through the first child's whole row (it has a
  // sibling below), every other pixel.
  int dots = 0;
  for (int y = row1.Top; y < row1.Top + row1.Height; ++y) dots += Pixel(tl, 12 + 16 + 7, y) == gray;
  EXPECT_EQ(dots, (row1.Height + 1) / 2);
  // The last child's line stops at its middle.
  const TdxTreeListRowItem& row2 = info.Rows[2];
  EXPECT_NE(Pixel(tl, 12 + 16 + 7, row2.Top + row2.Height - 2), gray);
  EXPECT_NE(Pixel(tl, 12 + 16 + 7, row2.Top + row2.Height - 3), gray);
  // The preview line below the child's cells: blue ink.
  EXPECT_GT(CountColour(tl, RECT{nameCell.left, row1.Top + 16, 372, row1.Top + 29}, ColorToColorRef(clBlue)),
            10);
  // Indicator cells are header-coloured; the footer at the bottom holds its cell.
  EXPECT_EQ(Pixel(tl, 5, row1.Top + 3), face);
  const RECT& footer = info.Areas.Footer;
  EXPECT_EQ(footer.bottom, 260);
  EXPECT_EQ(Pixel(tl, 380, footer.top + 5), face);
}

TEST_F(DxTLPaintTest, TheFocusedCellIsHighlightedWhileTheControlHasTheFocus) {
  auto* tl = Sample();
  tl->SetFocusedNode(a_, 0, true);
  tl->SetFocus();
  Pump();
  KeepCheckedWindow(tl->Handle(), "focused");
  RECT nameCell;
  tl->GetCellRect(a_, 0, nameCell);
  EXPECT_GT(CountColour(tl, nameCell, ColorToColorRef(clHighlight)), 50);
  RECT other;
  tl->GetCellRect(b_, 0, other);
  EXPECT_EQ(CountColour(tl, other, ColorToColorRef(clHighlight)), 0);
}

TEST_F(DxTLPaintTest, ACellEditedThroughItsEditorWritesTheNodesValue) {
  auto* tl = Sample();
  tl->SetFocus();
  tl->SetFocusedNode(b_, 0, true);
  int edited = 0;
  tl->OnEdited = [&](TObject*, TdxTreeListNode* Node) {
    ++edited;
    EXPECT_EQ(Node, b_);
  };
  tl->ShowEditor();
  Pump();
  ASSERT_EQ(tl->State(), tsEditing);
  TdxInplaceEdit* editor = tl->InplaceEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->IsVisible());
  EXPECT_EQ(GetFocus(), editor->Handle());
  SimulateKeyPress(VK_END);
  SimulateText(u"a");
  Pump();
  KeepCheckedWindow(tl->Handle(), "editing");
  tl->CloseEditor();
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(b_->GetString(0), u"Sidorova");
  EXPECT_EQ(edited, 1);
  // Opened and closed again without a change: the value stays, OnEdited still fires.
  tl->ShowEditor();
  Pump();
  tl->CloseEditor();
  EXPECT_EQ(b_->GetString(0), u"Sidorova");
  EXPECT_EQ(edited, 2);
}

TEST_F(DxTLPaintTest, EditingIsRefusedWithoutTheOptionOrInRowMode) {
  auto* tl = Sample();
  tl->SetFocusedNode(b_, 0, true);
  tl->SetOptionFlags(tl->OptionFlags() & ~dxtlo::Editing);
  tl->ShowEditor();
  EXPECT_EQ(tl->State(), tsNormal);
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::Editing | dxtlo::RowSelect);
  tl->ShowEditor();
  EXPECT_EQ(tl->State(), tsNormal);
  tl->SetOptionFlags(tl->OptionFlags() & ~dxtlo::RowSelect);
  tl->OnEditing = [](TObject*, TdxTreeListNode*, bool& Allow) { Allow = false; };
  tl->ShowEditor();
  EXPECT_EQ(tl->State(), tsNormal);
}

TEST_F(DxTLPaintTest, TheMaskColumnEditsThroughItsMask) {
  auto* tl = Sample();
  tl->SetFocus();
  tl->SetFocusedNode(a_, 1, true);
  tl->ShowEditor();
  Pump();
  auto* mask = dynamic_cast<TdxInplaceMaskEdit*>(tl->InplaceEditor());
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->EditMask(), u"000-00;1;_");
  SimulateKeyPress(VK_HOME);
  SimulateText(u"9");
  Pump();
  tl->CloseEditor();
  EXPECT_EQ(a_->GetString(1), u"934-56");
}

}  // namespace

namespace {

class DxTLCustomDrawTest : public DxTLPaintTest {
 protected:
  static void Repaint(TCustomdxTreeList* tl) {
    tl->Invalidate();
    UpdateWindow(tl->Handle());
  }
};

TEST_F(DxTLCustomDrawTest, ACellHandlerThatDrawsStopsTheColumnsHandler) {
  auto* tl = Sample();
  int control = 0, column = 0;
  tl->OnCustomDrawCell = [&](TObject*, TCanvas*, const RECT&, TdxTreeListNode*, TdxTreeListColumn* Column,
                             bool, bool, bool, String&, TColor&, TFont*, TAlignment&, bool& Done) {
    ++control;
    Done = Column == name_;
  };
  name_->OnCustomDrawCell = [&](TObject*, TCanvas*, const RECT&, TdxTreeListNode*, TdxTreeListColumn*, bool,
                                bool, bool, String&, TColor&, TFont*, TAlignment&, bool&) { ++column; };
  phone_->OnCustomDrawCell = name_->OnCustomDrawCell;
  Repaint(tl);
  EXPECT_EQ(control, 3 * 4);
  EXPECT_EQ(column, 3);  // the phone cells only
}

TEST_F(DxTLCustomDrawTest, AColourOrTextChangedByAHandlerIsPaintedButNotStored) {
  auto* tl = Sample();
  tl->OnCustomDrawCell = [&](TObject*, TCanvas*, const RECT&, TdxTreeListNode* Node,
                             TdxTreeListColumn* Column, bool, bool, bool, String& Text, TColor& Color, TFont*,
                             TAlignment&, bool&) {
    if (Node == a_ && Column == name_) {
      Color = clYellow;
      Text = u"";
    }
  };
  Repaint(tl);
  KeepCheckedWindow(tl->Handle());
  RECT cell;
  tl->GetCellRect(a_, 0, cell);
  int area = (cell.right - cell.left) * (cell.bottom - cell.top);
  EXPECT_EQ(CountColour(tl, cell, ColorToColorRef(clYellow)), area);
  EXPECT_EQ(a_->GetString(0), u"Petrov");
}

TEST_F(DxTLCustomDrawTest, HeaderAndPreviewHandlersInTheirOrder) {
  auto* tl = Sample();
  int columnHeader = 0, previewCell = 0, preview = 0;
  tl->OnCustomDrawColumnHeader = [&](TObject*, TdxTreeListColumn* Column, TCanvas*, const RECT&, String&,
                                     TColor& Color, TFont*, TAlignment&, TdxTreeListColumnSort&, bool& Done) {
    if (Column == name_) Color = clYellow;
    Done = Column == phone_;
  };
  phone_->OnCustomDrawColumnHeader = [&](TObject*, TdxTreeListColumn*, TCanvas*, const RECT&, String&,
                                         TColor&, TFont*, TAlignment&, TdxTreeListColumnSort&,
                                         bool&) { ++columnHeader; };
  tl->OnCustomDrawPreview = [&](TObject*, TCanvas*, const RECT&, TdxTreeListNode*, bool, const String&,
                                bool& Done) {
    ++preview;
    Done = true;
  };
  tl->OnCustomDrawPreviewCell = [&](TObject*, TCanvas*, const RECT&, TdxTreeListNode*, bool, String&, TColor&,
                                    TColor&, TFont*, bool&) { ++previewCell; };
  Repaint(tl);
  EXPECT_EQ(columnHeader, 0);
  EXPECT_EQ(preview, 3);
  EXPECT_EQ(previewCell, 0);
  EXPECT_GT(CountColour(tl, RECT{14, 19, 130, 32}, ColorToColorRef(clYellow)), 100);
}

}  // namespace

namespace {

class DxTLEditingTest : public DxTLPaintTest {};

TEST_F(DxTLEditingTest, TheEditorsDefaultBorderFollowsTheGrid) {
  auto* tl = Sample();
  tl->SetFocus();
  tl->SetFocusedNode(a_, 0, true);
  tl->ShowEditor();
  Pump();
  ASSERT_NE(tl->InplaceEditor(), nullptr);
  TdxEditStyle* style = tl->InplaceEditor()->Style();
  EXPECT_EQ(style->BorderStyle(), xbsSingle);
  EXPECT_EQ(style->ButtonStyle(), bts3D);
  tl->CloseEditor();
  tl->SetShowGrid(true);
  tl->SetLookAndFeel(lfUltraFlat);
  EXPECT_EQ(style->BorderStyle(), xbsNone);
  EXPECT_EQ(style->ButtonStyle(), btsHotFlat);
}

TEST_F(DxTLEditingTest, OpeningTheEditorScrollsItsColumnIntoView) {
  auto* tl = Sample();
  tl->SetFocus();
  tl->Bands()->Items(1)->SetWidth(400);  // the memo column now ends beyond the client
  tl->SetFocusedNode(a_, 3, false);
  tl->SetLeftCoord(0);
  tl->ShowEditor();
  Pump();
  ASSERT_EQ(tl->State(), tsEditing);
  RECT editor;
  GetWindowRect(tl->InplaceEditor()->Handle(), &editor);
  POINT topLeft{editor.left, editor.top}, bottomRight{editor.right, editor.bottom};
  ScreenToClient(tl->Handle(), &topLeft);
  ScreenToClient(tl->Handle(), &bottomRight);
  EXPECT_GT(tl->LeftCoord(), 0);
  EXPECT_LE(bottomRight.x, tl->ClientWidth() + 2);
  EXPECT_GE(topLeft.x, 12 - 2);
  tl->CloseEditor();
}

}  // namespace

namespace {

// 8 x 8 red with a magenta bottom row, whose bottom-left pixel makes magenta the transparent colour.
std::unique_ptr<TBitmap> RedGlyph() {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetWidth(8);
  glyph->SetHeight(8);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect(RECT{0, 0, 8, 7});
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(RECT{0, 7, 8, 8});
  return glyph;
}

// A column's header glyph: drawn at the left of its header with the glyph's transparent colour left
// out, gone once cleared, and copied by Assign only when the source has one.
TEST_F(DxTLPaintTest, AHeaderGlyphIsDrawnAtTheHeadersLeftUntilCleared) {
  TTestTreeList* tl = MakeTreeList(300, 120);
  TdxTreeListColumn* name = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  name->SetCaption(u"Name");
  name->SetWidth(150);
  AddText(tl, nullptr, "Petrov");
  RECT rows{};
  tl->GetRowsRect(rows);
  const RECT header{0, 0, 150, rows.top}, left{0, 0, 20, rows.top};
  auto glyph = RedGlyph();
  name->SetHeaderGlyph(glyph.get());
  ASSERT_TRUE(tl->HasColumnHeaderGlyph(0));
  tl->Repaint();
  KeepCheckedWindow(tl->Handle());
  EXPECT_EQ(CountColour(tl, left, ColorToColorRef(clRed)), 56);
  EXPECT_EQ(CountColour(tl, header, ColorToColorRef(clFuchsia)), 0) << "the transparent colour is left out";

  // Another column copies the glyph; a column without one copies none.
  TdxTreeListColumn* copy = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  copy->Assign(name);
  EXPECT_TRUE(copy->HasHeaderGlyph());
  TdxTreeListColumn* plain = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  copy->Assign(plain);
  EXPECT_TRUE(copy->HasHeaderGlyph());
  EXPECT_FALSE(plain->HasHeaderGlyph());

  name->SetHeaderGlyph(nullptr);
  EXPECT_FALSE(tl->HasColumnHeaderGlyph(0));
  tl->Repaint();
  EXPECT_EQ(CountColour(tl, header, ColorToColorRef(clRed)), 0);
}

}  // namespace
