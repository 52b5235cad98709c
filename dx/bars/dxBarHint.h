// Hints: one shared tooltip window shows the hint of the toolbar item under the mouse after a
// delay, hides it after a while, and shows the next one at once when the mouse moves on quickly.
#pragma once

#include "platform/forms/Controls.h"

class TdxBarManager;

// The delays, in milliseconds.
constexpr UINT kHintShowDelay = 1000;
constexpr UINT kHintHideDelay = 10000;
constexpr UINT kHintQuickReshow = 400;

class TdxBarHintWindow : public TCustomControl {
  TRENVIK_CLASS(TdxBarHintWindow, TCustomControl);
  TRENVIK_MESSAGES(TdxBarHintWindow);

 public:
  TdxBarHintWindow();
  const String& HintText() const { return text_; }
  // Shows Text at Point (below the cursor), kept on the work area.
  void ActivateHint(POINT Point, const String& Text, TdxBarManager* Manager);
  // Where a hint of that size goes for the point: moved left to fit, above the point when it would
  // reach below the work area.
  static POINT HintPosition(POINT Point, SIZE Size, const RECT& WorkArea);
  bool Showing() const;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  void WMTimer(TMessage& Message);
  String text_;
};

// The hint of the selected toolbar item of Manager: Show asks for it (at once while hints are
// showing or just were, else after the delay); not showing hides it.
void UpdateBarHint(TdxBarManager* Manager, bool Show, const String& Text = {});
TdxBarHintWindow* BarHintWindow();

namespace dxbars_internal {
void CreateHintWindow();
void FreeHintWindow();
}  // namespace dxbars_internal
