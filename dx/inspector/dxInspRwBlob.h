// The BLOB row kind: memo text or a picture shown as a small icon (or as text) and edited in the
// editor's memo or picture pop-up.
#pragma once

#include <type_traits>
#include <utility>

#include "dx/editors/dxBlobEdit.h"
#include "dx/editors/dxGraphicEdit.h"
#include "dx/inspector/dxInspRwDropDown.h"

class TdxInspectorBlobEdit : public TdxInplaceBlobEdit {
  TRENVIK_CLASS(TdxInspectorBlobEdit, TdxInplaceBlobEdit);

 public:
  explicit TdxInspectorBlobEdit(TComponent* AOwner) : TdxInplaceBlobEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

using TdxInspectorBlobRowAssignPictureEvent = std::function<void(TObject* Sender, TPicture*& Picture)>;
using TdxInspectorBlobRowGetGraphicClassEvent =
    std::function<void(TObject* Sender, TGraphicClass& GraphicClass)>;

// The BLOB row's settings that only go to the editor (copied and reset as a whole).
struct TdxBlobRowOptions {
  bool AlwaysSaveText = false;
  int MaxDisplayLength = 255;  // kept and streamed only
  TEditCharCase MemoCharCase = ecNormal;
  bool MemoHideScrollBars = true;
  int MemoMaxLength = 0;
  bool MemoOEMConvert = false;
  TScrollStyle MemoScrollBars = ssBoth;
  bool MemoSelectionBar = false;
  bool MemoWantReturns = true;
  bool MemoWantTabs = true;
  bool MemoWordWrap = true;
  bool PictureAutoSize = true;
  Word PictureClipboardFormat = CF_PICTURE;
  TGraphicClass DefaultGraphicClass = nullptr;
  String PictureFilter;
  TdxGraphicEditTransparency PictureTransparency = gtDefault;
  int PopupHeight = 140;
  int PopupWidth = 200;
  bool ShowExPopupItems = false;
  bool ShowPicturePopup = false;
  bool SizeablePopup = true;
};

class TdxInspectorCustomBlobRow : public TdxInspectorDropDownRow, public TdxBlobRowOptions {
  TRENVIK_CLASS(TdxInspectorCustomBlobRow, TdxInspectorDropDownRow);

 public:
  using TdxInspectorDropDownRow::TdxInspectorDropDownRow;

  TdxBlobEditKind BlobEditKind() const { return blobEditKind_; }
  void SetBlobEditKind(TdxBlobEditKind Value);
  TdxBlobKind BlobKind() const { return blobKind_; }
  void SetBlobKind(TdxBlobKind Value);
  TdxBlobPaintStyle BlobPaintStyle() const { return blobPaintStyle_; }
  void SetBlobPaintStyle(TdxBlobPaintStyle Value);
  // Accessors of the plain options, for publishing them.
  template <auto Member>
  auto Option() const {
    return static_cast<const TdxBlobRowOptions&>(*this).*Member;
  }
  template <auto Member>
  void SetOption(std::decay_t<decltype(std::declval<TdxBlobRowOptions&>().*Member)> Value) {
    static_cast<TdxBlobRowOptions&>(*this).*Member = Value;
  }
  TdxInspectorBlobRowAssignPictureEvent OnAssignPicture;
  TdxInspectorBlobRowGetGraphicClassEvent OnGetGraphicClass;

  virtual void DoAssignPicture(TPicture*& Picture) {
    if (OnAssignPicture) OnAssignPicture(this, Picture);
  }
  virtual void DoGetGraphicClass(TGraphicClass& GraphicClass) { GraphicClass = GetGraphicClass(); }
  // A pop-up resized by the user keeps its size.
  virtual void StorePopupSize(TdxInplaceEdit* Editor);
  // The text; a picture's bytes for the picture kind.
  virtual void GetBlobValue(Variant& Value);
  virtual TdxBlobEditKind GetBlobEditKind() { return blobEditKind_; }
  virtual void GetBlobText(String& Text) { Text = GetDisplayText(); }
  // The default graphic class, through OnGetGraphicClass.
  virtual TGraphicClass GetGraphicClass();

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorBlobEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  // The text the cell (and the editor) shows for the paint style.
  String CellText();

  TdxBlobEditKind blobEditKind_ = bekMemo;
  TdxBlobKind blobKind_ = bkAuto;
  TdxBlobPaintStyle blobPaintStyle_ = bpsIcon;
};

class TdxInspectorTextBlobRow : public TdxTextValueRow<TdxInspectorCustomBlobRow> {
  TRENVIK_CLASS(TdxInspectorTextBlobRow, TdxTextValueRow<TdxInspectorCustomBlobRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
