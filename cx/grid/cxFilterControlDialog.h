// The filter builder dialog: a filter control linked to a view, applied with Apply or OK, its rows
// opened from and saved to ".flt" files; it reopens where it was last closed.
#pragma once

#include "cx/foundation/cxButtons.h"
#include "cx/grid/cxFilterControl.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"

class TcxLookAndFeel;

class TfmFilterControlDialog : public TForm {
  TRENVIK_CLASS(TfmFilterControlDialog, TForm);

 public:
  explicit TfmFilterControlDialog(TComponent* AOwner) : TForm(AOwner) {}

  TPanel* pnlBottom = nullptr;
  TcxButton* btOpen = nullptr;
  TcxButton* btSave = nullptr;
  TcxButton* btOk = nullptr;
  TcxButton* btCancel = nullptr;
  TcxButton* btApply = nullptr;
  TcxFilterControl* FilterControl = nullptr;
  TOpenDialog* OpenDialog = nullptr;
  TSaveDialog* SaveDialog = nullptr;

  // The link's rows, texts, handlers and the remembered bounds.
  void Init(TComponent* ALinkComponent, TcxLookAndFeel* ALookAndFeel, TColor AColor, TNotifyEvent AOnShow,
            TNotifyEvent AOnApply);
  const String& FileName() const { return fileName_; }
  // OK applies the rows first; an invalid row is shown and keeps the dialog open.
  bool CloseQuery() override;

 protected:
  void DoClose(TCloseAction& Action) override;

 private:
  void SetFileName(const String& AFileName);
  void OpenClick();
  void SaveClick();

  String fileName_;
};

// The filter builder's last bounds, -1 until a builder closed; kept for the process only.
struct TcxFilterBuilderBounds {
  int Left = -1;
  int Top = -1;
  int Width = -1;
  int Height = -1;
};
TcxFilterBuilderBounds& cxFilterBuilderBounds();

// Shows the filter builder for ALinkComponent's filter modally; true when it closed with OK. AColor
// clDefault keeps the control's own colour.
bool ShowFilterBuilderDialog(TComponent* ALinkComponent, TcxLookAndFeel* ALookAndFeel, TColor AColor,
                             TNotifyEvent AOnShow, TNotifyEvent AOnApply);
