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

// The first column of the first row of a statement run on the program's connection.
inline int DesktopScalar(const std::string& Sql) {
  TADOQuery q(nullptr);
  q.SetConnection(DataModule2->ADOConnection1);
  q.SQL()->SetText(Utf8ToString(Sql));
  q.Open();
  return q.Fields()->Fields(0)->AsInteger();
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

// Runs a modal window's steps in turn from inside its loop, each once the input of the one before
// has been handled; the last ends the window.
template <class TWindow>
class TModalSteps {
 public:
  explicit TModalSteps(std::vector<std::function<void(TWindow*)>> Steps) : steps_(std::move(Steps)) {}
  void Arm() {
    WhenModal([this] {
      auto* w = dynamic_cast<TWindow*>(Screen->ActiveForm());
      if (!w || !w->Visible()) return false;
      if (++ticks_ < 3) return false;  // a few ticks for the X server to show what came before
      ticks_ = 0;
      steps_[next_++](w);
      return next_ == steps_.size();
    });
  }

 private:
  std::vector<std::function<void(TWindow*)>> steps_;
  size_t next_ = 0;
  int ticks_ = 0;
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
