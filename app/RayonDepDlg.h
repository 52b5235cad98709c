// The import's question about a place of work: a node of the tree of territories and bodies
// (page 0), or a new body under a chosen node (page 1).
#pragma once

#include "app/MatchDlg.h"
#include "dx/dbgrid/dxDBTL.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TRayonDepDlg : public TMatchDlg {
  TRENVIK_CLASS(TRayonDepDlg, TMatchDlg);

 public:
  explicit TRayonDepDlg(TComponent* AOwner) : TMatchDlg(AOwner) {}
  // Closes what FormCreate opened; a destructor, since the form's OnDestroy runs after this class is gone.
  ~TRayonDepDlg() override;

  TLabel* Label2 = nullptr;
  TdxDBTreeList* dxDBTreeList1 = nullptr;
  TStaticText* StaticText1 = nullptr;
  TLabel* Label3 = nullptr;
  TdxDBTreeList* dxDBTreeList2 = nullptr;
  TLabeledEdit* LabeledEdit1 = nullptr;
  TComboBoxEx* ComboBoxEx1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void PageControl1Change(TObject* Sender);
  void dxDBTreeList1ChangeNode(TObject* Sender, TdxTreeListNode* OldNode, TdxTreeListNode* Node);
};
