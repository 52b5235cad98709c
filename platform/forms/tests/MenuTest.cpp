// Menus through the real message path: short-cut texts, the pop-up menu loop driven by simulated
// keys and mouse, WM_CONTEXTMENU reaching a control's PopupMenu, short cuts from forms, and the
// menu bar with Alt, F10 and Alt+letter.
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/MenuBar.h"
#include "platform/forms/MenuPopupWindow.h"
#include "platform/forms/Menus.h"
#include "platform/forms/ScreenCanvas.h"
#include "platform/forms/tests/FormsTestSupport.h"
#include "platform/win/Hooks.h"

TEST(ShortCutTest, TextsRoundTrip) {
  struct Case {
    TShortCut Value;
    const char16_t* Text;
  };
  const Case cases[] = {
      {ShortCut('O', TShiftState{ssCtrl}), u"Ctrl+O"},
      {ShortCut(VK_RETURN, TShiftState{ssCtrl}), u"Ctrl+Enter"},
      {ShortCut(VK_INSERT, TShiftState{ssShift}), u"Shift+Ins"},
      {ShortCut(VK_F4, TShiftState{ssAlt}), u"Alt+F4"},
      {ShortCut(VK_DELETE, TShiftState{ssShift, ssCtrl, ssAlt}), u"Shift+Ctrl+Alt+Del"},
      {ShortCut(VK_F12, {}), u"F12"},
      {ShortCut('5', {}), u"5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.Value), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.Value) << StringToUtf8(c.Text);
  }
  EXPECT_EQ(ShortCut(VK_RETURN, TShiftState{ssCtrl}), 16397);  // the value forms store
  EXPECT_EQ(ShortCut('D', TShiftState{ssCtrl}), 16452);
  EXPECT_EQ(TextToShortCut(u"ctrl+o"), ShortCut('O', TShiftState{ssCtrl}));
  for (const char16_t* bad : {u"", u"Ctrl+", u"Ctrl+Nothing", u"Hyper+O"})
    EXPECT_EQ(TextToShortCut(bad), scNone);
  EXPECT_EQ(ShortCutToText(0), u"");
}

TEST(ShortCutTest, Hotkeys) {
  EXPECT_EQ(GetHotkey(u"&Файл"), u'Ф');
  EXPECT_EQ(GetHotkey(u"Save && &Close"), u'C');
  EXPECT_EQ(GetHotkey(u"Plain"), 0);
  EXPECT_EQ(StripHotkey(u"Save && &Close"), u"Save & Close");
  EXPECT_TRUE(IsAccel(u'ф', u"&Файл"));
  EXPECT_FALSE(IsAccel(u'a', u"&Файл"));
}

class MenuTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(100, 100, 400, 300);
    box = Add<TTestBox>(form, "Box", 10, 10, 200, 100);
    menu = new TPopupMenu(form);
    open = AddItem(menu->Items(), u"&Open", "open");
    AddItem(menu->Items(), u"-", "separator");
    disabled = AddItem(menu->Items(), u"&Disabled", "disabled");
    disabled->SetEnabled(false);
    hidden = AddItem(menu->Items(), u"&Hidden", "hidden");
    hidden->SetVisible(false);
    more = AddItem(menu->Items(), u"&More", "more");
    deep = AddItem(more, u"D&eep", "deep");
    AddItem(menu->Items(), u"&Last", "last");
    form->Show();
    Pump();
  }

  TMenuItem* AddItem(TMenuItem* Parent, const String& Caption, const std::string& Log) {
    auto* item = new TMenuItem(form);
    item->SetCaption(Caption);
    item->OnClick = [Log](TObject*) { Note(Log); };
    Parent->Add(item);
    return item;
  }

  // Input is queued first: the menu loop reads it as it would read the user's.
  void PopupWith(const std::function<void()>& Input, int X = 300, int Y = 200) {
    Input();
    menu->Popup(X, Y);
    Pump();
  }

  TForm* form = nullptr;
  TTestBox* box = nullptr;
  TPopupMenu* menu = nullptr;
  TMenuItem *open = nullptr, *disabled = nullptr, *hidden = nullptr, *more = nullptr, *deep = nullptr;
};

