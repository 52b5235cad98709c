// The MRU edit: a combo box whose list holds the texts most recently entered in it, newest first,
// with an ellipsis button that raises an event of its own.
#pragma once

#include "cx/editors/cxComboBox.h"

// Moves AText (or the item equal to it, letter case aside, with its own case) to the top of
// AItems, then trims the oldest items beyond AMaxCount (0: no limit). An empty text adds nothing.
void cxMRUAddItem(TStrings* AItems, const String& AText, int AMaxCount);

class TcxCustomMRUEditProperties : public TcxCustomComboBoxProperties {
  TRENVIK_CLASS(TcxCustomMRUEditProperties, TcxCustomComboBoxProperties);

 public:
  explicit TcxCustomMRUEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  int MaxItemCount() const { return maxItemCount_; }
  // Negative values become 0; the list is trimmed at once.
  void SetMaxItemCount(int Value);
  bool ShowEllipsis() const { return showEllipsis_; }
  void SetShowEllipsis(bool Value);
  TNotifyEvent OnEllipsisClick;

  TClass GetContainerClass() override;
  // MRU properties of a grid column take this list.
  void Update(TcxCustomEditProperties* AProperties) override;

 private:
  int maxItemCount_ = 0;
  bool showEllipsis_ = true;
};

class TcxMRUEditProperties : public TcxCustomMRUEditProperties {
  TRENVIK_CLASS(TcxMRUEditProperties, TcxCustomMRUEditProperties);

 public:
  explicit TcxMRUEditProperties(TPersistent* AOwner) : TcxCustomMRUEditProperties(AOwner) {}
};

class TcxCustomMRUEdit : public TcxCustomComboBox {
  TRENVIK_CLASS(TcxCustomMRUEdit, TcxCustomComboBox);

 public:
  explicit TcxCustomMRUEdit(TComponent* AOwner);

  TcxCustomMRUEditProperties* ActiveProperties() {
    return static_cast<TcxCustomMRUEditProperties*>(GetActiveProperties());
  }
  virtual void AddItem(const String& AText);

  TClass GetPropertiesClass() override { return TcxMRUEditProperties::StaticClass(); }
  void BeginPosting() override;
  bool Deactivate() override;
  void DoButtonClick(int AVisibleIndex) override;

 protected:
  void DoEnter() override;

 private:
  String textAtEntry_;
};

class TcxMRUEdit : public TcxCustomMRUEdit {
  TRENVIK_CLASS(TcxMRUEdit, TcxCustomMRUEdit);

 public:
  explicit TcxMRUEdit(TComponent* AOwner) : TcxCustomMRUEdit(AOwner) {}
};

void InitializeMRUEdit();
