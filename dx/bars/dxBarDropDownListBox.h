// The drop-down list of a combo item: a top-level pop-up, owned by the bar window showing the
// combo, that never takes the activation or the focus; the combo's edit keeps the keys and hands it
// the scrolling ones. Its strings are drawn and measured by the combo.
#pragma once

#include <vector>

#include "platform/forms/Controls.h"

class TdxBarCustomCombo;

class TdxBarDropDownListBox : public TCustomControl {
  TRENVIK_CLASS(TdxBarDropDownListBox, TCustomControl);
  TRENVIK_MESSAGES(TdxBarDropDownListBox);

 public:
  explicit TdxBarDropDownListBox(TdxBarCustomCombo* ACombo);

  // Takes a copy of the combo's strings and measures them.
  void Fill();
  int Count() const { return static_cast<int>(strings_.size()); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int Value);
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int Value);
  // The height of the first Rows strings.
  int RowsHeight(int Rows) const;
  // The string at a client point, or -1.
  int ItemAtPos(POINT P);
  RECT ItemRect(int Index);
  // Opened by a press still held outside the list: the release there keeps it open.
  void SetPressPending(bool Value) { pressPending_ = Value; }
  bool PressPending() const { return pressPending_; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  int VisibleRows();
  void EnsureVisible(int Index);
  void UpdateScrollBar();
  // The keyboard changed the selection: the combo's edit shows it.
  void SelectionChanged();

  void WMKeyDown(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);

  TdxBarCustomCombo* combo_;
  std::vector<String> strings_;
  std::vector<int> tops_;  // each string's offset from the first, and the total at the end
  int itemIndex_ = -1;
  int topIndex_ = 0;
  bool pressPending_ = false;
};
