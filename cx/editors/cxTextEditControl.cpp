// The text edit: the display value is the inner edit's text; typing completes from lookup items.
#include <algorithm>

#include "cx/data/cxVariants.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxTextEdit.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomTextEdit)
TRENVIK_PUBLISHED(TcxTextEdit) { PublishTextEditControl(P); }

TClass TcxCustomTextEditProperties::GetContainerClass() { return TcxTextEdit::StaticClass(); }

TcxCustomTextEdit::TcxCustomTextEdit(TComponent* AOwner)
    : TcxCustomTextEdit(AOwner, [](TcxCustomTextEdit* AEdit) -> TCustomEdit* {
        return new TcxCustomInnerTextEdit(AEdit);
      }) {}

TcxCustomTextEdit::TcxCustomTextEdit(TComponent* AOwner, const TcxInnerEditFactory& ACreateInnerEdit)
    : TcxCustomEdit(AOwner) {
  innerEdit_ = ACreateInnerEdit(this);
  InitializeInnerEdit(innerEdit_);
  CreateProperties();
  SetParentColor(false);
  SetWidth(121);
  SetHeight(21);
  CreateLookupData();
  AdjustInnerControl();
}

void TcxCustomTextEdit::CreateLookupData() {
  lookupData_.reset();
  lookupData_ = ActiveProperties()->CreateLookupData(this);
  if (lookupData_) lookupData_->SetOnItemsChanged([this](TObject* Sender) { PropertiesChanged(Sender); });
}

TcxCustomTextEdit::~TcxCustomTextEdit() {
  BeforeDestruction();
  lookupData_.reset();
  ReleaseInnerEdit();
}

void TcxCustomTextEdit::PropertiesChanged(TObject* Sender) {
  if (innerEdit_ && Properties()) {
    TcxCustomTextEditProperties* properties = ActiveProperties();
    if (auto* singleLine = dynamic_cast<TcxCustomInnerTextEdit*>(innerEdit_))
      singleLine->SetAlignment(properties->UseLeftAlignmentOnEditing() ? taLeftJustify
                                                                       : properties->Alignment()->Horz());
    innerEdit_->SetAutoSelect(properties->AutoSelect() && !IsInplace());
    // The window control converts every letter the locale knows, as the user types.
    innerEdit_->SetCharCase(properties->CharCase());
    innerEdit_->SetHideSelection(properties->HideSelection());
    innerEdit_->SetMaxLength(properties->MaxLength());
    innerEdit_->SetOEMConvert(properties->OEMConvert());
    innerEdit_->SetPasswordChar(properties->EchoMode() == eemPassword ? u'*' : Char(0));
    innerEdit_->SetReadOnly(properties->ReadOnly());
    if (lookupData_) lookupData_->TextChanged();
  }
  inherited::PropertiesChanged(Sender);
}

void TcxCustomTextEdit::SetText(const String& Value) { SetValidatedText(Value); }

void TcxCustomTextEdit::SetValidatedText(const String& AText) {
  Variant value = AText;
  SetValidatedDisplayValue(value);
}

bool TcxCustomTextEdit::SetValidatedDisplayValue(Variant& DisplayValue) {
  if (VarIsStr(DisplayValue)) {
    String text = VarToStr(DisplayValue);
    const size_t zero = text.find(u'\0');
    if (zero != String::npos) DisplayValue = text.substr(0, zero);
  }
  if (!ActiveProperties()->IsDisplayValueValid(DisplayValue, IsEditFocused())) return false;
  if (userTextChange_ && !DoEditing()) return false;
  InternalSetDisplayValue(DisplayValue);
  return true;
}

void TcxCustomTextEdit::SetInternalDisplayValue(const Variant& Value) {
  const bool completionShown = completionShown_;
  TScopeExit restoreCompletion([this, completionShown] { completionShown_ = completionShown; });
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (lookupData_ && properties->GetEditingMode() == temFreeText) {
    const String text = VarToStr(Value);
    if (!lookupData_->ContainsText(text)) properties->DoNewLookupDisplayText(text);
  }
  inherited::SetInternalDisplayValue(Value);
}

void TcxCustomTextEdit::SetInnerEditDisplayValue(const Variant& Value) {
  const String text = VarToStr(Value);
  if (innerEdit_->Text() != text) innerEdit_->SetText(text);
}

void TcxCustomTextEdit::InternalSetDisplayValue(const Variant& Value) {
  DataBinding()->SetDisplayValue(Value);
  if (userTextChange_) return;
  completionShown_ = false;
  SynchronizeEditValue();
  SetModified(false);
}

void TcxCustomTextEdit::SynchronizeEditValue() {
  const Variant old = EditValue();
  Variant value;
  DisplayToEditValue(innerEdit_->Text(), value, IsEditFocused());
  // The value the edit holds now; events only when it differs.
  const bool changed = VarType(value) != VarType(old) || !cxVariantsEqual(value, old);
  if (changed) {
    SaveModified();
    InternalSetEditValue(value, false);
    RestoreModified();
  }
  if (userTextChange_)
    SetModifiedAfterEnter(true);
  else
    SetModified(false);
}

