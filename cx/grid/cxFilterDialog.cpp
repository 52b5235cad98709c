// The custom filter dialog: its texts and operators, the column's conditions shown, the two rows
// read and checked on OK, and the criteria rewritten from them.
#include "cx/grid/cxFilterDialog.h"

#include <algorithm>
#include <memory>

#include "cx/data/cxVariants.h"
#include "cx/foundation/cxClasses.h"
#include "cx/foundation/cxLookAndFeels.h"
#include "cx/grid/cxFilterControlDialog.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/Published.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StringTable.h"

TRENVIK_PUBLISHED(TcxFilterDialog) {
  P.Field("lblTitle", &TcxFilterDialog::lblTitle);
  P.Field("lblColumnCaption", &TcxFilterDialog::lblColumnCaption);
  P.Field("bvlLine", &TcxFilterDialog::bvlLine);
  P.Field("cbOperator1", &TcxFilterDialog::cbOperator1);
  P.Field("cbOperator2", &TcxFilterDialog::cbOperator2);
  P.Field("lblEdit1PlaceHolder", &TcxFilterDialog::lblEdit1PlaceHolder);
  P.Field("lblEdit2PlaceHolder", &TcxFilterDialog::lblEdit2PlaceHolder);
  P.Field("rbAnd", &TcxFilterDialog::rbAnd);
  P.Field("rbOr", &TcxFilterDialog::rbOr);
  P.Field("lblSingle", &TcxFilterDialog::lblSingle);
  P.Field("lblSeries", &TcxFilterDialog::lblSeries);
  P.Field("btnOK", &TcxFilterDialog::btnOK);
  P.Field("btnCancel", &TcxFilterDialog::btnCancel);
}

namespace {

bool cxFilterDialogIsLike(int AOperator) { return AOperator == fcopLike || AOperator == fcopNotLike; }

}  // namespace

void TcxFilterDialog::Init(TcxFilterCriteria* ACriteria, TObject* AItemLink, const TcxCustomFilterEditHelper* AHelper,
                           TcxCustomEditProperties* AProperties, const TcxValueType* AValueType,
                           const String& ACaption, TcxLookAndFeel* ALookAndFeel) {
  RequireFieldComponents(this);
  criteria_ = ACriteria;
  itemLink_ = AItemLink;
  helper_ = AHelper;
  properties_ = AProperties;
  valueType_ = AValueType;
  const TcxFilterControlOperators supported = AHelper->GetSupportedFilterOperators(AProperties, false);
  for (int op = fcopEqual; op <= fcopNonBlanks; ++op)
    if (supported.test(static_cast<size_t>(op))) operators_.push_back(op);

  SetCaption(cxGetResourceString(cxSFilterDialogCaption));
  lblTitle->SetCaption(cxGetResourceString(cxSFilterDialogRows));
  btnOK->SetCaption(cxGetResourceString(cxSFilterDialogOk));
  btnCancel->SetCaption(cxGetResourceString(cxSFilterDialogCancel));
  lblSingle->SetCaption(cxGetResourceString(cxSFilterDialogUse) + u' ' + ACriteria->UnderscoreWildcard() + u' ' +
                        cxGetResourceString(cxSFilterDialogSingleCharacter));
  lblSeries->SetCaption(cxGetResourceString(cxSFilterDialogUse) + u' ' + ACriteria->PercentWildcard() + u' ' +
                        cxGetResourceString(cxSFilterDialogCharacters));
  rbAnd->SetCaption(FilterBoolOperatorText(fgkAnd));
  rbOr->SetCaption(FilterBoolOperatorText(fgkOr));
  lblColumnCaption->SetCaption(ACaption + u' ');

  FillOperators(cbOperator1, false);
  const auto like = std::find(operators_.begin(), operators_.end(), static_cast<int>(fcopLike));
  cbOperator1->SetItemIndex(like != operators_.end() ? static_cast<int>(like - operators_.begin()) : 0);
  FillOperators(cbOperator2, true);
  cbOperator2->SetItemIndex(0);

  valueEdit1_ = CreateValueEdit(lblEdit1PlaceHolder);
  valueEdit2_ = CreateValueEdit(lblEdit2PlaceHolder);
  int tab = 0;
  for (TWinControl* control : std::initializer_list<TWinControl*>{cbOperator1, valueEdit1_, rbAnd, rbOr, cbOperator2,
                                                                  valueEdit2_, btnOK, btnCancel})
    control->SetTabOrder(tab++);

  if (TcxFilterCriteriaItem* item = ACriteria->FindItemByItemLink(AItemLink)) {
    SelectCondition(cbOperator1, valueEdit1_, item);
    TcxFilterCriteriaItemList* list = item->Parent();
    if (list != ACriteria->Root() && list->Count() > 1) {
      (list->BoolOperatorKind() == fgkAnd ? static_cast<TRadioButton*>(rbAnd) : rbOr)->SetChecked(true);
      if (auto* second = dynamic_cast<TcxFilterCriteriaItem*>(list->Items(1))) {
        SelectCondition(cbOperator2, valueEdit2_, second);
        // The second row's items follow the empty one.
        if (cbOperator2->ItemIndex() >= 0) cbOperator2->SetItemIndex(cbOperator2->ItemIndex() + 1);
      }
    }
  }
  for (TcxComboBox* box : {cbOperator1, cbOperator2})
    box->Properties()->OnChange = [this](TObject*) { OperatorChanged(); };
  OperatorChanged();

  if (ALookAndFeel) {
    for (TcxCustomEdit* edit : std::initializer_list<TcxCustomEdit*>{cbOperator1, cbOperator2, valueEdit1_, valueEdit2_})
      edit->Style()->LookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
    for (TcxRadioButton* radio : {rbAnd, rbOr}) radio->LookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
    for (TcxButton* button : {btnOK, btnCancel}) button->LookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
  }
}

