// The drop-down column kinds: the common drop-down base with its button and pop-up settings, and the
// pick, most-recently-used, calculator and lookup kinds over it.
#pragma once

#include <memory>

#include "dx/dbgrid/dxDBColumn.h"
#include "dx/dbgrid/dxDBColumnEditors.h"

TRENVIK_ENUM(TdxShowButtonStyle, sbDefault, sbAlways, sbNone);

using TdxColumnCloseUpEvent = std::function<void(TObject* Sender, Variant& Value, bool& Accept)>;

class TdxDBTreeListDropDownColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListDropDownColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListDropDownColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {}
  ~TdxDBTreeListDropDownColumn() override;

  // Made on first read; assigning an empty bitmap frees it.
  TBitmap* ButtonGlyph();
  void SetButtonGlyph(TBitmap* Value);
  bool HasButtonGlyph() const;
  TRENVIK_COLUMN_SETTING(dropDown_, int, DropDownRows, false)
  TRENVIK_COLUMN_SETTING(dropDown_, int, DropDownWidth, false)
  TRENVIK_COLUMN_SETTING(dropDown_, bool, ImmediateDropDown, false)
  TRENVIK_COLUMN_SETTING(dropDown_, bool, ImmediatePopup, false)
  TRENVIK_COLUMN_SETTING(dropDown_, TAlignment, PopupAlignment, false)
  TRENVIK_COLUMN_SETTING(dropDown_, TdxPopupBorder, PopupBorder, false)
  TRENVIK_COLUMN_SETTING(dropDown_, TdxShowButtonStyle, ShowButtonStyle, true)
  TNotifyEvent OnEditButtonClick;

  // The editor's close-up and button click come here.
  virtual void DoCloseUp(TdxInplaceEdit*, Variant&, bool&) {}
  virtual void DoEditButtonClick(TdxInplaceEdit* Editor);
  // Whether the cell of Node shows its button without an editor.
  bool ShowButton(TdxTreeListNode* Node);
  bool IsButtonAlwaysShown(bool Default);

  void Assign(TPersistent* Source) override;
  TdxInplaceEditClass GetEditorClass() override {
    return TdxInplaceDBTreeListDropDownEdit::StaticEditClass();
  }
  // A filter editor takes the settings but not the routings to the column.
  void PrepareFilterEdit(TdxInplaceEdit* Editor) override;
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;
  void RestoreDefaults() override;

 protected:
  // Kinds whose own default differs (the pick kind drops down at once).
  void SetImmediateDropDownDefault(bool Value) { dropDown_.ImmediateDropDown = Value; }

 private:
  struct TSettings {
    int DropDownRows = 7;
    int DropDownWidth = 0;
    bool ImmediateDropDown = false;
    bool ImmediatePopup = false;
    TAlignment PopupAlignment = taLeftJustify;
    TdxPopupBorder PopupBorder = pbDefault;
    TdxShowButtonStyle ShowButtonStyle = sbDefault;
  } dropDown_;
  std::unique_ptr<TBitmap> buttonGlyph_;
};

// The published drop-down settings of the kinds that list them.
template <class Kind>
void PublishDropDownSettings(TPublisher<Kind>& P) {
  P.Property("ButtonGlyph", &Kind::ButtonGlyph, &Kind::SetButtonGlyph).Stored(&Kind::HasButtonGlyph);
  P.Property("DropDownRows", &Kind::DropDownRows, &Kind::SetDropDownRows).Default(7);
  P.Property("DropDownWidth", &Kind::DropDownWidth, &Kind::SetDropDownWidth).Default(0);
  P.Property("PopupAlignment", &Kind::PopupAlignment, &Kind::SetPopupAlignment).Default(taLeftJustify);
  P.Property("PopupBorder", &Kind::PopupBorder, &Kind::SetPopupBorder).Default(pbDefault);
}

class TdxDBTreeListPickColumn : public TdxDBTreeListDropDownColumn {
  TRENVIK_CLASS(TdxDBTreeListPickColumn, TdxDBTreeListDropDownColumn);

