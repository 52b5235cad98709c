#include "cx/foundation/cxButtons.h"
#include "platform/rtl/ScopeExit.h"

#include "platform/forms/Forms.h"
#include "platform/forms/ScreenCanvas.h"
#include "platform/forms/native/ButtonControls.h"
#include "platform/forms/native/Notify.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TcxButtonColors) {
  P.Property("Default", &TcxButtonColors::Default, &TcxButtonColors::SetDefault)
      .Stored(&TcxButtonColors::IsDefaultStored);
  P.Property("Normal", &TcxButtonColors::Normal, &TcxButtonColors::SetNormal)
      .Stored(&TcxButtonColors::IsNormalStored);
  P.Property("Hot", &TcxButtonColors::Hot, &TcxButtonColors::SetHot)
      .Stored(&TcxButtonColors::IsHotStored);
  P.Property("Pressed", &TcxButtonColors::Pressed, &TcxButtonColors::SetPressed)
      .Stored(&TcxButtonColors::IsPressedStored);
  P.Property("Disabled", &TcxButtonColors::Disabled, &TcxButtonColors::SetDisabled)
      .Stored(&TcxButtonColors::IsDisabledStored);
}

TRENVIK_IMPLEMENT_CLASS(TcxCustomButton)

TRENVIK_PUBLISHED(TcxButton) {
  P.Property("Colors", &TcxButton::Colors, &TcxButton::SetColors);
  P.Property("Glyph", &TcxButton::Glyph, &TcxButton::SetGlyph);
  P.Property("DropDownMenu", &TcxButton::DropDownMenu, &TcxButton::SetDropDownMenu);
  P.Property("Kind", &TcxButton::Kind, &TcxButton::SetKind).Default(cxbkStandard);
  P.Property("Layout", &TcxButton::Layout, &TcxButton::SetLayout).Default(blGlyphLeft);
  P.Property("LookAndFeel", &TcxButton::LookAndFeel, &TcxButton::SetLookAndFeel);
  P.Property("Margin", &TcxButton::Margin, &TcxButton::SetMargin).Default(-1);
  P.Property("NumGlyphs", &TcxButton::NumGlyphs, &TcxButton::SetNumGlyphs).Default(1);
  P.Property("Spacing", &TcxButton::Spacing, &TcxButton::SetSpacing).Default(4);
  P.Property("UseSystemPaint", &TcxButton::UseSystemPaint, &TcxButton::SetUseSystemPaint).Default(true);
  P.Event("OnGetDrawParams", &TcxButton::OnGetDrawParams);
}

int cxDropDownMenuHeight(TPopupMenu* AMenu) {
  NONCLIENTMETRICS metrics;
  const int border = SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)
                         ? metrics.iBorderWidth
                         : 2;
  int height = 2 * border;
  TDCCanvasScope scope(nullptr, Screen->MenuFont());
  TMenuItem* items = AMenu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TMenuItem* item = items->Items(i);
    int itemHeight = GetSystemMetrics(SM_CYMENU);
    if (AMenu->OwnerDraw() && item->Visible() && item->OnMeasureItem) {
      int width = 0;
      item->OnMeasureItem(item, scope.Canvas(), width, itemHeight);
    }
    height += itemHeight;
  }
  return height;
}

POINT cxDropDownMenuPosition(POINT ABottomLeft, int AButtonHeight, int AMenuHeight, int AScreenHeight) {
  POINT p = ABottomLeft;
  if (p.y + AMenuHeight > AScreenHeight) p.y -= AButtonHeight + AMenuHeight + 2;
  if (p.x < 0) p.x = 0;
  return p;
}

// --- TcxButtonColors ---

void TcxButtonColors::Changed() {
  if (button_) button_->Invalidate();
}

void TcxButtonColors::SetColor(TcxButtonState AState, TColor Value) {
  if (Value == clNone || Value == clDefault) {
    colors_[AState] = clDefault;
    assigned_.Exclude(AState);
    Changed();
  } else if (colors_[AState] != Value) {
    colors_[AState] = Value;
    assigned_.Include(AState);
    Changed();
  }
}

void TcxButtonColors::SetAssignedColors(TcxButtonAssignedColors Value) {
  if (!button_ || !button_->ComponentState().Contains(csDesigning) || assigned_ == Value) return;
  for (int s = cxbsDefault; s <= cxbsDisabled; ++s) {
    const auto state = static_cast<TcxButtonState>(s);
    if (!Value.Contains(state)) colors_[s] = clDefault;
    else if (colors_[s] == clDefault) Value.Exclude(state);
  }
  assigned_ = Value;
  Changed();
}

