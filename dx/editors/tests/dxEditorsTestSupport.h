// Test support of the in-place editors: a host that answers its editors' questions and logs what
// reaches it, and a fixture on the virtual clock that pumps the application's loop.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxInplaceEdit.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

// A host whose answers the test sets, logging the keys handed to it.
class TTestContainer : public TCustomdxContainer {
  TRENVIK_CLASS(TTestContainer, TCustomdxContainer);

 public:
  explicit TTestContainer(TComponent* AOwner) : TCustomdxContainer(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
  }
  bool AllowModify = true;
  bool AllowChars = true;
  bool WantsTabKey = true;  // a host that moves between cells with Tab
  bool TracksDblClick = false;
  int DblClicks = 0;
  std::vector<WORD> KeysHandedOver;
  std::vector<WORD> KeysReported;
  std::vector<Char> CharsSeen;
  int FocusChanges = 0;

  bool CanEditModify() override { return AllowModify; }
  bool CanEditAcceptChar(Char) override { return AllowChars; }
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override {
    KeysReported.push_back(Key);
    inherited::DoEditKeyDown(Key, Shift);
  }
  void EditorFocusChanged() override { ++FocusChanges; }
  bool WantTabs() override { return WantsTabKey; }
  bool IsEditDblClickTracked() override { return TracksDblClick; }

 protected:
  void KeyDown(WORD& Key, TShiftState) override { KeysHandedOver.push_back(Key); }
  void KeyPress(Char& Key) override { CharsSeen.push_back(Key); }
  void DblClick() override { ++DblClicks; }
};

class DxEditorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetScreenSize(1024, 768);
    ResetInputState();
    FlushSimulatedInput();
    SetCursorPos(1020, 760);
    beepsBefore_ = MessageBeepCount();
    Application->OnException = [this](TObject*, Exception& E) { exceptions_.push_back(StringToUtf8(E.Message())); };
  }
  void TearDown() override {
    Application->OnException = nullptr;
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
    forms_.clear();
    Pump();
    ResetInputState();
    FlushSimulatedInput();
  }

  TForm* MakeForm(int Left = 100, int Top = 100, int Width = 400, int Height = 300) {
    TForm* f = NewForm<TForm>(nullptr);
    f->SetBounds(Left, Top, Width, Height);
    forms_.push_back(f);
    return f;
  }
  // A shown form with a host of 300 x 200 at (10, 10).
  TTestContainer* MakeHost() {
    TForm* f = MakeForm();
    auto* host = new TTestContainer(f);
    host->SetParent(f);
    host->SetBounds(10, 10, 300, 200);
    f->Show();
    Pump();
    return host;
  }

  static void Pump() { Application->ProcessMessages(); }
  static POINT At(TControl* c, int X, int Y) { return c->ClientToScreen(POINT{X, Y}); }
  static void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    Pump();
  }
  static void Type(const char* utf8) {
    SimulateText(Utf8ToString(utf8));
    Pump();
  }
  void Click(TControl* c, int X = 3, int Y = 3) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, At(c, X, Y));
    Pump();
  }
  int Beeps() const { return MessageBeepCount() - beepsBefore_; }

  VirtualClockScope clock_;
  std::vector<TCustomForm*> forms_;
  std::vector<std::string> exceptions_;
  int beepsBefore_ = 0;
};
