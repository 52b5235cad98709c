// The BLOB edit: a binary or memo value shown in one line as an icon or a short text, edited in a
// drop-down memo (memo data) or image editor (pictures) with OK and Cancel buttons; OLE and other
// binary data are only shown.
#pragma once

#include <memory>

#include "cx/editors-ext/cxImage.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxPopupEdit.h"
#include "cx/foundation/cxButtons.h"
#include "platform/forms/ImgList.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_ENUM(TcxBlobEditKind, bekAuto, bekMemo, bekPict, bekOle, bekBlob);
TRENVIK_ENUM(TcxBlobPaintStyle, bpsDefault, bpsIcon, bpsText);

class TcxCustomBlobEditProperties;

// The one-line text of a value: the whole memo when AFullText, "(memo)"/"(MEMO)" and
// "(picture)"/"(PICTURE)" for the default style, the memo's first 80 characters (leading blanks
// gone, control characters as blanks) for the text style, and nothing for icons.
String cxBlobDisplayText(const Variant& AValue, TcxBlobEditKind AKind, TcxBlobPaintStyle AStyle, bool AFullText);
String cxGetBlobDisplayText(const Variant& AValue, TcxCustomBlobEditProperties* AProperties, bool AFullText);
// The kind a data field's BLOB kind stands for (0 none, 1 binary, 2 graphic, 3 memo, 4 OLE).
TcxBlobEditKind cxBlobEditKindOfField(int AFieldBlobKind);
// The icon of a kind: blob 0, memo 2, picture 4, OLE 6, one more when the value is not Null.
int cxBlobIconIndex(TcxBlobEditKind AKind, bool AHasValue);
// The eight icons, loaded when the library starts.
TCustomImageList* cxBlobEditImages();
// How a key in the open popup closes it: 0 it does not, 1 saving, 2 cancelling.
int cxBlobPopupCloseResult(WORD AKey, TShiftState AShift, bool AAlwaysSaveData, bool AIsMemo, bool AMemoWantReturns);

class TcxCustomBlobEditProperties : public TcxCustomPopupEditProperties {
  TRENVIK_CLASS(TcxCustomBlobEditProperties, TcxCustomPopupEditProperties);

 public:
  explicit TcxCustomBlobEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  bool AlwaysSaveData() const { return alwaysSaveData_; }
  void SetAlwaysSaveData(bool Value) { alwaysSaveData_ = Value; }
  TcxBlobEditKind BlobEditKind() const { return blobEditKind_; }
  void SetBlobEditKind(TcxBlobEditKind Value);
  TcxBlobPaintStyle BlobPaintStyle() const { return blobPaintStyle_; }
  void SetBlobPaintStyle(TcxBlobPaintStyle Value);
  bool MemoAutoReplace() const { return memoAutoReplace_; }
  void SetMemoAutoReplace(bool Value) { memoAutoReplace_ = Value; }
  TEditCharCase MemoCharCase() const { return memoCharCase_; }
  void SetMemoCharCase(TEditCharCase Value) { memoCharCase_ = Value; }
  int MemoMaxLength() const { return memoMaxLength_; }
  void SetMemoMaxLength(int Value) { memoMaxLength_ = Value; }
  bool MemoOEMConvert() const { return memoOEMConvert_; }
  void SetMemoOEMConvert(bool Value) { memoOEMConvert_ = Value; }
  TScrollStyle MemoScrollBars() const { return memoScrollBars_; }
  void SetMemoScrollBars(TScrollStyle Value) { memoScrollBars_ = Value; }
  bool MemoWantReturns() const { return memoWantReturns_; }
  void SetMemoWantReturns(bool Value) { memoWantReturns_ = Value; }
  bool MemoWantTabs() const { return memoWantTabs_; }
  void SetMemoWantTabs(bool Value) { memoWantTabs_ = Value; }
  bool MemoWordWrap() const { return memoWordWrap_; }
  void SetMemoWordWrap(bool Value) { memoWordWrap_ = Value; }
  bool PictureAutoSize() const { return pictureAutoSize_; }
  void SetPictureAutoSize(bool Value) { pictureAutoSize_ = Value; }
  const String& PictureFilter() const { return pictureFilter_; }
  void SetPictureFilter(const String& Value) { pictureFilter_ = Value; }
  TGraphicClass PictureGraphicClass() const { return pictureGraphicClass_; }
  void SetPictureGraphicClass(TGraphicClass Value) { pictureGraphicClass_ = Value; }
  const String& PictureGraphicClassName() const { return pictureGraphicClassName_; }
  void SetPictureGraphicClassName(const String& Value) { pictureGraphicClassName_ = Value; }
  TcxImageTransparency PictureTransparency() const { return pictureTransparency_; }
  void SetPictureTransparency(TcxImageTransparency Value) { pictureTransparency_ = Value; }
  bool ShowExPopupItems() const { return showExPopupItems_; }
  void SetShowExPopupItems(bool Value) { showExPopupItems_ = Value; }
  bool ShowPicturePopup() const { return showPicturePopup_; }
  void SetShowPicturePopup(bool Value) { showPicturePopup_ = Value; }
  // Runs ASettings with the change notification off (the popup's own settings, made at each
  // opening, change nothing the edit shows).
  template <class F>
  void ChangeSilently(F ASettings) {
    const bool locked = IsChangedLocked();
    SetChangedLocked(true);
    TScopeExit restore([this, locked] { SetChangedLocked(locked); });
    ASettings();
  }
  // The kind to work with: BlobEditKind, or for bekAuto the bound field's, written back.
  TcxBlobEditKind ResolveBlobEditKind();

