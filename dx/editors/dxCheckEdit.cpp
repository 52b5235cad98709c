#include "dx/editors/dxCheckEdit.h"

#include <algorithm>

#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxEditorRoutines.h"
#include "platform/classes/Published.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

TdxCheckEditStyleController* g_checkController = nullptr;

// DrawFrameControl state of the system picture for a box.
UINT SystemCheckState(const TdxCheckEditViewData& v, TdxCheckBoxState State) {
  UINT state;
  if (!v.Enabled) {
    state = DFCS_BUTTON3STATE | DFCS_PUSHED | (State == cbsUnchecked ? DFCS_INACTIVE : DFCS_CHECKED);
  } else if (State == cbsGrayed) {
    state = DFCS_BUTTON3STATE;
    if (v.NullLook == nsInactive) state |= DFCS_INACTIVE;
    if (v.NullLook == nsGrayedChecked) state |= DFCS_CHECKED;
  } else {
    state = DFCS_BUTTONCHECK | (State == cbsChecked ? DFCS_CHECKED : 0);
  }
  if (v.BoxPushed) state |= DFCS_PUSHED;
  if (v.ButtonStyle != bts3D) state |= DFCS_FLAT;
  return state;
}

void DrawSystemBox(HDC DC, RECT Box, const TdxCheckEditViewData& v, TdxCheckBoxState State) {
  const UINT state = SystemCheckState(v, State);
  if (v.ButtonStyle != btsFlat && v.ButtonStyle != btsSimple) {
    DrawFrameControl(DC, &Box, DFC_BUTTON, state);
    return;
  }
  // Flat and simple looks replace the picture's own frame.
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, Box.left + 1, Box.top + 1, Box.right - 1, Box.bottom - 1);
  DrawFrameControl(DC, &Box, DFC_BUTTON, state);
  RestoreDC(DC, saved);
  if (v.ButtonStyle == btsFlat) {
    DrawEdge(DC, &Box, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    DrawEdge(DC, &Box, BDR_SUNKENINNER, BF_RECT | BF_FLAT);
  } else {
    FrameRect(DC, &Box, GetSysColorBrush(COLOR_BTNSHADOW));
  }
}

void DrawGlyphBox(HDC DC, const RECT& Box, const TdxCheckEditViewData& v, TdxCheckBoxState State) {
  int index = static_cast<int>(State) + (v.BoxPushed ? 3 : 0);
  if (index >= v.CheckGlyphCount && index > 2) index %= 3;
  const int w = Box.right - Box.left, h = Box.bottom - Box.top;
  FillRect(DC, &Box, v.Brush);
  TransparentBlt(DC, Box.left, Box.top, w, h, v.CheckGlyph->Canvas()->Handle(), index * w, 0, w, h,
                 ColorToColorRef(v.CheckGlyph->TransparentColor()));
}

Word CaptionFlags(const TdxCheckEditViewData& v) {
  Word flags = dxCellPrefix;
  if (v.Alignment == taRightJustify) flags |= dxCellRight;
  flags |= v.VertAlignment == dxVertMultiLine ? dxCellMultiLine : dxCellVCenter;
  if (v.Transparent) flags |= dxCellNoFill;
  return flags;
}

}  // namespace

// --- Styles ---

TRENVIK_IMPLEMENT_CLASS(TdxCheckEditStyleController)

TdxCheckEditStyleController::TdxCheckEditStyleController(TComponent* AOwner) : TdxEditStyleController(AOwner) {
  BeginUpdate();
  SetBorderStyle(xbsNone);
  SetButtonStyle(bts3D);
  EndUpdate();
}

TRENVIK_IMPLEMENT_CLASS(TdxCheckEditStyle)

TdxEditStyleController* TdxCheckEditStyle::GetDefaultStyleController() const { return g_checkController; }

TdxCheckEditStyleController* DefaultCheckEditStyleController() { return g_checkController; }
void InitDefaultCheckEditStyleController() { g_checkController = new TdxCheckEditStyleController(nullptr); }
void FinalizeDefaultCheckEditStyleController() {
  delete g_checkController;
  g_checkController = nullptr;
}

TRENVIK_IMPLEMENT_CLASS(TdxCheckEditViewData)

// --- Class operations ---

