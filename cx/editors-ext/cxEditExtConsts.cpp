#include "cx/editors-ext/cxEditExtConsts.h"

#include <utility>

#include "platform/rtl/StringTable.h"

void RegisterCxEditExtConsts() {
  static const std::pair<int, const char16_t*> kTexts[] = {
      {cxSEditRadioGroupDescription, u"RadioGroup|Represents a group of radio buttons"},
      {cxSRadioGroupDefaultCaption, u""},
  };
  for (const auto& [id, text] : kTexts) RegisterResourceString(id, text);
}
