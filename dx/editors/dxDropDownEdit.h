// The base of the editors with buttons beside their text and a drop-down: the buttons (laid out and
// painted in the non-client area, hit-tested, pressed and clicked), the drop-down protocol (open,
// place, route keys while open, close with or without accepting) and the class painting that lets
// a host draw a cell with its buttons. The base opens nothing: each descendant supplies its popup.
#pragma once

#include <array>
#include <memory>

#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxInplacePopup.h"
#include "dx/editors/dxMaskEdit.h"
#include "platform/forms/Menus.h"

// Columns and rows keep their pop-up alignment as a text alignment.
TPopupAlignment ToPopupAlignment(TAlignment Value);

class TBitmap;

// Posted to the editor itself: open the drop-down once the current input is processed.
constexpr UINT WM_DXDROPDOWN = 0x8066;

TRENVIK_ENUM(TdxEditButtonKind, bkEllipsis, bkDown, bkGlyph);

constexpr int dxMaxEditButtons = 8;

struct TdxEditButtonViewInfo {
  TBitmap* Glyph = nullptr;
  int Index = 0;
  TdxEditButtonKind Kind = bkDown;
  bool LeftAlignment = false;
  int Width = 0;
};

class TdxDropDownEditViewData : public TdxTextEditViewData {
  TRENVIK_CLASS(TdxDropDownEditViewData, TdxTextEditViewData);

 public:
  TdxDropDownEditViewData() = default;
  int ButtonCount = 0;
  std::array<TdxEditButtonViewInfo, dxMaxEditButtons> Buttons{};
  TBitmap* ButtonGlyph = nullptr;
  bool NoButtons = false;
  int HotButtonIndex = -1;
  int PushedButtonIndex = -1;
};

// The class operations of drop-down cells: buttons in the layout and in the painting.
class TdxDropDownEditMetaClass : public TdxTextEditMetaClass {
 public:
  void CalcViewInfo(TdxEditViewData* ViewData, bool AutoSize, TdxEditViewInfo& ViewInfo) const override;
  void DrawBorder(HDC DC, const TdxEditViewInfo& ViewInfo, TdxEditViewData* ViewData) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;

  // Fills the view data's button list.
  virtual void CalcButtons(TdxDropDownEditViewData* ViewData) const;
  virtual int GetButtonWidth(TdxDropDownEditViewData* ViewData, const TdxEditButtonViewInfo& Button) const;
  // The rectangles of the view data's buttons inside the frame of a laid-out cell, by button.
  static std::array<RECT, dxMaxEditButtons> ButtonRects(const TdxEditViewInfo& ViewInfo,
                                                        const TdxDropDownEditViewData* ViewData);
};

using TdxCloseUpEvent = std::function<void(TObject* Sender, Variant& Value, bool& Accept)>;

class TdxInplaceDropDownEdit : public TdxInplaceMaskEdit {
  TRENVIK_CLASS(TdxInplaceDropDownEdit, TdxInplaceMaskEdit);
  TRENVIK_MESSAGES(TdxInplaceDropDownEdit);

 public:
  explicit TdxInplaceDropDownEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceDropDownEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the drop-down editor ---
  virtual void PlacePopup(TWinControl* Popup, bool AdjustWidth);          // 1
  virtual void CloseUp(bool) {}                                            // 2
  virtual void ButtonDown(bool NoCapture, int ButtonIndex);               // 3
  virtual void ButtonClick(int) {}                                         // 4
  virtual void DoCloseUp(Variant& Value, bool& Accept);                    // 5
  virtual void DropDownKeyDown(WORD& Key, TShiftState Shift);              // 6
  virtual void SelectNextValue(int, bool) {}                               // 7
  virtual void DropDown() {}                                               // 8
  virtual void DoDropDown();                                               // 9
  virtual void LocateText(const String&) {}                                // 10
  // 11, 12 (CalcButtons, GetButtonWidth) are class operations (TdxDropDownEditMetaClass).

  // --- Overrides ---
  void ShowImmediateDropDown() override;
  void ActivateByClick() override;
  void PressAt(int X, int Y) override;
  void HideEdit() override;
  void ShowEdit() override;
  bool IsFocused() override;
  void SetSelected(bool Value) override;
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  bool HandlesMouseWheel() override { return true; }

  // --- Drop-down state ---
  bool IsDroppedDown();
  void SetDroppedDown(bool Value);
  TdxPopupBorder GetActualPopupBorder();
  // The mouse-up handler descendants give their popup lists.
  void ListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void SetHotButton(int Index);
  void ReleasePushedButton();
  static void FocusEditorIfActive(TdxInplaceEdit* Editor);
  // The button under a point in window coordinates, -1 for none.
  int ButtonAtWindowPoint(POINT Point);

  // --- Properties ---
  TBitmap* ButtonGlyph();
  void SetButtonGlyph(TBitmap* Value);
  bool HasButtonGlyph() const;
  int HotButton() const { return hotButton_; }
  int PushedButton() const { return pushedButton_; }
  int DropDownRows = 7;
  int DropDownWidth = 0;
  bool ImmediateDropDown = true;
  bool ImmediatePopup = false;
  TPopupAlignment PopupAlignment = paLeft;  // the framework's left, right, centre
  TdxPopupBorder PopupBorder = pbDefault;
  TWinControl* DropDownWindow = nullptr;
  bool DropDownShown = false;
  bool KeysToList = true;
  bool SearchInEdit = false;

  TdxCloseUpEvent OnCloseUp;
  TNotifyEvent OnPopupOpen;
  TNotifyEvent OnEditButtonClick;

 protected:
  void WndProc(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  // Shows a list window at its place without activating it, and hides it again, handing the focus
  // back to the editor: the lists of the pick, image and lookup editors.
  void ShowListWindow(TWinControl* List);
  void HideListWindow(TWinControl* List);

 private:
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMNCLButtonDblClk(TMessage& Message);
  void WMLButtonUp(TWMMouse& Message);
  void WMMouseMove(TWMMouse& Message);
  void WMMouseWheel(TWMMouseWheel& Message);
  void WMKillFocus(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMDxDropDown(TMessage& Message);
  void WMDxPopupClosed(TMessage& Message);
  void CMCancelMode(TMessage& Message);
  // The keys while the list is open; true when the message is done with.
  bool RouteKeyToList(TMessage& Message);
  bool IsToggleKey(WORD Key, TShiftState Shift) const;
  void RepaintButtons();

  std::unique_ptr<TBitmap> buttonGlyph_;
  int hotButton_ = -1;
  int pushedButton_ = -1;
};
