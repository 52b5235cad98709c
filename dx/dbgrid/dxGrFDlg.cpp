// The custom filter dialog: built for one column, loaded from its conditions, and on OK the two
// rows turned back into conditions.
#include "dx/dbgrid/dxGrFDlg.h"

#include <memory>

#include "dx/dbgrid/dxDBColumn.h"
#include "dx/dbgrid/dxDBGridFilter.h"
#include "dx/dbgrid/dxFilterEdit.h"
#include "dx/treelist/dxTL.h"

TRENVIK_IMPLEMENT_CLASS(TfmCustomDialog)

namespace {

struct TDialogOperator {
  const char16_t* Text;
  TdxFilterOperatorKind Kind;
  bool IsNot;
};

constexpr TDialogOperator kDialogOperators[] = {
    {u"equals", fokEqual, false},
    {u"does not equal", fokEqual, true},
    {u"is greater than", fokGreater, false},
    {u"is greater than or equal to", fokGreaterEqual, false},
    {u"is less than", fokLess, false},
    {u"is less than or equal to", fokLessEqual, false},
    {u"blanks", fokIsNull, false},
    {u"non blanks", fokIsNull, true},
};

constexpr RECT kOperator1Bounds{14, 46, 14 + 185, 46 + 21};
constexpr RECT kEdit1Bounds{214, 46, 214 + 185, 46 + 21};
constexpr RECT kOperator2Bounds{14, 96, 14 + 185, 96 + 21};
constexpr RECT kEdit2Bounds{214, 96, 214 + 185, 96 + 21};

template <class T>
T* AddControl(TfmCustomDialog* Form, const String& Caption, int Left, int Top, int Width, int Height) {
  auto* control = new T(Form);
  control->SetParent(Form);
  control->SetBounds(Left, Top, Width, Height);
  if (!Caption.empty()) control->SetCaption(Caption);
  return control;
}

int OperatorIndex(TdxFilterDialogComboEdit* Edit) { return StrToIntDef(Edit->Text(), -1); }

}  // namespace

String FilterDialogOperatorText(TdxFilterDialogOperator Operator) { return kDialogOperators[Operator].Text; }

TdxFilterDialogOperator FilterDialogOperatorOf(TdxFilterOperatorKind Kind, bool IsNot) {
  switch (Kind) {
    case fokIsNull:
      return IsNot ? fdoNonBlanks : fdoBlanks;
    case fokEqual:
      return IsNot ? fdoNotEquals : fdoEquals;
    case fokGreater:
      return fdoGreater;
    case fokLess:
      return fdoLess;
    case fokGreaterEqual:
      return fdoGreaterOrEqual;
    default:
      return fdoLessOrEqual;
  }
}

TfmCustomDialog::TfmCustomDialog(TComponent* AOwner, TdxDBTreeListColumn* AColumn,
                                 TdxDBGridCriteria* Criteria)
    : TForm(AOwner), Column(AColumn), criteria_(Criteria) {
  SetCaption(u"Custom AutoFilter");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu, biHelp});
  SetClientWidth(412);
  SetClientHeight(166);
  SetPosition(poScreenCenter);
  Font()->SetName(u"MS Sans Serif");
  Font()->SetHeight(-11);
  if (TCustomdxTreeList* tree = Column->TreeList()) {
    Font()->SetName(tree->Font()->Name());
    Font()->SetCharset(tree->Font()->Charset());
  }
  lblTitle = AddControl<TLabel>(this, u"Show rows where:", 8, 8, 90, 13);
  LColumnName = AddControl<TLabel>(this, Column->Caption() + u" ", 8, 27, 200, 13);
  bvlLine = AddControl<TBevel>(this, String(), 8, 34, 396, 2);
  bvlLine->SetShape(bsTopLine);
  rbAnd = AddControl<TRadioButton>(this, u"&And", 60, 74, 50, 17);
  rbAnd->SetChecked(true);
  rbAnd->SetTabOrder(0);
  rbOr = AddControl<TRadioButton>(this, u"&Or", 118, 74, 50, 17);
  rbOr->SetTabOrder(1);
  btnOK = AddControl<TButton>(this, u"OK", 248, 136, 75, 23);
  btnOK->SetDefault(true);
  btnOK->SetModalResult(mrOk);
  btnOK->SetTabOrder(2);
  btnCancel = AddControl<TButton>(this, u"Cancel", 330, 136, 75, 23);
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);
  btnCancel->SetTabOrder(3);

  OperatorEdit1 = NewOperatorEdit(kOperator1Bounds, false);
  OperatorEdit1->SetTabOrder(0);
  ValueEdit1 = Column->CreateFilterEdit(this);
  ValueEdit1->SetBoundsRect(kEdit1Bounds);
  ValueEdit1->SetParent(this);
  ValueEdit1->SetTabOrder(OperatorEdit1->TabOrder() + 1);
  OperatorEdit2 = NewOperatorEdit(kOperator2Bounds, true);
  OperatorEdit2->SetTabOrder(rbOr->TabOrder() + 1);
  ValueEdit2 = Column->CreateFilterEdit(this);
  ValueEdit2->SetBoundsRect(kEdit2Bounds);
  ValueEdit2->SetParent(this);
  ValueEdit2->SetTabOrder(OperatorEdit2->TabOrder() + 1);

  if (TdxCriteriaItem* first = criteria_->FindColumnItem(Column)) {
    ShowCondition(first, OperatorEdit1, ValueEdit1);
    TdxCriteriaItemList* group = first->Parent();
    if (group != criteria_->Root() && group->Count() > 1) {
      (group->BoolOperator() == fboOr ? rbOr : rbAnd)->SetChecked(true);
      // The group's other condition is the second row.
      TdxCustomCriteriaItem* second = group->Items(group->Items(0) == first ? 1 : 0);
      if (!second->IsList()) ShowCondition(static_cast<TdxCriteriaItem*>(second), OperatorEdit2, ValueEdit2);
    }
  }
  OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
}

