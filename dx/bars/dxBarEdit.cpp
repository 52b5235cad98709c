#include "dx/bars/dxBarEdit.h"

#include <algorithm>

#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarEditControl.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/classes/Published.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/native/EditControls.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Text.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TdxBarWindowItem) { P.Property("Text", &TdxBarWindowItem::Text, &TdxBarWindowItem::SetText); }

TRENVIK_PUBLISHED(TdxBarEdit) {
  P.Property("ImageIndex", &TdxBarEdit::ImageIndex, &TdxBarEdit::SetImageIndex).Default(-1);
  P.Property("MaxLength", &TdxBarEdit::MaxLength, &TdxBarEdit::SetMaxLength).Default(0);
  P.Property("ReadOnly", &TdxBarEdit::ReadOnly, &TdxBarEdit::SetReadOnly).Default(false);
  P.Property("ShowCaption", &TdxBarEdit::ShowCaption, &TdxBarEdit::SetShowCaption).Default(false);
  P.Property("Width", &TdxBarEdit::Width, &TdxBarEdit::SetWidth).Default(100);
}

TdxBarWindowItem::TdxBarWindowItem(TComponent* AOwner) : TdxBarItem(AOwner) {}

void TdxBarWindowItem::RefreshControls() {
  for (int i = 0; i < LinkCount(); ++i)
    if (TdxBarItemControl* control = Links(i)->Control()) control->Repaint();
}

void TdxBarWindowItem::SetText(const String& Value) {
  if (Value == text_) return;
  text_ = Value;
  RefreshControls();
  Change();
  RefreshControls();
}

TdxBarWinControl* TdxBarWindowItem::FocusedControl() const {
  for (int i = 0; i < LinkCount(); ++i) {
    auto* control = dynamic_cast<TdxBarWinControl*>(Links(i)->Control());
    if (control && control->Focused()) return control;
  }
  return nullptr;
}

String TdxBarWindowItem::CurText() const {
  TdxBarWinControl* focused = FocusedControl();
  return focused ? focused->GetText() : text_;
}

void TdxBarWindowItem::SetFocus(bool VisibleOnly) {
  for (int i = 0; i < LinkCount(); ++i) {
    auto* control = dynamic_cast<TdxBarWinControl*>(Links(i)->Control());
    if (!control || !control->Parent()) continue;
    TCustomdxBarControl* window = control->Parent();
    if (VisibleOnly && !(window->HandleAllocated() && IsWindowVisible(window->Handle()))) continue;
    if (auto* toolbar = dynamic_cast<TdxBarControl*>(window)) toolbar->EnterMenuMode(control);
    control->ControlClick(false);
    return;
  }
}

void TdxBarWindowItem::Change() {
  if (!IsLoading() && OnChange) OnChange(this);
}

void TdxBarWindowItem::CurChange() {
  if (OnCurChange) OnCurChange(this);
}

void TdxBarWindowItem::Enter() {
  if (OnEnter) OnEnter(this);
}

void TdxBarWindowItem::Exit() {
  if (OnExit) OnExit(this);
}

void TdxBarWindowItem::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TdxBarWindowItem::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TdxBarWindowItem::KeyPress(Char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

TdxBarEdit::TdxBarEdit(TComponent* AOwner) : TdxBarWindowItem(AOwner) {}

void TdxBarEdit::SetMaxLength(int Value) {
  maxLength_ = std::max(Value, 0);
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* control = dynamic_cast<TdxBarWinControl*>(Links(i)->Control()))
      SendMessage(control->EditHandle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TdxBarEdit::SetShowCaption(bool Value) {
  if (showCaption_ == Value) return;
  showCaption_ = Value;
  SizeChanged();
}

void TdxBarEdit::SetWidth(int Value) {
  Value = std::max(Value, 20);
  if (width_ == Value) return;
  width_ = Value;
  WidthChanged();
}

void TdxBarEdit::WidthChanged() {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemLink* link = Links(i);
    auto* control = dynamic_cast<TdxBarEditControl*>(link->Control());
    if (control && !link->UserDefine().Contains(udWidth) && control->Parent()) control->Parent()->Rebuild();
  }
}

bool TdxBarEdit::HasAccelerator(TdxBarItemLink* Link) const {
  bool inToolbar = Link && Link->Owner() && dynamic_cast<TdxBarControl*>(Link->Owner()->BarControl());
  return Enabled() && (showCaption_ || !inToolbar);
}

void TdxBarEdit::DrawInterior(TCanvas* Canvas, RECT R, TdxBarItemLink* Link) {
  HDC dc = Canvas->Handle();
  FillRect(dc, &R, Canvas->Brush()->Handle());
  R.left += 2;
  R.right -= 2;
  auto* control = Link ? dynamic_cast<TdxBarWinControl*>(Link->Control()) : nullptr;
  bool flat = control && control->IsFlat();
  if (flat) R.top += 2;
  String text = control && control->Focused() ? control->GetText() : Text();
  SetBkMode(dc, TRANSPARENT);
  ::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &R, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}
