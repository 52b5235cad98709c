#include "dx/dbgrid/dxDBColumnDropDown.h"

#include "dx/dbgrid/dxDBCtrl.h"
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLControl.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"

TRENVIK_PUBLISHED(TdxDBTreeListDropDownColumn) {
  P.Property("ShowButtonStyle", &TdxDBTreeListDropDownColumn::ShowButtonStyle,
             &TdxDBTreeListDropDownColumn::SetShowButtonStyle)
      .Default(sbDefault);
  P.Event("OnEditButtonClick", &TdxDBTreeListDropDownColumn::OnEditButtonClick);
}

TRENVIK_PUBLISHED(TdxDBTreeListPickColumn) {
  PublishDropDownSettings(P);
  P.Property("CanDeleteText", &TdxDBTreeListPickColumn::CanDeleteText,
             &TdxDBTreeListPickColumn::SetCanDeleteText)
      .Default(false);
  P.Property("DropDownListStyle", &TdxDBTreeListPickColumn::DropDownListStyle,
             &TdxDBTreeListPickColumn::SetDropDownListStyle)
      .Default(false);
  P.Property("ImmediateDropDown", &TdxDBTreeListPickColumn::ImmediateDropDown,
             &TdxDBTreeListPickColumn::SetImmediateDropDown)
      .Default(true);
  P.Property("Items", &TdxDBTreeListPickColumn::Items, &TdxDBTreeListPickColumn::SetItems);
  P.Property("ItemsSorted", &TdxDBTreeListPickColumn::ItemsSorted, &TdxDBTreeListPickColumn::SetItemsSorted)
      .Default(false);
  P.Property("Revertable", &TdxDBTreeListPickColumn::Revertable, &TdxDBTreeListPickColumn::SetRevertable)
      .Default(false);
  P.Event("OnCloseUp", &TdxDBTreeListPickColumn::OnCloseUp);
}

TRENVIK_PUBLISHED(TdxDBTreeListMRUColumn) {
  P.Property("ImmediateDropDown", &TdxDBTreeListMRUColumn::ImmediateDropDown,
             &TdxDBTreeListMRUColumn::SetImmediateDropDown)
      .Default(false);
  P.Property("MaxItemCount", &TdxDBTreeListMRUColumn::MaxItemCount, &TdxDBTreeListMRUColumn::SetMaxItemCount)
      .Default(7);
  P.Property("ShowEllipsis", &TdxDBTreeListMRUColumn::ShowEllipsis, &TdxDBTreeListMRUColumn::SetShowEllipsis)
      .Default(true);
  P.Event("OnButtonClick", &TdxDBTreeListMRUColumn::OnButtonClick);
}

TRENVIK_PUBLISHED(TdxDBTreeListCalcColumn) {
  PublishDropDownSettings(P);
  P.Property("BeepOnError", &TdxDBTreeListCalcColumn::BeepOnError, &TdxDBTreeListCalcColumn::SetBeepOnError)
      .Default(true);
  P.Property("ButtonStyle", &TdxDBTreeListCalcColumn::ButtonStyle, &TdxDBTreeListCalcColumn::SetButtonStyle)
      .Default(bsStandard);
  P.Property("Precision", &TdxDBTreeListCalcColumn::Precision, &TdxDBTreeListCalcColumn::SetPrecision)
      .Default(13);
  P.Property("QuickClose", &TdxDBTreeListCalcColumn::QuickClose, &TdxDBTreeListCalcColumn::SetQuickClose)
      .Default(false);
  P.Property("ShowButtonFrame", &TdxDBTreeListCalcColumn::ShowButtonFrame,
             &TdxDBTreeListCalcColumn::SetShowButtonFrame)
      .Default(false);
}

TRENVIK_PUBLISHED(TdxDBTreeListLookupColumn) {
  PublishDropDownSettings(P);
  P.Property("CanDeleteText", &TdxDBTreeListLookupColumn::CanDeleteText,
             &TdxDBTreeListLookupColumn::SetCanDeleteText)
      .Default(false);
  P.Property("ClearKey", &TdxDBTreeListLookupColumn::ClearKey, &TdxDBTreeListLookupColumn::SetClearKey)
      .Default(0);
  P.Property("ImmediateDropDown", &TdxDBTreeListLookupColumn::ImmediateDropDown,
             &TdxDBTreeListLookupColumn::SetImmediateDropDown)
      .Default(false);
  P.Property("ListFieldIndex", &TdxDBTreeListLookupColumn::ListFieldIndex,
             &TdxDBTreeListLookupColumn::SetListFieldIndex)
      .Default(0);
  P.Property("ListFieldName", &TdxDBTreeListLookupColumn::ListFieldName,
             &TdxDBTreeListLookupColumn::SetListFieldName);
  P.Event("OnCloseUp", &TdxDBTreeListLookupColumn::OnCloseUp);
}

