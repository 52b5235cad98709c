// The extended lookup combo box: a dataset lookup editor whose drop-down shows a table view the
// developer designed (columns, styles, sorting, filtering) inside a small grid the properties own.
// The edit value is the key of a record of the view's data, the text that record's text in one
// column of the view.
#pragma once

#include <memory>

#include "cx/editors-ext/cxDBLookupEdit.h"
#include "cx/grid/cxGrid.h"

class TcxCustomGridTableItem;
class TcxCustomGridTableView;
class TcxGridTableView;
class TcxFreeNotificator;
class TcxGridLevel;

// The grid in the drop-down window; while open it hears the shown view's keys and mouse.
class TcxExtLookupGrid : public TcxGrid {
  TRENVIK_CLASS(TcxExtLookupGrid, TcxGrid);

 public:
  explicit TcxExtLookupGrid(TComponent* AOwner);

  // The view on the grid's only level, nullptr while closed.
  TcxCustomGridTableView* View() const;
  bool FocusPopup() const { return focusPopup_; }
  void SetFocusPopup(bool Value) { focusPopup_ = Value; }
  bool PopupMouseTracking() const { return popupMouseTracking_; }
  void SetPopupMouseTracking(bool Value) { popupMouseTracking_ = Value; }
  bool ClickPending() const { return clickPending_; }

  // The handlers the properties install on the shown view.
  void ViewKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void ViewMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ViewMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ViewMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  // Closes the drop-down; on accept the focused row becomes the selected one.
  void DoCloseUp(bool AAccept);
  // The grid's own capture, or its view's site's.
  bool HoldsMouseCapture() const;
  // The record of a data row under a point of the view's site, or -1 (group rows, empty room).
  int DataRowIndexAt(int X, int Y) const;

  TcxLookupCloseUpEvent OnCloseUp;

 protected:
  void ResetMouseCaptureObject() override;

 private:
  bool focusPopup_ = false;
  bool popupMouseTracking_ = false;
  bool clickPending_ = false;
};

class TcxExtLookupComboBoxProperties : public TcxCustomDBLookupEditProperties {
  TRENVIK_CLASS(TcxExtLookupComboBoxProperties, TcxCustomDBLookupEditProperties);

 public:
  explicit TcxExtLookupComboBoxProperties(TPersistent* AOwner);
  ~TcxExtLookupComboBoxProperties() override;

  void Assign(TPersistent* Source) override;

  bool AutoSearchOnPopup() const { return autoSearchOnPopup_; }
  void SetAutoSearchOnPopup(bool Value) { autoSearchOnPopup_ = Value; }
  bool FocusPopup() const { return focusPopup_; }
  void SetFocusPopup(bool Value) { focusPopup_ = Value; }
  TcxExtLookupGrid* Grid() const { return grid_.get(); }
  TcxCustomGridTableView* View() const { return view_; }
  // A view that cannot be a lookup list is ignored.
  void SetView(TcxCustomGridTableView* Value);
  // Nullptr while a lookup field of the dataset defines the list.
  TcxCustomGridTableItem* ListFieldItem();
  // An item that is not the view's becomes nullptr.
  void SetListFieldItem(TcxCustomGridTableItem* Value);
  static bool IsViewSupported(TcxCustomGridTableView* AView);

  // --- Overrides of the lookup contract ---
  TClass GetContainerClass() override;
  bool PopupTakesFocus() override { return focusPopup_; }
  TWinControl* GetPopupControl() override;
  bool AdjustsPopupHeight() override;
  int GetListColumnCount() override;
  TWinControl* GetListControl() override;
  TcxCustomDataController* GetListDataController() override;
  int GetListAutoWidth() override;
  int GetNearestPopupHeight(int AHeight) override;
  int GetPopupHeightForRows(int ARowCount) override;
  bool IsRecordAtPoint(POINT APoint) override;
  void DeinitializePopup() override;
  void SearchInPopup(const String& AText) override;
  void SetListEvents(TNotifyEvent AClickEvent, TNotifyEvent, TcxLookupCloseUpEvent ACloseUpEvent) override;
  void InitializePopup() override;
  void SetListAppearance(TcxLookAndFeel* ALookAndFeel, TColor AColor, TFont* AFont) override;
  void BeginPopupMode() override;
  void EndPopupMode() override;
  void UnlinkDataController() override;
  bool IsIncrementalFilteringActive() override;
  int GetEffectiveListIndex() override;
  void LinkDataController() override;
  void BeginListUpdate() override;
  void EnsureListColumn(const String& AFieldName) override;
  void SetListColumnsByFieldNames(const String& AFieldNames) override;
  void EndListUpdate() override;
  TField* GetListColumnField(int AIndex) override;
  void GetListColumnFieldName(int AIndex, String& AName) override;
  int FindListColumnByFieldName(const String& AFieldName) override;
  TcxDBDataController* GetListDBDataController() override;

