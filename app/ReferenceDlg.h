// The import's questions about one staged name: associate it with an entry of a reference list
// (page 0) or add it as a new entry (page 1). Institutions, kinds of training and sexes share this
// layout; the place of work and the person have dialogs of their own.
#pragma once

#include "app/MatchDlg.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TDataSource;

class TReferenceDlg : public TMatchDlg {
  TRENVIK_CLASS(TReferenceDlg, TMatchDlg);

 public:
  explicit TReferenceDlg(TComponent* AOwner) : TMatchDlg(AOwner) {}

  TdxDBGrid* dxDBGrid1 = nullptr;
  TLabel* Label1 = nullptr;
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  // The data module's list this dialog offers.
  virtual TDataSource* ListSource() const = 0;
};

class TCollageDlg : public TReferenceDlg {
  TRENVIK_CLASS(TCollageDlg, TReferenceDlg);

 public:
  explicit TCollageDlg(TComponent* AOwner) : TReferenceDlg(AOwner) {}

 protected:
  TDataSource* ListSource() const override;
};

class TKatEduDlg : public TReferenceDlg {
  TRENVIK_CLASS(TKatEduDlg, TReferenceDlg);

 public:
  explicit TKatEduDlg(TComponent* AOwner) : TReferenceDlg(AOwner) {}

 protected:
  TDataSource* ListSource() const override;
};

class TSexDlg : public TReferenceDlg {
  TRENVIK_CLASS(TSexDlg, TReferenceDlg);

 public:
  explicit TSexDlg(TComponent* AOwner) : TReferenceDlg(AOwner) {}

 protected:
  TDataSource* ListSource() const override;
};
