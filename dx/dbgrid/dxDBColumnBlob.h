// The BLOB and picture column kinds.
#pragma once

#include <memory>

#include "dx/dbgrid/dxDBColumnDropDown.h"

using TdxColumnGetGraphicClassEvent =
    std::function<void(TObject* Sender, TdxTreeListNode* Node, TGraphicClass& GraphicClass)>;
using TdxColumnAssignPictureEvent = std::function<void(TObject* Sender, TPicture*& Picture)>;

class TdxDBTreeListBlobColumn : public TdxDBTreeListDropDownColumn {
  TRENVIK_CLASS(TdxDBTreeListBlobColumn, TdxDBTreeListDropDownColumn);

 public:
  explicit TdxDBTreeListBlobColumn(TComponent* AOwner);

  TRENVIK_COLUMN_SETTING(blob_, bool, AlwaysSaveText, false)
  TRENVIK_COLUMN_SETTING(blob_, TdxBlobKind, BlobKind, true)
  TdxBlobPaintStyle BlobPaintStyle() const { return blob_.BlobPaintStyle; }
  void SetBlobPaintStyle(TdxBlobPaintStyle Value);
  TRENVIK_COLUMN_SETTING(blob_, int, MaxDisplayLength, true)
  TRENVIK_COLUMN_SETTING(blob_, TEditCharCase, MemoCharCase, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, MemoHideScrollBars, false)
  TRENVIK_COLUMN_SETTING(blob_, int, MemoMaxLength, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, MemoOEMConvert, false)
  TRENVIK_COLUMN_SETTING(blob_, TScrollStyle, MemoScrollBars, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, MemoSelectionBar, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, MemoWantReturns, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, MemoWantTabs, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, MemoWordWrap, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, PictureAutoSize, false)
  TRENVIK_COLUMN_SETTING(blob_, String, PictureFilter, false)
  TRENVIK_COLUMN_SETTING(blob_, int, PopupHeight, false)
  TRENVIK_COLUMN_SETTING(blob_, int, PopupWidth, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, ShowExPopupItems, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, ShowPicturePopup, false)
  TRENVIK_COLUMN_SETTING(blob_, bool, SizeablePopup, false)
  TdxColumnAssignPictureEvent OnAssignPicture;
  TdxColumnGetGraphicClassEvent OnGetGraphicClass;

  // The kind the editor works as: BlobKind, or the field's when automatic.
  TdxBlobEditKind EffectiveBlobKind() const;
  TGraphicClass GetGraphicClass(TdxTreeListNode* Node);
  // Keeps the pop-up size the user left.
  void StorePopupSize(TdxInplaceBlobEdit* Editor);

  bool HandlesBlobValue() override { return true; }
  String GetFieldCellText() override;
  bool TextFollowsValue() const override { return false; }
  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;

  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListBlobEdit);
  TRENVIK_COLUMN_KIND_VALUE_OPERATIONS;

 private:
  struct TSettings {
    bool AlwaysSaveText = false;
    TdxBlobKind BlobKind = bkAuto;
    TdxBlobPaintStyle BlobPaintStyle = bpsIcon;
    int MaxDisplayLength = 255;
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
    String PictureFilter;
    int PopupHeight = 140;
    int PopupWidth = 200;
    bool ShowExPopupItems = false;
    bool ShowPicturePopup = false;
    bool SizeablePopup = true;
  } blob_;
};

class TdxDBTreeListGraphicColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListGraphicColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListGraphicColumn(TComponent* AOwner);
  ~TdxDBTreeListGraphicColumn() override;

  TRENVIK_COLUMN_SETTING(graphic_, bool, Center, false)
  TRENVIK_COLUMN_SETTING(graphic_, String, CustomFilter, false)
  TRENVIK_COLUMN_SETTING(graphic_, bool, CustomGraphic, false)
  TRENVIK_COLUMN_SETTING(graphic_, bool, DblClickActivate, false)
  TRENVIK_COLUMN_SETTING(graphic_, TdxGraphicEditTransparency, GraphicTransparency, false)
  TRENVIK_COLUMN_SETTING(graphic_, bool, PopupToolbarPosStored, false)
  TRENVIK_COLUMN_SETTING(graphic_, bool, QuickDraw, false)
  TRENVIK_COLUMN_SETTING(graphic_, bool, ShadowSelection, false)
  TRENVIK_COLUMN_SETTING(graphic_, bool, Stretch, true)
  TdxColumnAssignPictureEvent OnAssignPicture;
  TNotifyEvent OnCustomClick;
  TdxColumnGetGraphicClassEvent OnGetGraphicClass;

  virtual void DoAssignPicture(TPicture*& Picture);
  virtual void DoCustomClick();
  TGraphicClass GetGraphicClass(TdxTreeListNode* Node);
  TGraphicClass GetEditorGraphicClass();

  bool StoresFieldValue() override { return true; }
  bool HandlesBlobValue() override { return true; }
  int GetBestFitWidth(TCanvas* Canvas, TdxTreeListNode* Node) override;
  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;

  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListGraphicEdit);
  TRENVIK_COLUMN_KIND_VALUE_OPERATIONS;

 private:
  // The picture of the node's value, read for painting.
  TPicture* CellPicture(TdxTreeListNode* Node);

  struct TSettings {
    bool Center = true;
    String CustomFilter;
    bool CustomGraphic = false;
    bool DblClickActivate = true;
    TdxGraphicEditTransparency GraphicTransparency = gtDefault;
    bool PopupToolbarPosStored = true;
    bool QuickDraw = false;
    bool ShadowSelection = true;
    bool Stretch = true;
  } graphic_;
  std::unique_ptr<TPicture> cellPicture_;
};
