#include "dx/bars/dxBarWinControl.h"

#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarKeyboard.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/forms/Forms.h"
#include "platform/forms/native/EditControls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarWinControl)

namespace {

const char16_t kWinControlProp[] = u"dxBarWinControl";

bool WindowVisible(HWND Window) { return Window && IsWindow(Window) && IsWindowVisible(Window); }

}  // namespace

TdxBarWinControl::TdxBarWinControl(TdxBarItemLink* ALink) : TdxBarItemControl(ALink) {}

TdxBarWinControl::~TdxBarWinControl() { DestroyWindowHandle(); }

void TdxBarWinControl::CreateWindowHandle(DWORD Style) {
  if (edit_ || !Parent() || !Parent()->HandleAllocated()) return;
  HWND edit = CreateWindowEx(0, kEditClassName, WindowItem()->Text().c_str(), WS_CHILD | ES_AUTOHSCROLL | Style, 0,
                             0, 100, 100, Parent()->Handle(), nullptr, nullptr, nullptr);
  if (!edit) return;
  SetProp(edit, kWinControlProp, this);
  previousProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TdxBarWinControl::EditProc)));
  edit_ = edit;
}

void TdxBarWinControl::DestroyWindowHandle() {
  if (!edit_) return;
  HWND edit = edit_;
  SetFocused(false);
  edit_ = nullptr;
  SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
  RemoveProp(edit, kWinControlProp);
  DestroyWindow(edit);
}

String TdxBarWinControl::GetText() const {
  if (!edit_) return String();
  // Read whole: a committed text is never cut short.
  String text(static_cast<size_t>(GetWindowTextLength(edit_)), u'\0');
  if (!text.empty()) text.resize(static_cast<size_t>(GetWindowText(edit_, text.data(), static_cast<int>(text.size()) + 1)));
  return text;
}

void TdxBarWinControl::WriteText(const String& Text) {
  if (!edit_) return;
  TValueScope setting(settingText_, true);
  SetWindowText(edit_, Text.c_str());
}

void TdxBarWinControl::SetText(const String& Text) {
  WriteText(Text);
  if (WindowItem()->NoEditor()) Repaint();
}

void TdxBarWinControl::SetFocused(bool Value) {
  if (focused_ == Value || !edit_) return;
  if (!Value) {
    focused_ = false;
    ShowWindow(edit_, SW_HIDE);
    GiveFocusBack();
    bool leftWithEscape = GetKeyState(VK_ESCAPE) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
    TdxBarManager* manager = BarManager();
    if (manager && manager->AlwaysSaveText() && !leftWithEscape) WindowItem()->SetText(GetText());
    return;
  }
  previousFocus_ = GetFocus();
  if (!WindowVisible(previousFocus_)) {
    TCustomForm* form = BarManager()->ParentForm();
    previousFocus_ = form && form->HandleAllocated() ? form->Handle() : nullptr;
  }
  SendMessage(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(Parent()->GetFontHandle()), FALSE);
  if (!IsFlat()) SendMessage(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 2));
  if (!Active()) ControlActivate(true);
  RECT r = editRect_;
  if (WindowItem()->NoEditor()) r.right = r.left;
  SetWindowPos(edit_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (IsFlat()) {
    RECT format{2, 2, r.right - r.left - 2, r.bottom - r.top - 2};
    SendMessage(edit_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
  }
  WriteText(WindowItem()->Text());
  focused_ = true;
  ::SetFocus(edit_);
}

void TdxBarWinControl::GiveFocusBack() {
  TdxBarManager* manager = BarManager();
  if (!manager || manager->IsDestroying()) return;
  if (WindowVisible(previousFocus_)) {
    ::SetFocus(previousFocus_);
    return;
  }
  TCustomForm* form = manager->ParentForm();
  if (form && form->HandleAllocated() && IsWindowVisible(form->Handle())) ::SetFocus(form->Handle());
}

void TdxBarWinControl::ControlInactivate(bool Immediately) {
  TdxBarItemControl::ControlInactivate(Immediately);
  SetFocused(false);
}

void TdxBarWinControl::ControlPress(bool) { SetFocused(true); }

void TdxBarWinControl::DiscardQueuedChars() {
  MSG msg;
  while (PeekMessage(&msg, edit_, WM_CHAR, WM_CHAR, PM_REMOVE)) {
  }
}

LRESULT TdxBarWinControl::CallPrevious(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return CallWindowProc(previousProc_, edit_, Msg, WParam, LParam);
}

LRESULT TdxBarWinControl::EditProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* control = static_cast<TdxBarWinControl*>(GetProp(Window, kWinControlProp));
  if (!control) return DefWindowProc(Window, Msg, WParam, LParam);
  return control->EditWndProc(Msg, WParam, LParam);
}

