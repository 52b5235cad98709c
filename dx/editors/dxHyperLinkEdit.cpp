#include "dx/editors/dxHyperLinkEdit.h"

#include "dx/editors/dxEditButtonInput.h"
#include "dx/editors/dxEditorRoutines.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Shell.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxHyperLinkEditViewData)
TRENVIK_IMPLEMENT_CLASS(TdxInplaceHyperLinkEdit)

TRENVIK_MESSAGE_MAP(TdxInplaceHyperLinkEdit) { M.On(CM_FONTCHANGED, &TdxInplaceHyperLinkEdit::CMFontChanged); }

namespace {

bool StartsWithNoCase(const String& Text, const String& Prefix) {
  return Text.size() >= Prefix.size() && SameText(Text.substr(0, Prefix.size()), Prefix);
}

}  // namespace

bool IsOpenableLink(const String& Link) {
  const String link = Trim(Link);
  for (Char c : link)
    if (c < 32 || c == 127) return false;
  for (const char16_t* scheme : {u"http://", u"https://", u"mailto:"}) {
    const String prefix(scheme);
    if (StartsWithNoCase(link, prefix) && link.size() > prefix.size()) return true;
  }
  return false;
}

TCursor TdxHyperLinkEditMetaClass::GetCursorAt(int X, int Y, TdxEditViewData* ViewData) const {
  auto* v = dynamic_cast<TdxHyperLinkEditViewData*>(ViewData);
  if (v && v->LinkCursor) return crdxHandPoint;
  return TdxTextEditMetaClass::GetCursorAt(X, Y, ViewData);
}

std::unique_ptr<TdxEditViewData> TdxHyperLinkEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxHyperLinkEditViewData>();
}

TdxInplaceEditClass TdxInplaceHyperLinkEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceHyperLinkEdit, TdxHyperLinkEditMetaClass> c("TdxInplaceHyperLinkEdit");
  return &c;
}

TdxInplaceHyperLinkEdit::TdxInplaceHyperLinkEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceTextEdit(AOwner, Class) {
  SetAutoSelect(false);
}

TdxInplaceHyperLinkEdit::~TdxInplaceHyperLinkEdit() = default;

TFont* TdxInplaceHyperLinkEdit::LinkFont() {
  if (!linkFont_) {
    linkFont_ = std::make_unique<TFont>();
    UpdateLinkFont();
  }
  return linkFont_.get();
}

void TdxInplaceHyperLinkEdit::UpdateLinkFont() {
  if (!linkFont_) return;
  linkFont_->Assign(Font());
  linkFont_->SetStyle(linkFont_->Style() + TFontStyles{fsUnderline});
  linkFont_->SetColor(linkColor_);
}

void TdxInplaceHyperLinkEdit::SetLinkColor(TColor Value) {
  if (linkColor_ == Value) return;
  linkColor_ = Value;
  UpdateLinkFont();
  InvalidateEditor();
}

void TdxInplaceHyperLinkEdit::CMFontChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  UpdateLinkFont();
}

std::unique_ptr<TdxEditViewData> TdxInplaceHyperLinkEdit::CreateViewData(bool FromDefinition) {
  auto v = TdxInplaceTextEdit::CreateViewData(FromDefinition);
  TFont* font = LinkFont();
  if (v->Enabled) v->TextColor = font->Color();
  v->Font = font->Handle();
  static_cast<TdxHyperLinkEditViewData*>(v.get())->LinkCursor = !IsDesigning() && ClickStartsLink();
  return v;
}

bool TdxInplaceHyperLinkEdit::ClickStartsLink() { return SingleClick || IsInplace() || !IsEditable(); }

void TdxInplaceHyperLinkEdit::StartLink() {
  if (OnStartLink) {
    OnStartLink(this);
    return;
  }
  const String link = Trim(Text());
  if (link.empty()) return;
  if (!IsOpenableLink(link)) {
    MessageBeep(0);
    return;
  }
  TCustomForm* form = GetParentForm(this);
  ShellExecute(form && form->HandleAllocated() ? form->Handle() : nullptr, u"open", link.c_str(), nullptr,
               nullptr, SW_SHOWMAXIMIZED);
}

void TdxInplaceHyperLinkEdit::ActivateByClick() {
  if (!SingleClick) return;
  if (HandleAllocated()) UpdateWindow(Handle());
  StartLink();
}

void TdxInplaceHyperLinkEdit::SelectAll() {
  if (!IsInplace()) TdxInplaceTextEdit::SelectAll();
}

void TdxInplaceHyperLinkEdit::KeyDown(WORD& Key, TShiftState Shift) {
  const Word shortCut = KeyToShortCut(Key, Shift);
  if (StartKey != 0 && shortCut == StartKey) {
    if (HandleAllocated()) RemovePendingMessage(Handle(), WM_CHAR);
    StartLink();
    Key = 0;
    return;
  }
  TdxInplaceTextEdit::KeyDown(Key, Shift);
}

void TdxInplaceHyperLinkEdit::DblClick() {
  TdxInplaceTextEdit::DblClick();
  StartLink();
}

void TdxInplaceHyperLinkEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdxInplaceTextEdit::MouseUp(Button, Shift, X, Y);
  const bool inside = X >= 0 && Y >= 0 && X < ClientWidth() && Y < ClientHeight();
  if (Button == mbLeft && inside && ClickStartsLink()) StartLink();
}
