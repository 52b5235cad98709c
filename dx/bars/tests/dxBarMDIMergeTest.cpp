// The MDI menu merge: an MDI parent form's main menu bar taking over the active child's main menu
// and showing a maximized child's system menu and caption buttons, used as a person would.
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/dxBarSystemMenu.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/display/Display.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/Objects.h"
#include "platform/forms/Menus.h"

namespace {

// A 16 x 16 icon of one colour.
HICON SolidIcon(COLORREF Color) {
  std::vector<uint32_t> pixels(16 * 16, (GetRValue(Color) << 16) | (GetGValue(Color) << 8) | GetBValue(Color));
  std::vector<uint8_t> mask(2 * 16, 0);
  ICONINFO info;
  info.hbmColor = CreateBitmap(16, 16, 1, 32, pixels.data());
  info.hbmMask = CreateBitmap(16, 16, 1, 1, mask.data());
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return icon;
}

class DxBarMDIMergeTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    delete form;  // the fixture's form gives way to the MDI main form
    form = nullptr;
    ASSERT_EQ(Application->MainForm(), nullptr) << "a test left a main form behind";
    Application->CreateForm(frame);
    form = frame;
    frame->SetBounds(0, 0, 640, 480);
    frame->SetFormStyle(fsMDIForm);
    parent = MakeManager(frame, {u"File", u"Window"});
    frame->Show();
    SetForegroundWindow(frame->Handle());
    Pump();
  }
  void TearDown() override {
    while (!children.empty()) delete children.back();
    DxBarUiTest::TearDown();
    for (HICON icon : icons) DestroyIcon(icon);
  }

  TdxBarManager* MakeManager(TForm* Form, std::initializer_list<const char16_t*> Captions) {
    auto* manager = new TdxBarManager(Form);
    manager->SetUseSystemFont(false);
    manager->SetScaled(false);
    manager->Font()->SetName(kFixedTestFontName);
    manager->Font()->SetHeight(-16);
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(u"Main Menu");
    bar->SetIsMainMenu(true);
    bar->SetDockingStyle(dsTop);
    for (const char16_t* caption : Captions) {
      auto* button = new TdxBarButton(Form);
      button->SetCaption(caption);
      button->SetCategory(0);
      bar->ItemLinks()->Add()->SetItem(button);
    }
    bar->SetVisible(true);
    return manager;
  }

  // A shown MDI child whose main menu has the captions, with a red small icon.
  TForm* Child(std::initializer_list<const char16_t*> Captions, int Offset = 0) {
    TForm* child = NewForm<TForm>(nullptr);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(20 + Offset, 20 + Offset, 300, 200);
    child->SetCaption(u"Card");
    MakeManager(child, Captions);
    children.push_back(child);
    child->OnDestroy = [this, child](TObject*) { std::erase(children, child); };
    child->Show();
    icons.push_back(SolidIcon(RGB(255, 0, 0)));
    SendMessage(child->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.back()));
    Pump();
    return child;
  }

  static TdxBar* MainMenu(TForm* Form) { return BarManagerByForm(Form)->MainMenuBar(); }

  // The parent's main menu as shown: "[icon]" for the system-menu entry.
  std::vector<String> ParentMenu() const {
    std::vector<String> captions;
    for (TdxBarItemLink* link : parent->MainMenuBar()->ItemLinks()->CanVisibleItems())
      captions.push_back(IsSystemMenuItem(link->Item()) ? String(u"[icon]") : link->Item()->Caption());
    return captions;
  }

  static RECT ScreenRect(TdxBarItemLink* Link) {
    RECT r = Link->ItemRect();
    TCustomdxBarControl* control = Link->Owner()->BarControl();
    const POINT origin = control->ClientToScreen(POINT{0, 0});
    OffsetRect(&r, origin.x, origin.y);
    return r;
  }
  TdxBarItemLink* IconLink() const { return parent->MainMenuBar()->ItemLinks()->Items(0); }
  TSystemMenuSubItem* IconItem() const { return dynamic_cast<TSystemMenuSubItem*>(IconLink()->Item()); }
  // The link of the icon's menu with the caption.
  TdxBarItemLink* SystemMenuEntry(const String& Caption) const {
    for (TdxBarItemLink* link : IconItem()->ItemLinks()->CanVisibleItems())
      if (link->Item()->Caption() == Caption) return link;
    return nullptr;
  }
  // The screen rectangle of one of the main menu bar's MDI caption buttons.
  RECT CaptionButton(int Index) const {
    auto* bar = static_cast<TdxBarControl*>(parent->MainMenuBar()->Control());
    RECT r = bar->GetMDIButtonRect(Index);
    const POINT origin = bar->ClientToScreen(POINT{0, 0});
    OffsetRect(&r, origin.x, origin.y);
    return r;
  }

  TForm* frame = nullptr;
  TdxBarManager* parent = nullptr;  // owned by the frame
  std::vector<TForm*> children;
  std::vector<HICON> icons;
};

