// The page control through the message path, in the fixed-metrics font (8 x 16 characters):
// tabs switch pages by mouse and keys, OnChanging may refuse, hidden tabs are skipped, the sheets
// fill the display area, and removing sheets keeps a page shown.
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FixedFontFormTest.h"

class PageControlTest : public FixedFontFormTest {
 protected:
  void SetUp() override {
    FixedFontFormTest::SetUp();
    pages = Add<TPageControl>(form, "Pages", 10, 10, 300, 200);
    for (const char* name : {"One", "Two", "Three"}) {
      auto* sheet = new TTabSheet(form);
      sheet->SetName(Utf8ToString(name));
      sheet->SetCaption(Utf8ToString(name));
      sheet->SetPageControl(pages);
    }
    pages->OnChanging = [this](TObject*, bool& allow) {
      Note("changing from " + Name(pages->ActivePage()));
      allow = allowChange;
    };
    pages->OnChange = [this](TObject*) { Note("change to " + Name(pages->ActivePage())); };
    Pump();
  }
  // The centre of a visible tab.
  POINT TabCentre(int i) {
    RECT r = pages->TabRect(i);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void ClickTab(int i) {
    POINT p = TabCentre(i);
    Click(pages, p.x, p.y);
  }
  TPageControl* pages = nullptr;
  bool allowChange = true;
};

TEST_F(PageControlTest, ClickingATabShowsItsSheetAfterAskingOnChanging) {
  EXPECT_EQ(pages->ActivePageIndex(), 0);  // the first sheet added became active
  EXPECT_TRUE(pages->Pages(0)->Visible());
  ClickTab(2);
  EXPECT_EQ(pages->ActivePage(), pages->Pages(2));
  EXPECT_TRUE(pages->Pages(2)->Visible());
  EXPECT_FALSE(pages->Pages(0)->Visible());
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"changing from One", "change to Three"}));
  EXPECT_TRUE(pages->Focused());
  // A refusal keeps the page and fires no OnChange.
  EventLog().clear();
  allowChange = false;
  ClickTab(0);
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"changing from Three"}));
  // Clicking the active tab or beside the tabs changes nothing.
  allowChange = true;
  EventLog().clear();
  ClickTab(2);
  Click(pages, 290, 10);
  EXPECT_TRUE(EventLog().empty());
  // Setting the page in code asks nobody; the sheets hear that they are shown and hidden.
  pages->Pages(1)->OnShow = [](TObject*) { Note("show Two"); };
  pages->Pages(2)->OnHide = [](TObject*) { Note("hide Three"); };
  pages->SetActivePageIndex(1);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"show Two", "hide Three"}));
  EXPECT_TRUE(pages->Pages(1)->Visible());
}

TEST_F(PageControlTest, KeysTurnPagesAndSkipHiddenTabs) {
  auto* edit = Add<TEdit>(pages->Pages(0), "Edit", 5, 5, 100, 24);
  edit->SetFocus();
  pages->Pages(1)->SetTabVisible(false);
  EXPECT_EQ(pages->Pages(1)->TabIndex(), -1);
  EXPECT_EQ(pages->Pages(2)->TabIndex(), 1);
  Key(VK_TAB, 2);  // from a control on the sheet
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"changing from One", "change to Three"}));
  // The focus does not stay in the sheet that was hidden.
  EXPECT_FALSE(edit->Focused());
  Key(VK_TAB, 2);  // wraps round
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  Key(VK_TAB, 3);
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  pages->SetFocus();
  Key(VK_LEFT);
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  Key(VK_RIGHT);
  EXPECT_EQ(pages->ActivePageIndex(), 2);
}

TEST_F(PageControlTest, TabsAndSheetsAreLaidOutFromTheFont) {
  // Tabs: caption width + 2 x 6, row of text height + 4, starting 2 pixels in.
  EXPECT_EQ(pages->TabRect(0), (RECT{2, 2, 2 + 3 * 8 + 12, 2 + 20}));
  EXPECT_EQ(pages->TabRect(1).left, 2 + 36);
  EXPECT_EQ(pages->IndexOfTabAt(TabCentre(1).x, TabCentre(1).y), 1);
  EXPECT_EQ(pages->IndexOfTabAt(299, 10), -1);
  // The sheet fills the frame below the tabs.
  EXPECT_EQ(pages->Pages(0)->BoundsRect(), (RECT{4, 24, 296, 196}));
  pages->SetStyle(tsFlatButtons);
  EXPECT_EQ(pages->Pages(0)->BoundsRect(), (RECT{0, 23, 300, 200}));
  EXPECT_EQ(pages->TabRect(1).left, 36 + 3);
  pages->SetTabWidth(50);
  EXPECT_EQ(pages->TabRect(2), (RECT{106, 0, 156, 20}));
}

TEST_F(PageControlTest, TheSelectedTabStandsOutOfTheFrame) {
  pages->Repaint();
  HDC dc = GetDC(pages->Handle());
  // The active tab's light top edge runs 2 pixels above the others'.
  EXPECT_EQ(GetPixel(dc, 10, 0), ColorToColorRef(clBtnHighlight));
  EXPECT_EQ(GetPixel(dc, 50, 0), ColorToColorRef(clBtnFace));
  EXPECT_EQ(GetPixel(dc, 50, 2), ColorToColorRef(clBtnHighlight));
  // The frame's top line is broken under the active tab only.
  EXPECT_EQ(GetPixel(dc, 20, 22), ColorToColorRef(clBtnFace));
  EXPECT_EQ(GetPixel(dc, 200, 22), ColorToColorRef(clBtnHighlight));
  ReleaseDC(pages->Handle(), dc);
}

TEST_F(PageControlTest, RemovingSheetsKeepsAPageShown) {
  pages->SetActivePageIndex(1);
  delete pages->Pages(1);
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(Name(pages->ActivePage()), "Three");
  EXPECT_TRUE(pages->ActivePage()->Visible());
  pages->Pages(1)->SetPageControl(nullptr);
  EXPECT_EQ(Name(pages->ActivePage()), "One");
  EXPECT_EQ(pages->Pages(0)->PageIndex(), 0);
  // Sheets moved in order keep their tabs in step.
  auto* extra = new TTabSheet(form);
  extra->SetCaption(u"Extra");
  extra->SetPageControl(pages);
  extra->SetPageIndex(0);
  EXPECT_EQ(pages->Pages(0), extra);
  EXPECT_EQ(pages->ActivePage(), pages->Pages(1));
  // The page control takes its sheets with it; they leave their owner's list as they go.
  const int owned = form->ComponentCount();
  delete pages;
  EXPECT_EQ(form->ComponentCount(), owned - 3);  // "Three" left it earlier and stays
}
