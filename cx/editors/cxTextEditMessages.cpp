// The window text messages of a text edit: they read and write its display value, not the text of
// the outer window.
#include <algorithm>

#include "cx/editors/cxTextEdit.h"
#include "platform/win/Messages.h"

TRENVIK_MESSAGE_MAP(TcxCustomTextEdit) {
  M.On(WM_GETTEXTLENGTH, &TcxCustomTextEdit::WMGetTextLength);
  M.On(WM_GETTEXT, &TcxCustomTextEdit::WMGetText);
  M.On(WM_SETTEXT, &TcxCustomTextEdit::WMSetText);
}

void TcxCustomTextEdit::WMGetTextLength(TMessage& Message) {
  Variant value;
  if (innerEdit_) GetDisplayValue(value);
  Message.Result = VarIsNull(value) ? 0 : static_cast<LRESULT>(VarToStr(value).size());
}

void TcxCustomTextEdit::WMGetText(TMessage& Message) {
  Message.Result = 0;
  const auto size = static_cast<size_t>(Message.WParam);
  auto* buffer = reinterpret_cast<Char*>(Message.LParam);
  Variant value;
  if (innerEdit_) GetDisplayValue(value);
  if (size < 1 || !buffer || VarIsNull(value)) return;
  const String text = VarToStr(value);
  const size_t count = std::min(text.size(), size - 1);
  std::copy_n(text.begin(), count, buffer);
  buffer[count] = 0;
  Message.Result = static_cast<LRESULT>(count);
}

void TcxCustomTextEdit::WMSetText(TMessage& Message) {
  const auto* text = reinterpret_cast<const Char*>(Message.LParam);
  Variant value = text ? String(text) : String();
  Message.Result = SetValidatedDisplayValue(value) ? 1 : 0;
}
