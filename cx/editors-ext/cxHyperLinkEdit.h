// The hyperlink edit: a text editor that shows its text as an underlined link and starts it (an
// event, or else the shell's "open" of the text) on a double click, a single click or a key.
#pragma once

#include "cx/editors/cxTextEdit.h"
#include "cx/editors/cxTextEditViewInfo.h"

class TcxCustomHyperLinkEditProperties : public TcxCustomTextEditProperties {
  TRENVIK_CLASS(TcxCustomHyperLinkEditProperties, TcxCustomTextEditProperties);

 public:
  explicit TcxCustomHyperLinkEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  TColor LinkColor() const { return linkColor_; }
  void SetLinkColor(TColor Value);
  bool SingleClick() const { return singleClick_; }
  void SetSingleClick(bool Value) { singleClick_ = Value; }
  TcxShortCut StartKey() const { return startKey_; }
  void SetStartKey(TcxShortCut Value) { startKey_ = Value; }
  TNotifyEvent OnStartClick;

  TClass GetContainerClass() override;
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
  TcxEditSupportedOperations GetSupportedOperations() override;

 private:
  TColor linkColor_ = clBlue;
  bool singleClick_ = false;
  TcxShortCut startKey_ = scCxCtrl | 13;
};

class TcxHyperLinkEditProperties : public TcxCustomHyperLinkEditProperties {
  TRENVIK_CLASS(TcxHyperLinkEditProperties, TcxCustomHyperLinkEditProperties);

 public:
  explicit TcxHyperLinkEditProperties(TPersistent* AOwner) : TcxCustomHyperLinkEditProperties(AOwner) {}
};

// The text drawn underlined in the link colour (in a selected, unfocused cell: the text colour).
class TcxHyperLinkEditViewInfo : public TcxCustomTextEditViewInfo {
  TRENVIK_CLASS(TcxHyperLinkEditViewInfo, TcxCustomTextEditViewInfo);

 public:
  TcxHyperLinkEditViewInfo() = default;
  void Assign(TObject* Source) override;

  TColor LinkColor = clBlue;
  bool Focused = false;

 protected:
  void PaintText(TcxCanvas* ACanvas) override;
};

class TcxCustomHyperLinkEdit : public TcxCustomTextEdit {
  TRENVIK_CLASS(TcxCustomHyperLinkEdit, TcxCustomTextEdit);

 public:
  explicit TcxCustomHyperLinkEdit(TComponent* AOwner);

  TcxCustomHyperLinkEditProperties* ActiveProperties() {
    return static_cast<TcxCustomHyperLinkEditProperties*>(GetActiveProperties());
  }
  virtual void StartLink();

  TClass GetPropertiesClass() override { return TcxHyperLinkEditProperties::StaticClass(); }
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void PropertiesChanged(TObject* Sender) override;
  void ContainerStyleChanged(TObject* Sender) override;
  void SelectAll() override;
  void MouseEnter(TControl* AControl) override;
  void MouseLeave(TControl* AControl) override;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool InClient(int X, int Y);
  // What a press or release in the edit's coordinates starts.
  void LinkMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void LinkMouseUp(TMouseButton Button, int X, int Y);
  // The inner control's font underlined in the link colour, as the drawn link.
  void UpdateLinkFont();

  TCursor rememberedCursor_ = crDefault;
};

class TcxHyperLinkEdit : public TcxCustomHyperLinkEdit {
  TRENVIK_CLASS(TcxHyperLinkEdit, TcxCustomHyperLinkEdit);

 public:
  explicit TcxHyperLinkEdit(TComponent* AOwner) : TcxCustomHyperLinkEdit(AOwner) {}
};

void InitializeHyperLinkEdit();
