// The main window: the run mode read from "edu.ini", the menu bar, the cool bar with the search
// box and the action tool bars, the people list and the status bar.
#pragma once

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "platform/dbctrls/DBActns.h"
#include "platform/forms/ActnMan.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/Timers.h"

class TMainForm : public TForm {
  TRENVIK_CLASS(TMainForm, TForm);

 public:
  explicit TMainForm(TComponent* AOwner) : TForm(AOwner) {}

  // The low 8 bits of [Application] Mode of "edu.ini": 0 centre, anything else periphery; exactly 1
  // also marks new rows with a record status.
  Byte RunMode = 0;

  TActionMainMenuBar* ActionMainMenuBar1 = nullptr;
  TCoolBar* CoolBar1 = nullptr;
  TToolBar* ToolBar1 = nullptr;
  TEdit* Edit1 = nullptr;
  TAnimate* Animate1 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TToolButton* ToolButton2 = nullptr;
  TToolButton* ToolButton3 = nullptr;
  TToolButton* ToolButton4 = nullptr;
  TPanel* Panel1 = nullptr;
  TActionToolBar* ActionToolBar1 = nullptr;
  TActionToolBar* ActionToolBar3 = nullptr;
  // Panels: 0 the mode (150 pixels), 1 the record count (150), 2 the current hint (50).
  TStatusBar* StatusBar1 = nullptr;
  TdxDBGrid* dxDBGrid1 = nullptr;
  TdxDBGridMaskColumn* dxDBGrid1O_PEOPLEID = nullptr;
  TdxDBGridColumn* dxDBGrid1FSTNAME = nullptr;
  TdxDBGridColumn* dxDBGrid1SECNAME = nullptr;
  TdxDBGridColumn* dxDBGrid1LASTNAME = nullptr;
  TdxDBGridDateColumn* dxDBGrid1BIRTHDATE = nullptr;
  TTimer* Timer1 = nullptr;
  TApplicationEvents* ApplicationEvents1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TImageList* ImageList1 = nullptr;
  TActionManager* ActionManager1 = nullptr;
  TAction* AExit = nullptr;
  TAction* ASprav = nullptr;
  TAction* Action1 = nullptr;
  TDataSetFirst* DataSetFirst1 = nullptr;
  TDataSetPrior* DataSetPrior1 = nullptr;
  TDataSetNext* DataSetNext1 = nullptr;
  TDataSetLast* DataSetLast1 = nullptr;
  TAction* ARefresh = nullptr;
  TAction* AAddPeople = nullptr;
  TAction* ADelPeople = nullptr;
  TAction* AViewEdu = nullptr;
  TAction* APrintList = nullptr;
  TAction* AShowDoubles = nullptr;
  TAction* ASetFilter = nullptr;
  TAction* ARemoveFilter = nullptr;

  // The rows of a merge: where the drag started and where it is over.
  TdxTreeListNode* DragNode = nullptr;
  TdxTreeListNode* DropNode = nullptr;

  String StatusText(int Panel) const;
  void SetStatusText(int Panel, const String& Text);

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Timer1Timer(TObject* Sender);
  void ApplicationEvents1Hint(TObject* Sender);
  void Edit1Enter(TObject* Sender);
  void Edit1Exit(TObject* Sender);
  void Edit1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void dxDBGrid1ColumnClick(TObject* Sender, TdxTreeListColumn* Column);
  void dxDBGrid1ColumnMoved(TObject* Sender, int FromIndex, int ToIndex);
  void N1Click(TObject* Sender);
  void AExitExecute(TObject* Sender);
  void ARefreshExecute(TObject* Sender);
  void AAddPeopleExecute(TObject* Sender);
  void ADelPeopleExecute(TObject* Sender);
  void AViewEduExecute(TObject* Sender);
  void dxDBGrid1DblClick(TObject* Sender);
  void ASpravExecute(TObject* Sender);
  void ASetFilterExecute(TObject* Sender);
  void ARemoveFilterExecute(TObject* Sender);
  void Action1Execute(TObject* Sender);
  void APrintListExecute(TObject* Sender);
  void AShowDoublesExecute(TObject* Sender);
  void dxDBGrid1BeginDragNode(TObject* Sender, TdxTreeListNode* Node);
  void dxDBGrid1DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
  void dxDBGrid1DragDrop(TObject* Sender, TObject* Source, int X, int Y);

  // The client-side sort text of Grid's sorted columns in column order ("FSTNAME ASC , ..."); empty
  // when no column is sorted.
  static String GetSortString(TCustomdxDBGrid* Grid);

 protected:
  // The code uses every component the form file names; only the image list is made in FormCreate.
  void Loaded() override;

 private:
  // The list's navigation actions act on the data module's people list.
  void BindListActions();
  // The list's dataset sorted by the grid's sorted columns.
  void ApplyListSort();
  void ApplyStoredSort();
  // The list reopened on Statement; Filtered shows the indicator and enables removing.
  void OpenPeopleList(const String& Statement, bool Filtered);
  // A row dropped on another merges the dragged card into the card dropped on.
  void BindMergeDrag();
};

extern TMainForm* MainForm;

// The mode as "edu.ini" in Folder holds it; writes [Application] Mode=0 when the section is missing.
Byte ReadRunMode(const String& Folder);
