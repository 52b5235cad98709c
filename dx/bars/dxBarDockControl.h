// Dock controls: the strips along the sides of a form in which docked toolbars sit in rows. A dock
// keeps its rows and the places of the bars in them, lays each row out (how long each bar may be,
// which one shrinks) and takes the total thickness of its rows.
#pragma once

#include <memory>
#include <vector>

#include "dx/bars/dxBarManager.h"
#include "platform/forms/Controls.h"

class TdxBarControl;
class TdxDockRow;

// One bar's place in a row: the position it asked for, in the dock's client coordinates.
struct TdxDockCol {
  TdxBarControl* BarControl;
  POINT Pos;
};

class TdxDockRow {
 public:
  std::vector<TdxDockCol> Cols;
};

class TdxDockControl : public TCustomControl {
  TRENVIK_CLASS(TdxDockControl, TCustomControl);
  TRENVIK_MESSAGES(TdxDockControl);

 public:
  // A built-in dock along one side of the manager's form.
  TdxDockControl(TdxBarManager* AManager, TdxBarDockingStyle ASide);
  ~TdxDockControl() override;

  TdxBarManager* BarManager() const { return manager_; }
  TdxBarDockingStyle DockStyle() const { return side_; }
  bool IsVertical() const { return side_ == dsLeft || side_ == dsRight; }
  bool IsLeading() const { return side_ == dsLeft || side_ == dsTop; }
  bool AllowDocking() const { return allowDocking_; }
  void SetAllowDocking(bool Value) { allowDocking_ = Value; }
  virtual bool CanDockBar(TdxBar*) const { return allowDocking_; }

  int RowCount() const { return static_cast<int>(rows_.size()); }
  const TdxDockRow& Rows(int Index) const { return *rows_[Index]; }
  int RowOf(const TdxBarControl* Control) const;
  // The rows' thickness (0 without rows).
  int GetRowsSize() const;
  int GetDockSize() const { return GetRowsSize(); }
  RECT GetRowRect(int Row) const;
  // Where a bar would go for a screen point (its leading corner): the row, and whether a new row.
  int FindRow(POINT ScreenPoint, bool& NewRow) const;
  int FindColumn(int Row, POINT ScreenPoint) const;
  // The dock's bounds on the screen, widened by the docking zone.
  RECT GetDockingZone() const;

  // Puts the bar into a row: when Shown, the row its bar stored (Row, OneOnRow), else FindRow.
  void InsertBar(TdxBarControl* Control, POINT ScreenPoint, bool Shown, bool Realign);
  void RemoveBar(TdxBarControl* Control, bool Realign);
  void MoveBar(TdxBarControl* Control, POINT ScreenPoint);
  // Lays the rows out and takes their thickness.
  void UpdateDock();
  void LayoutRows();
  void UpdateSize();
  void UpdateDockColor();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

 private:
  // A bar's extents along the row for this dock (its frame included).
  struct TBarExtent {
    int minLen;
    int fullLen;
  };
  TBarExtent ExtentOf(TdxBarControl* Control) const;
  // The bar's thickness across the row when it is Length long (frame included).
  int ThicknessFor(TdxBarControl* Control, int Length) const;
  void LayoutRow(TdxDockRow& Row, int RowStart);
  void WMEraseBkgnd(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  // Outside customizing, the toolbars context menu.
  void WMRButtonDown(TMessage& Message);
  void WMSize(TMessage& Message);

  TdxBarManager* manager_;
  TdxBarDockingStyle side_;
  bool allowDocking_ = true;
  bool updating_ = false;
  std::vector<std::unique_ptr<TdxDockRow>> rows_;
};
