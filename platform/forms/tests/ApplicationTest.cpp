// The application: forms in creation order, the loop until Terminate, the default exception box
// for an exception raised in an event, OnException and TApplicationEvents, and TTimer.
#include <set>

#include "platform/forms/tests/FormsTestSupport.h"
#include "platform/rtl/TestFailureReport.h"

class ApplicationTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    Application->SetTitle(u"Trenvik Test");
    // What a message box showed when it became the active form.
    Screen->OnActiveFormChange = [this](TObject*) {
      TCustomForm* f = Screen->ActiveForm();
      if (!f) return;
      auto* message = dynamic_cast<TControl*>(f->FindComponent(u"Message"));
      if (!message) return;
      shown.push_back({StringToUtf8(f->Caption()), StringToUtf8(message->Caption())});
    };
  }
  void TearDown() override {
    Screen->OnActiveFormChange = nullptr;
    FormsTest::TearDown();
  }
  std::vector<std::pair<std::string, std::string>> shown;
};

TEST_F(ApplicationTest, TheFirstFormCreatedIsTheMainFormAndRunEndsWhenItCloses) {
  EXPECT_EXIT(
      {
        TForm* first = nullptr;
        TForm* second = nullptr;
        Application->CreateForm(first);
        Application->CreateForm(second);
        const bool ok = Application->MainForm() == first && first->Owner() == Application && second;
        first->OnShow = [first](TObject*) { PostMessage(first->Handle(), WM_CLOSE, 0, 0); };
        Application->Run();
        std::_Exit(ok && Application->Terminated() && !second->Visible() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(ApplicationTest, AnExceptionInAnEventShowsTheDefaultExceptionBox) {
  TTestFailureReportAway realBox;  // the box itself is under test
  auto* f = MakeForm();
  auto* box = Add<TTestBox>(f, "Box", 10, 10, 100, 20);
  int clicks = 0;
  box->OnClick = [&](TObject*) {
    ++clicks;
    throw EDatabaseError("Cannot open the list");
  };
  f->Show();
  Pump();
  const int beeps = MessageBeepCount();
  SimulateClick(TSimButton::Left, At(box, 5, 5));
  SimulateKeyPress(VK_RETURN);  // answers the box
  Pump();
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, "Trenvik Test");
  EXPECT_EQ(shown[0].second, "Cannot open the list.");  // a full stop is added
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_EQ(Screen->ActiveForm(), f);  // the form is active again

  // A message ending in punctuation below '.' keeps it; EAbort shows nothing.
  shown.clear();
  box->OnClick = [](TObject*) { throw Exception("Stop!"); };
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, At(box, 5, 5));
  SimulateKeyPress(VK_ESCAPE);
  Pump();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].second, "Stop!");
  shown.clear();
  box->OnClick = [](TObject*) { Abort(); };
  Click(box, 5, 5);
  EXPECT_TRUE(shown.empty());
}

TEST_F(ApplicationTest, OnExceptionAndApplicationEventsReplaceTheBox) {
  auto* f = MakeForm();
  auto* box = Add<TTestBox>(f, "Box", 10, 10, 100, 20);
  box->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
  f->Show();
  Pump();
  std::vector<std::string> got;
  Application->OnException = [&](TObject* Sender, Exception& E) {
    got.push_back("app " + Name(Sender) + ": " + StringToUtf8(E.Message()));
  };
  Click(box, 5, 5);
  EXPECT_EQ(got, (std::vector<std::string>{"app Box: 'x' is not a valid integer value"}));

  got.clear();
  Application->OnException = nullptr;
  auto* events = new TApplicationEvents(f);
  events->OnException = [&](TObject*, Exception& E) {
    got.push_back("events: " + StringToUtf8(E.Message()));
  };
  Click(box, 5, 5);
  EXPECT_EQ(got, (std::vector<std::string>{"events: 'x' is not a valid integer value"}));
  EXPECT_TRUE(shown.empty());

  // Hints and idle reach the events component too.
  bool idled = false;
  events->OnIdle = [&](TObject*, bool& Done) {
    idled = true;
    Done = false;
  };
  MSG m{};
  Application->Idle(m);
  EXPECT_TRUE(idled);
  delete events;
  Application->Idle(m);  // a freed events component is no longer called
}