bool TdxCheckEditMetaClass::DrawContent(HDC DC, const RECT& Rect, bool, TdxEditViewData* ViewData) const {
  auto* v = static_cast<TdxCheckEditViewData*>(ViewData);
  int boxW = 0, boxH = 0;
  TdxInplaceCheckEdit::GetGlyphSize(v->CheckGlyph, v->CheckGlyphCount, boxW, boxH);
  if (v->MeasureOnly) {
    v->MeasuredHeight = boxH;
    return true;
  }
  const auto state = static_cast<TdxCheckBoxState>(VarIsEmpty(v->Data) || VarIsNull(v->Data) ? 0 : v->Data.AsInteger());
  RECT textRect = Rect;
  const RECT box = TdxInplaceCheckEdit::CalcCheckRect(boxW, boxH, textRect, v->Alignment);
  if (v->Alignment != taCenter) {
    Word flags = CaptionFlags(*v);
    if (v->Focused) flags |= dxCellFocusRect | (v->FocusAroundText ? dxCellFocusAroundText : 0);
    const String& caption = v->CaptionText;
    const int count = static_cast<int>(caption.size());
    if (v->Enabled) {
      DrawCellText(DC, caption.c_str(), count, nullptr, v->TextColor, v->BkColor, v->Font, v->Brush, flags,
                   textRect, Rect);
    } else {
      RECT shifted = textRect;
      OffsetRect(&shifted, 1, 1);
      DrawCellText(DC, caption.c_str(), count, nullptr, clBtnHighlight, v->BkColor, v->Font, v->Brush,
                   flags & ~dxCellFocusRect, shifted, Rect);
      DrawCellText(DC, caption.c_str(), count, nullptr, clBtnShadow, v->BkColor, v->Font, v->Brush,
                   flags | dxCellNoFill, textRect, Rect);
    }
  } else if (!v->Transparent) {
    FillRect(DC, &Rect, v->Brush);
  }
  if (v->CheckGlyph && !v->CheckGlyph->Empty() && v->CheckGlyphCount >= 1)
    DrawGlyphBox(DC, box, *v, state);
  else
    DrawSystemBox(DC, box, *v, state);
  return true;
}

int TdxCheckEditMetaClass::GetMinHeight(TdxEditViewData* ViewData) const {
  auto* v = static_cast<TdxCheckEditViewData*>(ViewData);
  int height = TdxInplaceEditMetaClass::GetMinHeight(ViewData);
  int boxW = 0, boxH = 0;
  TdxInplaceCheckEdit::GetGlyphSize(v->CheckGlyph, v->CheckGlyphCount, boxW, boxH);
  height = std::max({height, dxDefaultCheckSize().cy, boxH});
  if (v->Alignment != taCenter) {
    HDC dc = GetDC(nullptr);
    RECT r{0, 0, std::max<int>(v->Bounds.right - v->Bounds.left - boxW - 7, 1), 0};
    int measured = DrawCellText(dc, v->CaptionText.c_str(), static_cast<int>(v->CaptionText.size()), nullptr,
                                v->TextColor, v->BkColor, v->Font, v->Brush, CaptionFlags(*v) | dxCellMeasureOnly,
                                r, r);
    ReleaseDC(nullptr, dc);
    height = std::max(height, measured + 4);
  }
  return height;
}

std::unique_ptr<TdxEditViewData> TdxCheckEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxCheckEditViewData>();
}

std::unique_ptr<TdxEditStyle> TdxCheckEditMetaClass::CreateStandAloneStyle(TdxInplaceEdit* Editor) const {
  auto style = std::make_unique<TdxCheckEditStyle>(Editor);
  style->LinkDefaultController();
  return style;
}

// --- TdxInplaceCheckEdit ---

TRENVIK_PUBLISHED(TdxInplaceCheckEdit) {
  P.Property("AllowGrayed", &TdxInplaceCheckEdit::AllowGrayed, &TdxInplaceCheckEdit::SetAllowGrayed)
      .Default(false);
  P.Property("FullFocusRect", &TdxInplaceCheckEdit::FullFocusRect, &TdxInplaceCheckEdit::SetFullFocusRect)
      .Default(false);
  P.Property("Glyph", &TdxInplaceCheckEdit::Glyph, &TdxInplaceCheckEdit::SetGlyph)
      .Stored(&TdxInplaceCheckEdit::HasGlyph);
  P.Property("GlyphCount", &TdxInplaceCheckEdit::GlyphCount, &TdxInplaceCheckEdit::SetGlyphCount).Default(6);
  P.Property("MultiLine", &TdxInplaceCheckEdit::MultiLine, &TdxInplaceCheckEdit::SetMultiLine).Default(false);
  P.Property("NullStyle", &TdxInplaceCheckEdit::NullStyle, &TdxInplaceCheckEdit::SetNullStyle)
      .Default(nsGrayedChecked);
  P.Property("State", &TdxInplaceCheckEdit::State, &TdxInplaceCheckEdit::SetState).Default(cbsUnchecked);
}