 public:
  explicit TdxDBTreeListPickColumn(TComponent* AOwner);
  ~TdxDBTreeListPickColumn() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  TRENVIK_COLUMN_SETTING(pick_, bool, CanDeleteText, false)
  TRENVIK_COLUMN_SETTING(pick_, bool, DropDownListStyle, false)
  TRENVIK_COLUMN_SETTING(pick_, bool, ItemsSorted, false)
  TRENVIK_COLUMN_SETTING(pick_, bool, Revertable, false)
  TdxColumnCloseUpEvent OnCloseUp;

  void DoCloseUp(TdxInplaceEdit* Editor, Variant& Value, bool& Accept) override;

  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  void PrepareFilterEdit(TdxInplaceEdit* Editor) override;
  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListPickEdit);

 private:
  struct TSettings {
    bool CanDeleteText = false;
    bool DropDownListStyle = false;
    bool ItemsSorted = false;
    bool Revertable = false;
  } pick_;
  std::unique_ptr<TStringList> items_;
};

class TdxDBTreeListMRUColumn : public TdxDBTreeListPickColumn {
  TRENVIK_CLASS(TdxDBTreeListMRUColumn, TdxDBTreeListPickColumn);

 public:
  explicit TdxDBTreeListMRUColumn(TComponent* AOwner);

  TRENVIK_COLUMN_SETTING(mru_, int, MaxItemCount, false)
  TRENVIK_COLUMN_SETTING(mru_, bool, ShowEllipsis, true)
  TNotifyEvent OnButtonClick;

  virtual void DoButtonClick();
  // After saving, the items are the editor's most-recently-used list.
  void SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) override;

  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListMRUEdit);

 private:
  struct TSettings {
    int MaxItemCount = 7;
    bool ShowEllipsis = true;
  } mru_;
};

class TdxDBTreeListCalcColumn : public TdxDBTreeListDropDownColumn {
  TRENVIK_CLASS(TdxDBTreeListCalcColumn, TdxDBTreeListDropDownColumn);

 public:
  explicit TdxDBTreeListCalcColumn(TComponent* AOwner) : TdxDBTreeListDropDownColumn(AOwner) {}

  TRENVIK_COLUMN_SETTING(calc_, bool, BeepOnError, false)
  TRENVIK_COLUMN_SETTING(calc_, TdxCalcButtonStyle, ButtonStyle, false)
  TRENVIK_COLUMN_SETTING(calc_, int, Precision, false)
  TRENVIK_COLUMN_SETTING(calc_, bool, QuickClose, false)
  TRENVIK_COLUMN_SETTING(calc_, bool, ShowButtonFrame, false)

  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListCalcEdit);

 private:
  struct TSettings {
    bool BeepOnError = true;
    TdxCalcButtonStyle ButtonStyle = bsStandard;
    int Precision = 13;
    bool QuickClose = false;
    bool ShowButtonFrame = false;
  } calc_;
};

// Edits a lookup field: the editor lists the lookup dataset, the node keeps the lookup key.
class TdxDBTreeListLookupColumn : public TdxDBTreeListDropDownColumn {
  TRENVIK_CLASS(TdxDBTreeListLookupColumn, TdxDBTreeListDropDownColumn);

 public:
  explicit TdxDBTreeListLookupColumn(TComponent* AOwner) : TdxDBTreeListDropDownColumn(AOwner) {}

  TRENVIK_COLUMN_SETTING(lookup_, bool, CanDeleteText, false)
  TRENVIK_COLUMN_SETTING(lookup_, Word, ClearKey, false)
  TRENVIK_COLUMN_SETTING(lookup_, int, ListFieldIndex, false)
  TRENVIK_COLUMN_SETTING(lookup_, String, ListFieldName, false)
  TdxColumnCloseUpEvent OnCloseUp;

  // The lookup key the node keeps for the column (Null when none).
  Variant GetNodeKeyValue(TdxTreeListNode* Node);
  void DoCloseUp(TdxInplaceEdit* Editor, Variant& Value, bool& Accept) override;
  bool IsFieldValueEqual(const Variant& Value) override;

  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  void GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) override;
  void SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) override;
  void PrepareFilterEdit(TdxInplaceEdit* Editor) override;
  int GetFilterOperators() override { return kdxFilterOperatorsOfValues; }
  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListLookupEdit);
  TRENVIK_COLUMN_KIND_VALUE_OPERATIONS;

 private:
  struct TSettings {
    bool CanDeleteText = false;
    Word ClearKey = 0;
    int ListFieldIndex = 0;
    String ListFieldName;
  } lookup_;
};
