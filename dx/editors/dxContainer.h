// The base of every control that hosts in-place editors (tree list, grid, inspector): the questions
// an in-place editor asks its host, flat scroll bars, and the wheel turned into line scrolling.
#pragma once

#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxEditStyles.h"
#include "platform/forms/Controls.h"
#include "platform/win/ScrollBars.h"

class TdxInplaceEdit;

class TCustomdxContainer : public TCustomControl {
  TRENVIK_CLASS(TCustomdxContainer, TCustomControl);

 public:
  explicit TCustomdxContainer(TComponent* AOwner);

  // --- The host protocol, in the order editors and hosts rely on ---
  virtual bool CanEditModify() { return false; }                              // 1
  virtual bool CanEditAcceptChar(Char) { return false; }                      // 2
  virtual bool UncalledQuery() { return true; }                               // 3
  virtual std::unique_ptr<TdxEditStyle> CreateEditStyle(TdxInplaceEdit* Editor);  // 4
  virtual void MouseWheelScroll(bool Up, int Lines);                          // 5
  virtual TColor GetEditColor() { return Color(); }                           // 6
  virtual TFont* GetEditFont() { return Font(); }                             // 7
  virtual bool IsReadOnly() { return false; }                                 // 8
  virtual bool IsFocusRectHidden() { return false; }                          // 9
  virtual void DoEditKeyDown(WORD& Key, TShiftState Shift);                   // 10
  virtual bool IsEditCellChanged() { return false; }                          // 11
  virtual bool IsEditDblClickTracked() { return false; }                      // 12
  virtual bool IsShowButtonAlways() { return false; }                         // 13
  virtual bool WantTabs() { return false; }                                   // 14
  virtual void MoveFocusedColumn(bool) {}                                     // 15
  virtual void EditorFocusChanged() {}                                        // 16
  virtual void BeginInitEdit() { initialisingEditor_ = true; }                // 17
  virtual void EndInitEdit() { initialisingEditor_ = false; }                 // 18
  virtual TdxPopupBorder GetPopupBorder(TdxEditBorderStyle) { return pbFrame3D; }  // 19

  bool IsInitialisingEditor() const { return initialisingEditor_; }
  BOOL GetScrollInfo(int Bar, SCROLLINFO& Info);
  int SetScrollInfo(int Bar, const SCROLLINFO& Info, bool Redraw);
  Byte ScrollBarStyle() const { return scrollBarStyle_; }
  void SetScrollBarStyle(Byte Value);

  // The host's own key handling, where editors hand navigation keys and characters.
  void EditorKeyDown(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
  void EditorKeyUp(WORD& Key, TShiftState Shift) { KeyUp(Key, Shift); }
  void EditorKeyPress(Char& Key) { KeyPress(Key); }
  void EditorDblClick() { DblClick(); }

 protected:
  void CreateWnd() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  bool CanAutoSize(int&, int&) override { return false; }

 private:
  Byte scrollBarStyle_ = 0;
  bool initialisingEditor_ = false;
};
