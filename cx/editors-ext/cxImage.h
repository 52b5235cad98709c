// The image editor: a picture whose edit value is its graphic's stream held in a string (as a
// binary field holds it), shown centred, stretched to its proportions or scrolled, and cut, copied,
// pasted, cleared, loaded and saved. The value conversions serve grid cells too.
#pragma once

#include <memory>

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditViewInfo.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/Picture.h"

TRENVIK_ENUM(TcxImageTransparency, gtDefault, gtOpaque, gtTransparent);
TRENVIK_ENUM(TcxPopupMenuItem, pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave, pmiCustom);
using TcxPopupMenuItems = Set<TcxPopupMenuItem>;

// The graphic classes a picture value may name: bitmap, icon, metafile and JPEG image.
TGraphicClass cxGetGraphicClassByName(const String& AName);
// Loads a picture value (with or without the graphic header); a value that is no string, holds no
// bytes or is no readable graphic empties the picture and raises nothing.
void cxPictureFromValue(TPicture* APicture, TGraphicClass AGraphicClass, const Variant& AValue);
// The graphic's stream as a value; empty for no picture.
AnsiString cxPictureToValue(TPicture* APicture);
// The largest rectangle of the proportions AWidth x AHeight inside R, at R's top-left.
RECT cxFitRectProportionally(const RECT& R, int AWidth, int AHeight);
// The clipboard format a paste of the class needs (0: none pastes into it).
Word cxImageClipboardFormat(TGraphicClass AGraphicClass);
// The commands of the context menu that can run: AEmpty no picture, ALocked the edit cannot change,
// AClipboardHasFormat the clipboard holds what a paste needs.
TcxPopupMenuItems cxImageEnabledCommands(bool AEmpty, bool ALocked, TGraphicClass AGraphicClass,
                                         bool AClipboardHasFormat);

class TcxPopupMenuLayout : public TPersistent {
  TRENVIK_CLASS(TcxPopupMenuLayout, TPersistent);

 public:
  TcxPopupMenuLayout() = default;

  void Assign(TPersistent* Source) override;

  TcxPopupMenuItems MenuItems() const { return menuItems_; }
  void SetMenuItems(TcxPopupMenuItems Value) { menuItems_ = Value; }
  const String& CustomMenuItemCaption() const { return customMenuItemCaption_; }
  void SetCustomMenuItemCaption(const String& Value) { customMenuItemCaption_ = Value; }
  // Made on first read; nullptr frees it, another bitmap is copied into it.
  TBitmap* CustomMenuItemGlyph();
  void SetCustomMenuItemGlyph(TBitmap* Value);
  bool HasCustomMenuItemGlyph() const { return customMenuItemGlyph_ != nullptr; }

 private:
  TcxPopupMenuItems menuItems_{pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave};
  String customMenuItemCaption_;
  std::unique_ptr<TBitmap> customMenuItemGlyph_;
};

using TcxImageAssignPictureEvent = std::function<void(TObject* Sender, TPicture* APicture)>;

class TcxCustomImageProperties : public TcxCustomEditProperties {
  TRENVIK_CLASS(TcxCustomImageProperties, TcxCustomEditProperties);

 public:
  explicit TcxCustomImageProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool Center() const { return center_; }
  void SetCenter(bool Value);
  const String& CustomFilter() const { return customFilter_; }
  void SetCustomFilter(const String& Value) { customFilter_ = Value; }
  TGraphicClass GraphicClass() const { return graphicClass_; }
  void SetGraphicClass(TGraphicClass Value);
  // The stored text while designing or without a class, else the class's name.
  String GraphicClassName() const;
  void SetGraphicClassName(const String& Value);
  bool IsGraphicClassNameStored() const;
  TcxImageTransparency GraphicTransparency() const { return graphicTransparency_; }
  void SetGraphicTransparency(TcxImageTransparency Value);
  TcxPopupMenuLayout* PopupMenuLayout() const { return popupMenuLayout_.get(); }
  void SetPopupMenuLayout(TcxPopupMenuLayout* Value) { popupMenuLayout_->Assign(Value); }
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool Value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value);
  // The height of an empty in-place cell.
  int DefaultContentHeight() const { return 15; }

  TcxImageAssignPictureEvent OnAssignPicture;
  TNotifyEvent OnCustomClick;

  bool CanValidate() override { return true; }
  bool CanRevertEditValue() override { return true; }
  TClass GetContainerClass() override;
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TcxCustomEdit* AEdit) override;

 private:
  bool OwnedByEdit() const;

  TPersistent* owner_;
  String caption_;
  bool center_ = true;
  String customFilter_;
  TGraphicClass graphicClass_ = nullptr;
  String graphicClassName_;
  TcxImageTransparency graphicTransparency_ = gtDefault;
  std::unique_ptr<TcxPopupMenuLayout> popupMenuLayout_;
  bool showFocusRect_ = true;
  bool stretch_ = false;
};

