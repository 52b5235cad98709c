// The graphic row kind: a picture kept as the bytes of its stream, shown in the cell and edited
// through the clipboard, picture files and the editor's command window.
#pragma once

#include <memory>

#include "dx/editors/dxGraphicEdit.h"
#include "platform/forms/PictureValues.h"
#include "dx/inspector/dxInspRw.h"

class TdxInspectorGraphicEdit : public TdxInplaceGraphicEdit {
  TRENVIK_CLASS(TdxInspectorGraphicEdit, TdxInplaceGraphicEdit);

 public:
  explicit TdxInspectorGraphicEdit(TComponent* AOwner) : TdxInplaceGraphicEdit(AOwner, StaticEditClass()) {}
  static TdxInplaceEditClass StaticEditClass();
};

class TdxInspectorGraphicRow : public TdxInspectorRow {
  TRENVIK_CLASS(TdxInspectorGraphicRow, TdxInspectorRow);

 public:
  explicit TdxInspectorGraphicRow(TComponent* AOwner);
  ~TdxInspectorGraphicRow() override;

  bool Center() const { return center_; }
  void SetCenter(bool Value);
  Word ClipboardFormat = CF_PICTURE;
  const String& CustomFilter() const { return customFilter_; }
  void SetCustomFilter(const String& Value) { customFilter_ = Value; }
  bool CustomGraphic() const { return customGraphic_; }
  void SetCustomGraphic(bool Value);
  bool DblClickActivate() const { return dblClickActivate_; }
  void SetDblClickActivate(bool Value) { dblClickActivate_ = Value; }
  TdxGraphicEditTransparency GraphicTransparency() const { return transparency_; }
  void SetGraphicTransparency(TdxGraphicEditTransparency Value);
  TdxPopupToolBarWindow* PopupToolBar() const { return toolBar_.get(); }
  void SetPopupToolBar(TdxPopupToolBarWindow* Value) { toolBar_->Assign(Value); }
  POINT ToolbarPos() const { return toolbarPos_; }
  void SetToolbarPos(POINT Value) { toolbarPos_ = Value; }
  // Clearing it forgets the tool window's position.
  bool PopupToolbarPosStored() const { return toolbarPosStored_; }
  void SetPopupToolbarPosStored(bool Value);
  bool QuickDraw() const { return quickDraw_; }
  void SetQuickDraw(bool Value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value);
  TdxGraphicEditAssignPictureEvent OnAssignPicture;
  TNotifyEvent OnCustomClick;
  TdxGraphicEditGetGraphicClassEvent OnGetGraphicClass;

  virtual void DoAssignPicture(TPicture*& Picture) {
    if (OnAssignPicture) OnAssignPicture(this, Picture);
  }
  virtual void DoCustomClick() {
    if (OnCustomClick) OnCustomClick(this);
  }
  virtual void DoGetGraphicClass(TGraphicClass& GraphicClass) { GraphicClass = GetGraphicClass(); }
  // None unless OnGetGraphicClass names one.
  virtual TGraphicClass GetGraphicClass();
  // The picture's bytes as a string variant.
  virtual void GetGraphicValue(Variant& Value) {
    Value = VarFromAnsiString(PictureTextToBytes(GetEditText()));
  }

  TdxInplaceEditClass GetEditorClass() override { return TdxInspectorGraphicEdit::StaticEditClass(); }
  void InitEditProperties(TdxInplaceEdit* Editor) override;
  void InitEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void SaveEditValue(TdxInplaceEdit* Editor, Variant& Value) override;
  void PrepareViewData(TdxEditViewData* Data, const TdxInspectorCellViewData& Cell) override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

 private:
  String customFilter_;
  bool dblClickActivate_ = true;
  static constexpr POINT kUnsetToolbarPos{-10000, -10000};
  template <class T>
  void Store(T& Field, T Value);

  bool center_ = true;
  bool customGraphic_ = false;
  TdxGraphicEditTransparency transparency_ = gtDefault;
  std::unique_ptr<TPicture> paintPicture_;
  std::unique_ptr<TdxPopupToolBarWindow> toolBar_;
  POINT toolbarPos_ = kUnsetToolbarPos;
  bool toolbarPosStored_ = true;
  bool quickDraw_ = false;
  bool stretch_ = true;
};

class TdxInspectorTextGraphicRow : public TdxTextValueRow<TdxInspectorGraphicRow> {
  TRENVIK_CLASS(TdxInspectorTextGraphicRow, TdxTextValueRow<TdxInspectorGraphicRow>);

 public:
  using TdxTextValueRow::TdxTextValueRow;
};
