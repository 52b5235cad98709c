// The BLOB editor's sizable pop-up: a plain-text memo or a picture view, with an OK / Cancel (or
// Close) bar and a size grip in its non-client area, that hands an accepted, modified value back
// to its owner through a save callback and its final size through a size callback.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "dx/editors/dxGraphicEdit.h"
#include "dx/editors/dxInplacePopup.h"
#include "platform/forms/StdCtrls.h"

TRENVIK_ENUM(TdxBlobPopupKind, bpkMemo, bpkPicture);

constexpr int dxBlobButtonOK = 0;
constexpr int dxBlobButtonCancel = 1;
constexpr int dxBlobButtonClose = 2;

// The bar's measures in the pop-up's font.
struct TdxBlobPopupMetrics {
  int BarBorder = 0;
  int GripWidth = 0;
  int Spacing = 0;
  int Gap = 0;
  int ButtonHeight = 0;
  int ButtonWidth = 0;
  int BarHeight = 0;
  int FrameWidth = 0;
};

class TCustomdxBlobPopup : public TdxInplacePopupControl {
  TRENVIK_CLASS(TCustomdxBlobPopup, TdxInplacePopupControl);
  TRENVIK_MESSAGES(TCustomdxBlobPopup);

 public:
  explicit TCustomdxBlobPopup(TComponent* AOwner);
  ~TCustomdxBlobPopup() override;

  // --- Overridable operations added by the pop-up ---
  virtual void ButtonClick(int Index);
  virtual void Changed();
  virtual void SavePopupSize();
  virtual void SaveText();
  // Brings the memo's text to the character case, keeping the selection.
  virtual void ApplyCharCase();

  void ClosePopup(bool Accept) override;
  void ShowPopup() override;

  // Point: the editor's bottom-left corner in screen coordinates; Width and Height: the outer size asked for.
  void PlaceAndSize(POINT Point, int Width, int Height);
  TdxBlobPopupMetrics Metrics();
  // The buttons present (OK and Cancel, or Close when read-only), left to right.
  std::vector<int> Buttons() const;
  // A button's rectangle in window coordinates; empty when the button is not present.
  RECT ButtonRect(int Index);

  TdxBlobPopupKind Kind() const { return kind_; }
  void SetKind(TdxBlobPopupKind Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase Value);
  // The memo window's style settings; a change makes the window again.
  struct TMemoStyle {
    TScrollStyle ScrollBars = ssNone;
    bool HideScrollBars = true;
    bool SelectionBar = true;
    bool OEMConvert = false;
    bool operator==(const TMemoStyle&) const = default;
  };
  const TMemoStyle& MemoStyle() const { return memoStyle_; }
  void SetMemoStyle(const TMemoStyle& Value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool WantReturns = true;
  bool WantTabs = true;
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool AlwaysSaveText = true;
  bool Sizeable = true;
  bool PictureAutoSize = true;
  TGraphicClass GraphicClass = nullptr;
  Word ClipboardFormat;
  String PictureFilter;
  // Made on first access.
  TPicture* Picture();
  bool HasPicture() const { return picture_ != nullptr; }

  // The text shown (memo mode) and the text as it was when the pop-up last closed.
  String EditText();
  void SetEditText(const String& Value);
  const String& SavedText() const { return savedText_; }
  void ClearSavedText() {
    savedText_.clear();
    textSaved_ = false;
  }
  bool Modified();
  void SetModified(bool Value);
  bool OkEnabled() const { return okEnabled_; }
  // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right: the corner away from the editor.
  TdxSizeGripCorner GripCorner() const { return gripCorner_; }
  int PressedButton() const { return pressed_ ? heldButton_ : -1; }

  // Picture commands; nothing happens when not allowed.
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void ClearPicture();
  void LoadPicture();
  void SavePicture();
  // The picture's scroll position (left and top offsets in pixels) when it keeps its own size.
  POINT PictureOffset() const { return offset_; }
  void SetPictureOffset(POINT Value);
  // The context menu (made on first use), refilled for the mode and the current state.
  TPopupMenu* PrepareContextMenu();
  // Set by the owner editor: whether the picture has a context menu, and its load and save items.
  bool ShowPicturePopup = true;
  bool ShowExPopupItems = true;

  std::function<void(TCustomdxBlobPopup* Sender)> OnSave;
  std::function<void(TCustomdxBlobPopup* Sender)> OnSize;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;

 private:
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMMouseMove(TWMMouse& Message);
  void WMLButtonUp(TWMMouse& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMHScroll(TMessage& Message);
  void WMVScroll(TMessage& Message);
  // Scrolling applies: a picture of its own size, not empty, in a window.
  bool PictureScrolls();
  void UpdatePictureScrollBars();
  // The offset a scroll-bar request asks for on one axis.
  int ScrollTarget(int Bar, int Code, int Current);
  void AddMenuItem(const String& Caption, bool Enabled, std::function<void()> Command);
  void FillMemoMenu();
  void FillPictureMenu();
  void PictureChanged(TObject* Sender);
  void DrawBar(HDC DC);
  void DrawButton(HDC DC, int Index);
  RECT BarRect();
  // The button under a screen point, -1 for none.
  int ButtonAtScreen(POINT Point);
  SIZE MinimumSize();
  bool IsMemo() const { return kind_ == bpkMemo; }
  // The memo's formatting rectangle: the client area less 1, and the selection bar's 8 pixels.
  void UpdateTextArea();
  String InCase(const String& Text) const;
  // Alt with the accelerator of a button present: Cancel and Close discard, OK accepts.
  bool ButtonAccelerator(WORD Key);
  void PictureEdited();
  void RebuildWindow() {
    if (HandleAllocated()) RecreateWnd();
  }

  TdxBlobPopupKind kind_ = bpkMemo;
  bool readOnly_ = false;
  bool wordWrap_ = true;
  TEditCharCase charCase_ = ecNormal;
  int maxLength_ = 0;
  TMemoStyle memoStyle_;
  std::unique_ptr<TPicture> picture_;
  String savedText_;
  String pendingText_;  // the memo's text while it has no window
  bool textSaved_ = false;
  bool storedModified_ = false;
  bool okEnabled_ = false;
  bool internalChange_ = false;
  TdxSizeGripCorner gripCorner_ = 3;
  int heldButton_ = -1;
  bool pressed_ = false;
  bool tracking_ = false;
  std::unique_ptr<TPopupMenu> contextMenu_;
  POINT offset_{0, 0};
};
