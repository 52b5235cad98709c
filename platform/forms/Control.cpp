// TControl: placement, state, appearance with parent inheritance, messages and mouse events.
#include "platform/classes/Filer.h"
#include "platform/forms/ActnList.h"
#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

using namespace forms_internal;

namespace {
TPopupMenuProc& PopupProc() {
  static TPopupMenuProc proc;
  return proc;
}
}  // namespace

void SetPopupMenuProc(TPopupMenuProc Proc) { PopupProc() = std::move(Proc); }

TShiftState KeysToShiftState(WORD Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s.Include(ssShift);
  if (Keys & MK_CONTROL) s.Include(ssCtrl);
  if (Keys & MK_LBUTTON) s.Include(ssLeft);
  if (Keys & MK_RBUTTON) s.Include(ssRight);
  if (Keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LONG KeyData) {
  constexpr LONG AltMask = 0x20000000;
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (KeyData & AltMask) s.Include(ssAlt);
  return s;
}

TShiftState GetShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
  return s;
}

// --- TSizeConstraints ---

TRENVIK_PUBLISHED(TSizeConstraints) {
  P.Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  P.Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  P.Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  P.Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TSizeConstraints*>(Source)) {
    minHeight_ = c->minHeight_;
    maxHeight_ = c->maxHeight_;
    minWidth_ = c->minWidth_;
    maxWidth_ = c->maxWidth_;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TSizeConstraints::SetMaxHeight(int Value) {
  if (Value == maxHeight_) return;
  maxHeight_ = Value;
  if (maxHeight_ > 0 && maxHeight_ < minHeight_) minHeight_ = maxHeight_;
  Changed();
}
void TSizeConstraints::SetMaxWidth(int Value) {
  if (Value == maxWidth_) return;
  maxWidth_ = Value;
  if (maxWidth_ > 0 && maxWidth_ < minWidth_) minWidth_ = maxWidth_;
  Changed();
}
void TSizeConstraints::SetMinHeight(int Value) {
  if (Value == minHeight_) return;
  minHeight_ = Value;
  if (maxHeight_ > 0 && minHeight_ > maxHeight_) maxHeight_ = minHeight_;
  Changed();
}
void TSizeConstraints::SetMinWidth(int Value) {
  if (Value == minWidth_) return;
  minWidth_ = Value;
  if (maxWidth_ > 0 && minWidth_ > maxWidth_) maxWidth_ = minWidth_;
  Changed();
}
void TSizeConstraints::Changed() {
  if (control_) control_->SetBounds(control_->Left(), control_->Top(), control_->Width(), control_->Height());
  if (OnChange) OnChange(this);
}

// --- TControl ---

void PublishControlProperties(TPublisher<TControl>& P);

TRENVIK_PUBLISHED(TControl) {
  P.Property("Left", &TControl::Left, &TControl::SetLeft).NoDefault();
  P.Property("Top", &TControl::Top, &TControl::SetTop).NoDefault();
  P.Property("Width", &TControl::Width, &TControl::SetWidth).NoDefault();
  P.Property("Height", &TControl::Height, &TControl::SetHeight).NoDefault();
  PublishControlProperties(P);
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  font_ = std::make_unique<TFont>();
  font_->OnChange = [this](TObject* s) { FontChanged(s); };
  constraints_ = std::make_unique<TSizeConstraints>(this);
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
  Destroying();
  ForgetDragControl(this);
  if (CaptureControl() == this) SetCaptureControl(nullptr);
  if (auto& hook = ApplicationHooks().ControlDestroying) hook(this);
  if (parent_) parent_->RemoveControl(this);
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
}

void TControl::Dispatch(TMessage& Message) {
  static const TMessageMap<TControl> map = [] {
    TMessageMap<TControl> m;
    TControl::MessageMap(m);
    return m;
  }();
  if (!map.Call(this, Message)) DefaultHandler(Message);
}

void TControl::MessageMap(TMessageMap<TControl>& M) {
  M.On(WM_LBUTTONDOWN, &TControl::WMLButtonDown);
  M.On(WM_LBUTTONUP, &TControl::WMLButtonUp);
  M.On(WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk);
  M.On(WM_RBUTTONDOWN, &TControl::WMRButtonDown);
  M.On(WM_RBUTTONUP, &TControl::WMRButtonUp);
  M.On(WM_RBUTTONDBLCLK, &TControl::WMRButtonDblClk);
  M.On(WM_MBUTTONDOWN, &TControl::WMMButtonDown);
  M.On(WM_MBUTTONUP, &TControl::WMMButtonUp);
  M.On(WM_MOUSEMOVE, &TControl::WMMouseMove);
  M.On(WM_CONTEXTMENU, &TControl::WMContextMenu);
  M.On(CM_MOUSEWHEEL, &TControl::CMMouseWheel);
  M.On(CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged);
  M.On(CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged);
  M.On(CM_PARENTSHOWHINTCHANGED, &TControl::CMParentShowHintChanged);
  M.On(CM_VISIBLECHANGED, &TControl::CMVisibleChanged);
  M.On(CM_ENABLEDCHANGED, &TControl::CMEnabledChanged);
  M.On(CM_HITTEST, &TControl::CMHitTest);
  M.On(CM_DRAG, &TControl::CMDrag);
  M.On(CM_MOUSEENTER, &TControl::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TControl::CMMouseLeave);
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      // WParam: buffer size in characters; LParam: the buffer.
      auto* buf = reinterpret_cast<WCHAR*>(Message.LParam);
      size_t n = 0;
      if (buf && Message.WParam > 0) {
        n = std::min<size_t>(text_.size(), Message.WParam - 1);
        std::copy_n(text_.data(), n, buf);
        buf[n] = 0;
      }
      Message.Result = static_cast<LRESULT>(n);
      break;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(text_.size());
      break;
    case WM_SETTEXT:
      text_ = Message.LParam ? String(reinterpret_cast<const WCHAR*>(Message.LParam)) : String();
      Message.Result = 1;
      break;
    default:
      break;
  }
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL) {
    if (!controlStyle_.Contains(csDoubleClicks)) {
      switch (Message.Msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
          Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
          break;
        default:
          break;
      }
    }
    switch (Message.Msg) {
      case WM_MOUSEMOVE:
        if (auto& hook = ApplicationHooks().HintMouseMessage) hook(this, Message);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (dragMode_ == dmAutomatic && !ComponentState().Contains(csDesigning) && !Dragging()) {
          BeginAutoDrag();
          return;
        }
        controlState_.Include(csLButtonDown);
        break;
      case WM_LBUTTONUP:
        controlState_.Exclude(csLButtonDown);
        break;
      default:
        break;
    }
  }
  Dispatch(Message);
}