TdxFilterDialogComboEdit* TfmCustomDialog::NewOperatorEdit(const RECT& Bounds, bool WithNone) {
  auto* edit = new TdxFilterDialogComboEdit(this);
  edit->SetBoundsRect(Bounds);
  edit->SetParent(this);
  if (WithNone) {
    edit->Values()->Add(u"-1");
    edit->Descriptions()->Add(String());
  }
  const int allowed = Column->GetFilterOperators();
  for (int i = fdoEquals; i <= fdoNonBlanks; ++i) {
    if (!(allowed & (1 << i))) continue;
    edit->Values()->Add(IntToStr(i));
    edit->Descriptions()->Add(kDialogOperators[i].Text);
  }
  edit->DropDownRows = edit->Values()->Count();
  edit->SetText(WithNone ? u"-1" : u"0");
  return edit;
}

void TfmCustomDialog::ShowCondition(TdxCriteriaItem* Item, TdxFilterDialogComboEdit* OperatorEdit,
                                    TdxInplaceEdit* ValueEdit) {
  OperatorEdit->SetText(IntToStr(FilterDialogOperatorOf(Item->Operator, Item->IsNot())));
  Column->SetFilterEditValue(ValueEdit, Item->Value);
}

void TfmCustomDialog::ReadRow(TdxInplaceEdit* Editor, Variant& Value, String& DisplayText) {
  Value = Null();
  DisplayText.clear();
  Column->GetFilterEditValue(Editor, Value, DisplayText);
  // An empty entry means no value (and so blanks).
  if (VarIsEmptyStr(Value)) Value = Null();
  if (VarIsNull(Value)) return;
  const TVarType type = Column->GetValueVarType();
  if (type == TdxDBTreeListColumn::varUnboundColumn) return;
  try {
    Value = VarAsType(Value, type);
  } catch (const EVariantError&) {
    if (Editor->CanFocus()) Editor->SetFocus();
    throw Exception("Invalid value");
  }
}

void TfmCustomDialog::FormCloseQuery(TObject*, bool& CanClose) {
  if (ModalResult() != mrOk) return;
  CanClose = false;
  ValueEdit1->ValidateEdit();
  ValueEdit2->ValidateEdit();
  ReadRow(ValueEdit1, Value1, DisplayText1);
  Value2 = Null();
  DisplayText2.clear();
  if (OperatorIndex(OperatorEdit2) != -1) ReadRow(ValueEdit2, Value2, DisplayText2);
  CanClose = true;
}

void TfmCustomDialog::AddRow(TdxCriteriaItemList* List, TdxFilterDialogComboEdit* OperatorEdit,
                             const Variant& Value, const String& DisplayText) {
  const int index = OperatorIndex(OperatorEdit);
  if (index < fdoEquals || index > fdoNonBlanks) return;
  const TDialogOperator& op = kDialogOperators[index];
  TdxFilterOperatorKind kind = VarIsNull(Value) ? fokIsNull : op.Kind;
  Variant value = Value;
  String text = DisplayText;
  if (op.Kind == fokIsNull || kind == fokIsNull) {
    value = Null();
    text.clear();
  }
  criteria_->AddColumnCondition(List, Column, kind, value, text, op.IsNot);
}

void TfmCustomDialog::ApplyConditions() {
  criteria_->RemoveColumnItems(Column);
  if (OperatorIndex(OperatorEdit2) != -1) {
    TdxCriteriaItemList* group = criteria_->Root()->AddList(rbOr->Checked() ? fboOr : fboAnd);
    AddRow(group, OperatorEdit1, Value1, DisplayText1);
    AddRow(group, OperatorEdit2, Value2, DisplayText2);
  } else {
    AddRow(criteria_->Root(), OperatorEdit1, Value1, DisplayText1);
  }
}

bool ShowCustomFilterDialog(TdxDBTreeListColumn* Column, TdxDBGridCriteria* Criteria) {
  auto dialog = std::make_unique<TfmCustomDialog>(Application, Column, Criteria);
  if (dialog->ShowModal() != mrOk) return false;
  dialog->ApplyConditions();
  return true;
}

bool TdxDBGridFilter::ShowCustomDialog(TdxDBTreeListColumn* Column) {
  if (!ShowCustomFilterDialog(Column, criteria_.get())) return false;
  Changed();
  return true;
}