TRENVIK_MESSAGE_MAP(TdxInplaceCheckEdit) {
  M.On(WM_GETDLGCODE, &TdxInplaceCheckEdit::WMGetDlgCode);
  M.On(WM_CANCELMODE, &TdxInplaceCheckEdit::WMCancelMode);
  M.On(CM_CANCELMODE, &TdxInplaceCheckEdit::WMCancelMode);
  M.On(CM_DIALOGCHAR, &TdxInplaceCheckEdit::CMDialogChar);
  M.On(CM_TEXTCHANGED, &TdxInplaceCheckEdit::CMTextChanged);
}

TdxInplaceEditClass TdxInplaceCheckEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceCheckEdit, TdxCheckEditMetaClass> c("TdxInplaceCheckEdit");
  return &c;
}

TdxInplaceCheckEdit::TdxInplaceCheckEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceEdit(AOwner, Class) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
}

TdxInplaceCheckEdit::~TdxInplaceCheckEdit() = default;

TClass TdxInplaceCheckEdit::GetEditStyleClass() const { return TdxCheckEditStyle::StaticClass(); }

bool TdxInplaceCheckEdit::GetGlyphSize(TBitmap* Glyph, int Count, int& Width, int& Height) {
  if (Glyph && !Glyph->Empty() && Count >= 1) {
    Width = Glyph->Width() / Count;
    Height = Glyph->Height();
    return true;
  }
  Width = dxDefaultCheckSize().cx;
  Height = dxDefaultCheckSize().cy;
  return false;
}

RECT TdxInplaceCheckEdit::CalcCheckRect(int BoxWidth, int BoxHeight, RECT& TextRect, TAlignment Alignment) {
  RECT box;
  if (Alignment == taCenter) {
    box.left = (TextRect.left + TextRect.right - BoxWidth) / 2;
    box.top = (TextRect.top + TextRect.bottom - BoxHeight) / 2;
  } else {
    InflateRect(&TextRect, -2, -2);
    box.top = (TextRect.top + TextRect.bottom - BoxHeight) / 2;
    if (Alignment == taLeftJustify) {
      box.left = TextRect.left;
      TextRect.left += BoxWidth + 3;
    } else {
      box.left = TextRect.right - BoxWidth;
      TextRect.right -= BoxWidth + 3;
    }
  }
  box.right = box.left + BoxWidth;
  box.bottom = box.top + BoxHeight;
  return box;
}

void TdxInplaceCheckEdit::SetState(TdxCheckBoxState Value) {
  if (state_ == Value) return;
  state_ = Value;
  Invalidate();
  if (!IsLoading()) Click();
}

void TdxInplaceCheckEdit::Click() {
  inherited::Click();
  if (!internalChange_) Change();
}

void TdxInplaceCheckEdit::ToggleState() {
  if (!CanModify()) return;
  switch (state_) {
    case cbsUnchecked: SetState(allowGrayed_ ? cbsGrayed : cbsChecked); break;
    case cbsChecked: SetState(cbsUnchecked); break;
    case cbsGrayed: SetState(cbsChecked); break;
  }
  SetModified(true);
}

void TdxInplaceCheckEdit::SetEditValue(const Variant& Value) {
  const bool modified = GetModified();
  internalChange_ = true;
  struct TInternal {
    bool& flag;
    ~TInternal() { flag = false; }
  } internal{internalChange_};
  SetState(static_cast<TdxCheckBoxState>(std::clamp(VarIsNull(Value) || VarIsEmpty(Value) ? 0 : Value.AsInteger(), 0, 2)));
  SetModified(modified);
}

void TdxInplaceCheckEdit::GetEditValue(Variant& Value, bool) { Value = Variant(static_cast<int>(state_)); }

void TdxInplaceCheckEdit::GetEditingValue(Variant& Value) { Value = Variant(static_cast<int>(state_)); }

std::unique_ptr<TdxEditViewData> TdxInplaceCheckEdit::CreateViewData(bool FromDefinition) {
  auto data = inherited::CreateViewData(FromDefinition);
  auto* v = static_cast<TdxCheckEditViewData*>(data.get());
  v->CaptionText = Caption();
  v->FocusAroundText = !fullFocusRect_;
  v->CheckGlyph = glyph_.get();
  v->CheckGlyphCount = glyphCount_;
  v->NullLook = nullStyle_;
  v->BoxPushed = pushed_;
  v->VertAlignment = multiLine_ ? dxVertMultiLine : dxVertCenter;
  return data;
}

TBitmap* TdxInplaceCheckEdit::Glyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

void TdxInplaceCheckEdit::SetGlyph(TBitmap* Value) {
  if (Value)
    Glyph()->Assign(Value);
  else
    glyph_.reset();
  StyleChanged();
}

void TdxInplaceCheckEdit::SetGlyphCount(int Value) {
  if (glyphCount_ == Value) return;
  glyphCount_ = Value;
  if (glyph_) StyleChanged();
}

