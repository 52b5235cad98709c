// The print list: the people the main list showed when it was prepared, with the attributes the
// user ticks, optionally headed by the filter's description, exported as a workbook the shell opens.
#pragma once

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TPrintForm : public TForm {
  TRENVIK_CLASS(TPrintForm, TForm);

 public:
  explicit TPrintForm(TComponent* AOwner) : TForm(AOwner) {}

  TToolBar* ToolBar1 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TToolButton* ToolButton2 = nullptr;
  TToolButton* ToolButton3 = nullptr;
  TToolButton* ToolButton4 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TCheckListBox* CheckListBox1 = nullptr;
  TdxDBGrid* dxDBGridPrintList = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ToolButton1Click(TObject* Sender);
  void ToolButton3Click(TObject* Sender);
  void ToolButton4Click(TObject* Sender);
  void CheckListBox1ClickCheck(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void dxDBGridPrintListColumnClick(TObject* Sender, TdxTreeListColumn* Column);
  void dxDBGridPrintListColumnMoved(TObject* Sender, int FromIndex, int ToIndex);

  // The client sort of Grid's sorted columns, as the main list builds it; columns of calculated
  // fields lose their mark and are left out, since the client sort cannot order by them.
  static String GetSortString(TCustomdxDBGrid* Grid);

 private:
  void BindDataModule();
  void ApplySort();
};

// The print window while it is shown.
extern TPrintForm* PrintForm;

// Exports Grid with all its rows to "Text/<Name>" in the program's folder and opens it with the shell;
// an existing file is replaced. Raises when the folder is missing.
void ExportGridAndOpen(TCustomdxDBGrid* Grid, TWinControl* Owner, const String& Name);
