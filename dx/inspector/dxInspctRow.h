// A row of the inspector control: a component with a caption, a value shown and edited through an
// in-place editor class, and its own events; and the plain text row.
#pragma once

#include <functional>
#include <memory>

#include "dx/editors/dxInplaceEdit.h"
#include "dx/inspector/dxInspctNode.h"
#include "platform/classes/Component.h"
#include "platform/forms/StdCtrls.h"

class TCustomdxInspectorControl;
class TField;
class TdxInspectorRow;

using TdxInspectorRowDrawValue =
    std::function<void(TdxInspectorRow* Sender, TCanvas* ACanvas, const RECT& ARect, String& AText,
                       TFont* AFont, TColor& AColor, bool& ADone)>;

// What a value cell is painted from (one instance, reused for every cell).
struct TdxInspectorCellViewData {
  HBRUSH Brush = nullptr;
  HFONT Font = nullptr;
  TColor BrushColor = clWindow;
  TColor FontColor = clWindowText;
  TAlignment Alignment = taLeftJustify;
  String Text;
  int DataLength = 0;
  bool Measuring = false;
  bool EndEllipsis = false;
  TdxInspectorNode* Node = nullptr;
  bool Hot = false;
  RECT Bounds{};
};

class TdxInspectorRowNode : public TdxInspectorNode {
 public:
  using TdxInspectorNode::TdxInspectorNode;
  // Frees its row unless the row reference was cleared first.
  ~TdxInspectorRowNode() override;
  TdxInspectorRow* Row = nullptr;
};

class TdxInspectorRow : public TComponent {
  TRENVIK_CLASS(TdxInspectorRow, TComponent);

 public:
  static constexpr Byte kCaptionAssigned = 0x01;
  static constexpr Byte kReadOnlyAssigned = 0x02;
  static constexpr Byte kMaxLengthAssigned = 0x04;
  static constexpr Byte kRowHeightAssigned = 0x08;

  explicit TdxInspectorRow(TComponent* AOwner);
  ~TdxInspectorRow() override;

  TCustomdxInspectorControl* Inspector() const { return inspector_; }
  void SetInspector(TCustomdxInspectorControl* Value);
  TdxInspectorRowNode* Node() const { return node_; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  String Caption() const;
  void SetCaption(const String& Value);
  bool IsCaptionStored() const;
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  bool IsCategory() const { return isCategory_; }
  void SetIsCategory(bool Value);
  int MaxLength() const;
  void SetMaxLength(int Value);
  bool IsMaxLengthStored() const { return assigned_ & kMaxLengthAssigned; }
  Char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(Char Value);
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  bool IsReadOnlyStored() const;
  int RowHeight() const;
  void SetRowHeight(int Value);
  bool IsRowHeightStored() const { return assigned_ & kRowHeightAssigned; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value) { showHint_ = Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  Byte AssignedValues() const { return assigned_; }
  // The view data of the row's editor class, reused for painting and measuring.
  TdxEditViewData* ViewData();

  TNotifyEvent OnChange;
  TdxInspectorRowDrawValue OnDrawCaption;
  TdxInspectorRowDrawValue OnDrawValue;
  TdxEditValidateEvent OnValidate;

  void Assign(TPersistent* Source) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // --- Virtual operations ---
  virtual void DoChange();
  virtual void DoDrawCaption(TCanvas* Canvas, const RECT& Rect, String& Text, TFont* Font, bool& Done);
  virtual void DoDrawValue(TCanvas* Canvas, const RECT& Rect, String& Text, TFont* Font, bool& Done);
  virtual void DoEdited();
  virtual void DoValidate(TObject* Sender, String& ErrorText, bool& Accept);
  virtual String GetDisplayText() = 0;
  virtual int GetFieldSize() { return 0; }
  virtual String GetEditMask() { return String(); }
  virtual String GetEditText() = 0;
  virtual int GetMinHeight(TCanvas* Canvas);
  virtual void SetEditText(const String& Text) = 0;
  virtual void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value);
  virtual TdxInplaceEditClass GetEditorClass();
  virtual void InitEditProperties(TdxInplaceEdit* Editor);
  virtual void InitEditValue(TdxInplaceEdit* Editor, Variant& Value);
  virtual bool IsValueEqual(const Variant& Value);
  virtual bool GetHintText(bool IsValue, const RECT& TextRect, String& Text);
  virtual void PrepareViewData(TdxEditViewData* ViewData, const TdxInspectorCellViewData& Cell);
  virtual TField* GetField() { return nullptr; }
  virtual void SetField(TField*) {}
  virtual String GetFieldName() { return String(); }
  virtual void SetFieldName(const String&) {}
  virtual String GetDefaultCaption() { return String(); }
  virtual int GetDefaultMaxLength() { return 0; }
  virtual bool GetDefaultReadOnly() { return false; }
  virtual int GetDefaultRowHeight();
  virtual bool CanModify() { return true; }
  virtual bool IsValidChar(Char) { return true; }
  virtual void RestoreDefaults();

 protected:
  // A row read from a form joins the control it was written under.
  void ReadState(TReader* Reader) override;
  void Changed();

 private:
  friend class TCustomdxInspectorControl;
  friend class TdxInspectorRowNode;
  TCustomdxInspectorControl* inspector_ = nullptr;
  TdxInspectorRowNode* node_ = nullptr;
  TAlignment alignment_ = taLeftJustify;
  String caption_;
  TEditCharCase charCase_ = ecNormal;
  String hint_;
  int imageIndex_ = -1;
  bool isCategory_ = false;
  int maxLength_ = 0;
  bool readOnly_ = false;
  int rowHeight_ = 0;
  bool showHint_ = false;
  Byte assigned_ = 0;
  Char passwordChar_ = 0;
  std::unique_ptr<TdxEditViewData> viewData_;
  bool visible_ = true;
};

class TdxInspectorTextRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorTextRow, TdxInspectorRow);

 public:
  using TdxInspectorRow::TdxInspectorRow;
  const String& Text() const { return text_; }
  void SetText(const String& Value);
  String GetDisplayText() override { return text_; }
  String GetEditText() override { return text_; }
  void SetEditText(const String& Value) override;

 private:
  String text_;
};