void TdxInplaceCheckEdit::SetNullStyle(TdxShowNullFieldStyle Value) {
  if (nullStyle_ == Value) return;
  nullStyle_ = Value;
  Invalidate();
}

void TdxInplaceCheckEdit::SetMultiLine(bool Value) {
  if (multiLine_ == Value) return;
  multiLine_ = Value;
  if (AutoSize())
    StyleChanged();
  else
    Invalidate();
}

void TdxInplaceCheckEdit::SetFullFocusRect(bool Value) {
  if (fullFocusRect_ == Value) return;
  fullFocusRect_ = Value;
  Invalidate();
}

void TdxInplaceCheckEdit::SetPushed(bool Value) {
  if (pushed_ == Value) return;
  pushed_ = Value;
  Invalidate();
}

// --- Keyboard and mouse ---

void TdxInplaceCheckEdit::EditKeyDown(WORD& Key, TShiftState Shift) {
  inherited::EditKeyDown(Key, Shift);
  switch (Key) {
    case VK_SPACE: SetPushed(true); break;
    case VK_LEFT:
    case VK_RIGHT:
      if (IsInplace()) {
        MoveToAdjacentColumn(Key == VK_LEFT);
        Key = 0;
      }
      break;
    default: break;
  }
}

void TdxInplaceCheckEdit::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_SPACE && pushed_) {
    SetPushed(false);
    if (IsEditable()) ToggleState();
  }
  inherited::KeyUp(Key, Shift);
}

void TdxInplaceCheckEdit::KeyPress(Char& Key) {
  // A space typed without its key going down here (sent by a host) still toggles.
  if (Key == u' ' && IsInplace() && !pushed_) {
    if (IsEditable()) ToggleState();
    Key = 0;
    return;
  }
  inherited::KeyPress(Key);
}

void TdxInplaceCheckEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  SetMouseCapture(true);
  tracking_ = true;
  SetPushed(true);
}

void TdxInplaceCheckEdit::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!tracking_) return;
  RECT client = ClientRect();
  POINT p{X, Y};
  SetPushed(PtInRect(&client, p) != FALSE);
}

void TdxInplaceCheckEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool wasPushed = tracking_ && pushed_;
  if (tracking_) EndTracking();
  if (Button == mbLeft && wasPushed && IsEditable()) ToggleState();
  inherited::MouseUp(Button, Shift, X, Y);
}

void TdxInplaceCheckEdit::EndTracking() {
  tracking_ = false;
  SetMouseCapture(false);
  SetPushed(false);
}

void TdxInplaceCheckEdit::WMCancelMode(TMessage& Message) {
  if (tracking_) EndTracking();
  inherited::Dispatch(Message);
}

void TdxInplaceCheckEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsInplace())
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTALLKEYS;
  else
    Message.Result &= ~(DLGC_WANTCHARS | DLGC_WANTALLKEYS);
}

void TdxInplaceCheckEdit::CMDialogChar(TWMKey& Message) {
  if (!IsAccel(Message.CharCode(), Caption()) || !CanFocus()) {
    inherited::Dispatch(Message);
    return;
  }
  if (Focused()) {
    if (IsEditable()) ToggleState();
  } else {
    SetFocus();
  }
  Message.Result = 1;
}

void TdxInplaceCheckEdit::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  StyleChanged();
}

// --- Stand-alone classes ---

TRENVIK_IMPLEMENT_CLASS(TCustomdxCheckEdit)

TdxInplaceEditClass TCustomdxCheckEdit::StaticEditClass() {
  static const TdxEditClassOf<TCustomdxCheckEdit, TdxStandAloneCheckEditMetaClass> c("TCustomdxCheckEdit");
  return &c;
}

TRENVIK_PUBLISHED(TdxCheckEdit) {
  P.Property("Alignment", &TdxCheckEdit::Alignment, &TdxCheckEdit::SetAlignment).Default(taLeftJustify);
  P.Property("Caption", &TdxCheckEdit::Caption, &TdxCheckEdit::SetCaption);
  P.Property("Enabled", &TdxCheckEdit::Enabled, &TdxCheckEdit::SetEnabled).Default(true);
  P.Property("TabOrder", &TdxCheckEdit::TabOrder, &TdxCheckEdit::SetTabOrder);
  P.Property("TabStop", &TdxCheckEdit::TabStop, &TdxCheckEdit::SetTabStop).Default(true);
  P.Event("OnClick", &TdxCheckEdit::OnClick);
  P.Event("OnEnter", &TdxCheckEdit::OnEnter);
  P.Event("OnExit", &TdxCheckEdit::OnExit);
}

TdxInplaceEditClass TdxCheckEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxCheckEdit, TdxStandAloneCheckEditMetaClass> c("TdxCheckEdit");
  return &c;
}
