// Per-node colours through the custom-draw hook, and node tips switched off.
#include "DbTreeFixture.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/Gdi.h"

namespace {

TEST_F(DbTreeTest, CustomDrawColoursEveryRowButTheSelectedOne) {
  Exec(u"INSERT INTO DEP (ID, PARENT_ID, NAME) VALUES (1, 0, 'aaaa'), (2, 0, 'bbbb'), (3, 0, 'cccc')");
  TdxDBTreeView* view = Tree(FullOptions(), u"0");
  view->SetHideSelection(false);
  view->OnCustomDraw = [](TObject*, TTreeNode* node, TFont*, TColor& color, TColor& bkColor) {
    if (node->Text() == u"aaaa") return;
    color = clRed;
    bkColor = clYellow;
  };
  Node(view, 2)->SetSelected(true);
  view->Invalidate();
  Pump();
  HDC dc = GetDC(view->Handle());
  auto background = [&](int key) {
    RECT r = Node(view, key)->DisplayRect(true);
    return GetPixel(dc, r.left + 1, r.top + 1);
  };
  EXPECT_EQ(background(1), ColorToColorRef(clWindow));
  EXPECT_NE(background(2), ColorToColorRef(clYellow));  // selected: the state's colours stay
  EXPECT_EQ(background(3), ColorToColorRef(clYellow));
  ReleaseDC(view->Handle(), dc);
  EXPECT_TRUE(KeepCheckedWindow(view->Handle()));
}

TEST_F(DbTreeTest, NoNodeTipTextWhileShowNodeHintIsOff) {
  TdxDBTreeView* view = Tree(FullOptions());
  view->SetShowNodeHint(false);
  NMTTDISPINFO info;
  info.hdr.code = TTN_NEEDTEXT;
  info.szText[0] = u'x';
  SendMessage(view->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_EQ(info.lpszText[0], 0);
}

}  // namespace