// --- Placement ---

void TControl::SetParent(TWinControl* AParent) {
  if (parent_ == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!ComponentState().Contains(csLoading)) {
    int w = AWidth, h = AHeight;
    if (!CanResize(w, h)) {
      w = width_;
      h = height_;
    }
    AWidth = w;
    AHeight = h;
  }
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  InvalidateControl(IsControlVisible(), false);
  const bool resized = AWidth != width_ || AHeight != height_;
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  Invalidate();
  UpdateAnchorRules();
  RequestAlign();
  if (resized && !ComponentState().Contains(csLoading)) Resize();
}

void TControl::UpdateBoundsRect(const RECT& R) {
  left_ = R.left;
  top_ = R.top;
  width_ = R.right - R.left;
  height_ = R.bottom - R.top;
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool ok = true;
  DoCanResize(NewWidth, NewHeight, ok);
  if (ok) {
    int minW = constraints_->MinWidth(), minH = constraints_->MinHeight();
    int maxW = constraints_->MaxWidth(), maxH = constraints_->MaxHeight();
    ConstrainedResize(minW, minH, maxW, maxH);
    if (maxW > 0 && NewWidth > maxW) NewWidth = maxW;
    if (minW > 0 && NewWidth < minW) NewWidth = minW;
    if (maxH > 0 && NewHeight > maxH) NewHeight = maxH;
    if (minH > 0 && NewHeight < minH) NewHeight = minH;
  }
  return ok;
}

void TControl::DoCanResize(int& W, int& H, bool& Resize) {
  if (OnCanResize) OnCanResize(this, W, H, Resize);
}

void TControl::ConstrainedResize(int&, int&, int&, int&) {}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

RECT TControl::ClientRect() { return RECT{0, 0, width_, height_}; }

void TControl::SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
void TControl::SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }
void TControl::SetClientSize(int W, int H) {
  RECT c = ClientRect();
  SetBounds(left_, top_, width_ - c.right + W, height_ - c.bottom + H);
}

POINT TControl::ClientOrigin() {
  if (!parent_) throw EInvalidOperation(StringToUtf8(u"Control '" + Name() + u"' has no parent window"));
  POINT p = parent_->ClientOrigin();
  return POINT{p.x + left_, p.y + top_};
}

POINT TControl::ClientToScreen(POINT P) {
  POINT o = ClientOrigin();
  return POINT{P.x + o.x, P.y + o.y};
}

POINT TControl::ScreenToClient(POINT P) {
  POINT o = ClientOrigin();
  return POINT{P.x - o.x, P.y - o.y};
}

