// Design time: every command of the manager in one list, with its component name, caption and
// short cut in three columns.
#pragma once

#include "platform/forms/StdCtrls.h"

class TdxBarItem;
class TdxBarManager;

class TdxBarAllCommandsListBox : public TCustomListBox {
  TRENVIK_CLASS(TdxBarAllCommandsListBox, TCustomListBox);

 public:
  TdxBarAllCommandsListBox(TComponent* AOwner, TdxBarManager* Manager);

  TdxBarItem* Commands(int Index);
  // Every item with a category; with OnlyShortCutItems, only those whose class has a short cut.
  void Fill(bool OnlyShortCutItems);
  // Measures the columns again (a caption, name or short cut changed) and repaints.
  void RefreshWidths();
  // Where the lines before the second and the third column stand.
  int FirstLine() const { return 5 + widths_[0] + 10; }
  int SecondLine() const { return FirstLine() + 5 + widths_[1] + 10; }

 protected:
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  void WndProc(TMessage& Message) override;

 private:
  static String ShortCutText(TdxBarItem* Item);
  void DrawLines(HDC DC, int Left, int Top, int Bottom);

  TdxBarManager* manager_;
  int widths_[3] = {};
};
