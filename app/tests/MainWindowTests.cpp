// The main window's bars through the real message path: the layout of menu bar, cool bar, tool
// bars, list and status bar; the navigation buttons following and moving the people list; the
// delete question; the search box; the menu bar's "Выход"; and the window shown by the SDL back
// end on a virtual X server, checked on the X server's pixels.
#include <SDL.h>

#include <memory>

#include "app/tests/AppTestSupport.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/forms/testing/IdleStep.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Paint.h"
#include "platform/win/SysColors.h"
#include "platform/win/Windows.h"

namespace {

class MainWindowTest : public AppTest {
 protected:
  // The windows made, shown, and the list opened by the start-up timer.
  void Start(int People = 12) {
    MakeDatabase(People);
    CreateWindows();
    MainForm->Show();
    Pump();
    clock->Advance(100);
    Idle();
  }
  static void Idle() { RunUntilIdle(); }
  void ClickOn(TControl* c, int X = 5, int Y = 5) {
    clock->Advance(1000);
    SimulateClick(TSimButton::Left, c->ClientToScreen(POINT{X, Y}));
    Idle();
  }
  TADODataSet* List() const { return DataModule2->OPEOPLE_LIST; }
};

TEST_F(MainWindowTest, BarsAreLaidOutTopToBottom) {
  Start();
  TMainForm* f = MainForm;
  EXPECT_EQ(f->ActionMainMenuBar1->Top(), 0);
  EXPECT_EQ(f->CoolBar1->Top(), f->ActionMainMenuBar1->Height());
  EXPECT_EQ(f->dxDBGrid1->Top(), f->CoolBar1->Top() + f->CoolBar1->Height());
  EXPECT_EQ(f->StatusBar1->Top(), f->dxDBGrid1->Top() + f->dxDBGrid1->Height());
  EXPECT_EQ(f->StatusBar1->Top() + f->StatusBar1->Height(), f->ClientHeight());
  // Three bands: the search bar and the navigation bar side by side, the card bar below.
  EXPECT_EQ(f->ToolBar1->Parent(), f->CoolBar1);
  EXPECT_EQ(f->ActionToolBar1->Top(), f->ToolBar1->Top());
  EXPECT_GT(f->ActionToolBar1->Left(), f->ToolBar1->Left() + f->ToolBar1->Width() - 1);
  EXPECT_GT(f->ActionToolBar3->Top(), f->ToolBar1->Top());
  // The menu bar's items are its actions, with a separator before the import.
  TMenuItem* bar = f->ActionMainMenuBar1->BarRoot();
  ASSERT_EQ(bar->Count(), 4);
  EXPECT_EQ(Text(bar->Items(0)->Caption()), "Выход");
  EXPECT_EQ(Text(bar->Items(1)->Caption()), "Справочники");
  EXPECT_TRUE(bar->Items(2)->IsLine());
  EXPECT_EQ(Text(bar->Items(3)->Caption()), "Прием данных");
  // Navigation and refresh show pictures only; the card bar shows captions.
  EXPECT_FALSE(f->ActionToolBar1->ItemButton(0)->CaptionShown());
  EXPECT_EQ(Text(f->ActionToolBar1->ItemButton(0)->Hint()), "В начало списка");
  EXPECT_TRUE(f->ActionToolBar3->ItemButton(1)->CaptionShown());
  EXPECT_EQ(Text(f->ActionToolBar3->ItemButton(4)->Caption()), "Сервис");
  // The status panels: mode, count, hint.
  EXPECT_EQ(f->StatusBar1->Panels()->Count(), 3);
  EXPECT_EQ(f->StatusBar1->Panels()->Items(0)->Width(), 150);
  EXPECT_EQ(f->StatusBar1->Panels()->Items(1)->Width(), 150);
  EXPECT_EQ(Text(f->StatusText(1)), "Всего записей - 12");
  EXPECT_FALSE(f->Panel1->Visible());
  ASSERT_EQ(f->PopupMenu1->Items()->Count(), 1);
  EXPECT_EQ(f->PopupMenu1->Items()->Items(0), f->N1);
  EXPECT_EQ(f->dxDBGrid1->PopupMenu(), f->PopupMenu1);
  EXPECT_EQ(f->ActionManager1->ActionCount(), 15);
  EXPECT_FALSE(f->ARemoveFilter->Enabled());
  KeepCheckedScreen();
  // Going idle again changes nothing, so nothing is repainted: the loop can wait.
  Idle();
  MSG msg;
  EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(MainWindowTest, NavigationButtonsFollowAndMoveThePeopleList) {
  Start();
  TActionToolBar* nav = MainForm->ActionToolBar1;
  TToolButton *first = nav->ItemButton(0), *next = nav->ItemButton(2), *last = nav->ItemButton(3);
  List()->First();
  Idle();
  EXPECT_FALSE(first->Enabled()) << "on the first row";
  EXPECT_TRUE(next->Enabled());
  ClickOn(next);
  EXPECT_EQ(List()->RecNo(), 2);
  EXPECT_EQ(MainForm->dxDBGrid1->GetFocusedAbsoluteIndex(), 1);
  EXPECT_TRUE(first->Enabled());
  ClickOn(last);
  EXPECT_TRUE(List()->Eof() || List()->RecNo() == 12);
  EXPECT_FALSE(next->Enabled()) << "at the end";
  ClickOn(first);
  EXPECT_EQ(List()->RecNo(), 1);
  // Refresh (picture only) reopens the list on its first row.
  List()->Next();
  ClickOn(nav->ItemButton(5));
  EXPECT_TRUE(List()->Active());
  EXPECT_EQ(List()->RecNo(), 1);
}

TEST_F(MainWindowTest, DeletingAsksFirst) {
  Start(5);
  SetMessageBoxHook([this](const String& T, const String& C, UINT Type) {
    boxes.push_back({StringToUtf8(T), StringToUtf8(C), Type});
    return boxes.size() == 1 ? IDNO : IDYES;
  });
  TToolButton* del = MainForm->ActionToolBar3->ItemButton(1);
  ClickOn(del);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Удалить текущую запись?");
  EXPECT_EQ(boxes[0].Caption, "Вопрос");
  EXPECT_EQ(boxes[0].Type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(List()->RecordCount(), 5) << "No keeps the card";
  ClickOn(del);
  EXPECT_EQ(List()->RecordCount(), 4);
  EXPECT_EQ(Scalar("select count(*) from O_PEOPLE"), "4");
}

TEST_F(MainWindowTest, TheSearchBoxLocatesBySurnameStart) {
  Start(30);
  List()->Last();
  String surname = List()->FieldByName(u"FSTNAME")->AsString();
  MainForm->Edit1->SetFocus();
  Pump();
  EXPECT_EQ(MainForm->Edit1->Text(), u"");
  EXPECT_EQ(MainForm->Edit1->Font()->Color(), clBlack);
  List()->First();
  SimulateText(AnsiLowerCase(surname.substr(0, 3)));
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(MainForm->Edit1->Font()->Color(), clLime);
  EXPECT_TRUE(AnsiStartsText(surname.substr(0, 3), List()->FieldByName(u"FSTNAME")->AsString()));
  const int row = List()->RecNo();
  SimulateText(u"щщщ");
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(MainForm->Edit1->Font()->Color(), clRed);
  EXPECT_EQ(List()->RecNo(), row) << "no match leaves the row";
  MainForm->dxDBGrid1->SetFocus();
  Pump();
  EXPECT_EQ(MainForm->Edit1->Text(), u"Поиск");
  EXPECT_EQ(MainForm->Edit1->Font()->Color(), clBlue);
}

TEST_F(MainWindowTest, ExitOnTheMenuBarClosesTheWindow) {
  Start(3);
  RECT exit = MainForm->ActionMainMenuBar1->BarItemRect(0);
  clock->Advance(1000);
  SimulateClick(TSimButton::Left, POINT{exit.left + 5, exit.top + 5});
  Pump();
  EXPECT_FALSE(MainForm->Visible());
  EXPECT_FALSE(DataModule2->M_DEP->Active()) << "closing closes the reference tree";
}

// --- On the desktop ---

void MainWindowOnDesktop() {
  SetScreenSize(1024, 768);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << SDL_GetError();
  auto* window = static_cast<SDL_Window*>(DisplaySdlWindow());
  ASSERT_NE(window, nullptr);
  {
    TTempFolder folder;
    SetResourceDirectory(Utf8ToString(TRENVIK_APP_RESOURCES));
    SetProgramFolder(folder.Path());
    const String savedFolder = GetCurrentDir();
    SetCurrentDir(folder.Path());
    SetMessageBoxHook([](const String&, const String&, UINT) { return IDOK; });
    TDemoDataOptions options;
    options.People = 20;
    CreateDemoDatabase(folder.File("edu.db"), options);
    WriteDataLinkFile(folder.File("Trenvik.udl"), u"Provider=SQLite;Data Source=edu.db;User ID=tester");
    MainForm = NewForm<TMainForm>(nullptr);
    DataModule2 = new TDataModule2(nullptr);
    DataModule2->AfterConstruction();
    MainForm->Show();
    for (int i = 0; i < 3; ++i) {
      LetDesktopSettle();
      Application->ProcessMessages();
    }
    const auto shot = ReadDesktopImage(window);
    ASSERT_TRUE(shot);
    auto at = [&](TControl* c, int X, int Y) {
      POINT p = c->ClientToScreen(POINT{X, Y});
      return PixelToColor(shot->At(p.x, p.y));
    };
    auto dark = [&](TControl* c, RECT r) {
      int n = 0;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
          const COLORREF v = at(c, x, y);
          n += GetRValue(v) < 0x80 && GetGValue(v) < 0x80 && GetBValue(v) < 0x80;
        }
      return n;
    };
    // What the X server shows is what the framework drew.
    RECT wr, window;
    GetWindowRect(MainForm->Handle(), &window);
    const RECT screen = shot->Bounds();
    IntersectRect(&wr, &window, &screen);  // a maximised window's frame lies past the screen
    EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, wr), 0);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    TActionMainMenuBar* menu = MainForm->ActionMainMenuBar1;
    RECT exit = menu->BarItemRect(0);
    POINT o = menu->ClientToScreen(POINT{0, 0});
    OffsetRect(&exit, -o.x, -o.y);
    EXPECT_GT(dark(menu, exit), 20) << "the menu bar's \"Выход\"";
    EXPECT_EQ(at(menu, exit.left + 1, 2), face);
    TStatusBar* status = MainForm->StatusBar1;
    RECT count = status->PanelRect(1);
    EXPECT_GT(dark(status, RECT{count.left + 2, count.top + 2, count.right - 2, count.bottom - 2}), 30)
        << "the record count";
    EXPECT_EQ(at(status, count.left, count.top), GetSysColor(COLOR_BTNSHADOW)) << "the lowered panel";
    TToolButton* next = MainForm->ActionToolBar1->ItemButton(2);
    int glyph = 0;
    for (int y = 0; y < next->Height(); ++y)
      for (int x = 0; x < next->Width(); ++x) glyph += at(next, x, y) == RGB(0, 0, 128);
    EXPECT_GT(glyph, 10) << "the navigation button's arrow";
    KeepCheckedWindow(MainForm->Handle(), "desktop");
    delete DataModule2;
    DataModule2 = nullptr;
    delete MainForm;
    MainForm = nullptr;
    Application->ProcessMessages();
    SetMessageBoxHook(nullptr);
    SetProgramFolder(String());
    SetResourceDirectory(String());
    SetCurrentDir(savedFolder);
  }
  StopDisplay();
}

TEST(MainWindowScreen, TheBarsOnTheDesktop) {
  if (OnVirtualDesktop()) return MainWindowOnDesktop();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
