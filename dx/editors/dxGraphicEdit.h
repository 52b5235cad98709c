// The picture cell editor: shows a picture value (natural size, centred, or fitted proportionally,
// optionally transparent), exchanges it with the clipboard and with picture files, and offers its
// commands as a context menu.
#pragma once

#include <memory>

#include "dx/editors/dxInplaceEdit.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Picture.h"

TRENVIK_ENUM(TdxGraphicEditTransparency, gtDefault, gtOpaque, gtTransparent);

// The command indexes of the tool window and the command menu.
TRENVIK_ENUM(TdxPopupToolBarButton, ptbCut, ptbCopy, ptbPaste, ptbDelete, ptbLoad, ptbSave, ptbCustom);

TRENVIK_ENUM(TdxPopupToolBarAlignment, ptaLeft, ptaRight, ptaTop, ptaBottom);
using TdxPopupToolBarButtons = Set<TdxPopupToolBarButton>;

class TdxInplaceGraphicEdit;
class TdxPopupToolBar;
class TPopupMenu;  // platform/forms/Menus.h (kept out: its alignment names meet the drop-down editor's)

// The published settings of the editor's commands: a context menu (IsPopupMenu) or a tool window.
class TdxPopupToolBarWindow : public TPersistent {
  TRENVIK_CLASS(TdxPopupToolBarWindow, TPersistent);

 public:
  explicit TdxPopupToolBarWindow(TdxInplaceGraphicEdit* Owner = nullptr) : owner_(Owner) {}
  ~TdxPopupToolBarWindow() override;
  void Assign(TPersistent* Source) override;

  TdxPopupToolBarAlignment Alignment = ptaBottom;
  TdxPopupToolBarButtons Buttons{ptbCut, ptbCopy, ptbPaste, ptbDelete, ptbLoad, ptbSave};
  String CustomButtonCaption;
  // Made empty on first read.
  virtual TBitmap* CustomButtonGlyph();
  // nullptr frees it; a bitmap is copied.
  void SetCustomButtonGlyph(TBitmap* Value);
  bool HasCustomButtonGlyph() const { return glyph_ != nullptr; }
  bool IsPopupMenu() const { return isPopupMenu_; }
  void SetIsPopupMenu(bool Value) { isPopupMenu_ = Value; }
  bool ShowCaptions = true;
  bool Visible = true;

 private:
  TdxInplaceGraphicEdit* owner_;
  std::unique_ptr<TBitmap> glyph_;
  bool isPopupMenu_ = true;
};

class TdxGraphicEditViewData : public TdxEditViewData {
  TRENVIK_CLASS(TdxGraphicEditViewData, TdxEditViewData);

 public:
  TdxGraphicEditViewData() = default;
  bool Center = true;
  bool ShadowSelection = false;  // set by the hosting columns for selected cells
  TPicture* Picture = nullptr;
  bool QuickDraw = false;
  TColor ShadowColor = clHighlight;
  bool Stretch = false;
  TBitmap* TransparencyBitmap = nullptr;
};

// Where a picture of PictureWidth x PictureHeight goes inside Content: fitted proportionally at the
// top-left with Stretch (enlarged as well as reduced), else its own size, centred with Center.
RECT GraphicPictureRect(const RECT& Content, int PictureWidth, int PictureHeight, bool Stretch, bool Center);

// Whether the clipboard holds a picture in Format (the framework's picture format: any bitmap).
bool ClipboardHasPicture(Word Format);

class TdxGraphicEditMetaClass : public TdxInplaceEditMetaClass {
 public:
  bool DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const override;
  void GetContentSize(TdxEditViewData* ViewData, RECT& Rect) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
};

using TdxGraphicEditAssignPictureEvent = std::function<void(TObject* Sender, TPicture*& Picture)>;
using TdxGraphicEditGetGraphicClassEvent = std::function<void(TObject* Sender, TGraphicClass& GraphicClass)>;

class TdxInplaceGraphicEdit : public TdxInplaceEdit {
  TRENVIK_CLASS(TdxInplaceGraphicEdit, TdxInplaceEdit);
  TRENVIK_MESSAGES(TdxInplaceGraphicEdit);

 public:
  explicit TdxInplaceGraphicEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceGraphicEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the graphic editor ---
  virtual void DoCustomClick();
  virtual void DoAssignPicture(TPicture*& Picture);
  virtual TGraphicClass GetGraphicClass();

  // --- Overrides ---
  void SetEditValue(const Variant& Value) override;
  void GetEditValue(Variant& Value, bool FromDefinition) override;
  // An object reference to the picture's graphic, integer 0 when there is none.
  void GetEditingValue(Variant& Value) override;
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  void DoSetFocus() override;
  void DoKillFocus(HWND FocusedWindow) override;
  bool IsFocused() override;

  // --- The tool window ---
  TdxPopupToolBar* ToolBar() const { return toolBar_; }
  void PrepareToolbar();
  void ShowToolbar();
  bool PopupToolbarPosStored() const { return posStored_; }
  void SetPopupToolbarPosStored(bool Value);
  POINT StoredToolbarPos() const { return storedPos_; }
  void SetStoredToolbarPos(POINT Value) { storedPos_ = Value; }

  // --- Commands (also by index through DoToolbarClick) ---
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void ClearPicture();
  void LoadFromFile();
  void SaveToFile();
  void DoToolbarClick(int Index);
  // What each command may do now (the tool window's and the menu's enabled states), by index.
  bool CommandEnabled(TdxPopupToolBarButton Command);
  TdxPopupToolBarWindow* PopupToolBar() const { return toolBarWindow_.get(); }
  void SetPopupToolBar(TdxPopupToolBarWindow* Value) { toolBarWindow_->Assign(Value); }
  // The command menu (made on first use), its items shown and enabled for the current state.
  TPopupMenu* PrepareCommandMenu();

  TPicture* Picture() const { return picture_.get(); }
  bool Center() const { return center_; }
  void SetCenter(bool Value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool Value);
  TdxGraphicEditTransparency GraphicTransparency() const { return transparency_; }
  void SetGraphicTransparency(TdxGraphicEditTransparency Value);
  bool QuickDraw = false;
  bool DblClickActivate = true;
  bool CustomGraphic = false;
  String CustomFilter;
  Word ClipboardFormat;

  TdxGraphicEditAssignPictureEvent OnAssignPicture;
  TNotifyEvent OnCustomClick;
  TdxGraphicEditGetGraphicClassEvent OnGetGraphicClass;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DblClick() override;

 private:
  void WMGetDlgCode(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void PictureChanged(TObject* Sender);
  // Sets the graphic's transparency from GraphicTransparency without a change notification.
  void ApplyTransparency(TPicture* Picture);
  TPicture* TemporaryPicture();

  std::unique_ptr<TPicture> picture_;
  std::unique_ptr<TPicture> temporaryPicture_;
  std::unique_ptr<TBitmap> transparencyBitmap_;
  std::unique_ptr<TdxPopupToolBarWindow> toolBarWindow_;
  std::unique_ptr<TPopupMenu> commandMenu_;
  TdxPopupToolBar* toolBar_ = nullptr;  // owned as a component of the editor
  static constexpr POINT kUnsetPos{-10000, -10000};
  POINT storedPos_ = kUnsetPos;
  POINT lastShownPos_ = kUnsetPos;
  bool posStored_ = true;
  bool center_ = true;
  bool stretch_ = false;
  TdxGraphicEditTransparency transparency_ = gtDefault;
};