void TcxFilterDialog::FillOperators(TcxComboBox* ABox, bool AWithEmptyItem) {
  auto* properties = static_cast<TcxComboBoxProperties*>(ABox->Properties());
  TStrings* items = properties->Items();
  items->Clear();
  if (AWithEmptyItem) items->Add(String());
  for (int op : operators_) items->Add(FilterOperatorText(op));
  properties->SetDropDownRows(items->Count());
}

int TcxFilterDialog::SelectedOperator(TcxComboBox* ABox) const {
  const int index = ABox->ItemIndex() - (ABox == cbOperator2 ? 1 : 0);
  return index >= 0 && index < static_cast<int>(operators_.size()) ? operators_[static_cast<size_t>(index)] : 0;
}

void TcxFilterDialog::SelectCondition(TcxComboBox* ABox, TcxCustomEdit* AEdit, TcxFilterCriteriaItem* AItem) {
  const int op = cxFilterControlOperatorOf(AItem->OperatorKind(), VarIsNull(AItem->Value()));
  const auto found = std::find(operators_.begin(), operators_.end(), op);
  ABox->SetItemIndex(found != operators_.end() ? static_cast<int>(found - operators_.begin()) : -1);
  helper_->SetFilterValue(AEdit, properties_, AItem->Value());
}

TcxCustomEdit* TcxFilterDialog::CreateValueEdit(TLabel* APlaceHolder) {
  TcxCustomEdit* edit = CreateFilterValueEdit(helper_, properties_, nullptr, this);
  InsertComponent(edit);
  edit->SetBounds(APlaceHolder->Left(), APlaceHolder->Top(), APlaceHolder->Width(), APlaceHolder->Height());
  return edit;
}

void TcxFilterDialog::OperatorChanged() {
  const int op1 = SelectedOperator(cbOperator1);
  const int op2 = SelectedOperator(cbOperator2);
  cxFilterRemoveWildcards(valueEdit1_, criteria_, op1);
  cxFilterRemoveWildcards(valueEdit2_, criteria_, op2);
  const bool like = cxFilterDialogIsLike(op1) || cxFilterDialogIsLike(op2);
  lblSingle->SetVisible(like);
  lblSeries->SetVisible(like);
}

TcxFilterDialog::TRowResult TcxFilterDialog::ReadRow(TcxComboBox* ABox, TcxCustomEdit* AEdit) {
  TRowResult row;
  helper_->GetFilterValue(AEdit, properties_, row.DisplayText, row.Value);
  CheckFilterValue(AEdit, row.Value, SelectedOperator(ABox), valueType_);
  return row;
}

