// Test support of the inspector: an engine whose nodes carry their own texts, and a fixture with a
// shown form in the fixed-metrics font on the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dx/inspector/dxInspct.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

class TTextNode : public TdxInspectorNode {
 public:
  using TdxInspectorNode::TdxInspectorNode;
  String Caption;
  String Value;
  bool Category = false;
};

// The engine over nodes that hold their caption and value; values are drawn as plain text.
class TTestInspector : public TCustomdxInspector {
  TRENVIK_CLASS(TTestInspector, TCustomdxInspector);

 public:
  using TCustomdxInspector::TCustomdxInspector;
  TdxInspectorNode* CreateNode() override { return new TTextNode(this); }
  void GetNodeTexts(TdxInspectorNode* Node, String& Caption, String& Value) override {
    Caption = static_cast<TTextNode*>(Node)->Caption;
    Value = static_cast<TTextNode*>(Node)->Value;
  }
  bool IsCategory(TdxInspectorNode* Node) override { return Node && static_cast<TTextNode*>(Node)->Category; }
  void DrawValueCell(TCanvas* Canvas, const RECT& Rect, TdxInspectorNode*, String& Text,
                     TAlignment&) override {
    Canvas->FillRect(Rect);
    Canvas->TextOut(Rect.left + 1, Rect.top + 1, Text);
  }
  // Values go into the editor and come back from it, as a row would handle them.
  void InitEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor, Variant& Value) override {
    Editor->SetText(static_cast<TTextNode*>(Node)->Value);
    Value = Editor->Text();
  }
  void SaveEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor, Variant& Value) override {
    if (!Editor->GetModified()) return;
    static_cast<TTextNode*>(Node)->Value = Editor->Text();
    Value = Editor->Text();
    ++Saves;
  }
  int Saves = 0;
  TTextNode* Add(const char* caption, const char* value = "", TdxInspectorNode* parent = nullptr) {
    auto* node = static_cast<TTextNode*>(parent ? parent->AddChild() : AddNode());
    node->Caption = Utf8ToString(caption);
    node->Value = Utf8ToString(value);
    Invalidate();
    return node;
  }
};

class InspectorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetScreenSize(1024, 768);
    ResetInputState();
    FlushSimulatedInput();
    SetCursorPos(1020, 760);
  }
  void TearDown() override {
    delete form_;
    Pump();
    ResetInputState();
    FlushSimulatedInput();
  }
  // A shown inspector without a border at (10, 10) of a form, in the fixed font (8 x 16 glyphs):
  // rows are 20 pixels high in every style but the categorized one.
  TTestInspector* MakeInspector(int Width = 300, int Height = 200) {
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, Width + 40, Height + 60);
    form_->Font()->SetName(kFixedTestFontName);
    form_->Font()->SetHeight(-16);
    auto* insp = new TTestInspector(form_);
    insp->SetBorderStyle(bsNone);
    insp->SetParent(form_);
    insp->SetBounds(10, 10, Width, Height);
    form_->Show();
    Pump();
    return insp;
  }
  static void Pump() { Application->ProcessMessages(); }
  static POINT At(TControl* c, int X, int Y) { return c->ClientToScreen(POINT{X, Y}); }
  static void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    Pump();
  }
  void Click(TControl* c, int X, int Y) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, At(c, X, Y));
    Pump();
  }
  void DoubleClick(TControl* c, int X, int Y) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, At(c, X, Y));
    clock_->Advance(50);
    SimulateClick(TSimButton::Left, At(c, X, Y));
    Pump();
  }
  // Presses at the screen point From, moves 8 pixels (a row drag starts), then to To and one pixel
  // lower, leaving the button down.
  void PressAndDragTo(POINT From, POINT To) {
    clock_->Advance(1000);
    SimulateMouseMove(From);
    SimulateMouseDown(TSimButton::Left, From);
    Pump();
    for (POINT p : {POINT{From.x + 8, From.y}, To, POINT{To.x, To.y + 1}}) {
      SimulateMouseMove(p);
      Pump();
    }
  }
  static COLORREF Pixel(TWinControl* c, int X, int Y) {
    HDC dc = GetDC(c->Handle());
    const COLORREF p = GetPixel(dc, X, Y);
    ReleaseDC(c->Handle(), dc);
    return p;
  }

  VirtualClockScope clock_;
  TForm* form_ = nullptr;
};
