// The column of the data-aware controls: a tree-list column bound to one dataset field by name. It
// takes its defaults from the field, stores each record's text and value into the node, writes an
// editor's text back into the field and carries the summary and grouping settings of the grid.
#pragma once

#include "dx/dbgrid/dxDBSummary.h"
#include "dx/treelist/dxTLColumn.h"
#include "platform/data/Field.h"

class TCustomdxDBTreeListControl;

using TColumnGetText = std::function<void(TObject* Sender, TdxTreeListNode* ANode, String& AText)>;
using TdxSummaryEvent = std::function<void(TObject* Sender, TDataSet* DataSet, long double& Value)>;

// The dialog operators of columns whose values are codes (a check state, an image, a lookup key):
// equals, does not equal, blanks and non-blanks.
constexpr int kdxFilterOperatorsOfValues = 195;

class TdxDBTreeListColumn : public TdxTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListColumn, TdxTreeListColumn);

 public:
  explicit TdxDBTreeListColumn(TComponent* AOwner);
  ~TdxDBTreeListColumn() override;

  TCustomdxDBTreeListControl* GetControl() const;
  // A column read from a form names its control as its parent component.
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader* Reader) override;
  // A renamed column takes the summary items shown under it along.
  void SetName(const String& NewName) override;
  // From another data-aware column: the engine's settings, then its binding and summary group.
  void Assign(TPersistent* Source) override;
  TField* GetBoundField() const { return field_; }
  TField* Field() const { return field_; }
  void SetBoundField(TField* Value) { field_ = Value; }

  const String& FieldName() const { return fieldName_; }
  virtual void SetFieldName(const String& Value);
  // Stores the name without rebinding (the control's automatic column set).
  void SetFieldNameDirect(const String& Value) { fieldName_ = Value; }
  virtual bool StoresFieldValue() { return false; }
  virtual bool HandlesBlobValue() { return false; }
  virtual void FillNodeValue(TdxTreeListNode* Node);
  // Whether a node keeps only the value of the column's cell and its text is the field's text of
  // that value. Kinds that show another text than the field's (GetFieldCellText) answer false.
  virtual bool TextFollowsValue() const;
  // The cell text of a record whose field holds Value, for a node that kept only the value.
  String CellTextOfValue(const Variant& Value);
  virtual String ValueToText(const Variant& Value);
  // ValueToText of a display text; the text itself unless a kind maps texts (and then overrides both).
  virtual String CellTextOfDisplayText(String Text) { return Text; }
  // The text a cell shows for the bound field's current record.
  virtual String GetFieldCellText();
  // The field's value kind; varUnboundColumn (the variant "unknown" code) without a bound field.
  virtual TVarType GetValueVarType();
  static constexpr TVarType varUnboundColumn = 0x000D;
  virtual bool IsFieldValueEqual(const Variant& Value);
  virtual bool IsValidFieldChar(Char Key);
  virtual void GetSummaryFooterText(String& Text);
  // The cursor over the column's cell of Node while it is hot-tracked; kinds that want another
  // cursor than the control's normal one change Cursor.
  virtual void GetHotTrackCursor(TdxTreeListNode*, TCursor&) {}
  // The value the node keeps for the column: its stored field value, else its text (Null when empty).
  Variant GetNodeValue(TdxTreeListNode* Node);
  // Reports a change of a setting that affects the binding: of this column, or of all when AllColumns.
  void NotifyFieldChanged(bool AllColumns);
  // The slot of the column's cell values; another column's while it works for a wrapper column.
  int GetDataIndex() const override {
    return borrowedDataIndex_ >= 0 ? borrowedDataIndex_ : inherited::GetDataIndex();
  }
  void SetBorrowedDataIndex(int Value) { borrowedDataIndex_ = Value; }

  // --- The custom filter dialog's value editor (dxDBColumnFilterEdit.cpp) ---
  // A new stand-alone editor of the kind's filter editor class, prepared for filter values.
  TdxInplaceEdit* CreateFilterEdit(TComponent* Owner);
  virtual TdxInplaceEdit* NewFilterEdit(TComponent* Owner);
  virtual void GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text);
  virtual void SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value);
  // The dialog operators offered, one bit per operator index (255: all eight).
  virtual int GetFilterOperators() { return 255; }
  virtual void PrepareFilterEdit(TdxInplaceEdit* Editor);

  // --- Engine overrides ---
  void InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;
  TAlignment GetDefaultAlignment() override;
  String GetDefaultCaption() override;
  int GetDefaultMaxLength() override;
  bool GetDefaultReadOnly() override;
  int GetDefaultWidth() override;
  void RestoreDefaults() override;

  // --- Grouping and summaries (the grid's) ---
  int GroupIndex() const { return groupIndex_; }
  // Through the control, which groups or ungroups the column; stored as it is while loading.
  void SetGroupIndex(int Value);
  // The control's renumbering of its grouped columns: stores the level, nothing more.
  void StoreGroupIndex(int Value) { groupIndex_ = Value; }
  bool DisableGrouping() const { return disableGrouping_; }
  void SetDisableGrouping(bool Value);
  TdxSummaryType SummaryType() const { return summaryType_; }
  void SetSummaryType(TdxSummaryType Value);
  bool SortBySummary() const { return sortBySummary_ && summaryType_ != cstNone; }
  void SetSortBySummary(bool Value) { sortBySummary_ = Value && summaryType_ != cstNone; }
  const String& SummaryFormat() const { return summaryFormat_; }
  void SetSummaryFormat(const String& Value) { summaryFormat_ = Value; }
  const String& SummaryField() const { return summaryField_; }
  void SetSummaryField(const String& Value) { summaryField_ = Value; }
  const String& SummaryGroupName() const { return summaryGroupName_; }
  void SetSummaryGroupName(const String& Value) { summaryGroupName_ = Value; }
  TdxSummaryType SummaryFooterType() const { return summaryFooterType_; }
  void SetSummaryFooterType(TdxSummaryType Value);
  const String& SummaryFooterFormat() const { return summaryFooterFormat_; }
  void SetSummaryFooterFormat(const String& Value) { summaryFooterFormat_ = Value; }
  const String& SummaryFooterField() const { return summaryFooterField_; }
  void SetSummaryFooterField(const String& Value) { summaryFooterField_ = Value; }
  TField* FooterSummaryField() const { return footerField_; }
  void SetFooterSummaryField(TField* Value) { footerField_ = Value; }
  // The footer accumulator of a load pass.
  void ResetFooter() { footer_ = {}; }
  void AddFooterValue(long double Value) { footer_.Add(summaryFooterType_, Value); }
  void SetFooterValue(long double Value) { footer_.Value = Value; }
  long double FooterValue() const { return footer_.Value; }
  bool FooterHasValue() const { return footer_.HasValue; }

  TColumnGetText OnGetText;
  TdxSummaryEvent OnSummary;
  TdxSummaryEvent OnSummaryFooter;

 protected:
  // Stores a differing value of a kind's setting and reports the change (of the layout when Layout).
  template <class V>
  void ChangeSetting(V& Field, const V& Value, bool Layout) {
    if (Field == Value) return;
    Field = Value;
    Changed(Layout);
  }

 private:
  int borrowedDataIndex_ = -1;
  String fieldName_;
  TField* field_ = nullptr;
  TField* footerField_ = nullptr;
  int groupIndex_ = -1;
  bool disableGrouping_ = false;
  bool sortBySummary_ = false;
  TdxSummaryType summaryType_ = cstNone;
  TdxSummaryType summaryFooterType_ = cstNone;
  String summaryFormat_, summaryField_, summaryGroupName_;
  String summaryFooterFormat_, summaryFooterField_;
  TdxSummaryAccumulator footer_;
};

