// The custom filter dialog behind a column drop-down's "(Custom...)" entry: up to two conditions on
// one column joined by And or Or, replacing the column's conditions on OK.
#pragma once

#include "dx/dbgrid/dxGrFltr.h"
#include "platform/forms/Bevel.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TdxDBTreeListColumn;
class TdxFilterDialogComboEdit;
class TdxInplaceEdit;

TRENVIK_ENUM(TdxFilterDialogOperator, fdoEquals, fdoNotEquals, fdoGreater, fdoGreaterOrEqual, fdoLess,
             fdoLessOrEqual, fdoBlanks, fdoNonBlanks);

// The operator chooser's text of a dialog operator ("equals", ...).
String FilterDialogOperatorText(TdxFilterDialogOperator Operator);
// How an existing condition shows in the operator chooser.
TdxFilterDialogOperator FilterDialogOperatorOf(TdxFilterOperatorKind Kind, bool IsNot);

class TfmCustomDialog : public TForm {
  TRENVIK_CLASS(TfmCustomDialog, TForm);

 public:
  // Builds the dialog for Column and shows the column's current conditions in it.
  TfmCustomDialog(TComponent* AOwner, TdxDBTreeListColumn* Column, TdxDBGridCriteria* Criteria);

  // The close with OK: both values read and converted to the column's value type; a value that
  // cannot be converted raises "Invalid value" with its editor focused, keeping the dialog open.
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  // Replaces the column's conditions by the dialog's rows.
  void ApplyConditions();

  TLabel* lblTitle = nullptr;
  TLabel* LColumnName = nullptr;
  TBevel* bvlLine = nullptr;
  TRadioButton* rbAnd = nullptr;
  TRadioButton* rbOr = nullptr;
  TButton* btnOK = nullptr;
  TButton* btnCancel = nullptr;
  TdxDBTreeListColumn* Column = nullptr;
  TdxFilterDialogComboEdit* OperatorEdit1 = nullptr;
  TdxFilterDialogComboEdit* OperatorEdit2 = nullptr;
  TdxInplaceEdit* ValueEdit1 = nullptr;
  TdxInplaceEdit* ValueEdit2 = nullptr;
  Variant Value1, Value2;
  String DisplayText1, DisplayText2;

 private:
  TdxFilterDialogComboEdit* NewOperatorEdit(const RECT& Bounds, bool WithNone);
  void ShowCondition(TdxCriteriaItem* Item, TdxFilterDialogComboEdit* OperatorEdit,
                     TdxInplaceEdit* ValueEdit);
  void ReadRow(TdxInplaceEdit* Editor, Variant& Value, String& DisplayText);
  void AddRow(TdxCriteriaItemList* List, TdxFilterDialogComboEdit* OperatorEdit, const Variant& Value,
              const String& DisplayText);

  TdxDBGridCriteria* criteria_;
};

// Runs the dialog modally; True when closed with OK (the criteria then changed).
bool ShowCustomFilterDialog(TdxDBTreeListColumn* Column, TdxDBGridCriteria* Criteria);
