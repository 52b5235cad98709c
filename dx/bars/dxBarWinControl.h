// The item control that owns a real edit window, shown over the control's editable part only while
// the control has the focus; the window's procedure is replaced to route keys, focus changes and the
// mouse through the control and its bar window.
#pragma once

#include "dx/bars/dxBarEdit.h"
#include "dx/bars/dxBarItemControl.h"
#include "platform/win/WindowTree.h"

class TdxBarWinControl : public TdxBarItemControl {
  TRENVIK_CLASS(TdxBarWinControl, TdxBarItemControl);

 public:
  explicit TdxBarWinControl(TdxBarItemLink* ALink);
  ~TdxBarWinControl() override;

  TdxBarWindowItem* WindowItem() const { return static_cast<TdxBarWindowItem*>(Item()); }
  HWND EditHandle() const { return edit_; }
  bool Focused() const { return focused_; }
  bool InnerEditActive() const override { return focused_; }
  // The editable part, as the last paint of the enabled control left it.
  const RECT& EditRect() const { return editRect_; }
  bool OwnsWindow(HWND Window) const override { return Window && Window == edit_; }

  // The whole text of the edit window.
  String GetText() const;
  virtual void SetText(const String& Text);
  // Shows the edit over the editable part and gives it the focus, or hides it and gives the focus
  // back (storing the text when the manager always saves it and Escape was not the way out).
  virtual void SetFocused(bool Value);

  // The edit window takes the press and the release; the item has no click of its own.
  bool CanClickItem() const override { return false; }
  bool ClosesMenusOnClick() const override { return false; }
  void ControlInactivate(bool Immediately) override;
  void ControlPress(bool ByMouse) override;

 protected:
  // Makes the hidden edit window; the concrete control calls it from its constructor.
  void CreateWindowHandle(DWORD Style);
  void DestroyWindowHandle();
  void SetEditRect(const RECT& R) { editRect_ = R; }
  bool SettingText() const { return settingText_; }
  // Writes the window's text without the change being reported.
  void WriteText(const String& Text);
  // The edit's messages; the default passes them to the window's own procedure.
  virtual LRESULT EditWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT CallPrevious(UINT Msg, WPARAM WParam, LPARAM LParam);
  // Drops the characters the key being handled has already queued.
  void DiscardQueuedChars();
  // A key the control took while Alt was held: the Alt release is no whole Alt press.
  void AltKeyUsed() { altUsed_ = true; }
  // A key-down the item's handler left: Enter, Tab and Escape end or move the editing; true when
  // the key was taken.
  virtual bool EditKeyDown(WORD Key);

 private:
  static LRESULT EditProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT FocusMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
  // Key messages first reach the item's key events; a key they clear is swallowed.
  bool KeyEventSwallows(UINT Msg, WPARAM& WParam, LPARAM LParam);
  LRESULT SystemKey(UINT Msg, WPARAM WParam, LPARAM LParam);
  void GiveFocusBack();

  HWND edit_ = nullptr;
  WNDPROC previousProc_ = nullptr;
  HWND previousFocus_ = nullptr;
  RECT editRect_{};
  bool focused_ = false;
  bool settingText_ = false;
  int pendingAltKeys_ = 0;
  bool altUsed_ = false;
};