void TcxButtonColors::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxButtonColors*>(Source);
  if (!source) return TPersistent::Assign(Source);
  for (int s = 0; s < 5; ++s) colors_[s] = source->colors_[s];
  assigned_ = source->assigned_;
  Changed();
}

// --- TcxCustomButton ---

TRENVIK_MESSAGE_MAP(TcxCustomButton) {
  M.On(CN_DRAWITEM, &TcxCustomButton::CNDrawItem);
  M.On(CN_MEASUREITEM, &TcxCustomButton::CNMeasureItem);
  M.On(CM_MOUSEENTER, &TcxCustomButton::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TcxCustomButton::CMMouseLeave);
  M.On(CM_ENABLEDCHANGED, &TcxCustomButton::CMEnabledChanged);
  M.On(CM_FONTCHANGED, &TcxCustomButton::CMFontChanged);
  M.On(WM_MOUSEMOVE, &TcxCustomButton::WMMouseMove);
  M.On(WM_CAPTURECHANGED, &TcxCustomButton::WMCaptureChanged);
  M.On(CM_DROPDOWNPOPUPMENU, &TcxCustomButton::CMDropDownPopupMenu);
  M.On(CM_CLOSEUPPOPUPMENU, &TcxCustomButton::CMCloseupPopupMenu);
}

TcxCustomButton::TcxCustomButton(TComponent* AOwner) : TButton(AOwner) {
  glyph_ = std::make_unique<TcxButtonGlyph>();
  glyph_->OnChange = [this](TObject*) { Invalidate(); };
  colors_ = std::make_unique<TcxButtonColors>(this);
  controlCanvas_ = std::make_unique<TControlCanvas>();
  controlCanvas_->SetControl(this);
  canvas_ = std::make_unique<TcxCanvas>(controlCanvas_.get());
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { RecreateWnd(); };
  themeNotificator_ = std::make_unique<TdxThemeChangedNotificator>();
  themeNotificator_->OnThemeChanged = [this] { RecreateWnd(); };
  SetDoubleBuffered(true);
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReflector});
}

TcxCustomButton::~TcxCustomButton() {
  cxStopMouseTracking(this);
  // The window goes first: losing the capture with it runs WM_CAPTURECHANGED, which asks the look
  // and feel for the painter.
  DestroyHandle();
  themeNotificator_.reset();
  lookAndFeel_.reset();
  colors_.reset();
  glyph_.reset();
  canvas_.reset();
  controlCanvas_.reset();
}

// --- Properties ---

void TcxCustomButton::SetDropDownMenu(TPopupMenu* Value) {
  if (dropDownMenu_ == Value) return;
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = Value;
  if (dropDownMenu_) dropDownMenu_->FreeNotification(this);
}

