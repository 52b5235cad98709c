// The default system-command handling follows the window's system menu: a removed or greyed item
// is not carried out, and an item greyed by the window's state comes back with the state.
#include "platform/win/tests/WinTestSupport.h"

class SystemCommandTest : public WinTest {
 protected:
  RECT Rect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
  }
  // A caption drag from (200, 110) by (60, 40).
  void DragCaption() {
    SimulateMouseDown(TSimButton::Left, POINT{200, 110});
    SimulateMouseMove(POINT{260, 150});
    SimulateMouseUp(TSimButton::Left, POINT{260, 150});
    Pump();
  }
  // The right edge dragged 50 pixels out.
  void DragRightEdge(const RECT& r) {
    clock_->Advance(1000);
    SimulateMouseDown(TSimButton::Left, POINT{r.right - 2, (r.top + r.bottom) / 2});
    SimulateMouseMove(POINT{r.right + 48, (r.top + r.bottom) / 2});
    SimulateMouseUp(TSimButton::Left, POINT{r.right + 48, (r.top + r.bottom) / 2});
    Pump();
  }
};

TEST_F(SystemCommandTest, RemovedMoveAndSizeItemsStopTheMoveAndSize) {
  HWND w = Top(100, 100, 300, 200);
  Pump();
  HMENU menu = GetSystemMenu(w, FALSE);
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  DragCaption();
  EXPECT_EQ(Rect(w), (RECT{100, 100, 400, 300})) << "no move without SC_MOVE";
  DragRightEdge(Rect(w));
  EXPECT_EQ(Rect(w), (RECT{100, 100, 400, 300})) << "no size without SC_SIZE";
  // The item put back at the top sizes again.
  InsertMenu(menu, 0, MF_BYPOSITION | MF_STRING, SC_SIZE, u"&Size");
  DragRightEdge(Rect(w));
  EXPECT_EQ(Rect(w), (RECT{100, 100, 450, 300}));
}

TEST_F(SystemCommandTest, GreyedItemsAreRefusedAndTheStatesOwnGreyingFollowsTheState) {
  HWND w = Top(100, 100, 300, 200);
  Pump();
  HMENU menu = GetSystemMenu(w, FALSE);
  EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(w)) << "a greyed Close does not close";
  EXPECT_TRUE(GetMenuState(GetSystemMenu(w, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED)
      << "the program's greying stays";
  // Maximised: Move is greyed by the state; restored, it moves again.
  SendMessage(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(IsZoomed(w));
  EXPECT_TRUE(GetMenuState(GetSystemMenu(w, FALSE), SC_MOVE, MF_BYCOMMAND) & MF_GRAYED);
  SendMessage(w, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsZoomed(w));
  DragCaption();
  EXPECT_EQ(Rect(w), (RECT{160, 140, 460, 340}));
  EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
  SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(w));
}
