// The text column kinds: memo, hyperlink and button.
#pragma once

#include <memory>

#include "dx/dbgrid/dxDBColumnDropDown.h"

class TdxDBTreeListMemoColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListMemoColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListMemoColumn(TComponent* AOwner);

  TRENVIK_COLUMN_SETTING(memo_, bool, HideScrollBars, false)
  TRENVIK_COLUMN_SETTING(memo_, int, MaxDisplayLength, true)
  TRENVIK_COLUMN_SETTING(memo_, TScrollStyle, ScrollBars, false)
  TRENVIK_COLUMN_SETTING(memo_, bool, SelectionBar, false)
  TRENVIK_COLUMN_SETTING(memo_, bool, WantReturns, false)
  TRENVIK_COLUMN_SETTING(memo_, bool, WantTabs, false)
  TRENVIK_COLUMN_SETTING(memo_, bool, WordWrap, true)

  bool IsMultiLine() override { return true; }
  bool HandlesBlobValue() override { return true; }
  // The field's whole text cut to MaxDisplayLength characters (whole when negative).
  String GetFieldCellText() override;
  bool TextFollowsValue() const override { return false; }
  bool IsFieldValueEqual(const Variant& Value) override;

  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListMemoEdit);
  TRENVIK_COLUMN_KIND_VALUE_OPERATIONS;

 private:
  struct TSettings {
    bool HideScrollBars = true;
    int MaxDisplayLength = 255;
    TScrollStyle ScrollBars = ssNone;
    bool SelectionBar = false;
    bool WantReturns = true;
    bool WantTabs = false;
    bool WordWrap = true;
  } memo_;
};

class TdxDBTreeListHyperLinkColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListHyperLinkColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListHyperLinkColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {}

  TRENVIK_COLUMN_SETTING(link_, TColor, EditBackgroundColor, false)
  TRENVIK_COLUMN_SETTING(link_, TColor, EditFontColor, false)
  TRENVIK_COLUMN_SETTING(link_, bool, SingleClick, false)
  TRENVIK_COLUMN_SETTING(link_, Word, StartKey, false)
  TNotifyEvent OnStartClick;

  virtual void DoStartClick();

  void Assign(TPersistent* Source) override;
  TdxInplaceEditClass GetEditorClass() override {
    return TdxInplaceDBTreeListHyperLinkEdit::StaticEditClass();
  }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;
  void RestoreDefaults() override;
  // With SingleClick a cell with a link shows the hand.
  void GetHotTrackCursor(TdxTreeListNode* Node, TCursor& Cursor) override;

 private:
  struct TSettings {
    TColor EditBackgroundColor = clWhite;
    TColor EditFontColor = clBlue;
    bool SingleClick = false;
    Word StartKey = 0x4000 | VK_RETURN;  // Ctrl+Enter
  } link_;
};

TRENVIK_ENUM(TdxEditButtonStyle, ebsDropDown, ebsEllipsis, ebsGlyph, ebsSimple);

class TdxDBTreeListButtonColumn;

// The buttons of a button column: a change of any button is a layout change of the column.
class TdxColumnEditButtons : public TdxEditButtons {
  TRENVIK_CLASS(TdxColumnEditButtons, TdxEditButtons);

 public:
  explicit TdxColumnEditButtons(TdxDBTreeListButtonColumn* Column);

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TdxDBTreeListButtonColumn* column_;
};

class TdxDBTreeListButtonColumn : public TdxDBTreeListDropDownColumn {
  TRENVIK_CLASS(TdxDBTreeListButtonColumn, TdxDBTreeListDropDownColumn);

 public:
  explicit TdxDBTreeListButtonColumn(TComponent* AOwner);
  ~TdxDBTreeListButtonColumn() override;

  TRENVIK_COLUMN_SETTING(button_, bool, ButtonOnly, true)
  TRENVIK_COLUMN_SETTING(button_, Word, ClickKey, false)
  TRENVIK_COLUMN_SETTING(button_, bool, HideEditCursor, false)
  TdxEditButtons* Buttons() const { return buttons_.get(); }
  void SetButtons(TdxEditButtons* Value) { buttons_->Assign(Value); }
  TdxEditButtonStyle EditButtonStyle() const { return button_.EditButtonStyle; }
  void SetEditButtonStyle(TdxEditButtonStyle Value);
  // The first button's glyph.
  TBitmap* Glyph();
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const;
  TdxEditButtonClickEvent OnButtonClick;

  virtual void DoButtonClick(TdxInplaceEdit* Editor, int AbsoluteIndex);
  // The editor's text mode: 2 buttons only, 1 text not editable, 0 plain.
  int ViewStyle() const;

  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;

  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListButtonEdit);

 private:
  struct TSettings {
    bool ButtonOnly = false;
    Word ClickKey = 0x4000 | VK_RETURN;  // Ctrl+Enter
    TdxEditButtonStyle EditButtonStyle = ebsEllipsis;
    bool HideEditCursor = false;
  } button_;
  std::unique_ptr<TdxColumnEditButtons> buttons_;
};
