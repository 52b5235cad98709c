// The names that occur on several cards, exported as a workbook or followed to the main list.
#pragma once

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"

class TDoublesFIOForm : public TForm {
  TRENVIK_CLASS(TDoublesFIOForm, TForm);

 public:
  explicit TDoublesFIOForm(TComponent* AOwner) : TForm(AOwner) {}

  TToolBar* ToolBar1 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TToolButton* ToolButton3 = nullptr;
  TToolButton* ToolButton4 = nullptr;
  TToolButton* ToolButton5 = nullptr;
  TToolButton* ToolButton2 = nullptr;
  TdxDBGrid* dxDBGrid1 = nullptr;

  void FormCreate(TObject* Sender);
  void ToolButton1Click(TObject* Sender);
  void ToolButton2Click(TObject* Sender);
  void ToolButton4Click(TObject* Sender);
};

// The duplicates window while it is shown.
extern TDoublesFIOForm* DoublesFIOForm;