void TcxCustomButton::Notification(TComponent* AComponent, TOperation Operation) {
  TButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TcxCustomButton::SetGlyph(TBitmap* Value) {
  glyph_->SetGlyph(Value);
  glyphAssigned_ = true;
  if (Value) useSystemPaint_ = false;  // the window is not recreated here
  Invalidate();
}

void TcxCustomButton::SetNumGlyphs(int Value) {
  if (Value > 4) Value = 4;
  if (Value == glyph_->NumGlyphs()) return;
  glyph_->SetNumGlyphs(Value);
  Invalidate();
}

void TcxCustomButton::SetKind(TcxButtonKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  RecreateWnd();
}

void TcxCustomButton::SetUseSystemPaint(bool Value) {
  if (useSystemPaint_ == Value) return;
  useSystemPaint_ = Value;
  RecreateWnd();
}

void TcxCustomButton::SetLayout(TButtonLayout Value) {
  if (layout_ == Value) return;
  layout_ = Value;
  Invalidate();
}

void TcxCustomButton::SetSpacing(int Value) {
  if (spacing_ == Value) return;
  spacing_ = Value;
  Invalidate();
}

void TcxCustomButton::SetMargin(int Value) {
  if (margin_ == Value || Value < -1) return;
  margin_ = Value;
  Invalidate();
}

// --- Painting choices ---

TcxLookAndFeelPainterClass TcxCustomButton::GetPainterClass() {
  if (dxThemesAvailable() &&
      (lookAndFeel_->NativeStyle() || (useSystemPaint_ && lookAndFeel_->Kind() == lfStandard)))
    return TcxWinXPLookAndFeelPainter::Class();
  switch (lookAndFeel_->Kind()) {
    case lfFlat: return TcxFlatLookAndFeelPainter::Class();
    case lfUltraFlat: return TcxUltraFlatLookAndFeelPainter::Class();
    default: return lookAndFeel_->Painter();
  }
}

bool TcxCustomButton::IsSystemPaint() {
  const bool glyphEmpty = !glyph_->Glyph() || glyph_->Glyph()->Empty();
  return kind_ == cxbkStandard && useSystemPaint_ && glyphEmpty &&
         ((lookAndFeel_->NativeStyle() && dxThemesAvailable()) || lookAndFeel_->Kind() == lfStandard);
}

void TcxCustomButton::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  if (!IsSystemPaint()) Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TcxCustomButton::CreateHandle() {
  TButton::CreateHandle();
  glyph_->GetGlyphIndex(Enabled() ? cxbsNormal : cxbsDisabled);
}

void TcxCustomButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case BM_SETSTYLE:
      // The default-button notification: an owner-drawn button only notes it.
      if (!IsSystemPaint()) {
        const bool isDefault = (Message.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault != isDefault_) {
          isDefault_ = isDefault;
          Invalidate();
        }
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (kind_ == cxbkDropDownButton && InArrowPart(static_cast<TWMMouse&>(Message).XPos())) dropDownPending_ = true;
      break;
    case WM_LBUTTONUP:
      dropDownPending_ = false;
      break;
    default:
      break;
  }
  TButton::WndProc(Message);
}

// --- Hot tracking ---

bool TcxCustomButton::HotTrackApplies() {
  return !IsSystemPaint() && GetPainterClass()->IsButtonHotTrack() && Enabled();
}

bool TcxCustomButton::IsCursorOverButton() {
  return HandleAllocated() && WindowFromPoint(cxGetMouseCursorPos()) == Handle();
}

void TcxCustomButton::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  if (ComponentState().Contains(csDesigning) || hot_ || !HotTrackApplies() || GetCapture()) return;
  const POINT tl = ClientToScreen({0, 0});
  cxBeginMouseTracking(nullptr, {tl.x, tl.y, tl.x + Width(), tl.y + Height()}, this);
  hot_ = true;
  Invalidate();
}

void TcxCustomButton::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  if (ComponentState().Contains(csDesigning)) return;
  cxStopMouseTracking(this);
  if (hot_ && HotTrackApplies()) {
    hot_ = false;
    Invalidate();
  }
}

void TcxCustomButton::MouseLeave() {
  if (HandleAllocated()) SendMessage(Handle(), CM_MOUSELEAVE, 0, 0);
}

void TcxCustomButton::WMMouseMove(TMessage& Message) {
  inherited::Dispatch(Message);
  const POINT p = static_cast<TWMMouse&>(Message).Pos();
  const RECT client = ClientRect();
  if (!hot_ && PtInRect(&client, p) && HotTrackApplies() && !GetCapture())
    SendMessage(Handle(), CM_MOUSEENTER, 0, 0);
}

void TcxCustomButton::WMCaptureChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (ComponentState().Contains(csDesigning)) return;
  hot_ = HotTrackApplies() && IsCursorOverButton();
  Invalidate();
}

void TcxCustomButton::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!Enabled()) hot_ = false;
  Invalidate();
}

void TcxCustomButton::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
}

// --- Drawing ---

TcxButtonState TcxCustomButton::GetDrawState() const {
  if (!Enabled()) return cxbsDisabled;
  if (pressed_) return cxbsPressed;
  if (hot_) return cxbsHot;
  if (focusedLook_ || isDefault_) return cxbsDefault;
  return cxbsNormal;
}

void TcxCustomButton::CNDrawItem(TMessage& Message) {
  const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  controlCanvas_->SetHandle(item.hDC);
  TScopeExit done([this] { controlCanvas_->SetHandle(nullptr); });
  pressed_ = dropDownPending_ ? false : (item.itemState & ODS_SELECTED) != 0;
  focusedLook_ = (item.itemState & ODS_FOCUS) != 0 || (ComponentState().Contains(csDesigning) && Default());
  DrawButton(item);
  Message.Result = 1;
}