TEST_F(ApplicationTest, TimerFiresOnTheVirtualClock) {
  auto* f = MakeForm();
  auto* timer = new TTimer(f);
  timer->SetInterval(100);
  int ticks = 0;
  timer->OnTimer = [&](TObject* s) {
    EXPECT_EQ(s, timer);
    ++ticks;
  };
  Pump();
  EXPECT_EQ(ticks, 0);
  clock_->Advance(99);
  Pump();
  EXPECT_EQ(ticks, 0);
  for (int i = 0; i < 3; ++i) {
    clock_->Advance(100);
    Pump();
  }
  EXPECT_EQ(ticks, 3);
  timer->SetEnabled(false);
  clock_->Advance(500);
  Pump();
  EXPECT_EQ(ticks, 3);
  // An exception in OnTimer goes to the application's handler; the timer keeps running.
  timer->SetEnabled(true);
  std::string caught;
  Application->OnException = [&](TObject*, Exception& E) { caught = StringToUtf8(E.Message()); };
  timer->OnTimer = [&](TObject*) {
    ++ticks;
    throw Exception("first opening failed");
  };
  clock_->Advance(100);
  Pump();
  clock_->Advance(100);
  Pump();
  EXPECT_EQ(caught, "first opening failed");
  EXPECT_EQ(ticks, 5);
}

TEST_F(ApplicationTest, SettingChangesReachEveryControlAsTheFrameworksNotification) {
  auto* f = MakeForm();
  auto* panel = Add<TTestPanel>(f, "Panel", 0, 0, 100, 50);
  auto* shape = Add<TTestShape>(panel, "Shape", 0, 0, 10, 10);
  std::vector<std::string> heard;
  for (TControl* c : std::initializer_list<TControl*>{panel, shape}) {
    TWndMethod old = c->WindowProc;
    c->WindowProc = [c, old, &heard](TMessage& m) {
      if (m.Msg == CM_WININICHANGE)
        heard.push_back(Name(c) + " " + StringToUtf8(String(reinterpret_cast<const WCHAR*>(m.LParam))));
      if (m.Msg == CM_SYSCOLORCHANGE) heard.push_back(Name(c) + " colours");
      old(m);
    };
  }
  static const WCHAR kIntl[] = u"intl";
  Application->Handle();
  SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kIntl));
  SendMessage(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(heard, (std::vector<std::string>{"Panel intl", "Shape intl", "Panel colours", "Shape colours"}));
}

TEST_F(ApplicationTest, TheCursorTableAndTheCursorShownOverControls) {
  const HCURSOR arrow = Screen->Cursors(crArrow);
  EXPECT_EQ(Screen->Cursors(-1124), arrow);  // an index without a cursor shows the arrow
  const HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
  Screen->SetCursors(-1124, cross);
  EXPECT_EQ(Screen->Cursors(-1124), cross);
  // The framework's own shapes are real, distinct cursors.
  std::set<HCURSOR> own;
  for (TCursor c : {crDrag, crNoDrop, crHSplit, crVSplit, crMultiDrag}) {
    TCursorInfo info;
    ASSERT_TRUE(GetCursorDetails(Screen->Cursors(c), &info)) << c;
    EXPECT_EQ(info.width, 32);
    own.insert(Screen->Cursors(c));
  }
  EXPECT_EQ(own.size(), 5u);
  String ident;
  ASSERT_TRUE(CursorToIdent(crHSplit, ident));
  EXPECT_EQ(ident, u"crHSplit");

  auto* f = MakeForm();
  auto* box = Add<TTestBox>(f, "Box", 10, 10, 100, 40);
  box->SetCursor(crHandPoint);
  auto* shape = Add<TTestShape>(f, "Shape", 10, 100, 100, 40);
  shape->SetCursor(-1124);
  f->Show();
  Pump();
  SimulateMouseMove(At(box, 5, 5));
  Pump();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
  SimulateMouseMove(At(shape, 5, 5));
  Pump();
  EXPECT_EQ(GetCursor(), cross);   // a graphic control's cursor through its parent's window
  Screen->SetCursor(crHourGlass);  // everywhere while set
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHourGlass));
  SimulateMouseMove(At(box, 6, 6));
  Pump();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHourGlass));
  Screen->SetCursor(crDefault);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
  Screen->SetCursors(-1124, nullptr);
}
