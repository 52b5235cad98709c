// Window items: text items edited in place inside a bar through a real edit window, which their
// controls show only while they have the focus.
#pragma once

#include "dx/bars/dxBarItem.h"
#include "platform/forms/Controls.h"

class TCanvas;
class TdxBarWinControl;

class TdxBarWindowItem : public TdxBarItem {
  TRENVIK_CLASS(TdxBarWindowItem, TdxBarItem);

 public:
  explicit TdxBarWindowItem(TComponent* AOwner);

  const String& Text() const { return text_; }
  // A changed text is shown by every control and reported through OnChange.
  virtual void SetText(const String& Value);
  // What is typed in a focused link's edit; Text otherwise.
  String CurText() const;
  // Focuses the edit of the item's first link shown by a window control (in a visible bar window
  // with VisibleOnly).
  void SetFocus(bool VisibleOnly = false);
  // The control whose edit has the focus, if any.
  TdxBarWinControl* FocusedControl() const;
  // The control draws the text itself instead of showing an editable field.
  bool NoEditor() const { return noEditor_; }
  bool CanClick() const override { return false; }

  void Change();
  virtual void CurChange();
  void Enter();
  void Exit();
  void KeyDown(WORD& Key, TShiftState Shift);
  void KeyUp(WORD& Key, TShiftState Shift);
  void KeyPress(Char& Key);
  void RefreshControls();

  TNotifyEvent OnChange;
  TNotifyEvent OnCurChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  void SetNoEditor(bool Value) { noEditor_ = Value; }

 private:
  String text_;
  bool noEditor_ = false;
};

class TdxBarEdit : public TdxBarWindowItem {
  TRENVIK_CLASS(TdxBarEdit, TdxBarWindowItem);

 public:
  explicit TdxBarEdit(TComponent* AOwner);

  int MaxLength() const { return maxLength_; }
  // 0 is no limit; a negative length is stored as 0.
  void SetMaxLength(int Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { readOnly_ = Value; }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool Value);
  int Width() const { return width_; }
  // The edit part is at least 20 pixels wide.
  void SetWidth(int Value);

  bool HasAccelerator(TdxBarItemLink* Link) const override;
  // Fills the rectangle and draws the (current) text in it.
  virtual void DrawInterior(TCanvas* Canvas, RECT R, TdxBarItemLink* Link);

 protected:
  // The links keeping the item's width lay out again.
  virtual void WidthChanged();

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  bool showCaption_ = false;
  int width_ = 100;
};