void TcxCustomButton::CNMeasureItem(TMessage& Message) {
  auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  item.itemWidth = static_cast<UINT>(Width());
  item.itemHeight = static_cast<UINT>(Height());
  Message.Result = 1;
}

void TcxCustomButton::DrawButton(const DRAWITEMSTRUCT&) {
  if (IsSystemPaint()) return;
  const TcxLookAndFeelPainterClass painter = GetPainterClass();
  RECT r = ClientRect();
  RECT arrow{};
  if (kind_ == cxbkDropDown) pressed_ = menuShowing_;
  if (kind_ == cxbkDropDownButton) {
    arrow = {r.right - cxDropDownButtonWidth, r.top, r.right, r.bottom};
    r.right = arrow.left + 2;  // the two parts overlap by two pixels
    if (dropDownPending_) pressed_ = false;
  }
  const TcxButtonState state = GetDrawState();
  canvas_->SetFont(Font());
  TColor color = colors_->Color(state);
  canvas_->Font()->SetColor(painter->GetButtonTextColor(state));
  if (OnGetDrawParams) OnGetDrawParams(this, state, color, canvas_->Font());
  const TColor textColor = canvas_->Font()->Color();
  painter->PaintButton(canvas_.get(), r, String(), state, true, color, textColor);
  const int d = state == cxbsPressed ? painter->GetButtonPressedTextOffsetY() : 0;
  const POINT offset{d, d};
  canvas_->Font()->SetColor(textColor);
  glyph_->PaintContent(canvas_.get(), r, offset, Caption(), layout_, margin_, spacing_, state,
                       DrawTextBiDiModeFlags(0));
  if (kind_ == cxbkDropDownButton) {
    const TcxButtonState arrowState = menuShowing_ ? cxbsPressed : state;
    painter->PaintButton(canvas_.get(), arrow, String(), arrowState, true, color, textColor);
    painter->PaintButtonArrow(canvas_.get(), arrow, state, adDown);
  }
  if (Focused() && !menuShowing_) canvas_->DrawFocusRect(painter->GetButtonContentBounds(canvas_.get(), r));
}

// --- Drop-down kinds ---

void TcxCustomButton::RequestDropDown() {
  dropDownPending_ = true;
  PostMessage(Handle(), CM_DROPDOWNPOPUPMENU, 0, 0);
}

void TcxCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || kind_ == cxbkStandard) return;
  if (menuShowing_) {
    swallowClick_ = true;
    menuShowing_ = false;
    pressed_ = false;
    Invalidate();
    return;
  }
  if (kind_ == cxbkDropDown || InArrowPart(X)) RequestDropDown();
}

void TcxCustomButton::KeyDown(WORD& Key, TShiftState Shift) {
  if (kind_ == cxbkDropDownButton && (Key == VK_UP || Key == VK_DOWN) &&
      (Shift.Contains(ssAlt) || Shift.Contains(ssShift))) {
    if (!menuShowing_) RequestDropDown();
    Key = 0;
    return;
  }
  TButton::KeyDown(Key, Shift);
}

void TcxCustomButton::Click() {
  if (kind_ == cxbkStandard) return TButton::Click();
  if (kind_ == cxbkDropDown && !menuShowing_) {
    if (!swallowClick_) RequestDropDown();
    swallowClick_ = false;
    return;
  }
  if (swallowClick_) {
    swallowClick_ = false;
    return;
  }
  TButton::Click();
}

void TcxCustomButton::CMDropDownPopupMenu(TMessage&) {
  if (kind_ == cxbkStandard || !dropDownMenu_) return;
  menuShowing_ = true;
  Repaint();
  const POINT bottomLeft = ClientToScreen(POINT{0, Height()});
  const POINT at = cxDropDownMenuPosition(bottomLeft, Height(), cxDropDownMenuHeight(dropDownMenu_),
                                          GetSystemMetrics(SM_CYSCREEN));
  dropDownMenu_->Popup(at.x, at.y);
  PostMessage(Handle(), CM_CLOSEUPPOPUPMENU, 0, 0);
}

void TcxCustomButton::CMCloseupPopupMenu(TMessage&) {
  hot_ = HotTrackApplies() && IsCursorOverButton();
  menuShowing_ = false;
  Invalidate();
  dropDownPending_ = false;
}
