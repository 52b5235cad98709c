// Driving the program on a virtual X server: steps run from inside modal loops, the screen read
// back as pixels, rows of the people grid located, buttons found by caption.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/AppPaths.h"
#include "app/DataModule.h"
#include "app/Main.h"
#include "app/ProgramMain.h"
#include "db/DemoData.h"
#include "platform/display/Display.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/classes/FormResources.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Input.h"
#include "platform/win/SysColors.h"
#include "platform/win/Timers.h"
#include "platform/win/Windows.h"

// The virtual X server's screen at 1024 x 768 with the program's window on it; a step that waits for
// ever ends the run after Seconds.
inline void StartDesktopScreen(unsigned Seconds, SDL_Window*& Window) {
  alarm(Seconds);
  SetScreenSize(1024, 768);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << SDL_GetError();
  Window = static_cast<SDL_Window*>(DisplaySdlWindow());
  ASSERT_NE(Window, nullptr);
}

// The first column of the first row of a statement run on the program's connection, as F gives it.
template <class F>
auto DesktopValue(const std::string& Sql, F As) {
  TADOQuery q(nullptr);
  q.SetConnection(DataModule2->ADOConnection1);
  q.SQL()->SetText(Utf8ToString(Sql));
  q.Open();
  return As(q.Fields()->Fields(0));
}
inline int DesktopScalar(const std::string& Sql) {
  return DesktopValue(Sql, [](TField* f) { return f->AsInteger(); });
}
// "~" for NULL or no row.
inline std::string DesktopText(const std::string& Sql) {
  return DesktopValue(Sql, [](TField* f) { return f->IsNull() ? std::string("~") : StringToUtf8(f->AsString()); });
}

// What a modal loop should do once its window is up: run on a timer from inside the loop, until
// the step answers true.
inline std::function<bool()> g_modalStep;

inline void RunModalStep(HWND, UINT, UINT_PTR id, DWORD) {
  static bool running = false;
  if (!g_modalStep || running) return;
  running = true;
  auto step = g_modalStep;  // the step may replace itself
  const bool done = step();
  running = false;
  if (!done) return;
  g_modalStep = nullptr;
  KillTimer(nullptr, id);
}

inline void WhenModal(std::function<bool()> Step) {
  g_modalStep = std::move(Step);
  SetTimer(nullptr, 0, 30, &RunModalStep);
}

// Runs the steps of the windows a run goes through, each once a window of its class is the active
// one and the input of the step before has been handled; the last step ends the run.
class TWindowSteps {
 public:
  // Step waits also while Ready says the window is busy.
  template <class TWindow>
  TWindowSteps& Then(std::function<void(TWindow*)> Step, std::function<bool(TWindow*)> Ready = nullptr) {
    steps_.push_back([Step = std::move(Step), Ready = std::move(Ready)](TCustomForm* f) {
      auto* w = dynamic_cast<TWindow*>(f);
      if (!w || (Ready && !Ready(w))) return false;
      Step(w);
      return true;
    });
    return *this;
  }
  void Arm() {
    WhenModal([this] {
      TCustomForm* f = Screen->ActiveForm();
      // A window already answered is on its way out.
      if (!f || !f->Visible() || f->ModalResult() != mrNone) return false;
      if (++ticks_ < 3) return false;  // a few ticks for the X server to show what came before
      if (!steps_[next_](f)) return false;
      ticks_ = 0;
      return ++next_ == steps_.size();
    });
  }
  size_t Done() const { return next_; }

 private:
  std::vector<std::function<bool(TCustomForm*)>> steps_;
  size_t next_ = 0;
  int ticks_ = 0;
};

// A modal window's steps in turn from inside its loop; the last ends the window.
template <class TWindow>
class TModalSteps : public TWindowSteps {
 public:
  explicit TModalSteps(std::vector<std::function<void(TWindow*)>> Steps) {
    for (auto& step : Steps) Then<TWindow>(std::move(step));
  }
};

class TProgramOnDesktop {
 public:
  explicit TProgramOnDesktop(SDL_Window* Window) : window_(Window) {}

