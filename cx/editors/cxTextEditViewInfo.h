// The text editors' view data: their content is one display text, measured in the style's font.
#pragma once

#include "cx/editors/cxEditViewInfo.h"

class TcxCustomTextEditViewData : public TcxCustomEditViewData {
  TRENVIK_CLASS(TcxCustomTextEditViewData, TcxCustomEditViewData);

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  SIZE GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                      const TcxEditSizeProperties& ASizeProperties) override;
};
