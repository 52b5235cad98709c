// The framework list box inside a cx editor or drop-down: it hands its input to its container, has
// no border, and covers the native scroll bars with look-and-feel bars that mirror and drive them.
#pragma once

#include <memory>

#include "cx/foundation/cxContainer.h"
#include "platform/forms/StdCtrls.h"

class TcxCustomInnerListBox : public TListBox, public IcxContainerInnerControl {
  TRENVIK_CLASS(TcxCustomInnerListBox, TListBox);
  TRENVIK_MESSAGES(TcxCustomInnerListBox);

 public:
  explicit TcxCustomInnerListBox(TComponent* AOwner);
  ~TcxCustomInnerListBox() override;

  TcxCanvas* CxCanvas() const { return cxCanvas_.get(); }
  TcxContainer* Container() const { return container_; }
  void SetContainer(TcxContainer* Value) { container_ = Value; }
  TcxScrollBar* HScrollBar() const { return hScrollBar_; }
  TcxScrollBar* VScrollBar() const { return vScrollBar_; }
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
  // The bars follow the native ones (only where GetScrollBarInfo exists).
  void UpdateScrollBars();
  // The corner between both bars, in window coordinates; empty unless both are shown.
  RECT GetSizeGripRect();

  // IcxContainerInnerControl
  TcxContainer* GetContainer() override { return container_; }
  TWinControl* GetControl() override { return this; }

  void DragDrop(TObject* Source, int X, int Y) override;
  virtual void MouseEnter(TControl*) {}
  virtual void MouseLeave(TControl* AControl);

 protected:
  void Click() override;
  void DblClick() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

 private:
  void WMGetDlgCode(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  TcxScrollBar* MakeScrollBar(TScrollBarKind AKind);
  void UpdateScrollBar(TcxScrollBar* ABar, LONG AObject, int ABar32);
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

  std::unique_ptr<TcxCanvas> cxCanvas_;
  TcxContainer* container_ = nullptr;
  TcxScrollBar* hScrollBar_ = nullptr;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  bool calculating_ = false;
  int scrollBarsLockCount_ = 0;
  TcxScrollBar* vScrollBar_ = nullptr;
};

// The list box every cx drop-down and list editor uses.
class TcxInnerListBox : public TcxCustomInnerListBox {
  TRENVIK_CLASS(TcxInnerListBox, TcxCustomInnerListBox);

 public:
  explicit TcxInnerListBox(TComponent* AOwner) : TcxCustomInnerListBox(AOwner) {}
};
