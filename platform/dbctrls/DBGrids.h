// The framework's data-aware grid: TDBGrid shows a dataset's records in the rows of its data
// link's window, one column per TColumn (or per visible field when no columns are set), a title
// row and an indicator column; it edits fields in place, with ellipsis buttons where asked.
#pragma once

#include <memory>

#include "platform/classes/Collection.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/forms/Grids.h"

TRENVIK_ENUM(TColumnButtonStyle, cbsAuto, cbsEllipsis, cbsNone);
TRENVIK_ENUM(TDBGridColumnsState, csDefault, csCustomized);
TRENVIK_ENUM(TDBGridOption, dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines,
             dgRowLines, dgTabs, dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit,
             dgMultiSelect);
using TDBGridOptions = Set<TDBGridOption>;

class TCustomDBGrid;
class TColumn;

class TColumnTitle : public TPersistent {
  TRENVIK_CLASS(TColumnTitle, TPersistent);

 public:
  explicit TColumnTitle(TColumn* Column = nullptr) : column_(Column) {}
  // The caption set, or the field's display label.
  String Caption() const;
  void SetCaption(const String& Value);
  // The caption as set (empty: the field's label).
  const String& OwnCaption() const { return caption_; }
  bool IsCaptionStored() const { return !caption_.empty(); }
  void Assign(TPersistent* Source) override;

 private:
  TColumn* column_;
  String caption_;
};

class TColumn : public TCollectionItem {
  TRENVIK_CLASS(TColumn, TCollectionItem);

 public:
  explicit TColumn(TCollection* Collection = nullptr);
  ~TColumn() override;

  TCustomDBGrid* Grid() const;
  const String& FieldName() const { return fieldName_; }
  void SetFieldName(const String& Value);
  // The field of that name in the grid's open dataset.
  TField* Field() const;
  TColumnTitle* Title() const { return title_.get(); }
  void SetTitle(TColumnTitle* Value) { title_->Assign(Value); }
  // The width set, or one from the field's display width.
  int Width() const;
  void SetWidth(int Value);
  TColumnButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TColumnButtonStyle Value) { buttonStyle_ = Value; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { readOnly_ = Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  void Assign(TPersistent* Source) override;
  // The title changed: the grid repaints.
  void TitleChanged() { Changed(false); }

 private:
  String fieldName_;
  std::unique_ptr<TColumnTitle> title_;
  int width_ = -1;
  TColumnButtonStyle buttonStyle_ = cbsAuto;
  bool readOnly_ = false;
  bool visible_ = true;
};

class TDBGridColumns : public TCollection {
  TRENVIK_CLASS(TDBGridColumns, TCollection);

 public:
  explicit TDBGridColumns(TCustomDBGrid* Grid = nullptr);
  TCustomDBGrid* Grid() const { return grid_; }
  // The new column is whole before the grid lays itself out again.
  TColumn* Add();
  TColumn* Items(int Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }
  // Default: the columns follow the dataset's visible fields; customized: as they were made.
  TDBGridColumnsState State() const { return state_; }
  void SetState(TDBGridColumnsState Value);
  void RebuildColumns();
  TPersistent* GetOwner() override;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  friend class TCustomDBGrid;
  TCustomDBGrid* grid_;
  TDBGridColumnsState state_ = csDefault;
  bool rebuilding_ = false;
};

// The grid's link: its window is the grid's rows.
class TGridDataLink : public TDataLink {
  TRENVIK_CLASS(TGridDataLink, TDataLink);

 public:
  explicit TGridDataLink(TCustomDBGrid* Grid) : grid_(Grid) { SetVisualControl(true); }

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int Distance) override;
  void EditingChanged() override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

 private:
  TCustomDBGrid* grid_;
};

class TCustomDBGrid : public TCustomGrid {
  TRENVIK_CLASS(TCustomDBGrid, TCustomGrid);

 public:
  explicit TCustomDBGrid(TComponent* AOwner);
  ~TCustomDBGrid() override;

  TDataSource* DataSource() const { return link_->DataSource(); }
  void SetDataSource(TDataSource* Value);
  TGridDataLink* DataLink() const { return link_.get(); }
  TDBGridColumns* Columns() const { return columns_.get(); }
  void SetColumns(TDBGridColumns* Value) { columns_->Assign(Value); }
  TDBGridOptions Options() const { return options_; }
  void SetOptions(TDBGridOptions Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { readOnly_ = Value; }
  // The field of the current column; setting it moves to its column.
  TField* SelectedField() const;
  void SetSelectedField(TField* Value);
  int SelectedIndex() const;
  void SetSelectedIndex(int Value);
  // The column at a grid column (nullptr for the indicator).
  TColumn* ColumnAt(int ACol) const;

  TNotifyEvent OnEditButtonClick;
  TNotifyEvent OnColEnter;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DrawCell(int ACol, int ARow, const RECT& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  bool CanEditShow() override;
  bool CanEditModify() override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  bool HasEditButton() override;
  void EditButtonClick() override;
  void MoveRowBy(int Delta) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Resize() override;

 private:
  friend class TGridDataLink;
  friend class TDBGridColumns;
  int TitleOffset() const { return options_.Contains(dgTitles) ? 1 : 0; }
  int IndicatorOffset() const { return options_.Contains(dgIndicator) ? 1 : 0; }
  // The columns shown, in order.
  std::vector<TColumn*> VisibleColumns() const;
  void LayoutChanged();
  void DataChanged();
  // A field of the current record changed: the editor shows its new text.
  void RecordChanged(TField* Field);
  void SyncCurrentRow();
  void UpdateBufferCount();
  void DrawIndicator(const RECT& Rect, int DataRow);
  void ApplyGridOptions();

  std::unique_ptr<TGridDataLink> link_;
  std::unique_ptr<TDBGridColumns> columns_;
  TDBGridOptions options_;
  bool readOnly_ = false;
  bool layoutLock_ = false;
};

class TDBGrid : public TCustomDBGrid {
  TRENVIK_CLASS(TDBGrid, TCustomDBGrid);

 public:
  explicit TDBGrid(TComponent* AOwner) : TCustomDBGrid(AOwner) {}
};