// --- Drop-down base ---

TdxDBTreeListDropDownColumn::~TdxDBTreeListDropDownColumn() = default;

TBitmap* TdxDBTreeListDropDownColumn::ButtonGlyph() {
  if (!buttonGlyph_) buttonGlyph_ = std::make_unique<TBitmap>();
  return buttonGlyph_.get();
}

void TdxDBTreeListDropDownColumn::SetButtonGlyph(TBitmap* Value) {
  if (!Value || Value->Empty())
    buttonGlyph_.reset();
  else
    ButtonGlyph()->Assign(Value);
  Changed(true);
}

bool TdxDBTreeListDropDownColumn::HasButtonGlyph() const { return buttonGlyph_ && !buttonGlyph_->Empty(); }

void TdxDBTreeListDropDownColumn::DoEditButtonClick(TdxInplaceEdit*) {
  if (OnEditButtonClick) OnEditButtonClick(this);
}

bool TdxDBTreeListDropDownColumn::ShowButton(TdxTreeListNode* Node) {
  TCustomdxTreeListControl* control = TreeList();
  if (!control || ShowButtonStyle() == sbNone || !control->IsShowButtonAlways()) return false;
  return ShowButtonStyle() == sbAlways || Node == control->FocusedNode();
}

bool TdxDBTreeListDropDownColumn::IsButtonAlwaysShown(bool Default) {
  if (DisableEditor() || ShowButtonStyle() == sbNone) return false;
  return ShowButtonStyle() == sbAlways || Default;
}

void TdxDBTreeListDropDownColumn::Assign(TPersistent* Source) {
  TdxTreeListUpdateScope update(TreeList());
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxDBTreeListDropDownColumn*>(Source)) {
    dropDown_ = source->dropDown_;
    SetButtonGlyph(source->HasButtonGlyph() ? source->ButtonGlyph() : nullptr);
  }
}

void TdxDBTreeListDropDownColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* dropDown = dynamic_cast<TdxInplaceDropDownEdit*>(Editor);
  if (!dropDown) return;
  dropDown->SetButtonGlyph(HasButtonGlyph() ? buttonGlyph_.get() : nullptr);
  dropDown->DropDownRows = dropDown_.DropDownRows;
  dropDown->DropDownWidth = dropDown_.DropDownWidth;
  dropDown->ImmediateDropDown = dropDown_.ImmediateDropDown;
  dropDown->ImmediatePopup = dropDown_.ImmediatePopup;
  dropDown->PopupAlignment = ToPopupAlignment(dropDown_.PopupAlignment);
  dropDown->PopupBorder = dropDown_.PopupBorder;
  dropDown->OnEditButtonClick = [this, dropDown](TObject*) { DoEditButtonClick(dropDown); };
  dropDown->OnCloseUp = [this, dropDown](TObject*, Variant& Value, bool& Accept) {
    DoCloseUp(dropDown, Value, Accept);
  };
}

void TdxDBTreeListDropDownColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  auto* view = dynamic_cast<TdxDropDownEditViewData*>(ViewData);
  if (!view) return;
  view->ButtonGlyph = HasButtonGlyph() ? buttonGlyph_.get() : nullptr;
  view->NoButtons = !ShowButton(Node);
  view->HotButtonIndex = -1;
  view->PushedButtonIndex = -1;
}

void TdxDBTreeListDropDownColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  dropDown_ = TSettings();
}

// --- Pick ---

TdxDBTreeListPickColumn::TdxDBTreeListPickColumn(TComponent* AOwner)
    : TdxDBTreeListDropDownColumn(AOwner), items_(std::make_unique<TStringList>()) {
  SetImmediateDropDownDefault(true);
}

TdxDBTreeListPickColumn::~TdxDBTreeListPickColumn() = default;

TStrings* TdxDBTreeListPickColumn::Items() const { return items_.get(); }

void TdxDBTreeListPickColumn::SetItems(TStrings* Value) {
  items_->Assign(Value);
  Changed(false);
}

void TdxDBTreeListPickColumn::DoCloseUp(TdxInplaceEdit*, Variant& Value, bool& Accept) {
  Variant text = VarToStr(Value);
  if (OnCloseUp) OnCloseUp(this, text, Accept);
  Value = VarToStr(text);
}