void TControl::SetAlign(TAlign Value) {
  if (align_ == Value) return;
  const TAlign old = align_;
  align_ = Value;
  anchors_ = TAnchors{akLeft, akTop};
  if (!ComponentState().Contains(csLoading) && Value != alNone && Value != alCustom && old != alNone &&
      old != alCustom) {
    // Switching between sides: the control keeps its size across.
    if ((old == alTop || old == alBottom) != (Value == alTop || Value == alBottom))
      SetBounds(left_, top_, height_, width_);
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  if (anchors_ == Value) return;
  anchors_ = Value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (!parent_ || ComponentState().Contains(csLoading) || align_ != alNone) return;
  RECT c = parent_->ClientRect();
  anchorRight_ = anchors_.Contains(akRight) ? c.right - (left_ + width_) : -1;
  anchorBottom_ = anchors_.Contains(akBottom) ? c.bottom - (top_ + height_) : -1;
}

void TControl::RequestAlign() {
  if (parent_) parent_->Realign();
}

void TControl::SetZOrder(bool TopMost) {
  if (!parent_) return;
  auto& list = parent_->controls_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost)
    list.push_back(this);
  else
    list.insert(list.begin(), this);
  InvalidateControl(visible_, true);
  parent_->Realign();
}

// --- State ---