using Captions = std::vector<String>;

TEST_F(DxBarMDIMergeTest, MaximizingAChildMergesItsMenuBehindItsIconAndRestoringTakesItBack) {
  TForm* child = Child({u"Edit", u"Record"});
  EXPECT_EQ(ParentMenu(), (Captions{u"File", u"Window"})) << "a restored child keeps its own menu";
  child->SetWindowState(wsMaximized);
  Pump();
  EXPECT_EQ(ParentMenu(), (Captions{u"[icon]", u"File", u"Window", u"Edit", u"Record"}));
  EXPECT_FALSE(MainMenu(child)->Visible());
  EXPECT_TRUE(parent->MDIChildMaximized());
  // The icon is drawn first, and the three caption buttons at the bar's end.
  const RECT icon = ScreenRect(IconLink());
  EXPECT_EQ(icon.right - icon.left, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(ScreenPixel(CentreOf(icon).x, CentreOf(icon).y), RGB(255, 0, 0));
  const RECT close = CaptionButton(2);
  ASSERT_FALSE(IsRectEmpty(&close));
  RECT barRect;
  GetWindowRect(parent->MainMenuBar()->Control()->Handle(), &barRect);
  EXPECT_LE(close.right, barRect.right);
  EXPECT_EQ(CaptionButton(1).right + 2, close.left) << "the close button stands apart";
  KeepCheckedScreen("maximized");

  child->SetWindowState(wsNormal);
  Pump();
  EXPECT_EQ(ParentMenu(), (Captions{u"File", u"Window"}));
  EXPECT_TRUE(MainMenu(child)->Visible());
  const RECT gone = CaptionButton(2);
  EXPECT_TRUE(IsRectEmpty(&gone));
  EXPECT_TRUE(TemporaryItems().empty()) << "the icon's item went with its link";
}

TEST_F(DxBarMDIMergeTest, AlwaysMergeMergesARestoredChildAndRestoringRemovesOnlyTheIcon) {
  parent->SetAlwaysMerge(true);
  TForm* child = Child({u"Edit"});
  EXPECT_EQ(ParentMenu(), (Captions{u"File", u"Window", u"Edit"}));
  EXPECT_FALSE(MainMenu(child)->Visible());
  child->SetWindowState(wsMaximized);
  Pump();
  EXPECT_EQ(ParentMenu(), (Captions{u"[icon]", u"File", u"Window", u"Edit"}));
  child->SetWindowState(wsNormal);
  Pump();
  EXPECT_EQ(ParentMenu(), (Captions{u"File", u"Window", u"Edit"}));
  EXPECT_FALSE(MainMenu(child)->Visible());
}

TEST_F(DxBarMDIMergeTest, SwitchingMaximizedChildrenTakesTheFirstOnesCommandsOutBeforeTheSeconds) {
  TForm* first = Child({u"Edit"});
  TForm* second = Child({u"Report", u"Print"}, 30);
  second->SetWindowState(wsMaximized);
  Pump();
  EXPECT_EQ(ParentMenu(), (Captions{u"[icon]", u"File", u"Window", u"Report", u"Print"}));
  SendMessage(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->Handle()), 0);
  Pump();
  EXPECT_EQ(first->WindowState(), wsMaximized);
  EXPECT_EQ(ParentMenu(), (Captions{u"[icon]", u"File", u"Window", u"Edit"}));
  EXPECT_EQ(IconItem()->ChildWindow(), first->Handle());
  EXPECT_TRUE(MainMenu(second)->Visible()) << "the child left has its menu back";
  EXPECT_FALSE(MainMenu(first)->Visible());
}

