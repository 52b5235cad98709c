// A column of a TCustomdxTreeListControl: its look, its place among bands and header rows, its sort
// state, its width limits and the editing settings handed to the cell editor, which it also chooses.
// Properties remember whether they were set explicitly; an unset one reads its default.
#pragma once

#include <memory>

#include "dx/editors/dxInplaceEdit.h"
#include "dx/editors/dxTextEdit.h"
#include "dx/treelist/dxTLTypes.h"
#include "platform/classes/Component.h"
#include "platform/forms/Graphics.h"
#include "platform/forms/StdCtrls.h"

class TCustomdxTreeListControl;
class TdxTreeListNode;

class TdxTreeListColumn : public TComponent {
  TRENVIK_CLASS(TdxTreeListColumn, TComponent);

 public:
  explicit TdxTreeListColumn(TComponent* AOwner);
  ~TdxTreeListColumn() override;

  void Assign(TPersistent* Source) override;
  void Changed(bool LayoutChanged);
  void SetTreeList(TCustomdxTreeListControl* Value);
  TCustomdxTreeListControl* TreeList() const { return treeList_; }
  int Index() const;
  int GetSortedOrder() const;
  void RestoreDefaultWidth();
  void RefreshDefaultFont();

  // --- Overridable operations ---
  virtual void SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value);
  virtual bool HasCustomDraw() { return static_cast<bool>(OnCustomDrawCell); }
  virtual TdxInplaceEditClass GetEditorClass();
  virtual void GetDisplayText(TdxTreeListNode* Node, String& Text);
  virtual bool CanEditCell() { return !disableEditor_; }
  virtual int GetDataIndex() const;
  virtual int GetMinCellHeight(TCanvas*) { return 0; }
  // View data for painting through editor class Class, made on first use and again when the class
  // changes; by default the class of the column's own (most derived) class.
  TdxEditViewData* GetViewData(TdxInplaceEditClass Class);
  TdxEditViewData* GetViewData() { return GetViewData(GetEditorClass()); }
  // The editor class that paints the column's cell of Node.
  virtual TdxInplaceEditClass GetCellEditorClass(TdxTreeListNode*) { return GetEditorClass(); }
  // Puts the column's own settings into the view data of a cell painted without an editor.
  virtual void PrepareCellViewData(TdxEditViewData*, TdxTreeListNode*) {}
  virtual void InitEditProperties(TdxInplaceEdit* Editor);
  virtual void InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value);
  virtual bool IsMultiLine() { return false; }
  virtual void SetIndex(int Value);
  virtual TAlignment GetDefaultAlignment() { return taLeftJustify; }
  virtual String GetDefaultCaption() { return String(); }
  virtual int GetDefaultMaxLength() { return 0; }
  virtual bool GetDefaultReadOnly() { return false; }
  virtual int GetDefaultWidth() { return 100; }
  virtual int GetBestFitWidth(TCanvas* Canvas, TdxTreeListNode* Node);
  // The value an export writes for a cell, when the column shows something other than the value
  // itself (AsHtml: for a page rather than a sheet); False leaves Value to the field's type.
  virtual bool ConvertExportValue(Variant& /*Value*/, bool /*AsHtml*/) { return false; }
  virtual void RestoreDefaults();

  // --- Properties ---
  TAlignment Alignment();
  void SetAlignment(TAlignment Value);
  String Caption();
  void SetCaption(const String& Value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase Value) { SetLayoutValue(charCase_, Value); }
  TColor Color();
  void SetColor(TColor Value);
  bool DisableCaption() const { return disableCaption_; }
  void SetDisableCaption(bool Value) { SetLayoutValue(disableCaption_, Value); }
  bool DisableCustomizing() const { return disableCustomizing_; }
  void SetDisableCustomizing(bool Value) { SetLayoutValue(disableCustomizing_, Value); }
  bool DisableDragging() const { return disableDragging_; }
  void SetDisableDragging(bool Value) { disableDragging_ = Value; }
  bool DisableEditor() const { return disableEditor_; }
  void SetDisableEditor(bool Value) { disableEditor_ = Value; }
  bool DisableFilter() const { return disableFilter_; }
  void SetDisableFilter(bool Value) { SetLayoutValue(disableFilter_, Value); }
  TFont* Font();
  void SetFont(TFont* Value);
  TAlignment HeaderAlignment() const { return headerAlignment_; }
  void SetHeaderAlignment(TAlignment Value) { SetLayoutValue(headerAlignment_, Value); }
  int MaxLength();
  void SetMaxLength(int Value);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool Value) { SetReportValue(oemConvert_, Value); }
  Char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(Char Value) { SetReportValue(passwordChar_, Value); }
  bool ReadOnly();
  void SetReadOnly(bool Value);
  bool Sizing() const { return sizing_; }
  void SetSizing(bool Value) { SetReportValue(sizing_, Value); }
  TdxTreeListColumnSort Sorted() const { return sorted_; }
  void SetSorted(TdxTreeListColumnSort Value);
  // Stores a sort without telling the tree list (a grouped column's level order set by its owner).
  void StoreSorted(TdxTreeListColumnSort Value) { sorted_ = Value; }
  // The position read from a form or a stored layout, -1 for none; orders RebuildSortedColumns.
  int StoredSortOrder() const { return storedSortOrder_; }
  void SetStoredSortOrder(int Value) { storedSortOrder_ = Value; }
  // The sort position goes to the form only when it orders more than one sorted column.
  bool IsSortedOrderStored() const;
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value) { tabStop_ = Value; }
  TTextLayout VertAlignment() const { return vertAlignment_; }
  void SetVertAlignment(TTextLayout Value) { SetReportValue(vertAlignment_, Value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value) { SetLayoutValue(visible_, Value); }
  int Width();
  void SetWidth(int Value);
  int BandIndex() const { return bandIndex_; }
  void SetBandIndex(int Value);
  int RowIndex() const;
  void SetRowIndex(int Value);
  int ColIndex() const;
  void SetColIndex(int Value);
  // The picture at the left of the header, made empty on first read; nil frees it, another picture
  // is copied.
  TBitmap* HeaderGlyph();
  void SetHeaderGlyph(TBitmap* Value);
  bool HasHeaderGlyph() const { return headerGlyph_ && !headerGlyph_->Empty(); }
  int HeaderMaxLineCount() const { return headerMaxLineCount_; }
  void SetHeaderMaxLineCount(int Value) { SetLayoutValue(headerMaxLineCount_, std::max(Value, 0)); }
  int StoredRowIndex() const { return storedRowIndex_; }
  void SetStoredRowIndex(int Value) { storedRowIndex_ = Value; }

  // Which of the defaultable properties were set (written to forms only then).
  bool IsAlignmentStored() const { return stored_ & kAlignment; }
  bool IsCaptionStored() const { return stored_ & kCaption; }
  bool IsReadOnlyStored() const { return stored_ & kReadOnly; }
  bool IsWidthStored() const { return stored_ & kWidth; }
  bool IsColorStored() const { return stored_ & kColor; }
  bool IsFontStored() const { return stored_ & kFont; }
  bool IsMaxLengthStored() const { return stored_ & kMaxLength; }
  bool IsCaptionWritten();
  bool IsCaptionWrittenConst() const { return const_cast<TdxTreeListColumn*>(this)->IsCaptionWritten(); }
  bool IsColorWritten();

  TNotifyEvent OnChange;
  TdxEditValidateEvent OnValidate;
  // Sender is the column; the types are the control's (dxTLControl.h).
  std::function<void(TObject*, TCanvas*, const RECT&, TdxTreeListNode*, TdxTreeListColumn*, bool, bool, bool,
                     String&, TColor&, TFont*, TAlignment&, bool&)>
      OnCustomDrawCell;
  std::function<void(TObject*, TdxTreeListColumn*, TCanvas*, const RECT&, String&, TColor&, TFont*,
                     TAlignment&, TdxTreeListColumnSort&, bool&)>
      OnCustomDrawColumnHeader;

 protected:
  bool HasParent() const override { return true; }
  void DoChange(TObject* Sender);
  void DoValidate(TObject* Sender, String& ErrorText, bool& Accept);

 private:
  friend class TCustomdxTreeListControl;
  friend class TdxTreeListBand;
  static constexpr Byte kAlignment = 1, kCaption = 2, kReadOnly = 4, kWidth = 8, kColor = 16, kFont = 32,
                        kMaxLength = 64;
  template <class V>
  void SetReportValue(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed(false);
  }
  template <class V>
  void SetLayoutValue(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed(true);
  }
  void FontChanged(TObject* Sender);

  TCustomdxTreeListControl* treeList_ = nullptr;
  Byte stored_ = 0;
  TAlignment alignment_ = taLeftJustify;
  String caption_;
  TEditCharCase charCase_ = ecNormal;
  TColor color_ = clWindow;
  bool disableCaption_ = false, disableCustomizing_ = false, disableDragging_ = false, disableEditor_ = false;
  bool disableFilter_ = false;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBitmap> headerGlyph_;
  TAlignment headerAlignment_ = taLeftJustify;
  int maxLength_ = 0;
  int minWidth_ = 20;
  bool oemConvert_ = false;
  Char passwordChar_ = 0;
  bool readOnly_ = false;
  bool sizing_ = true;
  TdxTreeListColumnSort sorted_ = csNone;
  int storedSortOrder_ = -1;
  bool tabStop_ = true;
  TTextLayout vertAlignment_ = tlTop;
  bool visible_ = true;
  int width_ = 100;
  int bandIndex_ = 0;
  int rowIndex_ = 0;
  int storedRowIndex_ = 0;
  int headerMaxLineCount_ = 1;
  std::unique_ptr<TdxEditViewData> viewData_;
  TdxInplaceEditClass viewDataClass_ = nullptr;
};

// A column whose cells are edited through an input mask.
class TdxTreeListMaskColumn : public TdxTreeListColumn {
  TRENVIK_CLASS(TdxTreeListMaskColumn, TdxTreeListColumn);

 public:
  explicit TdxTreeListMaskColumn(TComponent* AOwner) : TdxTreeListColumn(AOwner) {}
  void Assign(TPersistent* Source) override;
  TdxInplaceEditClass GetEditorClass() override;
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void RestoreDefaults() override;

  const String& EditMask() const { return editMask_; }
  void SetEditMask(const String& Value) { editMask_ = Value; }
  bool IgnoreMaskBlank() const { return ignoreMaskBlank_; }
  void SetIgnoreMaskBlank(bool Value) { ignoreMaskBlank_ = Value; }

 private:
  String editMask_;
  bool ignoreMaskBlank_ = false;
};