bool TcxFilterDialog::CloseQuery() {
  // A failure here is shown by the modal loop, which keeps the dialog open.
  if (ModalResult() == mrOk) {
    valueEdit1_->ValidateEdit(true);
    valueEdit2_->ValidateEdit(true);
    if (btnOK->CanFocus()) btnOK->SetFocus();
    if (cbOperator1->ItemIndex() >= 0) row1_ = ReadRow(cbOperator1, valueEdit1_);
    if (cbOperator2->ItemIndex() >= 0) row2_ = ReadRow(cbOperator2, valueEdit2_);
  }
  return TForm::CloseQuery();
}

void TcxFilterDialog::AddRow(TcxFilterCriteriaItemList* AParent, TcxComboBox* ABox, const TRowResult& ARow) {
  const int op = SelectedOperator(ABox);
  if (op == fcopNone) return;
  const String blank = cxGetResourceString(cxSFilterBlankValue);
  if (op == fcopBlanks || op == fcopNonBlanks) {
    criteria_->AddItem(AParent, itemLink_, cxFilterControlOperatorKind(static_cast<TcxFilterControlOperator>(op)), Null(),
                       blank);
    return;
  }
  const bool empty = VarIsNull(ARow.Value) || (VarIsStr(ARow.Value) && VarToStr(ARow.Value).empty());
  criteria_->AddItem(AParent, itemLink_, cxFilterControlOperatorKind(static_cast<TcxFilterControlOperator>(op)),
                     ARow.Value, empty ? blank : ARow.DisplayText);
}

void TcxFilterDialog::ApplyChanges() {
  criteria_->BeginUpdate();
  TScopeExit endUpdate([this] { criteria_->EndUpdate(); });
  TcxFilterCriteriaItemList* root = criteria_->Root();
  root->SetBoolOperatorKind(fgkAnd);
  criteria_->RemoveItemsByItemLink(itemLink_);
  if (cbOperator2->ItemIndex() > 0) {
    TcxFilterCriteriaItemList* pair = root->AddItemList(rbOr->Checked() ? fgkOr : fgkAnd);
    AddRow(pair, cbOperator1, row1_);
    AddRow(pair, cbOperator2, row2_);
  } else {
    AddRow(root, cbOperator1, row1_);
  }
}

bool RunColumnFilterDialog(TcxFilterCriteria* ACriteria, TObject* AItemLink, TcxCustomEditProperties* AProperties,
                           TcxLookAndFeel* ALookAndFeel, const TcxValueType* AValueType, const String& ACaption) {
  const TcxCustomFilterEditHelper* helper = FilterEditsController()->FindHelper(AProperties->ClassType());
  if (!helper) return false;
  std::unique_ptr<TcxFilterDialog> dialog(NewForm<TcxFilterDialog>(Application));
  dialog->Init(ACriteria, AItemLink, helper, AProperties, AValueType, ACaption, ALookAndFeel);
  if (dialog->ShowModal() != mrOk) return false;
  dialog->ApplyChanges();
  return true;
}

void cxFilterDialogsInitialize() {
  RegisterResourceString(cxSFilterDialogCaption, u"Custom Filter");
  RegisterResourceString(cxSFilterDialogRows, u"Show rows where:");
  RegisterResourceString(cxSFilterDialogOk, u"Ok");
  RegisterResourceString(cxSFilterDialogCancel, u"Cancel");
  RegisterResourceString(cxSFilterDialogUse, u"Use");
  RegisterResourceString(cxSFilterDialogSingleCharacter, u"to represent any single character");
  RegisterResourceString(cxSFilterDialogCharacters, u"to represent any series of characters");
  RegisterResourceString(cxSFilterBuilderCaption, u"Filter builder");
  RegisterResourceString(cxSFilterBuilderOpenTitle, u"Open an existing filter");
  RegisterResourceString(cxSFilterBuilderSaveTitle, u"Save the active filter to file");
  RegisterResourceString(cxSFilterBuilderFileFilter, u"Filters (*.flt)|*.flt");
  RegisterResourceString(cxSFilterBuilderUntitled, u"untitled.flt");
  RegisterResourceString(cxSFilterBuilderSaveAs, u"&Save As...");
  RegisterResourceString(cxSFilterBuilderOpen, u"&Open...");
  RegisterResourceString(cxSFilterBuilderApply, u"&Apply");
  // What the dialogs' form resources are made of.
  RegisterClasses({TcxFilterDialog::StaticClass(), TfmFilterControlDialog::StaticClass(), TcxComboBox::StaticClass(),
                   TcxRadioButton::StaticClass(), TcxButton::StaticClass()});
}