void TdxDBTreeListPickColumn::Assign(TPersistent* Source) {
  TdxTreeListUpdateScope update(TreeList());
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxDBTreeListPickColumn*>(Source)) {
    pick_ = source->pick_;
    items_->Assign(source->items_.get());
  }
}

void TdxDBTreeListPickColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* pick = dynamic_cast<TdxInplacePickEdit*>(Editor);
  if (!pick) return;
  pick->SetItems(items_.get());
  pick->SetSorted(pick_.ItemsSorted);
  pick->SetDropDownListStyle(pick_.DropDownListStyle);
  pick->CanDeleteText = pick_.CanDeleteText;
  pick->Revertable = pick_.Revertable;
}

void TdxDBTreeListPickColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  SetImmediateDropDownDefault(true);
  pick_ = TSettings();
}

// --- Most recently used ---

TdxDBTreeListMRUColumn::TdxDBTreeListMRUColumn(TComponent* AOwner) : TdxDBTreeListPickColumn(AOwner) {
  SetImmediateDropDownDefault(false);
}

void TdxDBTreeListMRUColumn::DoButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListMRUColumn, mru_)

void TdxDBTreeListMRUColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* mru = dynamic_cast<TdxInplaceMRUEdit*>(Editor);
  if (!mru) return;
  mru->SetMaxItemCount(mru_.MaxItemCount);
  mru->SetShowEllipsis(mru_.ShowEllipsis);
  mru->OnButtonClick = [this](TObject*) { DoButtonClick(); };
}

void TdxDBTreeListMRUColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  inherited::SaveEditValue(Node, Editor, Value);
  if (auto* mru = dynamic_cast<TdxInplaceMRUEdit*>(Editor)) Items()->Assign(mru->Items());
}

void TdxDBTreeListMRUColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  SetImmediateDropDownDefault(false);
  mru_ = TSettings();
}

// --- Calculator ---

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListCalcColumn, calc_)

void TdxDBTreeListCalcColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* calc = dynamic_cast<TdxInplaceCalcEdit*>(Editor);
  if (!calc) return;
  calc->BeepOnError = calc_.BeepOnError;
  calc->ButtonStyle = calc_.ButtonStyle;
  calc->Precision = calc_.Precision;
  calc->QuickClose = calc_.QuickClose;
  calc->ShowButtonFrame = calc_.ShowButtonFrame;
}

void TdxDBTreeListCalcColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  calc_ = TSettings();
}

// --- Lookup ---

Variant TdxDBTreeListLookupColumn::GetNodeKeyValue(TdxTreeListNode* Node) {
  TCustomdxDBTreeListControl* control = GetControl();
  if (!control || !Node) return Null();
  TNodeVariantData data;
  control->GetNodeValueData(Node, GetDataIndex(), data);
  return data.HasLookupKey ? data.LookupKeyValue : Null();
}

void TdxDBTreeListLookupColumn::DoCloseUp(TdxInplaceEdit*, Variant& Value, bool& Accept) {
  if (OnCloseUp) OnCloseUp(this, Value, Accept);
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListLookupColumn, lookup_)

void TdxDBTreeListLookupColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* lookup = dynamic_cast<TdxInplaceLookupEdit*>(Editor);
  if (!lookup) return;
  lookup->SetField(Field());
  lookup->SetListFieldName(lookup_.ListFieldName);
  lookup->CanDeleteText = lookup_.CanDeleteText;
  lookup->ClearKey = lookup_.ClearKey;
}

void TdxDBTreeListLookupColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* lookup = dynamic_cast<TdxInplaceLookupEdit*>(Editor);
  TField* field = Field();
  if (!lookup || !field || !field->Lookup() || !field->DataSet()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  Value = field->DataSet()->FieldValues(field->KeyFields());
  lookup->SetKeyValue(Value);
}

void TdxDBTreeListLookupColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* lookup = dynamic_cast<TdxInplaceLookupEdit*>(Editor);
  TField* field = Field();
  if (!lookup || !field || !field->Lookup() || !field->DataSet()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  field->DataSet()->FieldByName(field->KeyFields())->SetValue(lookup->KeyValue());
  Value = lookup->KeyValue();
}

bool TdxDBTreeListLookupColumn::IsFieldValueEqual(const Variant& Value) {
  TField* field = Field();
  if (!field || !field->Lookup() || !field->DataSet()) return inherited::IsFieldValueEqual(Value);
  return CompareVariantValues(field->DataSet()->FieldValues(field->KeyFields()), Value) == 0;
}

void TdxDBTreeListLookupColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  lookup_ = TSettings();
}
