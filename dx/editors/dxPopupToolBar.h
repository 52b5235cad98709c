// The graphic editor's floating tool window: seven flat buttons (cut, copy, paste, delete, load,
// save, custom) beside its editor, shown without taking the focus, whose paste button follows the
// clipboard through the clipboard-viewer chain.
#pragma once

#include <array>
#include <functional>

#include "dx/editors/dxGraphicEdit.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/ImgList.h"

// The six command pictures in command order, made at module start-up.
TCustomImageList* dxToolImages();
void InitToolImages();
void FinalizeToolImages();

class TdxPopupToolBar : public TForm {
  TRENVIK_CLASS(TdxPopupToolBar, TForm);
  TRENVIK_MESSAGES(TdxPopupToolBar);

 public:
  explicit TdxPopupToolBar(TdxInplaceGraphicEdit* AOwner);
  ~TdxPopupToolBar() override;

  void UpdateLayout();
  void UpdateButtonStates();
  // Beside the editor whose window's top-left is Point, inside the work area.
  void PlaceNextTo(POINT Point);
  void ShowNoActivate();
  void HideToolbar();

  TSpeedButton* Button(TdxPopupToolBarButton Index) const { return buttons_[Index]; }
  TdxPopupToolBarButtons ButtonSet;
  bool ShowCaptions = true;
  TdxPopupToolBarAlignment Alignment = ptaRight;
  String CustomCaption;
  Word ClipboardFormat;
  bool PictureEmpty = true;
  bool ReadOnly = false;
  bool MayShow = true;
  bool ClosedByUser = false;
  bool InViewerChain() const { return joined_; }
  std::function<void(TdxPopupToolBar* Sender, int Index)> OnButtonClick;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  void WMDrawClipboard(TMessage& Message);
  void WMChangeCBChain(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void WMClose(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void LeaveViewerChain();

  TdxInplaceGraphicEdit* editor_;
  std::array<TSpeedButton*, 7> buttons_{};
  HWND nextViewer_ = nullptr;
  bool joined_ = false;
};