bool TdxBarWinControl::KeyEventSwallows(UINT Msg, WPARAM& WParam, LPARAM LParam) {
  TdxBarWindowItem* item = WindowItem();
  if (Msg == WM_CHAR) {
    auto key = static_cast<Char>(WParam);
    item->KeyPress(key);
    WParam = key;
    return key == 0;
  }
  auto key = static_cast<WORD>(WParam);
  TShiftState shift = KeyDataToShiftState(static_cast<LONG>(LParam));
  if (Msg == WM_KEYDOWN)
    item->KeyDown(key, shift);
  else
    item->KeyUp(key, shift);
  WParam = key;
  return key == 0;
}

LRESULT TdxBarWinControl::FocusMessage(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TdxBarWindowItem* item = WindowItem();
  TScopeExit exit([item, Msg] {
    if (Msg == WM_KILLFOCUS) item->Exit();
  });
  if (Msg == WM_SETFOCUS) {
    item->Enter();
    return CallPrevious(Msg, WParam, LParam);
  }
  TCustomdxBarControl* parent = Parent();
  LRESULT result = CallPrevious(Msg, WParam, LParam);
  // The focus went elsewhere (a click outside, another window): the bar stops tracking.
  if (focused_ && IsBarControlAlive(parent)) parent->Close();
  return result;
}

LRESULT TdxBarWinControl::SystemKey(UINT Msg, WPARAM WParam, LPARAM LParam) {
  bool keyDown = Msg == WM_SYSKEYDOWN;
  if (keyDown) {
    ++pendingAltKeys_;
  } else if (pendingAltKeys_ == 0) {
    return 0;
  } else {
    --pendingAltKeys_;
  }
  bool alt = WParam == VK_MENU;
  if (alt && keyDown) {
    altUsed_ = false;
    return CallPrevious(Msg, WParam, LParam);
  }
  pendingAltKeys_ = 0;
  if (alt && altUsed_) return CallPrevious(Msg, WParam, LParam);
  bool shiftF10 = WParam == VK_F10 && GetKeyState(VK_SHIFT) < 0;
  HWND edit = edit_;
  TCustomdxBarControl* parent = Parent();
  if (IsBarControlAlive(parent)) parent->Close();
  if (shiftF10) return 0;
  // What the bars did with the key (a menu opened, an accelerator ran) is not done again by the edit.
  if (CallBarKeyboardProcDirectly(WParam, LParam, alt)) return 0;
  return CallWindowProc(previousProc_, edit, Msg, WParam, LParam);
}

bool TdxBarWinControl::EditKeyDown(WORD Key) {
  TCustomdxBarControl* parent = Parent();
  if (Key == VK_TAB) {
    DiscardQueuedChars();
    SendMessage(parent->Handle(), WM_KEYDOWN, VK_TAB, 0);
    return true;
  }
  if (Key != VK_RETURN && Key != VK_ESCAPE) return false;
  parent->SelectItem(nullptr);
  DiscardQueuedChars();
  if (!IsBarControlAlive(parent)) return true;
  if (Key == VK_ESCAPE)
    parent->SetSelectedControl(this);
  else
    parent->Close();
  return true;
}

LRESULT TdxBarWinControl::EditWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return FocusMessage(Msg, WParam, LParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (KeyEventSwallows(Msg, WParam, LParam)) return 0;
      if (Msg == WM_KEYDOWN && EditKeyDown(static_cast<WORD>(WParam))) return 0;
      return CallPrevious(Msg, WParam, LParam);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return SystemKey(Msg, WParam, LParam);
    case WM_RBUTTONDOWN: {
      POINT p{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
      MapWindowPoints(edit_, Parent()->Handle(), &p, 1);
      return SendMessage(Parent()->Handle(), Msg, WParam, MAKELPARAM(p.x, p.y));
    }
    case WM_DESTROY: {
      SetFocused(false);
      HWND edit = edit_;
      LRESULT result = CallPrevious(Msg, WParam, LParam);
      SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
      RemoveProp(edit, kWinControlProp);
      edit_ = nullptr;
      return result;
    }
    default:
      return CallPrevious(Msg, WParam, LParam);
  }
}