TEST_F(MenuTest, KeysMoveOverSeparatorsAndHiddenItemsAndEnterChooses) {
  struct Case {
    std::vector<UINT> Keys;
    std::vector<std::string> Clicked;
  };
  const Case cases[] = {
      {{VK_DOWN, VK_RETURN}, {"open"}},
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {"last"}},   // separator and hidden item skipped
      {{VK_UP, VK_RETURN}, {"last"}},                                // wraps to the end
      {{VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE}, {}},                // a disabled item does nothing
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}, {"deep"}},  // into the sub-menu
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_ESCAPE}, {}},
      {{VK_ESCAPE}, {}},
  };
  for (const Case& c : cases) {
    EventLog().clear();
    PopupWith([&] {
      for (UINT k : c.Keys) SimulateKeyPress(k);
    });
    EXPECT_EQ(EventLog(), c.Clicked);
    EXPECT_FALSE(MenuLoopActive());
  }
}

TEST_F(MenuTest, TheHighlightedItemsHintIsTheApplicationsHint) {
  open->SetHint(u"Открыть|Открыть файл-источник данных");
  more->SetHint(u"Ещё");
  std::vector<std::string> hints;
  auto* events = new TApplicationEvents(form);
  events->OnHint = [&](TObject*) { hints.push_back(StringToUtf8(Application->Hint())); };
  PopupWith([] {
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_ESCAPE);
  });
  // The disabled item between them has no hint: the hint is cleared.
  EXPECT_EQ(hints, (std::vector<std::string>{"Открыть файл-источник данных", "", "Ещё"}));
}

TEST_F(MenuTest, AcceleratorsChooseAndOpen) {
  PopupWith([] { SimulateText(u"o"); });
  EXPECT_EQ(EventLog(), std::vector<std::string>{"open"});
  EventLog().clear();
  PopupWith([] { SimulateText(u"me"); });  // "&More" opens, "D&eep" is chosen in it
  EXPECT_EQ(EventLog(), std::vector<std::string>{"deep"});
  EventLog().clear();
  PopupWith([] {
    SimulateText(u"hd");  // the hidden item's key does nothing; the disabled one is not run
    SimulateKeyPress(VK_ESCAPE);
  });
  EXPECT_TRUE(EventLog().empty());
}

// The pop-up is on the screen while the loop runs: a message-filter hook of the loop looks at it
// before each message the loop reads (Step counts them from 0).
class MenuScreenProbe {
 public:
  explicit MenuScreenProbe(std::function<void(int Step)> Probe) {
    probe_ = std::move(Probe);
    step_ = 0;
    hook_ = SetWindowsHookEx(WH_MSGFILTER, &Proc, nullptr, GetCurrentThreadId());
  }
  ~MenuScreenProbe() {
    UnhookWindowsHookEx(hook_);
    probe_ = nullptr;
  }

 private:
  static LRESULT Proc(int Code, WPARAM WParam, LPARAM LParam) {
    if (Code == MSGF_MENU && probe_) probe_(step_++);
    return CallNextHookEx(hook_, Code, WParam, LParam);
  }
  static inline std::function<void(int)> probe_;
  static inline int step_ = 0;
  static inline HHOOK hook_ = nullptr;
};

COLORREF PopupPixel(int X, int Y) {
  HWND popup = FindWindow(u"TrenvikMenuPopup", nullptr);
  EXPECT_TRUE(popup);
  HDC dc = GetDC(popup);
  COLORREF c = GetPixel(dc, X, Y);
  ReleaseDC(popup, dc);
  return c;
}

