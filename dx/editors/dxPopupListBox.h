// The pop-up list boxes of the drop-down editors: a top-level list that saves the screen under it,
// with the editors' pop-up frame and shadow and hot tracking, and its type-ahead pick variant.
#pragma once

#include "dx/editors/dxDrawUtils.h"
#include "platform/forms/StdCtrls.h"

// The client inset of a pop-up frame kind (pbDefault: none).
int PopupFrameWidth(TdxPopupBorder Border);

// The frame and shadow of a pop-up list window, and its non-client handling.
struct TdxPopupListFrame {
  TdxPopupBorder Border = pbDefault;
  bool Shadow = false;
  int ShadowSize = 2;

  // WM_NCCALCSIZE after the default: the client shrinks by the frame, and by the shadow at the
  // right and bottom.
  void CalcClient(TMessage& Message) const;
  // WM_NCPAINT after the default.
  void Paint(HWND Window) const;
  // WM_SIZE after the default.
  void ApplyShadowRegion(HWND Window) const { SetShadowRegion(Window, Shadow, ShadowSize); }
};

class TCustomdxPopupListBox : public TCustomListBox {
  TRENVIK_CLASS(TCustomdxPopupListBox, TCustomListBox);
  TRENVIK_MESSAGES(TCustomdxPopupListBox);

 public:
  explicit TCustomdxPopupListBox(TComponent* AOwner);
  TdxPopupBorder PopupBorder() const { return frame_.Border; }
  void SetPopupBorder(TdxPopupBorder Value);
  bool Shadow() const { return frame_.Shadow; }
  void SetShadow(bool Value);
  int ShadowSize() const { return frame_.ShadowSize; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMSize(TMessage& Message);

  TdxPopupListFrame frame_;
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