// A published setting of a column kind, kept in the kind's settings record: its getter and a setter
// that stores a differing value and reports the change (of the whole layout when Layout is true).
#define TRENVIK_COLUMN_SETTING(Record, Type, Name, Layout) \
  Type Name() const { return Record.Name; }                \
  void Set##Name(Type Value) { ChangeSetting(Record.Name, Value, Layout); }

// The operations every column kind overrides: copying its settings from a column of its kind, its
// editor class, the settings it gives that editor and its defaults.
#define TRENVIK_COLUMN_KIND_OPERATIONS(EditorClass)                                        \
  void Assign(TPersistent* Source) override;                                               \
  TdxInplaceEditClass GetEditorClass() override { return EditorClass::StaticEditClass(); } \
  void InitEditProperties(TdxInplaceEdit* Editor) override;                                \
  void RestoreDefaults() override

// The kinds that convert between their editor and the field themselves.
#define TRENVIK_COLUMN_KIND_VALUE_OPERATIONS                                                  \
  void InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override; \
  void SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override

// Assign of a kind whose own settings are the record Record: inside the tree list's update bracket
// the inherited settings, then, from a column of the same kind, the record.
#define TRENVIK_COLUMN_KIND_ASSIGN(Kind, Record)                             \
  void Kind::Assign(TPersistent* Source) {                                   \
    TdxTreeListUpdateScope update(TreeList());                               \
    inherited::Assign(Source);                                               \
    if (auto* source = dynamic_cast<Kind*>(Source)) Record = source->Record; \
  }

// A column whose cells are edited through an input mask, the field's unless one is set.
class TdxDBTreeListMaskColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListMaskColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListMaskColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {}
  String EditMask() const;
  void SetEditMask(const String& Value);
  bool IsEditMaskStored() const;
  bool IgnoreMaskBlank() const { return ignoreMaskBlank_; }
  void SetIgnoreMaskBlank(bool Value) { ignoreMaskBlank_ = Value; }
  TdxInplaceEditClass GetEditorClass() override;
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void RestoreDefaults() override;

 private:
  bool editMaskAssigned_ = false;
  String editMask_;
  bool ignoreMaskBlank_ = false;
};

// True for the field types whose value a node keeps beside its text.
bool IsValueFieldType(TFieldType Type);
