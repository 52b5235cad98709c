// The filter window: where the person works, the registration data and the training records the
// people list is narrowed by. Its boxes and fields become the list's WHERE and JOIN texts and a
// readable description.
//
// The window holds controls of both component families, whose headers cannot meet in one
// translation unit: this header names them only, FilterForm.cpp works the dx side and the platform
// controls, FilterFormEditors.cpp (compiled on its own) the cx editors and lookups.
#pragma once

#include "app/FilterStatement.h"
#include "platform/ado/ADODB.h"
#include "platform/forms/ActnMan.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TdxCheckEdit;
class TdxDBTreeList;
class TcxSpinEdit;
class TcxRadioGroup;
class TcxDateEdit;
class TcxExtLookupComboBox;
class TcxEditRepository;
class TcxEditRepositoryExtLookupComboBoxItem;
class TcxEditRepositoryRadioGroupItem;
class TcxGrid;
class TcxGridDBTableView;

class TFilterForm : public TForm {
  TRENVIK_CLASS(TFilterForm, TForm);

 public:
  explicit TFilterForm(TComponent* AOwner) : TForm(AOwner) {}

  String WhereText;
  String JoinText;
  String FilterDescription;
  Byte FilterSet = 0;

  TActionMainMenuBar* ActionMainMenuBar1 = nullptr;
  TActionManager* ActionManager1 = nullptr;
  TAction* AApplyFilter = nullptr;
  TAction* ACancelFilter = nullptr;
  // Territory band.
  TPanel* Panel1 = nullptr;
  TdxCheckEdit* dxCheckEdit1 = nullptr;
  TdxDBTreeList* DBTreeList = nullptr;
  // Registration band.
  TPanel* Panel2 = nullptr;
  TdxCheckEdit* dxCheckEdit2 = nullptr;
  TPanel* Panel3 = nullptr;
  TdxCheckEdit* dxCheckEdit4 = nullptr;
  TLabeledEdit* LabeledEdit1 = nullptr;
  TComboBoxEx* ComboBoxEx1 = nullptr;
  TdxCheckEdit* dxCheckEdit5 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TComboBoxEx* ComboBoxEx2 = nullptr;
  TdxCheckEdit* dxCheckEdit6 = nullptr;
  TdxCheckEdit* dxCheckEdit8 = nullptr;
  TdxCheckEdit* dxCheckEdit10 = nullptr;
  TLabeledEdit* LabeledEdit2 = nullptr;
  TComboBoxEx* ComboBoxEx4 = nullptr;
  // Training band.
  TPanel* Panel4 = nullptr;
  TdxCheckEdit* dxCheckEdit3 = nullptr;
  TPanel* Panel5 = nullptr;
  TdxCheckEdit* dxCheckEdit7 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TCheckBox* CheckBoxMaxDate = nullptr;
  TComboBoxEx* ComboBoxEx3 = nullptr;
  TdxCheckEdit* dxCheckEdit9 = nullptr;
  TdxCheckEdit* dxCheckEdit11 = nullptr;
  TdxCheckEdit* dxCheckEdit12 = nullptr;
  TdxCheckEdit* dxCheckEdit13 = nullptr;
  TLabeledEdit* LabeledEdit3 = nullptr;
  TComboBoxEx* ComboBoxEx5 = nullptr;
  TdxCheckEdit* dxCheckEdit14 = nullptr;
  TLabeledEdit* LabeledEdit4 = nullptr;
  TComboBoxEx* ComboBoxEx6 = nullptr;
  TdxCheckEdit* dxCheckEdit15 = nullptr;
  TLabeledEdit* LabeledEdit5 = nullptr;
  TComboBoxEx* ComboBoxEx7 = nullptr;
  // The window's own lookup tables.
  TADODataSet* M_KAT = nullptr;
  TADODataSet* M_COLLAGE = nullptr;
  TADODataSet* M_ASSESS = nullptr;
  TADODataSet* M_KATEDU = nullptr;
  TDataSource* M_KAT_DS = nullptr;
  TDataSource* M_COLLAGE_DS = nullptr;
  TDataSource* M_ASSESS_DS = nullptr;
  TDataSource* M_KATEDU_DS = nullptr;

