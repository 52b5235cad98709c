#include "cx/editors/cxEditUtils.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/cxTextEditViewInfo.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomTextEditViewData)

SIZE TcxCustomTextEditViewData::GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                               const TcxEditSizeProperties& ASizeProperties) {
  return MeasureEditText(ACanvas, this, Properties()->GetDisplayText(AEditValue), false, ASizeProperties);
}

std::unique_ptr<TcxCustomEditViewData> TcxCustomTextEditProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                                   bool AIsInplace) {
  return std::make_unique<TcxCustomTextEditViewData>(this, AStyle, AIsInplace);
}
