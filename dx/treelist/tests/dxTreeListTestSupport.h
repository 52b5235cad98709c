// Test support of the tree list: a control on a shown form, measured with the fixed-metrics font
// (every glyph a box of the font's height and half that width), on the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dx/treelist/dxTLControl.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

// The control with a few test hooks: its events logged, and FocusNode's answer settable.
class TTestTreeList : public TCustomdxTreeListControl {
  TRENVIK_CLASS(TTestTreeList, TCustomdxTreeListControl);

 public:
  explicit TTestTreeList(TComponent* AOwner) : TCustomdxTreeListControl(AOwner) {}
  bool FocusNodeAnswer = true;
  bool RowFooterLevels = false;  // every level shows row footers
  bool IsRowFooterLevel(int) override { return RowFooterLevels; }
  int SortClears = 0;
  void ClearSortedColumns() override {
    ++SortClears;
    TCustomdxTreeListControl::ClearSortedColumns();
  }
  std::vector<std::string> Deleted;  // the node texts of column 0, in deletion order
  // The sort value of a node for a column: the base answers an empty string.
  std::function<void(TdxTreeListNode* Node, int Column, Variant& Value)> SortValue;
  void GetNodeSortValue(TdxTreeListNode* Node, int Column, Variant& Value) override {
    if (SortValue)
      SortValue(Node, Column, Value);
    else
      TCustomdxTreeListControl::GetNodeSortValue(Node, Column, Value);
  }
  // A selection store as the data-aware controls keep one (on when StoresSelection is set).
  bool StoresSelection = false;
  std::vector<TdxTreeListNode*> Selection;
  bool IsNodeSelected(TdxTreeListNode* Node) override {
    return StoresSelection && std::find(Selection.begin(), Selection.end(), Node) != Selection.end();
  }
  void SetNodeSelected(TdxTreeListNode* Node, bool Value) override {
    if (!StoresSelection) return TCustomdxTreeListControl::SetNodeSelected(Node, Value);
    if (Value == IsNodeSelected(Node) || (Value && !DoCanNodeSelected(Node))) return;
    if (Value)
      Selection.push_back(Node);
    else
      std::erase(Selection, Node);
    DoSelectedCountChange();
  }
  int GetSelectedCount() override { return static_cast<int>(Selection.size()); }
  TdxTreeListNode* GetSelectedNode(int Index) override { return Selection.at(Index); }
  void ClearSelection() override {
    Selection.clear();
    TCustomdxTreeListControl::ClearSelection();
  }
  bool FocusNode(TdxTreeListNode* Node) override {
    if (!FocusNodeAnswer) return false;
    return TCustomdxTreeListControl::FocusNode(Node);
  }
};

class DxTreeListTest : public ::testing::Test {
 public:
  void SetUp() override {
    SetFixedTestFontForAllFaces(true);
    SetScreenSize(1024, 768);
    ResetInputState();
    FlushSimulatedInput();
  }
  void TearDown() override {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
    forms_.clear();
    Pump();
    SetFixedTestFontForAllFaces(false);
  }
  // A tree list of Width x Height client pixels on a shown form, without a border.
  TTestTreeList* MakeTreeList(int Width = 400, int Height = 300) { return MakeTreeListOf<TTestTreeList>(Width, Height); }
  template <class T>
  T* MakeTreeListOf(int Width = 400, int Height = 300) {
    TForm* f = NewForm<TForm>(nullptr);
    f->SetBounds(50, 50, Width + 40, Height + 60);
    forms_.push_back(f);
    auto* tl = new T(f);
    tl->SetName(u"Grid1");
    tl->SetBorderStyle(bsNone);
    tl->SetScrollBars(ssNone);
    tl->SetParent(f);
    tl->SetBounds(0, 0, Width, Height);
    f->Show();
    Pump();
    return tl;
  }
  // A detached tree list (no window): node and geometry logic only.
  TTestTreeList* MakeDetached() {
    auto* tl = new TTestTreeList(nullptr);
    detached_.emplace_back(tl);
    return tl;
  }
  static void Pump() { Application->ProcessMessages(); }
  // Bands A, B, C of 150 pixels: A holds c0 and c1, B c2 and c3, C c4, each column 75 wide; rows
  // "one", "two", "three"; no indicator.
  TTestTreeList* MakeThreeBands(int Width = 600, int Height = 200);
  static TdxTreeListDrawInfo DrawInfo(TCustomdxTreeList* tl) {
    TdxTreeListDrawInfo info;
    tl->CalcDrawInfo(info);
    return info;
  }
  static POINT ToScreen(TCustomdxTreeList* tl, int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(tl->Handle(), &p);
    return p;
  }
  // A pixel of the tree list's client area, and how many pixels of a client rectangle have a colour.
  static COLORREF Pixel(TCustomdxTreeList* tl, int x, int y) {
    HDC dc = GetDC(tl->Handle());
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(tl->Handle(), dc);
    return c;
  }
  static int CountColour(TCustomdxTreeList* tl, const RECT& r, COLORREF colour) {
    HDC dc = GetDC(tl->Handle());
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
    ReleaseDC(tl->Handle(), dc);
    return n;
  }
  // The whole screen's pixels, and one pixel of it.
  static std::vector<std::uint32_t> ScreenSnapshot();
  static COLORREF ScreenPixel(POINT P);
  // True when the screen shows what a repaint of the tree list's whole form gives: nothing drawn
  // straight on the screen was left behind.
  static bool ScreenIsRepainted(TCustomdxTreeList* tl);

  static TdxTreeListNode* AddText(TCustomdxTreeList* tl, TdxTreeListNode* Parent, const char* Text) {
    TdxTreeListNode* n = Parent ? Parent->AddChild() : tl->Add();
    n->SetString(0, Utf8ToString(Text));
    return n;
  }
  static std::string Text(const TdxTreeListNode* n) { return n ? StringToUtf8(n->GetString(0)) : "nil"; }
  // The row texts in row order, as the cache answers them.
  static std::string Rows(TCustomdxTreeList* tl) {
    std::string s;
    for (int i = 0; i < tl->GetAbsoluteCount(); ++i) s += (i ? " " : "") + Text(tl->GetAbsoluteNode(i));
    return s;
  }

  VirtualClockScope clock_;
  std::vector<TCustomForm*> forms_;
  std::vector<std::unique_ptr<TTestTreeList>> detached_;
};
