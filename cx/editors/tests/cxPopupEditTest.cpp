#include "cx/editors/cxPopupEdit.h"

#include <string>
#include <vector>

#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"

namespace {

class CxPopupEditTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 500, 400);
    panel = Add<TPanel>(form, 250, 60, 180, 120);
    panel->SetVisible(false);
    inside = Add<TEdit>(panel, 10, 10, 100, 21);
    edit = Add<TcxPopupEdit>(form, 10, 10, 200, 21);
    other = Add<TEdit>(form, 10, 300, 150, 21);
    Props()->SetPopupControl(panel);
    Props()->OnInitPopup = [this](TObject*) { log.push_back("init"); };
    Props()->OnPopup = [this](TObject*) { log.push_back("popup"); };
    Props()->OnCloseUp = [this](TObject*) { log.push_back("closeup"); };
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
  }

  TcxCustomPopupEditProperties* Props() { return edit->ActiveProperties(); }
  TcxCustomEditPopupWindow* Popup() { return edit->PopupWindow(); }
  // Opens the popup by F4 and runs AActions inside its modal loop (times in milliseconds).
  // The loop looks at its queue again only when something arrives: every few milliseconds up to
  // the last action a message is left for it.
  void OpenAndRun(std::vector<std::pair<int, std::function<void()>>> AActions) {
    const int last = AActions.empty() ? 0 : AActions.back().first;
    std::vector<std::pair<int, std::function<void()>>> script;
    size_t next = 0;
    for (int t = 0; t <= last; t += 5) {
      while (next < AActions.size() && AActions[next].first <= t) script.push_back(std::move(AActions[next++]));
      // Input, not a posted message: it waits behind the input the actions made.
      script.emplace_back(t, [this] { SimulateMouseMove(lastPoint); });
    }
    AActions = std::move(script);
    ScriptModalLoop(std::move(AActions));
    Key(VK_F4);
    EndScript();
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TEdit* inside = nullptr;
  TcxPopupEdit* edit = nullptr;
  TEdit* other = nullptr;
  std::vector<std::string> log;
  // Where the simulated mouse was last sent.
  POINT lastPoint{1020, 760};

  void MoveMouse(POINT P) {
    lastPoint = P;
    SimulateMouseMove(P);
  }
  void ClickAt(POINT P) {
    MoveMouse(P);
    SimulateClick(TSimButton::Left, P);
  }
};

TEST_F(CxPopupEditTest, ThePanelMovesIntoThePopupAndBackAsItWasOnAClickElsewhere) {
  bool shown = false;
  TWinControl* parentInPopup = nullptr;
  TColor frame = clNone, inPanel = clNone;
  OpenAndRun({
      {20,
       [&] {
         shown = edit->DroppedDown();
         parentInPopup = panel->Parent();
       }},
      {60,
       [&] {
         // The single frame of the popup around the panel, and the panel's inner edit drawn in it.
         frame = ScreenPixel(Popup(), 0, Popup()->Height() / 2);
         const POINT insideEdit = inside->ClientToScreen({5, 5});
         inPanel = ScreenPixel(form, insideEdit.x - form->ClientToScreen({0, 0}).x,
                               insideEdit.y - form->ClientToScreen({0, 0}).y);
         KeepCheckedScreen("panel in the popup");
       }},
      {80, [&] { ClickAt(At(other, 5, 5)); }},
  });
  EXPECT_TRUE(shown);
  EXPECT_EQ(parentInPopup, Popup());
  EXPECT_EQ(frame, ColorToRGB(clBtnText));
  EXPECT_EQ(inPanel, ColorToRGB(clWindow));
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(panel->Parent(), form);
  EXPECT_EQ(panel->Align(), alNone);
  EXPECT_FALSE(panel->Visible());
  const RECT bounds = panel->BoundsRect();
  EXPECT_EQ(bounds.left, 250);
  EXPECT_EQ(bounds.top, 60);
  EXPECT_EQ(bounds.right, 430);
  EXPECT_EQ(bounds.bottom, 180);
  EXPECT_EQ(log, (std::vector<std::string>{"init", "popup", "closeup"}));
}

TEST_F(CxPopupEditTest, WithoutAPopupControlItOnlyAsksAndItRefusesToShowItsOwnParent) {
  Props()->SetPopupControl(nullptr);
  Key(VK_F4);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(log, (std::vector<std::string>{"init"}));
  auto* box = Add<TPanel>(form, 10, 100, 220, 60);
  auto* nested = Add<TcxPopupEdit>(box, 5, 5, 200, 21);
  nested->ActiveProperties()->SetPopupControl(box);
  try {
    nested->DropDown();
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Circular referencing is not allowed");
  }
  EXPECT_FALSE(nested->DroppedDown());
  EXPECT_EQ(box->Parent(), form);
}

TEST_F(CxPopupEditTest, AFreedPopupControlIsForgotten) {
  delete panel;
  EXPECT_EQ(Props()->PopupControl(), nullptr);
  Key(VK_F4);
  EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(CxPopupEditTest, AFormUsedAsPopupControlGetsItsBorderAndPlaceBack) {
  auto* tool = MakeForm(600, 100, 200, 150);
  ASSERT_EQ(tool->BorderStyle(), bsSizeable);
  Props()->SetPopupControl(tool);
  TFormBorderStyle inPopup = bsSizeable;
  OpenAndRun({
      {20, [&] { inPopup = tool->BorderStyle(); }},
      {40, [&] { ClickAt(At(other, 5, 5)); }},
  });
  EXPECT_EQ(inPopup, bsNone);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(tool->BorderStyle(), bsSizeable);
  EXPECT_EQ(tool->Parent(), nullptr);
  EXPECT_EQ(tool->Left(), 600);
  EXPECT_EQ(tool->Width(), 200);
  EXPECT_FALSE(tool->Visible());
}

TEST_F(CxPopupEditTest, TheCloseButtonAsksOnCloseQueryAndStaysHotWhenRefused) {
  Props()->SetPopupSysPanelStyle(true);
  int asked = 0;
  Props()->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++asked > 1; };
  bool openAfterRefusal = false;
  int crossInk = 0;
  int stateAfterRefusal = 0;
  auto pressClose = [&] {
    const RECT r = Popup()->EditViewInfo()->CloseButtonRect;
    const POINT p = At(Popup(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ClickAt(p);
  };
  OpenAndRun({
      {60,
       [&] {
         // The panel's close button is drawn: its cross in the button text colour.
         int cross = 0;
         const RECT r = Popup()->EditViewInfo()->CloseButtonRect;
         for (int y = r.top; y < r.bottom; ++y)
           for (int x = r.left; x < r.right; ++x) cross += ScreenPixel(Popup(), x, y) == ColorToRGB(clBtnText);
         crossInk = cross;
         KeepCheckedScreen("popup with its system panel");
       }},
      {80, pressClose},
      {200,
       [&] {
         openAfterRefusal = edit->DroppedDown();
         stateAfterRefusal = Popup()->EditViewInfo()->CloseButtonState;
       }},
      {250, pressClose},
  });
  EXPECT_GT(crossInk, 8);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(stateAfterRefusal, cxPopupCloseButtonHot);
  EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(CxPopupEditTest, AnEditFreedWhileItsPopupIsOpenPutsThePanelBack) {
  OpenAndRun({{20, [&] {
                 delete edit;
                 edit = nullptr;
               }}});
  EXPECT_TRUE(cxShownPopups().empty());
  EXPECT_EQ(panel->Parent(), form);
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(panel->Left(), 250);
}

}  // namespace
