// The owner-drawn list box inside editors' drop-down windows: rows of one text height, hot tracking
// that follows the mouse, and a select-item event.
#pragma once

#include "cx/foundation/cxListBox.h"

class TcxCustomEditListBox : public TcxCustomInnerListBox {
  TRENVIK_CLASS(TcxCustomEditListBox, TcxCustomInnerListBox);

 public:
  explicit TcxCustomEditListBox(TComponent* AOwner);

  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool Value) { hotTrack_ = Value; }
  void SetItemIndex(int Value);

  TNotifyEvent OnSelectItem;

  // False: nothing drawn by a descendant, the base draws the row.
  virtual bool DoDrawItem(int, const RECT&, TOwnerDrawState) { return false; }
  virtual int GetHeight(int ARowCount) { return ARowCount * GetItemHeight(-1); }
  virtual String GetItem(int AIndex) { return Items()->Strings(AIndex); }
  // The height of "Wg" in the list box's font.
  virtual int GetItemHeight(int AIndex);

 protected:
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void Click() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;

 private:
  void DoSelectItem();

  bool hotTrack_ = true;
};

// Sets the number of (empty) items the list draws its rows for from the editor's lookup data.
void SetListBoxItemCount(TListBox* AListBox, int ACount);