TEST_F(MenuTest, TheMouseChoosesAndAClickOutsideCloses) {
  // Items are laid out from the top border down, one row per item: "&Open" is the first row.
  RECT firstRow{};
  {
    MenuScreenProbe probe([&](int Step) {
      if (Step > 0) return;
      HWND popup = FindWindow(u"TrenvikMenuPopup", nullptr);
      ASSERT_TRUE(popup);
      RECT r;
      GetWindowRect(popup, &r);
      EXPECT_EQ(r.left, 300);
      EXPECT_EQ(r.top, 200);
      firstRow = RECT{r.left + 3, r.top + 3, r.right - 3, r.top + 3 + 18};
    });
    PopupWith([] {
      SimulateMouseMove(POINT{100, 100});
      SimulateKeyPress(VK_ESCAPE);
    });
  }
  EXPECT_TRUE(EventLog().empty()) << "a move outside chooses nothing";
  ASSERT_GT(firstRow.right, firstRow.left);

  PopupWith([&] { SimulateClick(TSimButton::Left, POINT{firstRow.left + 20, firstRow.top + 5}); });
  EXPECT_EQ(EventLog(), std::vector<std::string>{"open"});

  EventLog().clear();
  PopupWith([&] {
    clock_->Advance(1000);
    SimulateClick(TSimButton::Left, At(box, 5, 5));
  });
  EXPECT_TRUE(EventLog().empty());
  EXPECT_FALSE(FindWindow(u"TrenvikMenuPopup", nullptr)) << "the pop-up is gone when Popup returns";
}

TEST_F(MenuTest, ThePopupIsDrawnWithItsHighlight) {
  // Row 0 "&Open" spans y 3..21; the check gutter is 20 pixels wide.
  std::vector<COLORREF> row0;
  MenuScreenProbe probe([&](int Step) {
    row0.push_back(PopupPixel(6, 3 + 9));
    if (Step == 1) KeepCheckedWindow(FindWindow(u"TrenvikMenuPopup", nullptr), "highlighted");
  });
  PopupWith([] {
    SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_ESCAPE);
  });
  ASSERT_GE(row0.size(), 2u);
  EXPECT_EQ(row0.front(), ColorToRGB(clMenu));
  EXPECT_EQ(row0.back(), ColorToRGB(clHighlight));
}

TEST_F(MenuTest, ImagesAndBitmapsAreDrawnInTheGutterAndChecksWithoutThem) {
  auto filled = [](TBitmap* B, TColor C) {
    B->SetSize(16, 16);
    B->Canvas()->Brush()->SetColor(C);
    B->Canvas()->FillRect(RECT{0, 0, 16, 16});
  };
  auto* images = new TImageList(form);
  TBitmap red;
  filled(&red, clRed);
  images->Add(&red, nullptr);
  menu->SetImages(images);
  open->SetImageIndex(0);
  filled(disabled->Bitmap(), clLime);
  TMenuItem* last = menu->Items()->Items(menu->Items()->Count() - 1);
  last->SetChecked(true);
  std::vector<COLORREF> gutter;
  TDCCanvasScope measure(nullptr, Screen->MenuFont());
  const int h = MenuMetrics(measure.Canvas()).ItemHeight;
  MenuScreenProbe probe([&](int Step) {
    if (Step > 0) return;
    // Rows from the border (3) down: "&Open", the separator (9), "&Disabled", "&More", "&Last".
    const int open = 3 + h / 2, disabled = 3 + h + 9 + h / 2, last = 3 + 3 * h + 9 + h / 2;
    for (int y : {open, disabled}) gutter.push_back(PopupPixel(3 + 10, y));
    gutter.push_back(PopupPixel(3 + 9, last));
    KeepCheckedWindow(FindWindow(u"TrenvikMenuPopup", nullptr));
  });
  PopupWith([] { SimulateKeyPress(VK_ESCAPE); });
  ASSERT_EQ(gutter.size(), 3u);
  EXPECT_EQ(gutter[0], RGB(255, 0, 0)) << "the menu's image";
  EXPECT_EQ(gutter[1], RGB(0, 255, 0)) << "the item's bitmap";
  EXPECT_EQ(gutter[2], ColorToRGB(clMenuText)) << "a check mark";
}