void TcxCustomTextEdit::SynchronizeDisplayValue() {
  if (!innerEdit_) return;
  Variant value = EditValue();
  Variant display;
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (properties->IsEditValueValid(value, IsEditFocused()))
    properties->PrepareDisplayValue(value, display, IsEditFocused());
  else if (IsEditFocused())
    display = properties->GetDefaultDisplayValue();
  else if (VarType(value) == varDate)
    display = DateTimeToStr(value.AsDouble());
  else
    display = VarToStr(value);
  SaveModified();
  DataBinding()->SetDisplayValue(display);
  RestoreModified();
  completionShown_ = false;
}

void TcxCustomTextEdit::ChangeHandler(TObject* Sender) {
  if (userTextChange_ || Focused()) {
    TcxFlagScope userChange(userTextChange_);
    SynchronizeEditValue();
  }
  inherited::ChangeHandler(Sender);
}

bool TcxCustomTextEdit::CanKeyDownModifyEdit(WORD Key, TShiftState Shift) {
  return Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift));
}

bool TcxCustomTextEdit::CanKeyPressModifyEdit(Char Key) {
  return Key == 22 || Key == 24 || Key == 8 || (Key >= 32 && Key <= 255) || Key > 255;
}

void TcxCustomTextEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  const bool hadCompletion = completionShown_;
  const WORD key = Key;
  inherited::DoEditKeyDown(Key, Shift);
  if (key == VK_RETURN && hadCompletion) SelectAll();
  if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DELETE || Key == VK_END) completionShown_ = false;
  // One line has no use for them: a grid around an in-place editor moves its focus with them.
  const bool verticalKey = Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT;
  if (verticalKey && !ActiveProperties()->IsMultiLine()) {
    if (OnInplaceKeyDown) OnInplaceKeyDown(this, Key, Shift);
    Key = 0;
  }
}

bool TcxCustomTextEdit::LocateCompletion(const String& ASearch) {
  if (!lookupData_) return false;
  String text = ASearch, tail;
  if (!lookupData_->Locate(text, tail, false, false)) return false;
  innerEdit_->SetText(text + tail);
  innerEdit_->SetSelStart(static_cast<int>(text.size()));
  innerEdit_->SetSelLength(static_cast<int>(tail.size()));
  completionShown_ = !tail.empty();
  return true;
}

void TcxCustomTextEdit::DoEditKeyPress(Char& Key) {
  inherited::DoEditKeyPress(Key);
  if (Key == 0) return;
  TcxFlagScope userChange(userTextChange_);
  const String text = innerEdit_->Text();
  const int selStart = innerEdit_->SelStart();
  const int selLength = innerEdit_->SelLength();
  // Completion only while typing at the end of the text (or over a selected tail).
  const bool atEnd = selLength > 0 || selStart == static_cast<int>(text.size());
  if (Key == 8 && completionShown_) {
    Key = 0;
    EraseLastTypedCharacter(text.substr(0, selStart));
    return;
  }
  if (Key > 31 && lookupData_ && ActiveProperties()->LookupItems()->Count() > 0 && atEnd) {
    const String search = text.substr(0, selStart) + Key;
    const int maxLength = ActiveProperties()->MaxLength();
    if ((maxLength == 0 || static_cast<int>(search.size()) <= maxLength) && LocateCompletion(search)) {
      Key = 0;
      return;
    }
    completionShown_ = false;
  }
}

// Backspace over a completion takes the completed tail and the last typed character, then completes
// the shorter prefix again.
void TcxCustomTextEdit::EraseLastTypedCharacter(String ATyped) {
  if (!ATyped.empty()) ATyped.pop_back();
  // A character of two code units goes as one.
  if (!ATyped.empty() && ATyped.back() >= 0xD800 && ATyped.back() <= 0xDBFF) ATyped.pop_back();
  if (!ATyped.empty() && LocateCompletion(ATyped)) return;
  completionShown_ = false;
  innerEdit_->SetText(ATyped);
  innerEdit_->SetSelStart(static_cast<int>(ATyped.size()));
}

void TcxCustomTextEdit::CutToClipboard() {
  TcxFlagScope userChange(userTextChange_);
  if (DoEditing()) innerEdit_->CutToClipboard();
}

void TcxCustomTextEdit::PasteFromClipboard() {
  String clip;
  if (!GetClipboardText(Handle(), &clip)) return;
  TcxFlagScope userChange(userTextChange_);
  const int maxLength = ActiveProperties()->MaxLength();
  const String text = innerEdit_->Text();
  const int selStart = innerEdit_->SelStart();
  const int selLength = innerEdit_->SelLength();
  const TcxTextEditingMode mode = ActiveProperties()->GetEditingMode();
  if (mode == temMatchItem || mode == temPickItem || maxLength == 0) {
    if (DoEditing()) innerEdit_->SetSelText(clip);
    return;
  }
  // A paste longer than the limit is cut, never refused.
  String result = text.substr(0, selStart) + clip + text.substr(selStart + selLength);
  if (static_cast<int>(result.size()) > maxLength) result.resize(maxLength);
  const int caret = std::min(selStart + static_cast<int>(clip.size()), maxLength);
  Variant value = result;
  if (SetValidatedDisplayValue(value)) {
    innerEdit_->SetSelStart(caret);
    innerEdit_->SetSelLength(0);
  }
}
