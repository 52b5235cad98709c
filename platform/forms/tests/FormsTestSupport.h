// Test support of the controls and forms: small controls of our own, an event log, and a fixture
// on the virtual clock that pumps the application's loop.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/Timers.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

inline std::vector<std::string>& EventLog() {
  static std::vector<std::string> log;
  return log;
}
inline void Note(const std::string& s) { EventLog().push_back(s); }
inline std::string Name(TObject* o) {
  auto* c = dynamic_cast<TComponent*>(o);
  return c ? StringToUtf8(c->Name()) : std::string("?");
}

// A container: accepts controls, fills itself with its colour.
class TTestPanel : public TCustomControl {
  TRENVIK_CLASS(TTestPanel, TCustomControl);

 public:
  explicit TTestPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
    SetBounds(0, 0, 100, 50);
  }
};

// A focusable control that logs what reaches it; WantKeys answers WM_GETDLGCODE.
class TTestBox : public TCustomControl {
  TRENVIK_CLASS(TTestBox, TCustomControl);
  TRENVIK_MESSAGES(TTestBox);

 public:
  explicit TTestBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 60, 20);
  }
  LRESULT WantKeys = 0;

 private:
  void WMGetDlgCode(TMessage& Message) { Message.Result = WantKeys; }
};

// A windowless control.
class TTestShape : public TGraphicControl {
  TRENVIK_CLASS(TTestShape, TGraphicControl);

 public:
  explicit TTestShape(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 40, 20); }
  int PaintCount = 0;

 protected:
  void Paint() override {
    ++PaintCount;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};

void RegisterTestControls();

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestControls();
    SetScreenSize(1024, 768);
    ResetInputState();
    FlushSimulatedInput();
    SetCursorPos(1020, 760);
    EventLog().clear();
    // A modal loop a test forgot to end stops instead of waiting for input forever.
    Application->OnIdle = [this](TObject*, bool& Done) {
      Done = false;
      if (++idles_ > 2000) {
        idles_ = 0;
        stuck_ = true;
        for (int i = 0; i < Screen->FormCount(); ++i)
          if (Screen->Forms(i)->FormState().Contains(fsModal)) Screen->Forms(i)->SetModalResult(mrAbort);
      }
    };
  }

  void TearDown() override {
    Application->CancelHint();
    Application->OnIdle = nullptr;
    Application->OnException = nullptr;
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
    forms_.clear();
    Pump();
    ResetInputState();
    FlushSimulatedInput();
    EXPECT_FALSE(stuck_) << "a modal loop had to be stopped";
  }

  // A form freed after the test.
  template <class T = TForm>
  T* MakeForm(int Left = 100, int Top = 100, int Width = 400, int Height = 300) {
    T* f = NewForm<T>(nullptr);
    f->SetBounds(Left, Top, Width, Height);
    forms_.push_back(f);
    return f;
  }
  void Forget(TCustomForm* f) { std::erase(forms_, f); }

  template <class T>
  static T* Add(TWinControl* Parent, const char* Name, int L, int T_, int W, int H) {
    T* c = new T(GetParentForm(Parent) ? static_cast<TComponent*>(GetParentForm(Parent)) : Parent);
    c->SetName(Utf8ToString(Name));
    c->SetParent(Parent);
    c->SetBounds(L, T_, W, H);
    return c;
  }

  static void Pump() { Application->ProcessMessages(); }
  // A point of a control in screen coordinates.
  static POINT At(TControl* c, int X, int Y) { return c->ClientToScreen(POINT{X, Y}); }
  // A click of its own (never the second half of a double click).
  void Click(TControl* c, int X = 3, int Y = 3) {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, At(c, X, Y));
    Pump();
  }
  static void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    Pump();
  }

  VirtualClockScope clock_;
  std::vector<TCustomForm*> forms_;
  int idles_ = 0;
  bool stuck_ = false;
};
