// Quick customizing: a click on a toolbar's mark opens a small floating window with the links that
// did not fit and "&Add or Remove Buttons", whose menu switches each link of the toolbar on or off.
#pragma once

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarToolbarControl.h"

class TdxBarSubItem;

// One entry of "&Add or Remove Buttons": checked while the toolbar link it stands for is shown;
// a click shows or hides that link and leaves the menu open.
class TdxBarQuickCustItem : public TdxBarButton {
  TRENVIK_CLASS(TdxBarQuickCustItem, TdxBarButton);

 public:
  TdxBarQuickCustItem(TComponent* AOwner, TdxBarItemLink* CustomizedLink);
  TdxBarItemLink* CustomizedLink() const { return customizedLink_; }

 private:
  TdxBarItemLink* customizedLink_;
};

class TdxBarQuickControl : public TdxBarControl {
  TRENVIK_CLASS(TdxBarQuickControl, TdxBarControl);
  TRENVIK_MESSAGES(TdxBarQuickControl);

 public:
  // Shows the links of the toolbar window's bar that it has no room for, on a bar of its own.
  TdxBarQuickControl(TdxBarManager* Manager, TdxBarControl* BarControl);
  ~TdxBarQuickControl() override;

  TdxBarSubItem* AddRemoveItem() const { return addRemoveItem_; }
  TdxBarControl* BarControl() const { return barControl_; }
  // Places the window beside the mark (screen coordinates) on the work area and shows it.
  void ShowAt(const RECT& MarkScreenRect);
  bool IsPopupWindow() const override { return true; }
  HBRUSH GetBackgroundBrush() const override;
  // Closing from the keyboard chain closes the mark too; a press on the mark that closed the
  // window does not open it again.
  void Close() override;
  // Another bar window selected a control while this one was open but not active: unless it is
  // still selected a moment later, the window closes.
  static constexpr UINT_PTR kCloseTimerId = 1;
  static constexpr UINT kCloseDelay = 200;
  void ScheduleClose(TCustomdxBarControl* SelectingWindow);

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void FillAddRemoveMenu();
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMTimer(TMessage& Message);

  TdxBarControl* barControl_;
  TdxBarSubItem* addRemoveItem_ = nullptr;
  bool closing_ = false;
  bool closeScheduled_ = false;
  TCustomdxBarControl* selectingWindow_ = nullptr;
};

TdxBarQuickControl* OpenQuickControl();
