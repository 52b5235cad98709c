// The text editor with up to eight buttons of its own instead of the drop-down button: each button
// is a collection item (kind, width, side, visibility); one may be the default button a shortcut
// clicks; a click reports the button's collection index. It opens no drop-down.
#pragma once

#include "dx/editors/dxDropDownEdit.h"
#include "platform/classes/Collection.h"
#include "platform/win/Input.h"

class TdxEditButton : public TCollectionItem {
  TRENVIK_CLASS(TdxEditButton, TCollectionItem);

 public:
  // Raises "Too many buttons ( >= 8)" when the collection already holds eight buttons.
  explicit TdxEditButton(TCollection* Collection);
  ~TdxEditButton() override;

  virtual void RestoreDefaults();
  void Assign(TPersistent* Source) override;

  bool Default() const { return default_; }
  void SetDefault(bool Value);
  TBitmap* Glyph();
  bool HasGlyph() const;
  void SetGlyph(TBitmap* Value);
  TdxEditButtonKind Kind() const { return kind_; }
  void SetKind(TdxEditButtonKind Value);
  bool LeftAlignment() const { return leftAlignment_; }
  void SetLeftAlignment(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  // Without a change notification (the collection's own default rule).
  void SetDefaultDirect(bool Value) { default_ = Value; }

 private:
  template <class T>
  void Store(T& Field, T Value);

  bool default_ = false;
  std::unique_ptr<TBitmap> glyph_;
  TdxEditButtonKind kind_ = bkEllipsis;
  bool leftAlignment_ = false;
  bool visible_ = true;
  int width_ = 0;
};

class TdxEditButtons : public TOwnedCollection {
  TRENVIK_CLASS(TdxEditButtons, TOwnedCollection);

 public:
  explicit TdxEditButtons(TPersistent* AOwner);
  TdxEditButton* Add() { return static_cast<TdxEditButton*>(TCollection::Add()); }
  TdxEditButton* GetItem(int Index) const { return static_cast<TdxEditButton*>(Items(Index)); }
  int VisibleCount() const;
  // The collection index of the N-th visible button, -1 when there is none.
  int VisibleIndexToIndex(int N) const;
  TdxEditButton* GetVisibleItem(int N) const;
  void RestoreDefaults();

 protected:
  void Update(TCollectionItem* Item) override;
  bool AllItemsComplete() const;
};

class TdxInplaceEditButtons : public TdxEditButtons {
  TRENVIK_CLASS(TdxInplaceEditButtons, TdxEditButtons);

 public:
  using TdxEditButtons::TdxEditButtons;

 protected:
  void Update(TCollectionItem* Item) override;
};

class TdxButtonEditViewData : public TdxDropDownEditViewData {
  TRENVIK_CLASS(TdxButtonEditViewData, TdxDropDownEditViewData);

 public:
  TdxButtonEditViewData() = default;
  bool ButtonsOnly = false;
  TdxEditButtons* ButtonList = nullptr;
  bool TextNotEditable = false;
};

class TdxButtonEditMetaClass : public TdxDropDownEditMetaClass {
 public:
  void CalcViewInfo(TdxEditViewData* ViewData, bool AutoSize, TdxEditViewInfo& ViewInfo) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
  void CalcButtons(TdxDropDownEditViewData* ViewData) const override;
};

using TdxEditButtonClickEvent = std::function<void(TObject* Sender, int AbsoluteIndex)>;

class TdxInplaceButtonEdit : public TdxInplaceDropDownEdit {
  TRENVIK_CLASS(TdxInplaceButtonEdit, TdxInplaceDropDownEdit);

 public:
  explicit TdxInplaceButtonEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceButtonEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // Clicks the first visible default button.
  virtual void ClickDefaultButton();

  void ButtonClick(int ButtonIndex) override;
  void DropDownKeyDown(WORD&, TShiftState) override {}
  bool IsEditClass() override { return textMode_ == 0; }
  bool CanRestoreText() override { return true; }
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;

  TdxEditButtons* Buttons() const { return buttons_.get(); }
  void SetButtons(TdxEditButtons* Value) { buttons_->Assign(Value); }
  // 0 editable text, 1 text shown but not editable, 2 buttons only.
  int TextMode() const { return textMode_; }
  void SetTextMode(int Value);
  Word ClickKey = 0x4000 | VK_RETURN;  // Ctrl+Enter
  TdxEditButtonClickEvent OnButtonClick;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;

 private:
  std::unique_ptr<TdxInplaceEditButtons> buttons_;
  int textMode_ = 0;
  bool storedButtons_ = false;
};