class TcxImageProperties : public TcxCustomImageProperties {
  TRENVIK_CLASS(TcxImageProperties, TcxCustomImageProperties);

 public:
  explicit TcxImageProperties(TPersistent* AOwner) : TcxCustomImageProperties(AOwner) {}
};

// What an image editor or cell draws: its picture, or the caption when it has none.
class TcxImageViewInfo : public TcxCustomEditViewInfo {
  TRENVIK_CLASS(TcxImageViewInfo, TcxCustomEditViewInfo);

 public:
  TcxImageViewInfo() = default;

  void Assign(TObject* Source) override;
  void Paint(TcxCanvas* ACanvas) override;
  // The rectangle the picture takes for the client area.
  RECT PictureRect() const;
  // The picture of a cell, owned here (an edit's own picture is only referred to).
  TPicture* OwnPicture();

  TPicture* Picture = nullptr;
  String Caption;
  bool Center = true;
  bool Stretch = false;
  bool ShowFocusFrame = false;
  POINT ScrollOffset{};

 private:
  std::shared_ptr<TPicture> ownPicture_;
};

class TcxImageViewData : public TcxCustomEditViewData {
  TRENVIK_CLASS(TcxImageViewData, TcxCustomEditViewData);

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  TcxCustomImageProperties* ImageProperties() const {
    return static_cast<TcxCustomImageProperties*>(Properties());
  }
  void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  SIZE GetContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                      const TcxEditSizeProperties& ASizeProperties) override;
};

class TcxCustomImage : public TcxCustomEdit {
  TRENVIK_CLASS(TcxCustomImage, TcxCustomEdit);

 public:
  explicit TcxCustomImage(TComponent* AOwner);
  ~TcxCustomImage() override;

  TcxCustomImageProperties* Properties() const {
    return static_cast<TcxCustomImageProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomImageProperties* ActiveProperties() {
    return static_cast<TcxCustomImageProperties*>(GetActiveProperties());
  }
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* Value) { picture_->Assign(Value); }
  bool PictureEmpty() const;
  // The commands the context menu offers enabled now.
  TcxPopupMenuItems EnabledCommands();
  // Reads the file into the picture; a file that is no picture raises EInvalidGraphic naming it
  // and leaves the picture as it was.
  void LoadPictureFromFile(const String& AFileName);
  // The load and save commands through the picture dialogs.
  void LoadPicture();
  void SavePicture();

  virtual void DoCustomClick();
  virtual TGraphicClass GetGraphicClass();

  TClass GetPropertiesClass() override { return TcxImageProperties::StaticClass(); }
  void GetEditValue(Variant& Value) override;
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;
  void PropertiesChanged(TObject* Sender) override;
  void Clear() override;
  void CopyToClipboard() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  // The picture's commands, made afresh for each request; none when MenuItems is empty.
  TComponent* GetDefaultPopupMenu() override;
  void DoContextPopup(POINT MousePos, bool& Handled) override;

  // A picture larger than the client area scrolls, unless it is centred, stretched or sized to.
  POINT ScrollOffset() const { return scrollOffset_; }
  void InitScrollBarsParameters() override;
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APosition) override;
  void PlaceScrollBars() override;

 private:
  void PictureChanged();
  void RunMenuCommand(TcxPopupMenuItem ACommand);
  // The client area as it is with no scroll bars (the view info's may be of an older size).
  RECT ClientRectWithoutScrollBars();
  // Back to the picture's top-left, with the bars the picture and the settings ask for now.
  void ResetScrolling();

  std::unique_ptr<TPicture> picture_;
  bool loadingValue_ = false;
  POINT scrollOffset_{};
};

class TcxImage : public TcxCustomImage {
  TRENVIK_CLASS(TcxImage, TcxCustomImage);

 public:
  explicit TcxImage(TComponent* AOwner) : TcxCustomImage(AOwner) {}
};

// The menu's pictures (cut, copy, paste, delete, load, save), loaded when the library starts.
TCustomImageList* cxImageMenuImages();
void cxLoadImageMenuImages();
void cxFreeImageMenuImages();

void InitializeImage();
void FinalizeImage();