  TcxImageAssignPictureEvent OnAssignPicture;

  TClass GetContainerClass() override;
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
  TcxEditDisplayFormatOptions GetDisplayFormatSupport() override { return {}; }
  bool IsChangeEventSeparate() override { return false; }
  bool DropDownOnClick() override { return true; }
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;
  TcxEditValueSource GetEditValueSource(bool) override { return evsValue; }
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool IsEditValueValid(Variant&, bool) override { return true; }

 private:
  bool OwnedByEdit() const;

  TPersistent* owner_;
  bool alwaysSaveData_ = true;
  TcxBlobEditKind blobEditKind_ = bekAuto;
  TcxBlobPaintStyle blobPaintStyle_ = bpsIcon;
  bool memoAutoReplace_ = false;
  TEditCharCase memoCharCase_ = ecNormal;
  int memoMaxLength_ = 0;
  bool memoOEMConvert_ = false;
  TScrollStyle memoScrollBars_ = ssNone;
  bool memoWantReturns_ = true;
  bool memoWantTabs_ = true;
  bool memoWordWrap_ = true;
  bool pictureAutoSize_ = true;
  String pictureFilter_;
  TGraphicClass pictureGraphicClass_ = nullptr;
  String pictureGraphicClassName_;
  TcxImageTransparency pictureTransparency_ = gtDefault;
  bool showExPopupItems_ = true;
  bool showPicturePopup_ = true;
};

class TcxBlobEditProperties : public TcxCustomBlobEditProperties {
  TRENVIK_CLASS(TcxBlobEditProperties, TcxCustomBlobEditProperties);

 public:
  explicit TcxBlobEditProperties(TPersistent* AOwner) : TcxCustomBlobEditProperties(AOwner) {}
};

// An icon or a short text in the client area.
class TcxBlobEditViewInfo : public TcxCustomEditViewInfo {
  TRENVIK_CLASS(TcxBlobEditViewInfo, TcxCustomEditViewInfo);

 public:
  TcxBlobEditViewInfo() = default;

  void Assign(TObject* Source) override;

  // -1: the text shows instead.
  int IconIndex = -1;
  POINT IconPosition{};
  bool Enabled = true;
  bool ShowFocusFrame = false;

 protected:
  void PaintText(TcxCanvas* ACanvas) override;
};

class TcxBlobEditViewData : public TcxCustomTextEditViewData {
  TRENVIK_CLASS(TcxBlobEditViewData, TcxCustomTextEditViewData);

 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;

  TcxCustomBlobEditProperties* BlobProperties() const {
    return static_cast<TcxCustomBlobEditProperties*>(Properties());
  }
  void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  SIZE GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                      const TcxEditSizeProperties& ASizeProperties) override;
};

