// The table view's controller: horizontal scrolling, sorting by header clicks, the table view's key
// map (cells, rows and the new-item row), the scroll bars and the customization form.
#pragma once

#include <memory>

#include "cx/grid/cxGridCustomTableController.h"

class TcxGridColumn;
class TcxGridFilterPopup;
class TcxGridFilterPopupHolder;
class TcxGridTableLayoutAdapter;
class TcxGridTableView;
class TcxGridTableCustomizationForm;

// What the table controller asks of the table view's column layout; the table view information
// implements it.
class IcxGridColumnsLayout {
 public:
  // The width of all column headers together.
  virtual int DataWidth() = 0;
  // The rows area without the indicator: where columns scroll.
  virtual RECT ClientBounds() = 0;
  // Rows shown whole (a partly shown last row does not count).
  virtual int FullyVisibleRowCount() = 0;
  // The header cell of a visible column, in site coordinates; False when the header shows none.
  virtual bool GetColumnHeaderBounds(TcxGridColumn* AColumn, RECT& ABounds) = 0;

 protected:
  ~IcxGridColumnsLayout() = default;
};

class TcxGridTableController : public TcxCustomGridTableController {
  TRENVIK_CLASS(TcxGridTableController, TcxCustomGridTableController);

 public:
  explicit TcxGridTableController(TcxCustomGridView* AGridView);
  ~TcxGridTableController() override;

  TcxGridTableView* GridView() const;
  IcxGridColumnsLayout* ColumnsLayout() const;
  IcxGridRecordsLayout* Layout() const override;
  int GetLeftPos() override { return leftPos_; }
  void CheckCoordinates() override;
  int LeftPos() const { return leftPos_; }
  void SetLeftPos(int Value);
  bool Customization() const { return customizationForm_ != nullptr; }
  void SetCustomization(bool Value);
  TcxGridTableCustomizationForm* CustomizationForm() const { return customizationForm_.get(); }
  // The form forgets itself when it is closed by the user.
  void CustomizationFormDestroyed();
  // The column filter drop-down, made on first use and kept; FilterPopupIfMade does not make it.
  TcxGridFilterPopup* FilterPopup();
  TcxGridFilterPopup* FilterPopupIfMade() const;
  TcxGridColumn* PressedColumn() const { return pressedColumn_; }
  void SetPressedColumn(TcxGridColumn* Value);
  TcxGridColumn* SizingColumn() const { return sizingColumn_; }
  void SetSizingColumn(TcxGridColumn* Value) { sizingColumn_ = Value; }
  TcxGridColumn* MovingColumn() const { return movingColumn_; }
  void SetMovingColumn(TcxGridColumn* Value) { movingColumn_ = Value; }
  virtual bool IsColumnFixedDuringSizing(TcxGridColumn* AColumn);
  // The customization form's place: 180 x 300 at the grid's bottom-right corner, on the screen.
  RECT GetCustomizationFormBounds();

  bool AcceptsHitTest(TcxCustomGridHitTest* AHitTest) override;
  TcxWheelScrollKind GetMouseWheelScrollingKind() override { return wskVertical; }
  bool IsPixelScrollBar(TScrollBarKind AKind) override { return AKind == sbHorizontal; }
  void CancelMode() override;
  void InitScrollBarsParameters() override;
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APos) override;
  void EndDragAndDrop(bool Accepted) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void HandleKeyDown(WORD& Key, TShiftState Shift) override;
  bool CanAppend() override;
  bool CanInsert() override;
  TcxCustomGridRecord* GetFocusedRecord() override;
  bool IsRecordsScrollHorizontal() override { return false; }
  void FocusRecordObject(TcxCustomGridRecord* ARecord) override;
  bool IsKeyForController(WORD AKey, TShiftState AShift) override;
  void ScrollPageDown() override;
  void ScrollPageUp() override;
  void MakeItemVisible(TcxCustomGridTableItem* AItem) override;
  void MakeRecordVisible(TcxCustomGridRecord* ARecord) override;
  void ItemRemoved(TcxCustomGridTableItem* AItem) override;

 protected:
  virtual std::unique_ptr<TcxGridFilterPopup> CreateFilterPopup();
  void SortByHeaderClick(TShiftState AShift);
  void CheckLeftPos(int& AValue);

 private:
  // The new-item row is shown and its record is focused.
  bool IsNewItemRecordFocused();
  void FocusNewItemRecord();
  // Focuses the record at the top of the rows; True when it took the focus.
  bool FocusTopRecord();
  bool HasRecordAbove();
  void InvalidateColumnHeader(TcxGridColumn* AColumn);

  // The table view information seen through the layout interfaces, made for the view information
  // in use.
  TcxGridTableLayoutAdapter* Adapter() const;

  mutable std::unique_ptr<TcxGridTableLayoutAdapter> adapter_;
  std::unique_ptr<TcxGridTableCustomizationForm> customizationForm_;
  std::unique_ptr<TcxGridFilterPopupHolder> filterPopup_;
  int leftPos_ = 0;
  TcxGridColumn* pressedColumn_ = nullptr;
  TcxGridColumn* sizingColumn_ = nullptr;
  TcxGridColumn* movingColumn_ = nullptr;
  POINT mouseDownPos_{0, 0};
  bool destroying_ = false;
};