  // The cx editors, found by name when the window is made (FilterFormEditors.cpp).
  TcxSpinEdit* cxSpinEdit1 = nullptr;
  TcxSpinEdit* cxSpinEdit2 = nullptr;
  TcxRadioGroup* cxRadioGroup1 = nullptr;
  TcxDateEdit* cxDateEdit1 = nullptr;
  TcxDateEdit* cxDateEdit2 = nullptr;
  TcxExtLookupComboBox* cxExtLookupComboBox1 = nullptr;
  TcxExtLookupComboBox* cxExtLookupComboBox2 = nullptr;
  TcxExtLookupComboBox* cxExtLookupComboBox3 = nullptr;
  TcxExtLookupComboBox* cxExtLookupComboBox4 = nullptr;
  // The hidden grid whose views the lookups show, and the repository the lookups and the sex
  // group take their settings from.
  TcxGrid* cxGrid1 = nullptr;
  TcxEditRepository* cxEditRepository1 = nullptr;
  TcxEditRepositoryRadioGroupItem* cxEditRepository1RadioGroupItem1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void AApplyFilterExecute(TObject* Sender);
  void ACancelFilterExecute(TObject* Sender);
  void ClearFilter();
  void BuildFilter();
  // The tree's selected nodes, key and name, in the order of its selection list.
  std::vector<TFilterNode> SelectedNodes();
  void EnablePanelControls(TPanel* Panel);

  void dxCheckEdit1Change(TObject* Sender);
  void dxCheckEdit2Change(TObject* Sender);
  void dxCheckEdit3Change(TObject* Sender);
  void dxCheckEdit4Change(TObject* Sender);
  void ComboBoxEx2Change(TObject* Sender);
  void ComboBoxEx3Change(TObject* Sender);
  void LabeledEdit1Change(TObject* Sender);
  void LabeledEdit2Change(TObject* Sender);
  void LabeledEdit3Change(TObject* Sender);
  void LabeledEdit4Change(TObject* Sender);
  void LabeledEdit5Change(TObject* Sender);
  void cxSpinEdit1Click(TObject* Sender);
  void cxRadioGroup1Click(TObject* Sender);
  // Clears the apply box of lookup Row (0 category, 1 institution, 2 assessment, 3 kind of
  // training) once its value became empty; choosing a value ticks nothing.
  void ClearLookupApply(int Row);

  // The state of a three-state box.
  static TFilterCheck CheckOf(TdxCheckEdit* Box);

 private:
  // --- The cx side (FilterFormEditors.cpp) ---
  void FindEditors();
  void MakeSexItem();
  void MakeLookups();
  void ReadEditorSettings(TFilterSettings& Settings);
  void ClearEditors();
  void ShowDateEditors(int Item);
  void ShowAgeEditors(int Item);
  void SetNowDates();

  // --- The dx side and the platform controls ---
  void MakeLookupTables();
  void OpenLookupTables();
  void CloseLookupTables();
  // The display name of a lookup's key, read from the database.
  static String LookupName(const char16_t* Statement, const Variant& Key);

  TFilterSettings GatherSettings();
  // Ticks Box when it is clear.
  static void TickWhenClear(TdxCheckEdit* Box);
  // Ticks Box when Edit got text, clears it when the text went.
  static void FollowText(TLabeledEdit* Edit, TdxCheckEdit* Box);
  void BindHandlers();
  // Shows and enables Panel in Colour, shows it disabled, or hides it; clears Boxes but when ticked.
  void ShowSection(TdxCheckEdit* Section, TPanel* Panel, TColor Colour,
                   std::initializer_list<TdxCheckEdit*> Boxes);
  static void RestyleCaption(TdxCheckEdit* Box);
};

// The window's layout names cx editor classes the cx libraries leave unregistered.
void RegisterFilterEditorClasses();

// Made at start after the data module, kept for the whole run.
extern TFilterForm* FilterForm;
