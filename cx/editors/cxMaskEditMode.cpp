#include "cx/editors/cxMaskEditMode.h"

#include <algorithm>

#include "platform/win/Shell.h"

bool cxIsBlankMask(const String& AMask) {
  return std::all_of(AMask.begin(), AMask.end(), [](Char c) {
    return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32;
  });
}

void TcxMaskEditCustomMode::Beep() {
  if (Properties != nullptr && Properties->BeepOnError()) MessageBeep(MB_OK);
}

void TcxMaskEditCustomMode::SynchronizeEditValue() {
  if (!EditAvailable()) return;
  String text = Edit->ModifiedAfterEnter() ? Format(Edit->CurrentDisplayText()) : Edit->PreparedDisplayText();
  Edit->SetInnerEditDisplayText(text);
}