TEST_F(MenuTest, ContextMenuReachesThePopupMenuOfTheControl) {
  box->SetPopupMenu(menu);
  menu->OnPopup = [](TObject*) { Note("popup"); };
  SimulateClick(TSimButton::Right, At(box, 20, 20));
  SimulateKeyPress(VK_DOWN);
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"popup", "open"}));
  EXPECT_EQ(menu->PopupComponent(), box);

  // AutoPopup off: the menu stays closed and the key stays for the control.
  EventLog().clear();
  menu->SetAutoPopup(false);
  SimulateClick(TSimButton::Right, At(box, 20, 20));
  Pump();
  EXPECT_TRUE(EventLog().empty());
}

// A control that offers a menu of its own when none is set.
class TBoxWithOwnMenu : public TTestBox {
 public:
  explicit TBoxWithOwnMenu(TComponent* AOwner) : TTestBox(AOwner) {}
  TComponent* OwnMenu = nullptr;
  TComponent* GetPopupMenu() override { return PopupMenu() ? PopupMenu() : OwnMenu; }
};

TEST_F(MenuTest, ContextMenuAsksTheControlWhichMenuToShow) {
  auto* own = new TBoxWithOwnMenu(form);
  own->SetParent(form);
  own->SetBounds(10, 150, 200, 100);
  auto* ownMenu = new TPopupMenu(form);
  AddItem(ownMenu->Items(), u"&Own", "own");
  own->OwnMenu = ownMenu;
  Pump();
  SimulateClick(TSimButton::Right, At(own, 20, 20));
  SimulateKeyPress(VK_DOWN);
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"own"}));
  EXPECT_EQ(ownMenu->PopupComponent(), own);

  EventLog().clear();
  own->SetPopupMenu(menu);
  SimulateClick(TSimButton::Right, At(own, 20, 20));
  SimulateKeyPress(VK_DOWN);
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"open"})) << "a menu set on the control comes first";
}

TEST_F(MenuTest, ShortCutsOfPopupMenusRunFromTheFocusedControl) {
  box->SetPopupMenu(menu);
  open->SetShortCut(ShortCut('D', TShiftState{ssCtrl}));
  disabled->SetShortCut(ShortCut('E', TShiftState{ssCtrl}));
  deep->SetShortCut(ShortCut(VK_F5, {}));
  box->SetFocus();
  Key('D', 2);
  Key('E', 2);  // disabled: nothing
  Key(VK_F5);   // an item of a sub-menu
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"open", "deep"}));
  more->SetEnabled(false);
  Key(VK_F5);  // under a disabled parent
  EXPECT_EQ(EventLog().size(), 2u);
}

TEST_F(MenuTest, RadioItemsAndAutoCheck) {
  TMenuItem* a = AddItem(menu->Items(), u"A", "a");
  TMenuItem* b = AddItem(menu->Items(), u"B", "b");
  for (TMenuItem* i : {a, b}) {
    i->SetRadioItem(true);
    i->SetGroupIndex(1);
  }
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  open->SetAutoCheck(true);
  open->Click();
  EXPECT_TRUE(open->Checked());
}

TEST_F(MenuTest, ItemsAreFreedWithTheirParentAndLeaveIt) {
  TMenuItem* child = new TMenuItem(nullptr);
  more->Add(child);
  EXPECT_THROW(menu->Items()->Add(child), EMenuError);
  delete child;
  EXPECT_EQ(more->Count(), 1);
  EXPECT_EQ(more->Find(u"Deep"), deep);
  EXPECT_EQ(deep->GetParentMenu(), menu);
  EXPECT_THROW(more->Items(5), EMenuError);
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawn) {
  menu->SetOwnerDraw(true);
  int drawn = 0;
  open->OnMeasureItem = [](TObject*, TCanvas*, int& W, int& H) {
    W = 200;
    H = 40;
  };
  open->OnDrawItem = [&](TObject*, TCanvas* C, const RECT& R, bool) {
    ++drawn;
    EXPECT_EQ(R.bottom - R.top, 40);
    C->Brush()->SetColor(clRed);
    C->FillRect(R);
  };
  RECT popupRect{};
  COLORREF first = 0;
  MenuScreenProbe probe([&](int Step) {
    if (Step > 0) return;
    HWND popup = FindWindow(u"TrenvikMenuPopup", nullptr);
    GetWindowRect(popup, &popupRect);
    HDC dc = GetDC(popup);
    first = GetPixel(dc, 10, 10);
    ReleaseDC(popup, dc);
    KeepCheckedWindow(popup);
  });
  PopupWith([] { SimulateKeyPress(VK_ESCAPE); });
  EXPECT_GT(drawn, 0);
  EXPECT_GE(popupRect.right - popupRect.left, 200);
  EXPECT_EQ(first, RGB(255, 0, 0));
}

