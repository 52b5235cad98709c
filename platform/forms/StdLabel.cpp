// TCustomLabel (drawn on its parent) and TCustomStaticText (a "STATIC" window), and accelerators.
#include "platform/classes/Published.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomLabel)
TRENVIK_IMPLEMENT_CLASS(TCustomStaticText)

TRENVIK_PUBLISHED(TLabel) {
  P.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
  P.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
  P.Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
  P.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  P.Property("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
  P.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  P.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
  P.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
}

TRENVIK_PUBLISHED(TStaticText) {
  P.Property("Alignment", &TStaticText::Alignment, &TStaticText::SetAlignment).Default(taLeftJustify);
  P.Property("AutoSize", &TStaticText::AutoSize, &TStaticText::SetAutoSize).Default(true);
  P.Property("BorderStyle", &TStaticText::BorderStyle, &TStaticText::SetBorderStyle).Default(sbsNone);
  P.Property("Caption", &TStaticText::Caption, &TStaticText::SetCaption);
  P.Property("FocusControl", &TStaticText::FocusControl, &TStaticText::SetFocusControl);
  P.Property("ShowAccelChar", &TStaticText::ShowAccelChar, &TStaticText::SetShowAccelChar).Default(true);
}

Char GetHotkey(const String& Text) {
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != u'&') continue;
    if (Text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return Text[i + 1];
  }
  return 0;
}

bool IsAccel(WORD CharCode, const String& Text) {
  Char hot = GetHotkey(Text);
  return hot && AnsiUpperChar(hot) == AnsiUpperChar(static_cast<Char>(CharCode));
}

namespace {

// Measures and draws text with a font outside any window (for sizing before a window exists).
class TMeasuringDC {
 public:
  explicit TMeasuringDC(TFont* font) : dc_(CreateCompatibleDC(nullptr)) { SelectObject(dc_, font->Handle()); }
  ~TMeasuringDC() { DeleteDC(dc_); }
  TMeasuringDC(const TMeasuringDC&) = delete;
  TMeasuringDC& operator=(const TMeasuringDC&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
};

UINT AlignmentFlags(TAlignment a) {
  return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT;
}

}  // namespace

// --- TCustomLabel ---

TRENVIK_MESSAGE_MAP(TCustomLabel) {
  M.On(CM_TEXTCHANGED, &TCustomLabel::CMTextChanged);
  M.On(CM_FONTCHANGED, &TCustomLabel::CMFontChanged);
  M.On(CM_DIALOGCHAR, &TCustomLabel::CMDialogChar);
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
  SetBounds(Left(), Top(), 65, 17);
}

String TCustomLabel::GetLabelText() { return Caption(); }

void TCustomLabel::DoDrawText(RECT& Rect, UINT Flags) {
  String text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == u"&"))) text += u' ';
  if (!showAccelChar_) Flags |= DT_NOPREFIX;
  if (Flags & DT_CALCRECT) {
    TMeasuringDC m(Font());
    DrawText(m.dc(), text, &Rect, Flags);
    return;
  }
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  HDC dc = c->Handle();
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    RECT r = Rect;
    OffsetRect(&r, 1, 1);
    SetTextColor(dc, ColorToColorRef(clBtnHighlight));
    DrawText(dc, text, &r, Flags);
    SetTextColor(dc, ColorToColorRef(clBtnShadow));
    DrawText(dc, text, &Rect, Flags);
  } else {
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
    DrawText(dc, text, &Rect, Flags);
  }
}

void TCustomLabel::Paint() {
  RECT r = ClientRect();
  if (!Transparent()) {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(r);
  }
  UINT flags = DT_EXPANDTABS | AlignmentFlags(alignment_) | (wordWrap_ ? DT_WORDBREAK : 0);
  if (layout_ != tlTop) {
    RECT calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    int free = static_cast<int>(r.bottom - r.top) - h;
    r.top += layout_ == tlBottom ? free : free / 2;
    r.bottom = r.top + h;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !autoSize_) return;
  RECT r = ClientRect();
  DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  int x = Left();
  if (alignment_ == taRightJustify) x += Width() - r.right;
  SetBounds(x, Top(), r.right, r.bottom);
}

void TCustomLabel::Loaded() {
  inherited::Loaded();
  AdjustBounds();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TWMKey& Message) {
  if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(Message.CharCode(), Caption()) &&
      focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    Message.Result = 1;
  }
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (layout_ == Value) return;
  layout_ = Value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (showAccelChar_ == Value) return;
  showAccelChar_ = Value;
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Transparent() == Value) return;
  if (Value)
    SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
  else
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}

// --- TCustomStaticText ---

TRENVIK_MESSAGE_MAP(TCustomStaticText) {
  M.On(CM_TEXTCHANGED, &TCustomStaticText::CMTextChanged);
  M.On(CM_FONTCHANGED, &TCustomStaticText::CMFontChanged);
  M.On(CM_DIALOGCHAR, &TCustomStaticText::CMDialogChar);
}

TCustomStaticText::TCustomStaticText(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csReplicatable, csDoubleClicks});
  SetBounds(Left(), Top(), 65, 17);
}

void TCustomStaticText::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, kStaticClassName);
  Params.Style |= SS_NOTIFY;
  Params.Style |= alignment_ == taRightJustify ? SS_RIGHT : alignment_ == taCenter ? SS_CENTER : SS_LEFT;
  if (!showAccelChar_) Params.Style |= SS_NOPREFIX;
  if (borderStyle_ == sbsSingle) Params.Style |= WS_BORDER;
  if (borderStyle_ == sbsSunken) Params.Style |= SS_SUNKEN;
}

void TCustomStaticText::AdjustBounds() {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !autoSize_) return;
  TMeasuringDC m(Font());
  RECT r{0, 0, 0, 0};
  String text = Caption();
  if (text.empty()) text = u" ";
  DrawText(m.dc(), text, &r, DT_EXPANDTABS | DT_CALCRECT | (showAccelChar_ ? 0 : DT_NOPREFIX));
  int extra = borderStyle_ == sbsNone ? 0 : 4;
  SetBounds(Left(), Top(), r.right + extra, r.bottom + extra);
}

void TCustomStaticText::Loaded() {
  inherited::Loaded();
  AdjustBounds();
}

void TCustomStaticText::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomStaticText::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  AdjustBounds();
  Invalidate();
}

void TCustomStaticText::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  AdjustBounds();
}

void TCustomStaticText::CMDialogChar(TWMKey& Message) {
  if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(Message.CharCode(), Caption()) &&
      focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    Message.Result = 1;
  }
}

void TCustomStaticText::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  RecreateWnd();
}

void TCustomStaticText::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  AdjustBounds();
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
  AdjustBounds();
}

void TCustomStaticText::SetFocusControl(TWinControl* Value) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomStaticText::SetShowAccelChar(bool Value) {
  if (showAccelChar_ == Value) return;
  showAccelChar_ = Value;
  RecreateWnd();
  AdjustBounds();
}