void TControl::SetVisible(bool Value) {
  if (visible_ == Value) return;
  VisibleChanging();
  visible_ = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::Show() {
  if (parent_) parent_->Show();
  if (!ComponentState().Contains(csDesigning) || visible_) SetVisible(true);
}

void TControl::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

bool TControl::IsControlVisible() const { return visible_ || ComponentState().Contains(csDesigning); }

// --- Appearance ---

void TControl::SetColor(TColor Value) {
  if (color_ == Value) return;
  color_ = Value;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (parentColor_ == Value) return;
  parentColor_ = Value;
  if (parent_ && Value && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
  if (!fontUpdating_) {
    parentFont_ = false;
    desktopFont_ = false;
  }
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (parentFont_ == Value) return;
  parentFont_ = Value;
  if (parent_ && Value && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetDesktopFont(bool Value) {
  if (desktopFont_ == Value) return;
  desktopFont_ = Value;
  if (Value && Screen) {
    fontUpdating_ = true;
    font_->Assign(Screen->IconFont());
    fontUpdating_ = false;
    parentFont_ = false;
  }
}

void TControl::SetCursor(TCursor Value) {
  if (cursor_ == Value) return;
  cursor_ = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

String TControl::GetText() {
  const auto len = static_cast<size_t>(Perform(WM_GETTEXTLENGTH, 0, 0));
  String buf(len + 1, u'\0');
  const auto n = static_cast<size_t>(Perform(WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(buf.data())));
  buf.resize(std::min(n, len));
  return buf;
}

void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  SetTextValue(Value);
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetTextValue(const String& Value) {
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TControl::SetName(const String& NewName) {
  // A caption that showed the name follows it.
  const bool follow = controlStyle_.Contains(csSetCaption) && !ComponentState().Contains(csLoading) &&
                      Name() == GetText() &&
                      (Owner() == nullptr || !Owner()->ComponentState().Contains(csLoading));
  inherited::SetName(NewName);
  if (follow) SetText(NewName);
}

void TControl::SetShowHint(bool Value) {
  if (showHint_ == Value) return;
  showHint_ = Value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (parentShowHint_ == Value) return;
  parentShowHint_ = Value;
  if (parent_ && Value && !ComponentState().Contains(csReading)) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* Value) {
  if (popupMenu_ == Value) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

void TControl::CMParentFontChanged(TMessage&) {
  if (parentFont_ && parent_) {
    fontUpdating_ = true;
    font_->Assign(parent_->Font());
    fontUpdating_ = false;
  }
}

void TControl::CMParentColorChanged(TMessage&) {
  if (parentColor_ && parent_) {
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED, 0, 0);
  }
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (parentShowHint_ && parent_) {
    showHint_ = parent_->ShowHint();
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  }
}

void TControl::CMVisibleChanged(TMessage&) {
  if (!ComponentState().Contains(csDesigning))
    InvalidateControl(true, visible_ && controlStyle_.Contains(csOpaque));
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

void TControl::CMMouseEnter(TMessage& Message) {
  if (parent_)
    parent_->Perform(CM_MOUSEENTER, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (parent_)
    parent_->Perform(CM_MOUSELEAVE, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

// --- Streaming ---

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* p = dynamic_cast<TWinControl*>(Value)) SetParent(p);
}

void TControl::ReadState(TReader* Reader) {
  controlState_.Include(csReadingState);
  if (auto* p = dynamic_cast<TWinControl*>(Reader->Parent())) SetParent(p);
  inherited::ReadState(Reader);
  controlState_.Exclude(csReadingState);
  if (parent_) {
    if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
}

void TControl::Loaded() {
  inherited::Loaded();
  if (parent_) {
    if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

// --- Painting ---

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if ((IsVisible || ComponentState().Contains(csDesigning)) && parent_ && parent_->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->WindowHandle(), &r, !(IsOpaque || parent_->DoubleBuffered()));
  }
}

void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  if ((visible_ || ComponentState().Contains(csDesigning)) && parent_ && parent_->HandleAllocated()) {
    Invalidate();
    parent_->Update();
  }
}

// --- Mouse ---

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::SendCancelMode(TControl* Sender) {
  for (TControl* c = this; c; c = c->parent_)
    if (auto* f = dynamic_cast<TCustomForm*>(c)) {
      if (f->ActiveControl()) f->ActiveControl()->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
      break;
    }
}

void TControl::DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
  if (!controlStyle_.Contains(csNoStdEvents))
    MouseDown(Button, KeysToShiftState(static_cast<WORD>(Message.Keys())) + Shift, Message.XPos(),
              Message.YPos());
}

void TControl::DoMouseUp(TWMMouse& Message, TMouseButton Button) {
  if (!controlStyle_.Contains(csNoStdEvents))
    MouseUp(Button, KeysToShiftState(static_cast<WORD>(Message.Keys())), Message.XPos(), Message.YPos());
}

void TControl::WMLButtonDown(TWMMouse& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TWMMouse& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (controlStyle_.Contains(csClickEvents)) DblClick();
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TWMMouse& Message) {
  DefaultHandler(Message);
  if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (controlState_.Contains(csClicked)) {
    controlState_.Exclude(csClicked);
    RECT c = ClientRect();
    if (PtInRect(&c, Message.Pos())) Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, {});
}
void TControl::WMRButtonDblClk(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, {ssDouble});
}
void TControl::WMRButtonUp(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbRight);
}
void TControl::WMMButtonDown(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, {});
}
void TControl::WMMButtonUp(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TWMMouse& Message) {
  DefaultHandler(Message);
  if (!controlStyle_.Contains(csNoStdEvents))
    MouseMove(KeysToShiftState(static_cast<WORD>(Message.Keys())), Message.XPos(), Message.YPos());
}

void TControl::WMContextMenu(TWMMouse& Message) {
  if (Message.Result != 0 || ComponentState().Contains(csDesigning)) return;
  POINT pt = Message.Pos();
  const bool fromKeyboard = pt.x == -1 && pt.y == -1;
  POINT local = fromKeyboard ? POINT{-1, -1} : ScreenToClient(pt);
  bool handled = false;
  DoContextPopup(local, handled);
  Message.Result = handled ? 1 : 0;
  if (handled) return;
  if (TComponent* menu = GetPopupMenu(); menu && PopupProc()) {
    SendCancelMode(nullptr);
    if (fromKeyboard) pt = ClientToScreen(POINT{0, 0});
    if (PopupProc()(menu, this, pt)) Message.Result = 1;
  }
  if (Message.Result == 0) DefaultHandler(Message);
}

void TControl::DoContextPopup(POINT MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::CMMouseWheel(TWMMouseWheel& Message) {
  // Result 0 lets the windowed control pass WM_MOUSEWHEEL on to its default handling.
  Message.Result =
      DoMouseWheel(KeysToShiftState(Message.Keys()), Message.WheelDelta(), Message.Pos()) ? 1 : 0;
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) {
    if (WheelDelta < 0)
      handled = DoMouseWheelDown(Shift, MousePos);
    else if (WheelDelta > 0)
      handled = DoMouseWheelUp(Shift, MousePos);
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::Click() {
  // A handler of the control's own comes first; otherwise the action runs.
  if (OnClick)
    OnClick(this);
  else if (actionLink_ && !ComponentState().Contains(csDesigning))
    actionLink_->Execute(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

// --- Mouse capture for graphic controls ---

namespace {
TControl* g_captureControl = nullptr;
}

TControl* forms_internal::CaptureControl() { return g_captureControl; }

void forms_internal::SetCaptureControl(TControl* Control) {
  ReleaseCapture();
  g_captureControl = nullptr;
  if (!Control) return;
  TWinControl* w = dynamic_cast<TWinControl*>(Control);
  if (!w) {
    if (!Control->Parent()) return;
    g_captureControl = Control;
    w = Control->Parent();
  }
  ::SetCapture(w->Handle());
}

TControl* forms_internal::GetCaptureControl() {
  TControl* result = FindControl(GetCapture());
  if (result && g_captureControl && g_captureControl->Parent() == result) result = g_captureControl;
  return result;
}