// A bar over a menu of its own.
class TTestMenuBar : public TCustomMenuBar {
  TRENVIK_CLASS(TTestMenuBar, TCustomMenuBar);

 public:
  explicit TTestMenuBar(TComponent* AOwner) : TCustomMenuBar(AOwner), root(new TMenuItem(this)) {}
  TMenuItem* BarRoot() override { return root; }
  TMenuItem* root;
};
TRENVIK_IMPLEMENT_CLASS(TTestMenuBar)

class MenuBarTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    bar = new TTestMenuBar(form);
    bar->SetParent(form);
    file = AddItem(bar->root, u"&Файл", "file");
    AddItem(file, u"&Выход", "exit");
    edit = AddItem(bar->root, u"&Правка", "edit");
    AddItem(edit, u"&Копировать", "copy");
    AddItem(bar->root, u"&Справка", "help");  // no drop-down: chosen like an item
    box->SetFocus();
    Pump();
  }
  TTestMenuBar* bar = nullptr;
  TMenuItem *file = nullptr, *edit = nullptr;
};

TEST_F(MenuBarTest, AltAndF10HighlightTheBarAndArrowsOpenIt) {
  struct Case {
    std::function<void()> Input;
    std::vector<std::string> Clicked;
  };
  const Case cases[] = {
      {[] {
         SimulateKeyPress(VK_MENU);
         SimulateKeyPress(VK_DOWN);
         SimulateKeyPress(VK_RETURN);
       },
       {"exit"}},
      {[] {
         SimulateKeyPress(VK_F10);
         SimulateKeyPress(VK_RIGHT);
         SimulateKeyPress(VK_DOWN);
         SimulateKeyPress(VK_RETURN);
       },
       {"copy"}},
      {[] {
         SimulateKeyPress(VK_MENU);
         SimulateKeyPress(VK_LEFT);
         SimulateKeyPress(VK_RETURN);
       },
       {"help"}},
      {[] {
         SimulateKeyPress(VK_MENU);
         SimulateKeyPress(VK_ESCAPE);
       },
       {}},
      {[] {
         SimulateKeyPress(VK_MENU);
         SimulateKeyPress(VK_MENU);
       },
       {}},  // Alt again leaves
  };
  for (const Case& c : cases) {
    EventLog().clear();
    c.Input();
    Pump();
    EXPECT_EQ(EventLog(), c.Clicked);
    EXPECT_EQ(bar->Highlighted(), -1);
    EXPECT_FALSE(MenuLoopActive());
  }
}

TEST_F(MenuBarTest, AltLetterOpensItsItemAndTheMouseMovesAlongTheBar) {
  ActivateKeyboardLayout(HKL_RUSSIAN, 0);
  SimulateKeyDown(VK_MENU);
  SimulateText(u"п");
  SimulateKeyUp(VK_MENU);
  SimulateKeyPress(VK_RETURN);
  Pump();
  ActivateKeyboardLayout(HKL_US, 0);
  EXPECT_EQ(EventLog(), std::vector<std::string>{"copy"});

  EventLog().clear();
  RECT fileRect = bar->BarItemRect(0), editRect = bar->BarItemRect(1);
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, POINT{fileRect.left + 4, fileRect.top + 4});
  SimulateMouseMove(POINT{editRect.left + 4, editRect.top + 4});  // the drop-down follows the mouse
  SimulateKeyPress(VK_DOWN);
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(EventLog(), std::vector<std::string>{"copy"});
}
