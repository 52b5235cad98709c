// Which item of the radio group an edit value selects.
#include "cx/data/cxVariants.h"
#include "cx/editors-ext/cxRadioGroup.h"

int cxRadioGroupItemIndexOf(const Variant& AEditValue, const std::vector<TcxRadioGroupItemKey>& AItems) {
  for (size_t i = 0; i < AItems.size(); ++i) {
    const TcxRadioGroupItemKey& item = AItems[i];
    const bool matches = VarIsNull(item.Value) ? VarToStr(AEditValue) == item.Caption
                                               : cxVariantsEqual(AEditValue, item.Value);
    if (matches) return static_cast<int>(i);
  }
  return -1;
}