TEST_F(DxBarMDIMergeTest, AnOnMenuMergeHandlerDoesTheMergingInstead) {
  std::vector<std::pair<TdxBarManager*, bool>> calls;
  parent->OnMenuMerge = [&](TObject* Sender, TdxBarManager* ChildManager, bool AddItems) {
    EXPECT_EQ(Sender, parent);
    calls.emplace_back(ChildManager, AddItems);
  };
  TForm* child = Child({u"Edit"});
  child->SetWindowState(wsMaximized);
  Pump();
  EXPECT_EQ(ParentMenu(), (Captions{u"[icon]", u"File", u"Window"}));
  EXPECT_FALSE(MainMenu(child)->Visible()) << "the child's bar is hidden all the same";
  child->SetWindowState(wsNormal);
  Pump();
  EXPECT_TRUE(MainMenu(child)->Visible());
  TdxBarManager* childManager = BarManagerByForm(child);
  EXPECT_EQ(calls, (std::vector<std::pair<TdxBarManager*, bool>>{{childManager, true}, {childManager, false}}));
  parent->OnMenuMerge = nullptr;
}

TEST_F(DxBarMDIMergeTest, TheIconsMenuIsTheChildsSystemMenuAndItsCloseClosesTheChild) {
  TForm* child = Child({u"Edit"});
  std::vector<TCloseAction> closes;
  child->OnClose = [&](TObject*, TCloseAction& Action) {
    closes.push_back(Action);
    Action = caFree;
  };
  child->SetWindowState(wsMaximized);
  Pump();
  ClickAt(CentreOf(ScreenRect(IconLink())));
  ASSERT_NE(IconLink()->Control(), nullptr);
  struct Entry {
    const char16_t* caption;
    bool enabled;
    bool beginGroup;
    TShortCut shortCut;
    bool glyph;
  };
  const Entry expected[] = {
      {u"&Restore", true, false, 0, true},   {u"&Move", false, false, 0, false},
      {u"&Size", false, false, 0, false},    {u"Mi&nimize", true, false, 0, true},
      {u"Ma&ximize", false, false, 0, true}, {u"&Close", true, true, TextToShortCut(u"Ctrl+F4"), true},
      {u"Nex&t", true, true, TextToShortCut(u"Ctrl+F6"), false},
  };
  const auto& links = IconItem()->ItemLinks()->CanVisibleItems();
  ASSERT_EQ(links.size(), std::size(expected));
  for (size_t i = 0; i < links.size(); ++i) {
    TdxBarItem* item = links[i]->Item();
    SCOPED_TRACE(StringToUtf8(expected[i].caption));
    EXPECT_EQ(item->Caption(), expected[i].caption);
    EXPECT_EQ(item->Enabled(), expected[i].enabled);
    EXPECT_EQ(links[i]->BeginGroup(), expected[i].beginGroup);
    EXPECT_EQ(item->ShortCut(), expected[i].shortCut);
    EXPECT_EQ(!item->Glyph()->Empty(), expected[i].glyph);
  }
  KeepCheckedScreen("system menu");
  ClickAt(CentreOf(ScreenRect(SystemMenuEntry(u"&Close"))));
  Pump();
  EXPECT_EQ(closes.size(), 1u);
  EXPECT_TRUE(children.empty()) << "the child was freed";
  EXPECT_EQ(ParentMenu(), (Captions{u"File", u"Window"}));
  EXPECT_FALSE(parent->MDIChildMaximized());
}

TEST_F(DxBarMDIMergeTest, DoubleClickingTheIconRunsTheDefaultCommand) {
  TForm* child = Child({u"Edit"});
  int closes = 0;
  child->OnClose = [&](TObject*, TCloseAction& Action) {
    ++closes;
    Action = caNone;
  };
  child->SetWindowState(wsMaximized);
  Pump();
  const POINT icon = CentreOf(ScreenRect(IconLink()));
  clock->Advance(1000);
  SimulateClick(TSimButton::Left, icon);
  SimulateClick(TSimButton::Left, icon);
  Pump();
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(ActiveBarControl(), nullptr) << "the menus closed";
}

TEST_F(DxBarMDIMergeTest, TheCaptionButtonsSendTheirCommandsToTheChild) {
  TForm* first = Child({u"Edit"});
  TForm* second = Child({u"Report"}, 30);
  int closes = 0;
  second->OnClose = [&](TObject*, TCloseAction& Action) {
    ++closes;
    Action = caFree;
  };
  second->SetWindowState(wsMaximized);
  Pump();
  ClickAt(CentreOf(CaptionButton(1)));
  EXPECT_EQ(second->WindowState(), wsNormal) << "restore";
  EXPECT_EQ(ParentMenu(), (Captions{u"File", u"Window"}));
  second->SetWindowState(wsMaximized);
  Pump();
  ClickAt(CentreOf(CaptionButton(2)));
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(children, (std::vector<TForm*>{first}));
  EXPECT_EQ(frame->ActiveMDIChild(), first);
  EXPECT_EQ(first->WindowState(), wsMaximized) << "the child taking over is maximized";
  EXPECT_EQ(ParentMenu(), (Captions{u"[icon]", u"File", u"Window", u"Edit"}));
}

}  // namespace

