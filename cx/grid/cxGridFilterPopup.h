// The column filter pop-up: the list under a column header's filter button of "(All)",
// "(Custom...)", "(Blanks)", "(NonBlanks)" and the column's values; a choice rewrites the column's
// conditions in the view's filter.
#pragma once

#include <functional>
#include <memory>

#include "cx/foundation/cxListBox.h"
#include "cx/foundation/cxPopupWindow.h"
#include "cx/grid/cxGridCustomTableView.h"

class TcxGridColumnHeaderFilterButtonViewInfo;
class TcxGridTableView;

// True unless the criteria are an AND root of conditions (equal .. not like) and AND/OR pairs of two
// such conditions on one item, no item named by two root entries: what the custom filter dialog edits.
bool NeedsFilterBuilder(TcxFilterCriteria* ACriteria);

class TcxGridFilterPopup : public TcxCustomPopupWindow {
  TRENVIK_CLASS(TcxGridFilterPopup, TcxCustomPopupWindow);

 public:
  explicit TcxGridFilterPopup(TcxCustomGridTableView* AView);
  ~TcxGridFilterPopup() override;

  TcxCustomGridTableView* GridView() const { return view_; }
  TcxCustomInnerListBox* ListBox() const { return listBox_; }
  TStrings* Texts() const { return texts_.get(); }
  TcxDataFilterValueList* ValueList() const { return valueList_.get(); }
  TcxCustomGridTableItem* Item() const { return item_; }
  // "(Custom...)" when set; else the table view's filter dialog for the column (the custom dialog
  // or the builder).
  std::function<void(TcxCustomGridTableItem* AItem)> OnCustomFilter;

  // The header's filter button opens it: the button's and the column header's bounds, in the
  // coordinates of the view's site.
  virtual void Popup(TcxCustomGridTableItem* AItem, const RECT& AButtonBounds, const RECT& AHeaderBounds);
  // Opened by a pressed filter button, which goes back to its normal state when the list closes.
  void Popup(TcxGridColumnHeaderFilterButtonViewInfo* AButton);
  TcxGridColumnHeaderFilterButtonViewInfo* FilterButton() const { return filterButton_; }
  // A layout pass frees the header's buttons, also while the list shows.
  void FilterButtonDestroyed(TcxGridColumnHeaderFilterButtonViewInfo* AButton);
  // What Popup remembers before showing: the column and where the list goes.
  void SetFilterButton(TcxCustomGridTableItem* AItem, const RECT& AButtonBounds, const RECT& AHeaderBounds);
  // The entries and their texts for the item; the entry of its current condition, -1 for none.
  virtual void FillValues();
  int CurrentEntryIndex();
  virtual void FitSize();
  virtual void ApplyChoice(int AIndex);
  void ClosePopup(bool AAskCloseQuery = false) override;
  void VisibleChanged() override;

 protected:
  void InitPopup() override;

 private:
  void DrawEntry(int AIndex, const RECT& ARect, TOwnerDrawState AState);
  TcxDataFilterCriteria* Criteria() const { return view_->DataController()->Filter(); }
  TcxGridTableView* TableView() const;

  TcxCustomGridTableView* view_;
  TcxCustomInnerListBox* listBox_ = nullptr;
  std::unique_ptr<TStringList> texts_;
  std::unique_ptr<TcxDataFilterValueList> valueList_;
  TcxCustomGridTableItem* item_ = nullptr;
  TcxGridColumnHeaderFilterButtonViewInfo* filterButton_ = nullptr;
  RECT headerBounds_{};
};

// Owns a table controller's filter pop-up and lets go of it when someone else frees it: the screen
// frees the forms still open at exit, the pop-up among them.
class TcxGridFilterPopupHolder : public TComponent {
  TRENVIK_CLASS(TcxGridFilterPopupHolder, TComponent);

 public:
  TcxGridFilterPopupHolder() : TComponent(nullptr) {}
  ~TcxGridFilterPopupHolder() override { Reset(nullptr); }
  TcxGridFilterPopup* Get() const { return popup_.get(); }
  void Reset(std::unique_ptr<TcxGridFilterPopup> APopup);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::unique_ptr<TcxGridFilterPopup> popup_;
};
