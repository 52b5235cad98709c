// The custom filter dialog: one column's conditions as one or two comparisons joined by AND or OR,
// edited in the column's own filter value editors and written back into the criteria on OK.
#pragma once

#include <vector>

#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxComboBox.h"
#include "cx/foundation/cxButtons.h"
#include "cx/grid/cxFilterControlUtils.h"
#include "platform/forms/Bevel.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TcxLookAndFeel;

// The filter dialogs' string-table texts.
constexpr int cxSFilterDialogCaption = 64846;
constexpr int cxSFilterDialogRows = 64847;
constexpr int cxSFilterDialogOk = 64848;
constexpr int cxSFilterDialogCancel = 64849;
constexpr int cxSFilterDialogUse = 64850;
constexpr int cxSFilterDialogSingleCharacter = 64851;
constexpr int cxSFilterDialogCharacters = 64852;
constexpr int cxSFilterBuilderCaption = 64853;
constexpr int cxSFilterBuilderOpenTitle = 64854;
constexpr int cxSFilterBuilderSaveTitle = 64855;
constexpr int cxSFilterBuilderFileFilter = 64856;
constexpr int cxSFilterBuilderUntitled = 64857;
constexpr int cxSFilterBuilderSaveAs = 64858;
constexpr int cxSFilterBuilderOpen = 64859;
constexpr int cxSFilterBuilderApply = 64860;

class TcxFilterDialog : public TForm {
  TRENVIK_CLASS(TcxFilterDialog, TForm);

 public:
  explicit TcxFilterDialog(TComponent* AOwner) : TForm(AOwner) {}

  TLabel* lblTitle = nullptr;
  TLabel* lblColumnCaption = nullptr;
  TBevel* bvlLine = nullptr;
  TcxComboBox* cbOperator1 = nullptr;
  TcxComboBox* cbOperator2 = nullptr;
  TLabel* lblEdit1PlaceHolder = nullptr;
  TLabel* lblEdit2PlaceHolder = nullptr;
  TcxRadioButton* rbAnd = nullptr;
  TcxRadioButton* rbOr = nullptr;
  TLabel* lblSingle = nullptr;
  TLabel* lblSeries = nullptr;
  TcxButton* btnOK = nullptr;
  TcxButton* btnCancel = nullptr;

  // Texts, operators, value editors and the column's current conditions.
  void Init(TcxFilterCriteria* ACriteria, TObject* AItemLink, const TcxCustomFilterEditHelper* AHelper,
            TcxCustomEditProperties* AProperties, const TcxValueType* AValueType, const String& ACaption,
            TcxLookAndFeel* ALookAndFeel);
  TcxCustomEdit* ValueEdit1() const { return valueEdit1_; }
  TcxCustomEdit* ValueEdit2() const { return valueEdit2_; }
  // The operator id of a combo box's selection: 0 for none and for the second row's empty item.
  int SelectedOperator(TcxComboBox* ABox) const;
  // Replaces the column's conditions by what the dialog shows.
  void ApplyChanges();
  // Closing with OK first reads and checks both rows; an error is shown and keeps the dialog open.
  bool CloseQuery() override;

 private:
  struct TRowResult {
    Variant Value;
    String DisplayText;
  };
  void FillOperators(TcxComboBox* ABox, bool AWithEmptyItem);
  void SelectCondition(TcxComboBox* ABox, TcxCustomEdit* AEdit, TcxFilterCriteriaItem* AItem);
  TcxCustomEdit* CreateValueEdit(TLabel* APlaceHolder);
  void OperatorChanged();
  TRowResult ReadRow(TcxComboBox* ABox, TcxCustomEdit* AEdit);
  void AddRow(TcxFilterCriteriaItemList* AParent, TcxComboBox* ABox, const TRowResult& ARow);

  TcxFilterCriteria* criteria_ = nullptr;
  TObject* itemLink_ = nullptr;
  const TcxCustomFilterEditHelper* helper_ = nullptr;
  TcxCustomEditProperties* properties_ = nullptr;
  const TcxValueType* valueType_ = nullptr;
  std::vector<int> operators_;
  TcxCustomEdit* valueEdit1_ = nullptr;
  TcxCustomEdit* valueEdit2_ = nullptr;
  TRowResult row1_, row2_;
};

// The custom filter dialog for one column of ACriteria (AItemLink is the column); true when it
// closed with OK and rewrote the column's conditions. Nothing happens (false) when no filter edit
// helper is registered for the properties' class.
bool RunColumnFilterDialog(TcxFilterCriteria* ACriteria, TObject* AItemLink, TcxCustomEditProperties* AProperties,
                           TcxLookAndFeel* ALookAndFeel, const TcxValueType* AValueType, const String& ACaption);

void cxFilterDialogsInitialize();
