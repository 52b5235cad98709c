// The BLOB cell editor: memo text, pictures, OLE objects or raw bytes shown as a small icon per kind
// (empty or filled) or as text, and edited only in a sizable memo or picture pop-up.
#pragma once

#include <memory>

#include "dx/editors/dxBlobPopup.h"
#include "dx/editors/dxDropDownEdit.h"
#include "platform/forms/ImgList.h"

class TField;

TRENVIK_ENUM(TdxBlobKind, bkAuto, bkBlob, bkMemo, bkPict, bkOle);
TRENVIK_ENUM(TdxBlobEditKind, bekMemo, bekPict, bekOle, bekBlob);
TRENVIK_ENUM(TdxBlobPaintStyle, bpsDefault, bpsIcon, bpsText);

// The icon of a kind in the BLOB image list: filled, or empty (one lower).
int BlobIconIndex(TdxBlobEditKind Kind, bool Empty);
// The editor kind a column or row of Kind edits Field with: bkAuto follows the field's type.
TdxBlobEditKind BlobEditKindForField(TdxBlobKind Kind, TField* Field);
// Whether a BLOB value holds nothing: Null, Empty or an empty string.
bool BlobValueIsEmpty(const Variant& Value);

// The eight BLOB icons (empty and filled blob, memo, picture and OLE), made at module start-up.
TCustomImageList* dxBlobImages();
void InitBlobImages();
void FinalizeBlobImages();

class TdxBlobEditViewData : public TdxDropDownEditViewData {
  TRENVIK_CLASS(TdxBlobEditViewData, TdxDropDownEditViewData);

 public:
  TdxBlobEditViewData() = default;
  TdxBlobEditKind BlobEditKind = bekMemo;
  TdxBlobPaintStyle BlobPaintStyle = bpsIcon;
  TCustomImageList* Images = nullptr;
  bool IsEmpty = true;
};

class TdxBlobEditMetaClass : public TdxDropDownEditMetaClass {
 public:
  bool DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
  void CalcButtons(TdxDropDownEditViewData* ViewData) const override;
  bool IsEditClass() const override { return false; }
};

using TdxBlobAssignPictureEvent = std::function<void(TObject* Sender, TPicture*& Picture)>;
using TdxBlobGetGraphicClassEvent = std::function<void(TObject* Sender, TGraphicClass& GraphicClass)>;

class TdxInplaceBlobEdit : public TdxInplaceDropDownEdit {
  TRENVIK_CLASS(TdxInplaceBlobEdit, TdxInplaceDropDownEdit);
  TRENVIK_MESSAGES(TdxInplaceBlobEdit);

 public:
  explicit TdxInplaceBlobEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceBlobEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the BLOB editor ---
  virtual bool IsNullValue(const Variant& Value) { return VarIsNull(Value) || (VarIsStr(Value) && BlobValueIsEmpty(Value)); }
  virtual void DoAssignPicture(TPicture*& Picture);
  virtual TGraphicClass GetGraphicClass();
  virtual bool CanStoreFromPopup() { return true; }
  virtual void SetPopupSize(int Width, int Height);
  virtual void StoreFromPopup(TCustomdxBlobPopup* Popup);

  // --- Overrides ---
  void SetEditValue(const Variant& Value) override;
  void GetEditValue(Variant& Value, bool FromDefinition) override;
  // Pictures: an object reference to the loaded graphic (integer 0 for none); others: the value or Null.
  void GetEditingValue(Variant& Value) override;
  bool IsEditClass() override { return false; }
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  void DropDown() override;
  void CloseUp(bool) override {}

  // --- Settings the hosts copy in ---
  const Variant& BlobValue() const { return blobValue_; }
  void SetBlobValue(const Variant& Value);
  TdxBlobEditKind BlobKind() const { return blobKind_; }
  void SetBlobKind(TdxBlobEditKind Value);
  TdxBlobPaintStyle BlobPaintStyle() const { return paintStyle_; }
  void SetBlobPaintStyle(TdxBlobPaintStyle Value);
  void SetTextInternal(const String& Value);
  int PopupWidth = 200;
  int PopupHeight = 140;
  bool SizeablePopup = true;
  bool AlwaysSaveText = true;
  TEditCharCase MemoCharCase = ecNormal;
  bool MemoHideScrollBars = true;
  int MemoMaxLength = 0;
  bool MemoOEMConvert = false;
  TScrollStyle MemoScrollBars = ssNone;
  bool MemoSelectionBar = true;
  bool MemoWantReturns = true;
  bool MemoWantTabs = true;
  bool MemoWordWrap = true;
  bool PictureAutoSize = true;
  Word PictureClipboardFormat;
  String PictureFilter;
  TGraphicClass StoredGraphicClass = nullptr;
  bool ShowExPopupItems = true;
  bool ShowPicturePopup = true;
  TCustomdxBlobPopup* Popup() const { return popup_.get(); }

  TdxBlobAssignPictureEvent OnAssignPicture;
  TdxBlobGetGraphicClassEvent OnGetGraphicClass;
  TNotifyEvent OnSavePopupSize;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;

 private:
  void WMGetDlgCode(TMessage& Message);

  Variant blobValue_;
  TdxBlobEditKind blobKind_ = bekMemo;
  TdxBlobPaintStyle paintStyle_ = bpsIcon;
  std::unique_ptr<TPicture> temporaryPicture_;
  std::unique_ptr<TCustomdxBlobPopup> popup_;
};
