// The drop-down menu window: lists its links vertically with separators, places itself on the
// work area beside the element that opened it (flipping when there is no room) and closes when a
// command runs or a key or click sends it away.
#pragma once

#include <functional>

#include "dx/bars/dxBarControl.h"

class TdxBarSubMenuControl : public TCustomdxBarControl {
  TRENVIK_CLASS(TdxBarSubMenuControl, TCustomdxBarControl);
  TRENVIK_MESSAGES(TdxBarSubMenuControl);

 public:
  explicit TdxBarSubMenuControl(TdxBarManager* AOwner);
  ~TdxBarSubMenuControl() override;

  int GetSeparatorSize() const override { return IsFlat() ? 5 : 10; }
  int PaintKind() const override { return kPaintMenu; }
  bool IsPopupWindow() const override { return true; }

  // What the opener sets before Show: the width or height of the element that opened the menu
  // (the menu flips to its other side when there is no room), and the window that owns the menu.
  void SetOwnerExtent(int OwnerWidth, int OwnerHeight) {
    ownerWidth_ = OwnerWidth;
    ownerHeight_ = OwnerHeight;
  }
  void SetParentWindow(HWND Value) { parentWindow_ = Value; }
  // Creates the window at (Left, Top), places it on the work area and shows it without activation.
  void Show();
  // Destroys the window and frees the control.
  void CloseMenu();
  void Close() override;
  void Rebuild() override;
  void SetActive(bool Value) override;
  // The size the links need (the frame included).
  SIZE MeasureSize();
  void CalcItemRects();
  // Places the window on the work area at the requested point; W and H are the measured size.
  static RECT CalcPosition(POINT Requested, SIZE Size, int OwnerWidth, int OwnerHeight, const RECT& WorkArea);

  std::function<void(TdxBarSubMenuControl*)> PopupNotify;
  std::function<void(TdxBarSubMenuControl*)> CloseUpNotify;
  // The drop-down button the menu was opened from learns that it closed.
  std::function<void()> OwnerCloseUp;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void DrawItemControl(TdxBarItemControl* Control) override;

 private:
  void WMKeyDown(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  // Lays the links out from Top down; answers the widest control and the height used.
  SIZE LayoutLinks(bool Place);

  int ownerWidth_ = 0;
  int ownerHeight_ = 0;
  HWND parentWindow_ = nullptr;
  bool closing_ = false;
};
