// The pop-up list boxes of the drop-down editors: a top-level list that saves the screen under it,
// with the editors' pop-up frame and shadow and hot tracking, and its type-ahead pick variant.
#pragma once

#include "dx/editors/dxDrawUtils.h"
#include "platform/forms/StdCtrls.h"

// The client inset of a pop-up frame kind (pbDefault: none).
int PopupFrameWidth(TdxPopupBorder Border);
// Shrinks a pop-up's client rectangle by its frame, and by the shadow at the right and bottom.
void InsetPopupClient(RECT& Rect, TdxPopupBorder Border, bool Shadow, int ShadowSize);

class TCustomdxPopupListBox : public TCustomListBox {
  TRENVIK_CLASS(TCustomdxPopupListBox, TCustomListBox);
  TRENVIK_MESSAGES(TCustomdxPopupListBox);

 public:
  explicit TCustomdxPopupListBox(TComponent* AOwner);
  TdxPopupBorder PopupBorder() const { return popupBorder_; }
  void SetPopupBorder(TdxPopupBorder Value);
  bool Shadow() const { return shadow_; }
  void SetShadow(bool Value);
  int ShadowSize() const { return shadowSize_; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMSize(TMessage& Message);

  TdxPopupBorder popupBorder_ = pbDefault;
  bool shadow_ = false;
  int shadowSize_ = 2;
};

// A pop-up list that searches its items as characters are typed to it (a pause of 2 s restarts).
class TCustomdxPopupPickListBox : public TCustomdxPopupListBox {
  TRENVIK_CLASS(TCustomdxPopupPickListBox, TCustomdxPopupListBox);

 public:
  using TCustomdxPopupListBox::TCustomdxPopupListBox;

 protected:
  void KeyPress(Char& Key) override;

 private:
  String searchText_;
  DWORD lastKeyTime_ = 0;
};

class TdxPopupPickListBox : public TCustomdxPopupPickListBox {
  TRENVIK_CLASS(TdxPopupPickListBox, TCustomdxPopupPickListBox);

 public:
  using TCustomdxPopupPickListBox::TCustomdxPopupPickListBox;
};