 private:
  // What the drop-down changes on the view while it shows it, as it was before opening.
  struct TSavedViewState {
    bool columnFiltering = true;
    bool pullFocusing = false;
    bool immediateEditor = true;
    bool incSearch = false;
    bool multiSelect = false;
    TKeyEvent onKeyDown;
    TMouseEvent onMouseDown;
    TMouseMoveEvent onMouseMove;
    TMouseEvent onMouseUp;
    // Cleared when the level is freed while the drop-down is open.
    TcxGridLevel* level = nullptr;
    bool saved = false;
  };
  void LinkView(TcxCustomGridTableView* AView);
  void UnlinkView(TcxCustomGridTableView* AView);
  void CheckListFieldItem();
  bool IsViewItem(TcxCustomGridTableItem* AItem) const;
  // A free notification: the component is inside its destructor and must not be used.
  void ComponentFreed(TComponent* AComponent);
  void SaveViewState(TcxGridTableView* AView);
  void RestoreViewState(TcxGridTableView* AView);
  void HookViewInput();
  // Lays out a view that no shown grid ever laid out, in the drop-down grid's bounds.
  void EnsureViewLaidOut();

  bool autoSearchOnPopup_ = true;
  bool focusPopup_ = false;
  std::unique_ptr<TcxExtLookupGrid> grid_;
  std::unique_ptr<TcxFreeNotificator> freeNotificator_;
  bool checkingListFieldItem_ = false;
  TcxCustomGridTableItem* listFieldItem_ = nullptr;
  TSavedViewState saved_;
  TcxCustomGridTableView* view_ = nullptr;
};

class TcxCustomExtLookupComboBox : public TcxCustomDBLookupEdit {
  TRENVIK_CLASS(TcxCustomExtLookupComboBox, TcxCustomDBLookupEdit);

 public:
  explicit TcxCustomExtLookupComboBox(TComponent* AOwner);

  TcxExtLookupComboBoxProperties* ActiveProperties() {
    return static_cast<TcxExtLookupComboBoxProperties*>(GetActiveProperties());
  }
  TcxExtLookupComboBoxProperties* Properties() const {
    return static_cast<TcxExtLookupComboBoxProperties*>(TcxCustomDBLookupEdit::Properties());
  }
  void SetProperties(TcxExtLookupComboBoxProperties* Value) { Properties()->Assign(Value); }
  TClass GetPropertiesClass() override { return TcxExtLookupComboBoxProperties::StaticClass(); }
  bool CanDropDown() override;
};

class TcxExtLookupComboBox : public TcxCustomExtLookupComboBox {
  TRENVIK_CLASS(TcxExtLookupComboBox, TcxCustomExtLookupComboBox);

 public:
  explicit TcxExtLookupComboBox(TComponent* AOwner) : TcxCustomExtLookupComboBox(AOwner) {}
};

class TcxEditRepositoryExtLookupComboBoxItem : public TcxEditRepositoryItem {
  TRENVIK_CLASS(TcxEditRepositoryExtLookupComboBoxItem, TcxEditRepositoryItem);

 public:
  explicit TcxEditRepositoryExtLookupComboBoxItem(TComponent* AOwner);

  TClass GetPropertiesClass() override { return TcxExtLookupComboBoxProperties::StaticClass(); }
  // Raises the framework's invalid-cast error when the properties are of another class.
  TcxExtLookupComboBoxProperties* Properties() const;
  void SetProperties(TcxExtLookupComboBoxProperties* Value) { TcxEditRepositoryItem::SetProperties(Value); }
};

// The streaming registry's item class and the registered editor properties.
void cxExtLookupComboBoxInitialize();