class TcxCustomBlobEdit;

// The popup's memo and image: keys that close the popup say whether its changes are kept.
template <class TEditor>
class TcxBlobPopupEditorOf : public TEditor {
 public:
  TcxBlobPopupEditorOf(TComponent* AOwner, TcxCustomBlobEdit* AEdit) : TEditor(AOwner), edit_(AEdit) {}
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;

 private:
  TcxCustomBlobEdit* edit_;
};

class TcxPopupMemo : public TcxBlobPopupEditorOf<TcxMemo> {
  TRENVIK_CLASS(TcxPopupMemo, TcxBlobPopupEditorOf<TcxMemo>);

 public:
  using TcxBlobPopupEditorOf::TcxBlobPopupEditorOf;
};

class TcxPopupImage : public TcxBlobPopupEditorOf<TcxImage> {
  TRENVIK_CLASS(TcxPopupImage, TcxBlobPopupEditorOf<TcxImage>);

 public:
  using TcxBlobPopupEditorOf::TcxBlobPopupEditorOf;
};

class TcxCustomBlobEdit : public TcxCustomPopupEdit {
  TRENVIK_CLASS(TcxCustomBlobEdit, TcxCustomPopupEdit);

 public:
  explicit TcxCustomBlobEdit(TComponent* AOwner);
  ~TcxCustomBlobEdit() override;

  TcxCustomBlobEditProperties* ActiveProperties() {
    return static_cast<TcxCustomBlobEditProperties*>(GetActiveProperties());
  }
  TcxCustomBlobEditProperties* Properties() const {
    return static_cast<TcxCustomBlobEditProperties*>(TcxCustomEdit::Properties());
  }
  // The open popup's editor and buttons (nullptr while closed).
  TcxCustomEdit* PopupEditor() const { return popupEditor_.get(); }
  TcxButton* OkButton() const { return okButton_.get(); }
  TcxButton* CancelButton() const { return cancelButton_.get(); }
  // Closes the open popup with the result a button or key gives (1 save, 2 cancel).
  void ClosePopupWith(int AModalResult);
  // A key that closes the popup from one of its editors; true when it closed.
  bool HandlePopupKey(WORD AKey, TShiftState AShift);

  // --- Operations it introduces ---
  virtual void CreatePopupControls();
  virtual void DestroyPopupControls();

  TClass GetPropertiesClass() override { return TcxBlobEditProperties::StaticClass(); }
  bool InnerEditDrawsText() override { return false; }
  void SynchronizeDisplayValue() override;
  void SynchronizeEditValue() override {}
  void PropertiesChanged(TObject* Sender) override;
  void DoEditKeyPress(Char& Key) override;
  void CreatePopupWindow() override;
  void DoInitPopup() override;
  TWinControl* GetPopupFocusedControl() override;
  void CalculatePopupSize(SIZE& ASize) override;
  void SetupPopupWindow() override;
  void PositionPopupContent(const RECT& AClientRect) override;
  void PopupWindowClosed(TObject* Sender) override;
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;

 private:
  void CreatePopupMemo();
  void CreatePopupImage();
  void CreatePopupButtons();
  // The popup shows AEditor, sized by its content when AAutoSize.
  void AdoptPopupEditor(std::unique_ptr<TcxCustomEdit> AEditor, bool AAutoSize);
  void PopupEditorChanged();
  int ButtonHeight();

  std::unique_ptr<TcxCustomEdit> popupEditor_;
  std::unique_ptr<TcxButton> okButton_;
  std::unique_ptr<TcxButton> cancelButton_;
  int buttonWidth_ = 0;
  bool popupModified_ = false;
  Char pendingChar_ = 0;
  TGraphicClass lastGraphicClass_ = nullptr;
};

class TcxBlobEdit : public TcxCustomBlobEdit {
  TRENVIK_CLASS(TcxBlobEdit, TcxCustomBlobEdit);

 public:
  explicit TcxBlobEdit(TComponent* AOwner) : TcxCustomBlobEdit(AOwner) {}
};

void InitializeBlobEdit();
void FinalizeBlobEdit();
