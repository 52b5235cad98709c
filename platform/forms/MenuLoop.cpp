#include "platform/forms/MenuLoop.h"

#include <memory>

#include "platform/forms/Forms.h"
#include "platform/forms/MenuPopupWindow.h"
#include "platform/win/Windows.h"

namespace {

bool g_loopActive = false;

POINT ScreenPoint(const MSG& Msg) {
  POINT p{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
  if (Msg.message >= WM_MOUSEFIRST && Msg.message <= WM_MOUSELAST && Msg.hwnd) ClientToScreen(Msg.hwnd, &p);
  return p;
}

bool Selectable(TMenuItem* Item) { return Item && !Item->IsLine(); }

// The state of one run of the loop: the open levels (the last is the one the keys act on) and, on a
// bar, the bar item whose drop-down they belong to.
class TMenuLoop {
 public:
  TMenuLoop(TMenuBarSite* Bar) : bar_(Bar) {}

  TMenuTrackResult RunPopup(TMenuItem* Root, POINT Pos, TPopupAlignment Alignment) {
    if (VisibleItems(Root).empty()) return {};
    levels_.push_back(std::make_unique<TMenuPopupWindow>(Root, Pos, Alignment));
    return Run();
  }

  TMenuTrackResult RunBar(int Index, bool Open, bool FromKeyboard) {
    barItems_ = VisibleItems(bar_->BarRoot());
    if (barItems_.empty()) return {};
    SelectBarItem(std::clamp(Index, 0, static_cast<int>(barItems_.size()) - 1), Open, FromKeyboard);
    return Run();
  }

 private:
  TMenuTrackResult Run() {
    // The window that held the mouse heard WM_CAPTURECHANGED and ended its mode (a button's press,
    // whose release the loop takes): the capture is not handed back to it afterwards.
    captureWindow_ = levels_.empty() ? nullptr : levels_.front()->Handle();
    if (!captureWindow_) captureWindow_ = CaptureHost();
    SetCapture(captureWindow_);
    MSG msg;
    while (!done_) {
      if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        WaitMessage();
        continue;
      }
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (CallMsgFilter(&msg, MSGF_MENU)) continue;
      if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        HandleKey(msg);
        ShowHighlightedHint();
      } else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
        HandleMouse(msg);
        ShowHighlightedHint();
      } else if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK) {
        if (msg.message != WM_NCMOUSEMOVE) done_ = true;
      } else {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
    }
    levels_.clear();
    if (bar_) bar_->SetBarHighlight(-1, false);
    if (GetCapture() == captureWindow_) ReleaseCapture();
    hostWindow_.reset();
    return {chosen_};
  }

  // On a bar with nothing open the loop still needs a window that takes the mouse.
  HWND CaptureHost() {
    hostWindow_ = std::make_unique<THost>();
    return hostWindow_->handle;
  }

  struct THost {
    HWND handle = CreateWindowEx(WS_EX_TOOLWINDOW, u"STATIC", u"", WS_POPUP, -10, -10, 1, 1, nullptr, nullptr,
                                 nullptr, nullptr);
    ~THost() { DestroyWindow(handle); }
  };

  TMenuPopupWindow* Top() const { return levels_.empty() ? nullptr : levels_.back().get(); }

  // The highlighted item's hint becomes the application's (the part after "|" when there is one),
  // as a status bar shows it; the idle step after the loop takes the mouse's control's again.
  void ShowHighlightedHint() {
    TMenuPopupWindow* top = Top();
    TMenuItem* item = top && top->Highlight() >= 0 ? top->Item(top->Highlight()) : nullptr;
    if (item == hintItem_ || !Application) return;
    hintItem_ = item;
    String hint = item ? item->Hint() : String();
    size_t bar = hint.find(u'|');
    Application->SetHint(bar == String::npos ? hint : hint.substr(bar + 1));
  }

  void Choose(TMenuItem* Item) {
    if (!Item->Enabled()) return;
    chosen_ = Item;
    done_ = true;
  }

  void OpenSubMenu(TMenuPopupWindow* Level, int Index, bool HighlightFirst) {
    TMenuItem* item = Level->Item(Index);
    if (item->Count() == 0 || !item->Enabled() || VisibleItems(item).empty()) return;
    RECT r = Level->ItemScreenRect(Index);
    RECT w = Level->ScreenRect();
    auto sub = std::make_unique<TMenuPopupWindow>(item, POINT{w.right - 3, r.top - 3}, paLeft);
    // No room on the right: the sub-menu opens to the left of its parent.
    if (sub->ScreenRect().left < w.right - 3) {
      int width = sub->ScreenRect().right - sub->ScreenRect().left;
      sub.reset();
      sub = std::make_unique<TMenuPopupWindow>(item, POINT{w.left - width + 3, r.top - 3}, paLeft);
    }
    if (HighlightFirst) sub->SetHighlight(sub->NextSelectable(1));
    levels_.push_back(std::move(sub));
  }

  void CloseLevelsAbove(size_t Count) {
    while (levels_.size() > Count) levels_.pop_back();
  }

  // Opens (or only highlights) bar item Index, closing what was open.
  void SelectBarItem(int Index, bool Open, bool HighlightFirst) {
    CloseLevelsAbove(0);
    barIndex_ = Index;
    TMenuItem* item = barItems_[static_cast<size_t>(Index)];
    bool canOpen = Open && item->Enabled() && !VisibleItems(item).empty();
    bar_->SetBarHighlight(Index, canOpen);
    if (!canOpen) return;
    RECT r = bar_->BarItemRect(Index);
    auto level = std::make_unique<TMenuPopupWindow>(item, POINT{r.left, r.bottom}, paLeft);
    if (HighlightFirst) level->SetHighlight(level->NextSelectable(1));
    levels_.push_back(std::move(level));
  }

  // The next bar item that is not a separator.
  void MoveOnBar(int Step) {
    int n = static_cast<int>(barItems_.size());
    int i = barIndex_;
    for (int k = 0; k < n; ++k) {
      i = (i + Step + n) % n;
      if (!barItems_[static_cast<size_t>(i)]->IsLine()) break;
    }
    SelectBarItem(i, !levels_.empty(), true);
  }

  int BarItemAt(POINT P) const {
    if (!bar_) return -1;
    for (int i = 0; i < static_cast<int>(barItems_.size()); ++i) {
      RECT r = bar_->BarItemRect(i);
      if (PtInRect(&r, P)) return barItems_[static_cast<size_t>(i)]->IsLine() ? -1 : i;
    }
    return -1;
  }

  // The bar item an item stands for (a bar item with no drop-down is chosen like a menu item).
  void ActivateBarItem() {
    TMenuItem* item = barItems_[static_cast<size_t>(barIndex_)];
    if (VisibleItems(item).empty())
      Choose(item);
    else
      SelectBarItem(barIndex_, true, true);
  }

  void HandleKey(const MSG& Msg) {
    if (Msg.message == WM_CHAR || Msg.message == WM_SYSCHAR) {
      HandleAccel(static_cast<Char>(Msg.wParam));
      return;
    }
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) {
      if ((Msg.message == WM_KEYUP || Msg.message == WM_SYSKEYUP) && Msg.wParam == VK_MENU && altDown_)
        done_ = true;
      return;
    }
    TranslateMessage(&Msg);
    TMenuPopupWindow* top = Top();
    switch (Msg.wParam) {
      case VK_UP:
      case VK_DOWN:
        if (top)
          top->SetHighlight(top->NextSelectable(Msg.wParam == VK_DOWN ? 1 : -1));
        else if (bar_ && Msg.wParam == VK_DOWN)
          ActivateBarItem();
        break;
      case VK_RIGHT:
        if (top && top->Highlight() >= 0 && top->Item(top->Highlight())->Count() > 0)
          OpenSubMenu(top, top->Highlight(), true);
        else if (bar_)
          MoveOnBar(1);
        break;
      case VK_LEFT:
        if (levels_.size() > 1)
          levels_.pop_back();
        else if (bar_)
          MoveOnBar(-1);
        break;
      case VK_RETURN:
      case VK_SPACE:
        if (top && top->Highlight() >= 0) {
          TMenuItem* item = top->Item(top->Highlight());
          if (item->Count() > 0)
            OpenSubMenu(top, top->Highlight(), true);
          else
            Choose(item);
        } else if (bar_ && !top) {
          ActivateBarItem();
        }
        break;
      case VK_ESCAPE:
        if (levels_.size() > 1 || (bar_ && levels_.size() == 1)) {
          levels_.pop_back();
          if (bar_ && levels_.empty()) bar_->SetBarHighlight(barIndex_, false);
        } else {
          done_ = true;
        }
        break;
      case VK_MENU:
        altDown_ = true;
        break;
      case VK_F10:
        done_ = true;
        break;
      default:
        break;
    }
  }

  void HandleAccel(Char Key) {
    if (TMenuPopupWindow* top = Top()) {
      int i = top->FindAccel(Key);
      if (i < 0) return;
      top->SetHighlight(i);
      TMenuItem* item = top->Item(i);
      if (item->Count() > 0)
        OpenSubMenu(top, i, true);
      else
        Choose(item);
      return;
    }
    if (!bar_) return;
    for (int i = 0; i < static_cast<int>(barItems_.size()); ++i)
      if (IsAccel(Key, barItems_[static_cast<size_t>(i)]->Caption())) {
        barIndex_ = i;
        ActivateBarItem();
        return;
      }
  }

  // The deepest open level under the point.
  int LevelAt(POINT P) const {
    for (int i = static_cast<int>(levels_.size()) - 1; i >= 0; --i)
      if (levels_[static_cast<size_t>(i)]->ContainsScreen(P)) return i;
    return -1;
  }

  void HandleMouse(const MSG& Msg) {
    POINT p = ScreenPoint(Msg);
    int level = LevelAt(p);
    int barItem = level < 0 ? BarItemAt(p) : -1;
    switch (Msg.message) {
      case WM_MOUSEMOVE:
        if (level >= 0) {
          TMenuPopupWindow* w = levels_[static_cast<size_t>(level)].get();
          int i = w->ItemAtScreen(p);
          if (i < 0 || i == w->Highlight()) break;
          CloseLevelsAbove(static_cast<size_t>(level) + 1);
          w->SetHighlight(i);
          if (w->Item(i)->Count() > 0) OpenSubMenu(w, i, false);
        } else if (barItem >= 0 && barItem != barIndex_ && !levels_.empty()) {
          SelectBarItem(barItem, true, false);
        }
        break;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        if (level >= 0) break;
        if (barItem >= 0 && barItem != barIndex_) {
          barIndex_ = barItem;
          ActivateBarItem();
        } else {
          // A click outside, or on the bar item whose drop-down is open, leaves the menu.
          done_ = true;
        }
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        if (level >= 0) {
          TMenuPopupWindow* w = levels_[static_cast<size_t>(level)].get();
          int i = w->ItemAtScreen(p);
          if (i >= 0 && w->Item(i)->Count() == 0 && Selectable(w->Item(i))) Choose(w->Item(i));
        }
        break;
      default:
        break;
    }
  }

  TMenuBarSite* bar_;
  std::vector<TMenuItem*> barItems_;
  int barIndex_ = -1;
  std::vector<std::unique_ptr<TMenuPopupWindow>> levels_;
  std::unique_ptr<THost> hostWindow_;
  HWND captureWindow_ = nullptr;
  TMenuItem* chosen_ = nullptr;
  TMenuItem* hintItem_ = nullptr;
  bool done_ = false;
  bool altDown_ = false;
};

struct TLoopGuard {
  TLoopGuard() { g_loopActive = true; }
  ~TLoopGuard() { g_loopActive = false; }
};

}  // namespace

std::vector<TMenuItem*> VisibleItems(TMenuItem* Parent) {
  std::vector<TMenuItem*> result;
  if (!Parent) return result;
  for (int i = 0; i < Parent->Count(); ++i)
    if (Parent->Items(i)->Visible()) result.push_back(Parent->Items(i));
  return result;
}

bool MenuLoopActive() { return g_loopActive; }

TMenuTrackResult TrackPopupMenuItems(TMenuItem* Root, POINT Pos, TPopupAlignment Alignment) {
  if (g_loopActive) return {};
  TLoopGuard guard;
  TMenuLoop loop(nullptr);
  return loop.RunPopup(Root, Pos, Alignment);
}

TMenuTrackResult TrackMenuBar(TMenuBarSite* Bar, int Index, bool OpenDropDown, bool FromKeyboard) {
  if (g_loopActive) return {};
  TLoopGuard guard;
  TMenuLoop loop(Bar);
  return loop.RunBar(Index, OpenDropDown, FromKeyboard);
}
