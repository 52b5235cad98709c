// The framework's grid: TCustomGrid draws cells in rows and columns with fixed title rows and
// columns, keeps a current cell moved by mouse and keys, scrolls to keep it shown, and edits a
// cell in place over an "EDIT" window, with an optional ellipsis button beside it.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"

TRENVIK_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
             goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs,
             goRowSelect, goAlwaysShowEditor, goThumbTracking);
using TGridOptions = Set<TGridOption>;
TRENVIK_ENUM(TGridDrawStateFlag, gdSelected, gdFocused, gdFixed);
using TGridDrawState = Set<TGridDrawStateFlag>;

class TCustomGrid;

// The in-place editor: an edit over the current cell; the grid decides its text and its button.
class TInplaceEdit : public TCustomEdit {
  TRENVIK_CLASS(TInplaceEdit, TCustomEdit);

 public:
  explicit TInplaceEdit(TCustomGrid* Grid);
  TCustomGrid* Grid() const { return grid_; }
  // Places the editor over Rect (client coordinates of the grid), with room for the button when
  // the cell has one, and shows it.
  void Show(const RECT& Rect, bool WithButton);
  void Hide();
  TSpeedButton* EditButton() const { return button_; }

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;

 private:
  TCustomGrid* grid_;
  TSpeedButton* button_ = nullptr;
};

class TCustomGrid : public TCustomControl {
  TRENVIK_CLASS(TCustomGrid, TCustomControl);

 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  int ColCount() const { return colCount_; }
  void SetColCount(int Value);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int Value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int Value);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int Value);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int Value);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions Value);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool Value) { defaultDrawing_ = Value; }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

  int Col() const { return col_; }
  void SetCol(int Value) { FocusCell(Value, row_, true); }
  int Row() const { return row_; }
  void SetRow(int Value) { FocusCell(col_, Value, true); }
  int TopRow() const { return topRow_; }
  void SetTopRow(int Value);
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int Value);
  int VisibleRowCount();
  int VisibleColCount();
  // The cell's rectangle in client coordinates; empty when it is scrolled out of view.
  RECT CellRect(int ACol, int ARow);
  // The cell at a client point; -1 for a coordinate outside every cell.
  void MouseToCell(int X, int Y, int& ACol, int& ARow);

  bool EditorMode() const { return editorShown_; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return editor_.get(); }

 protected:
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void Resize() override;
  void DoExit() override;

  virtual void DrawCell(int /*ACol*/, int /*ARow*/, const RECT& /*ARect*/, TGridDrawState /*AState*/) {}
  virtual bool SelectCell(int /*ACol*/, int /*ARow*/) { return true; }
  virtual bool CanEditShow();
  virtual bool CanEditModify() { return true; }
  virtual String GetEditText(int /*ACol*/, int /*ARow*/) { return String(); }
  virtual void SetEditText(int /*ACol*/, int /*ARow*/, const String& /*Value*/) {}
  // Whether the current cell's editor carries an ellipsis button.
  virtual bool HasEditButton() { return false; }
  virtual void EditButtonClick() {}
  virtual void TopLeftChanged();
  // Moves the current cell (scrolling it into view when Show); SelectCell may refuse.
  virtual void FocusCell(int ACol, int ARow, bool Show);
  // Keys moving the current cell by rows (an unbound grid moves within its rows).
  virtual void MoveRowBy(int Delta);
  // The editor's text is taken (Enter, leaving the cell or the grid) or dropped (Esc).
  virtual void UpdateEditText(bool Accept);
  void ShowEditor();
  void HideEditor();
  // Makes a cell current without asking SelectCell (a bound grid following its data).
  void SetCurrent(int ACol, int ARow);
  // Scrolls the current cell into view.
  void ShowCurrent();
  void InvalidateCell(int ACol, int ARow);
  void InvalidateRow(int ARow);
  void ClampTopLeft();
  void UpdateScrollBars();

 private:
  friend class TInplaceEdit;
  TRENVIK_MESSAGES(TCustomGrid);
  void WMVScroll(TMessage& Message);
  void WMHScroll(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  int ColLeft(int ACol) const;
  int RowTop(int ARow) const;
  void DrawGridCell(int c, int r, const RECT& rect);

  std::unique_ptr<TInplaceEdit> editor_;
  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int gridLineWidth_ = 1;
  int col_ = 1;
  int row_ = 1;
  int topRow_ = 1;
  int leftCol_ = 1;
  TGridOptions options_;
  TBorderStyle borderStyle_ = bsSingle;
  bool defaultDrawing_ = true;
  bool editorShown_ = false;
};
