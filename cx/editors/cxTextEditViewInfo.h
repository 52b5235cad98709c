// The text editors' view data and view info: their content is one display text, measured in the
// style's font; a text that does not fit its rectangle asks for a hint.
#pragma once

#include "cx/editors/cxEditViewInfo.h"

class TcxCustomTextEditViewData : public TcxCustomEditViewData {
  TRENVIK_CLASS(TcxCustomTextEditViewData, TcxCustomEditViewData);

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  SIZE GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                      const TcxEditSizeProperties& ASizeProperties) override;
  // Also hands the selection below to a text view info.
  void PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;

  // A part of the text a container wants drawn highlighted (a grid's incremental search), in these
  // colours; clDefault stands for the system's highlight colours.
  int SelStart = 0;
  int SelLength = 0;
  TColor SelTextColor = clDefault;
  TColor SelBackgroundColor = clDefault;
};

class TcxCustomTextEditViewInfo : public TcxCustomEditViewInfo {
  TRENVIK_CLASS(TcxCustomTextEditViewInfo, TcxCustomEditViewInfo);

 public:
  TcxCustomTextEditViewInfo() = default;

  // Over the text rectangle, when the text broken at words into its rows needs more height than the
  // rectangle has or a row is wider than it: the text and the rectangle, multi-line when it broke.
  bool NeedShowHint(TcxCanvas* ACanvas, POINT P, RECT& AHintRect, bool& AIsMultiLine, String& AText) override;
  void Assign(TObject* Source) override;

  // The highlighted part of the text and its colours.
  int SelStart = 0;
  int SelLength = 0;
  TColor SelTextColor = clHighlightText;
  TColor SelBackgroundColor = clHighlight;

 protected:
  void PaintText(TcxCanvas* ACanvas) override;
  // Whether a line of text is drawn centred in the text rectangle's height (else at its top).
  virtual bool IsTextVertCentred() const { return true; }
};
