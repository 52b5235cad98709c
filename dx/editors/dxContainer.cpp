#include "dx/editors/dxContainer.h"

#include "dx/editors/dxInplaceEdit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxContainer)

TCustomdxContainer::TCustomdxContainer(TComponent* AOwner) : TCustomControl(AOwner) {}

std::unique_ptr<TdxEditStyle> TCustomdxContainer::CreateEditStyle(TdxInplaceEdit* Editor) {
  auto style = std::make_unique<TdxEditStyle>(Editor);
  style->LinkDefaultController();
  return style;
}

void TCustomdxContainer::MouseWheelScroll(bool Up, int Lines) {
  for (int i = 0; i < Lines; ++i) Perform(WM_VSCROLL, Up ? SB_LINEUP : SB_LINEDOWN, 0);
}

void TCustomdxContainer::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomdxContainer::CreateWnd() {
  inherited::CreateWnd();
  // Only right-to-left locales keep the regular bars; the layer's locales all read left to right.
  InitializeFlatSB(WindowHandle());
  FlatSB_SetScrollProp(WindowHandle(), WSB_PROP_HSTYLE, scrollBarStyle_, TRUE);
  FlatSB_SetScrollProp(WindowHandle(), WSB_PROP_VSTYLE, scrollBarStyle_, TRUE);
}

BOOL TCustomdxContainer::GetScrollInfo(int Bar, SCROLLINFO& Info) {
  return FlatSB_GetScrollInfo(Handle(), Bar, &Info);
}

int TCustomdxContainer::SetScrollInfo(int Bar, const SCROLLINFO& Info, bool Redraw) {
  return FlatSB_SetScrollInfo(Handle(), Bar, &Info, Redraw);
}

void TCustomdxContainer::SetScrollBarStyle(Byte Value) {
  if (scrollBarStyle_ == Value) return;
  scrollBarStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

bool TCustomdxContainer::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  inherited::DoMouseWheel(Shift, WheelDelta, MousePos);
  MouseWheelScroll(WheelDelta > 0, Mouse->WheelScrollLines());
  return true;
}