namespace {

TEST_F(DxBarMDIMergeTest, AGreyedCommandsButtonAndACancelledPressDoNothing) {
  TForm* child = Child({u"Edit"});
  child->SetWindowState(wsMaximized);
  Pump();
  EnableMenuItem(GetSystemMenu(child->Handle(), FALSE), SC_MINIMIZE, MF_BYCOMMAND | MF_GRAYED);
  ClickAt(CentreOf(CaptionButton(0)));
  EXPECT_EQ(child->WindowState(), wsMaximized) << "minimize is greyed in the child's system menu";
  // A press taken away by WM_CANCELMODE sends nothing on its release.
  const POINT restore = CentreOf(CaptionButton(1));
  clock->Advance(1000);
  SimulateMouseDown(TSimButton::Left, restore);
  Pump();
  HWND bar = parent->MainMenuBar()->Control()->Handle();
  EXPECT_EQ(GetCapture(), bar) << "the press is tracked";
  SendMessage(bar, WM_CANCELMODE, 0, 0);
  SimulateMouseUp(TSimButton::Left, restore);
  Pump();
  EXPECT_EQ(child->WindowState(), wsMaximized);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DxBarMDIMergeTest, AcceleratorsReachTheActiveChildsMenuMergedOrNot) {
  TForm* child = Child({u"&Edit"});
  int edits = 0;
  MainMenu(child)->ItemLinks()->Items(0)->Item()->OnClick = [&](TObject*) { ++edits; };
  SetForegroundWindow(frame->Handle());
  Key('E', 4);
  EXPECT_EQ(edits, 1) << "from the child's own main menu";
  child->SetWindowState(wsMaximized);
  Pump();
  ASSERT_FALSE(MainMenu(child)->Visible());
  Key('E', 4);
  EXPECT_EQ(edits, 2) << "through the parent's merged main menu";
}

TEST_F(DxBarMDIMergeTest, LinksAssignedToTheMainMenuKeepTheIconFirst) {
  TForm* child = Child({u"Edit"});
  child->SetWindowState(wsMaximized);
  Pump();
  TdxBarItemLinks source(parent, nullptr);
  for (const char16_t* caption : {u"One", u"Two"}) {
    auto* button = new TdxBarButton(frame);
    button->SetCaption(caption);
    button->SetCategory(0);
    source.Add()->SetItem(button);
  }
  parent->MainMenuBar()->ItemLinks()->Assign(&source);
  EXPECT_EQ(ParentMenu(), (Captions{u"[icon]", u"One", u"Two"}));
}

// The parent going first (the program closing) leaves the merged child to be freed on its own.
TEST_F(DxBarMDIMergeTest, TheParentFreedBeforeAMergedChild) {
  TForm* child = Child({u"Edit"});
  child->SetWindowState(wsMaximized);
  Pump();
  delete frame;
  form = frame = nullptr;
  Pump();
  delete child;
  EXPECT_TRUE(children.empty());
  EXPECT_TRUE(TemporaryItems().empty());
}

// The merged menu of a maximized child shown by the SDL back end on a virtual X server.
TEST_F(DxBarMDIMergeTest, TheMergedMenuOnTheDesktop) {
  if (!OnVirtualDesktop()) {
    if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
    RunTestOnVirtualDesktop();
    return;
  }
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << LastDisplayError();
  void* window = DisplaySdlWindow();
  ASSERT_NE(window, nullptr);
  TForm* child = Child({u"Edit", u"Record"});
  child->SetWindowState(wsMaximized);
  Pump();
  LetDesktopSettle();
  Pump();
  LetDesktopSettle();
  const auto shot = ReadDesktopImage(window);
  ASSERT_TRUE(shot);
  KeepCheckedScreen();
  RECT frameRect;
  GetWindowRect(frame->Handle(), &frameRect);
  EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, frameRect), 0)
      << "pixels of the MDI parent differ from the framework's screen";
  const POINT icon = CentreOf(ScreenRect(IconLink()));
  EXPECT_EQ(shot->At(icon.x, icon.y) & 0xFFFFFF, 0xFF0000u) << "the child's red icon comes first";
  StopDisplay();
}

}  // namespace