  void Settle() {
    for (int i = 0; i < 3; ++i) {
      LetDesktopSettle();
      Application->ProcessMessages();
    }
  }
  void Shoot() { shot_ = ReadDesktopImage(window_); }
  COLORREF At(TControl* C, int X, int Y) const {
    const POINT p = C->ClientToScreen(POINT{X, Y});
    return PixelToColor(shot_->At(p.x, p.y));
  }
  int Count(TControl* C, RECT R, const std::function<bool(COLORREF)>& Is) const {
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) n += Is(At(C, x, y));
    return n;
  }
  int CountColour(TControl* C, RECT R, COLORREF Colour) const {
    return Count(C, R, [Colour](COLORREF c) { return c == Colour; });
  }
  // The pixels of a rectangle of C.
  std::vector<COLORREF> Pixels(TControl* C, RECT R) const {
    std::vector<COLORREF> p;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) p.push_back(At(C, x, y));
    return p;
  }
  static int Differing(const std::vector<COLORREF>& A, const std::vector<COLORREF>& B) {
    int n = 0;
    for (size_t i = 0; i < std::min(A.size(), B.size()); ++i) n += A[i] != B[i];
    return n;
  }
  void Click(TControl* C, POINT P, TSimButton Button = TSimButton::Left) {
    SimulateClick(Button, C->ClientToScreen(P));
  }
  // The rectangle of the grid's row Row (client coordinates), across its visible columns.
  RECT RowRect(int Row) const {
    TdxDBGrid* grid = MainForm->dxDBGrid1;
    RECT r{};
    grid->GetNodeRect(grid->GetAbsoluteNode(Row), r);
    return r;
  }
  // Clicks the first row of Grid that shows Text in Field's column; false when no row on the
  // screen shows it.
  bool ClickRowShowing(TdxDBGrid* Grid, const String& Field, const String& Text) {
    TdxDBTreeListColumn* column = Grid->FindColumnByFieldName(Field);
    if (!column) return false;
    RECT rows{};
    Grid->GetRowsRect(rows);
    for (int i = 0; i < Grid->GetAbsoluteCount(); ++i) {
      TdxTreeListNode* node = Grid->GetAbsoluteNode(i);
      if (Grid->GetCellText(node, column->Index()) != Text) continue;
      RECT r{};
      Grid->GetNodeRect(node, r);
      const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      if (r.bottom <= r.top || !PtInRect(&rows, centre)) return false;
      Click(Grid, centre);
      return true;
    }
    return false;
  }
  // Clicks the middle of C, as a button is pressed.
  void Press(TControl* C) { Click(C, POINT{C->Width() / 2, C->Height() / 2}); }
  int HighlightIn(int Row) const {
    return CountColour(MainForm->dxDBGrid1, RowRect(Row), GetSysColor(COLOR_HIGHLIGHT));
  }

 private:
  SDL_Window* window_;
  std::unique_ptr<TSurface> shot_;
};

inline TButton* ButtonCaptioned(TWinControl* Parent, const String& Caption) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    if (auto* b = dynamic_cast<TButton*>(Parent->Controls(i)); b && b->Caption() == Caption) return b;
    if (auto* w = dynamic_cast<TWinControl*>(Parent->Controls(i)))
      if (TButton* inner = ButtonCaptioned(w, Caption)) return inner;
  }
  return nullptr;
}

// The program run from Folder as a user runs it from there: the current, program and resource
// folders set for the scope and put back when it ends, however it ends.
class TProgramFolderScope {
 public:
  explicit TProgramFolderScope(const String& Folder) : saved_(GetCurrentDir()) {
    SetCurrentDir(Folder);
    SetProgramFolder(Folder);
    SetResourceDirectory(Utf8ToString(TRENVIK_APP_RESOURCES));
  }
  ~TProgramFolderScope() {
    SetCurrentDir(saved_);
    SetProgramFolder(String());
    SetResourceDirectory(String());
  }
  TProgramFolderScope(const TProgramFolderScope&) = delete;
  TProgramFolderScope& operator=(const TProgramFolderScope&) = delete;

 private:
  String saved_;
};

// The user's copy in Folder: a demo database of People beside the program, and the data-link file
// naming it with the login "tester".
inline void WriteDemoProgramFolder(const TTempFolder& Folder, int People) {
  TDemoDataOptions options;
  options.People = People;
  CreateDemoDatabase(Folder.File("edu.db"), options);
  WriteDataLinkFile(Folder.File("Trenvik.udl"), u"Provider=SQLite;Data Source=edu.db;User ID=tester");
}

// The program's windows made and shown, the login box answered with Enter.
inline void StartProgramOnDesktop() {
  WhenModal([] {
    TCustomForm* login = Screen->ActiveForm();
    if (!login || !ButtonCaptioned(login, u"OK")) return false;
    SimulateKeyPress(VK_RETURN);
    return true;
  });
  CreateProgramWindows();
  MainForm->Show();
}

// Its data closed and its windows freed, as after the message loop.
inline void CloseProgramOnDesktop() {
  CloseProgramData();
  delete DataModule2;
  DataModule2 = nullptr;
  delete MainForm;
  MainForm = nullptr;
  Application->ProcessMessages();
}
