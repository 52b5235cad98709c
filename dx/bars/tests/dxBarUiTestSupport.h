// A shown form with a bar manager drawing in the fixed-metrics test font, on the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/Clock.h"
#include "platform/win/Windows.h"

class DxBarUiTest : public testing::Test {
 protected:
  void SetUp() override {
    SetScreenSize(1024, 768);
    ResetInputState();
    FlushSimulatedInput();
    SetCursorPos(1020, 760);
    Application->OnException = [this](TObject*, Exception& E) { exceptions.push_back(E.Message()); };
    form = NewForm<TForm>(nullptr);
    form->SetBounds(100, 100, 500, 360);
    manager = new TdxBarManager(form);
    manager->SetUseSystemFont(false);
    manager->SetScaled(false);
    manager->Font()->SetName(kFixedTestFontName);
    manager->Font()->SetHeight(-16);
    form->Show();
    Pump();
  }
  void TearDown() override {
    Application->OnIdle = nullptr;
    Application->OnException = nullptr;
    delete form;
    Pump();
    ResetInputState();
    FlushSimulatedInput();
  }

  // Twice: what the input posts (a mouse leaving a window) is handled in the second round.
  static void Pump() {
    Application->ProcessMessages();
    Application->ProcessMessages();
  }

  TdxBarButton* AddButton(TdxBar* Bar, const String& Caption, bool BeginGroup = false) {
    auto* button = new TdxBarButton(form);
    button->SetCaption(Caption);
    button->SetCategory(0);
    TdxBarItemLink* link = Bar->ItemLinks()->Add();
    link->SetItem(button);
    link->SetBeginGroup(BeginGroup);
    return button;
  }

  // A floating bar at (X, Y) showing the given buttons.
  TdxBar* MakeFloatingBar(int X, int Y, std::initializer_list<const char16_t*> Captions) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(u"Tools");
    bar->SetFloatLeft(X);
    bar->SetFloatTop(Y);
    for (const char16_t* caption : Captions) AddButton(bar, caption);
    bar->SetVisible(true);
    Pump();
    return bar;
  }

  // A bar docked at the top in the given row (the main menu bar when asked), shown by the caller.
  TdxBar* MakeTopBar(const String& Caption, int Row, bool MainMenu = false) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    bar->SetIsMainMenu(MainMenu);
    bar->SetDockingStyle(dsTop);
    bar->SetRow(Row);
    return bar;
  }

  // The screen rectangle of a link's control.
  static RECT ScreenRectOf(TdxBarItemLink* Link) {
    RECT r = Link->ItemRect();
    auto* control = static_cast<TdxBarControl*>(Link->Owner()->BarControl());
    POINT origin = control->ClientToScreen(POINT{0, 0});
    OffsetRect(&r, origin.x, origin.y);
    return r;
  }
  static POINT CentreOf(const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

  // Runs steps, one each time the application goes idle (a modal loop waits in between).
  void OnIdleSteps(std::vector<std::function<void()>> Steps) {
    idleSteps_ = std::move(Steps);
    nextIdleStep_ = 0;
    Application->OnIdle = [this](TObject*, bool&) {
      if (nextIdleStep_ >= idleSteps_.size()) return;
      idleSteps_[nextIdleStep_++]();
      // Wakes the loop's wait, so that it goes idle again for the next step.
      PostMessage(form->Handle(), WM_NULL, 0, 0);
    };
  }

  // A key pressed (modifier bits: 1 Shift, 2 Ctrl, 4 Alt), and text typed, each handled.
  void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    Pump();
  }
  void Type(const String& Text) {
    SimulateText(Text);
    Pump();
  }
  void MoveTo(POINT P) {
    SimulateMouseMove(P);
    Pump();
  }
  void ClickAt(POINT P) {
    clock->Advance(1000);
    SimulateClick(TSimButton::Left, P);
    Pump();
  }
  static COLORREF ScreenPixel(int X, int Y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(nullptr, dc);
    return c;
  }

  // The red channel of what a person sees at a point: the screen with the layered windows over it.
  static int ComposedRed(int X, int Y) {
    TSurface composed(1, 1);
    ComposeScreen(composed);
    return static_cast<int>((composed.At(X, Y) >> 16) & 0xFF);
  }

  VirtualClockScope clock;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;  // owned by the form
  std::vector<String> exceptions;

 private:
  std::vector<std::function<void()>> idleSteps_;
  size_t nextIdleStep_ = 0;
};
