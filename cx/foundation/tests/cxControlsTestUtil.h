// Shared fixture of the foundation's control tests: a screen of known size, input reset, the
// virtual clock and a pump of the application's loop; forms made here are freed after the test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Clock.h"
#include "platform/win/Backend.h"
#include "platform/win/Windows.h"

class CxControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetScreenSize(1024, 768);
    ResetInputState();
    FlushSimulatedInput();
    SetCursorPos(1020, 760);
    Pump();
  }

  void TearDown() override {
    EndScript();
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
    forms_.clear();
    Pump();
    ResetInputState();
    FlushSimulatedInput();
  }

  TForm* MakeForm(int Left = 100, int Top = 100, int Width = 400, int Height = 300) {
    auto* f = new TForm(nullptr);
    f->SetBounds(Left, Top, Width, Height);
    forms_.push_back(f);
    return f;
  }
  void Forget(TCustomForm* f) { std::erase(forms_, f); }

  template <class T>
  static T* Add(TWinControl* Parent, int L, int T_, int W, int H) {
    T* c = new T(Parent);
    c->SetParent(Parent);
    c->SetBounds(L, T_, W, H);
    return c;
  }

  static void Pump() { Application->ProcessMessages(); }
  // Advances the virtual clock in steps of AStep, pumping after each.
  void Advance(int AMilliseconds, int AStep = 10) {
    for (int t = 0; t < AMilliseconds; t += AStep) {
      clock_->Advance(AStep);
      Pump();
    }
  }
  static POINT At(TControl* c, int X, int Y) { return c->ClientToScreen(POINT{X, Y}); }
  static void MoveTo(TControl* c, int X, int Y) {
    SimulateMouseMove(At(c, X, Y));
    Pump();
  }
  static void Down(TControl* c, int X, int Y, TSimButton B = TSimButton::Left) {
    SimulateMouseDown(B, At(c, X, Y));
    Pump();
  }
  static void Up(TControl* c, int X, int Y, TSimButton B = TSimButton::Left) {
    SimulateMouseUp(B, At(c, X, Y));
    Pump();
  }
  // A click of its own (never the second half of a double click).
  void Click(TControl* c, int X, int Y, TSimButton B = TSimButton::Left) {
    clock_->Advance(1000);
    SimulateClick(B, At(c, X, Y));
    Pump();
  }
  static void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    Pump();
  }
  // The colour of a screen pixel at a client point of a window.
  static TColor ScreenPixel(TControl* c, int X, int Y) {
    const POINT p = At(c, X, Y);
    HDC dc = GetDC(nullptr);
    const COLORREF color = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return static_cast<TColor>(color);
  }

  // Runs AActions while a modal loop pumps: each look at the queue moves the virtual clock on by
  // AStep milliseconds and runs the actions that are due (by their time from now).
  void ScriptModalLoop(std::vector<std::pair<int, std::function<void()>>> AActions, int AStep = 5) {
    script_ = std::move(AActions);
    scriptStart_ = scriptNow_ = 0;
    SetMessagePumpHook([this, AStep] {
      if (inScript_) return;
      inScript_ = true;
      scriptNow_ += AStep;
      clock_->Advance(AStep);
      while (!script_.empty() && script_.front().first <= scriptNow_) {
        auto action = std::move(script_.front().second);
        script_.erase(script_.begin());
        action();
      }
      inScript_ = false;
    });
  }
  void EndScript() { SetMessagePumpHook(nullptr); }

  VirtualClockScope clock_;
  std::vector<std::pair<int, std::function<void()>>> script_;
  int scriptStart_ = 0, scriptNow_ = 0;
  bool inScript_ = false;
  std::vector<TCustomForm*> forms_;
};
