// Sizing an edit to its value and placing its inner control on the client area.
#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditViewInfo.h"
#include "cx/editors/cxEditScopes.h"

void TcxCustomEdit::SetAutoSize(bool Value) {
  if (autoSize_ == Value || isInplace_) return;
  autoSize_ = Value;
  if (!Value) return;
  AdjustInnerControl();
  UpdateViewInfoAtCursor(false);
}

void TcxCustomEdit::GetEditSizeProperties(TcxEditSizeProperties& ASizeProperties) {
  ASizeProperties.MaxLineCount = 1;
  ASizeProperties.Width = Width();
}

SIZE TcxCustomEdit::MeasureEditSize() {
  auto data = CreateViewData();
  InitializeViewData(data.get());
  TcxEditSizeProperties sizeProperties;
  GetEditSizeProperties(sizeProperties);
  return data->GetEditSize(cxGetScreenCanvas(), EditValue(), sizeProperties);
}

void TcxCustomEdit::AdjustInnerControl() {
  if (adjustingSize_ || cxContainerDestroying(this) || !properties_) return;
  TcxFlagScope adjusting(adjustingSize_);
  if (autoSize_ && !isInplace_ && CanAutoSizeEdit() && !IsLoading()) {
    const SIZE size = MeasureEditSize();
    const int width = CanAutoWidth() ? static_cast<int>(size.cx) : Width();
    if (width != Width() || size.cy != Height()) SetBounds(Left(), Top(), width, size.cy);
  }
  AdjustInnerEditPosition();
}

void TcxCustomEdit::AdjustInnerEditPosition() {
  TWinControl* inner = InnerControl();
  if (!inner) return;
  const RECT& r = EditViewInfo()->ClientRect;
  const RECT bounds = inner->BoundsRect();
  if (!EqualRect(&r, &bounds))
    inner->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool TcxCustomEdit::CanResize(int& NewWidth, int& NewHeight) {
  const bool result = inherited::CanResize(NewWidth, NewHeight);
  if (result && autoSize_ && !isInplace_ && CanAutoSizeEdit() && !IsLoading() && properties_)
    NewHeight = MeasureEditSize().cy;
  return result;
}
