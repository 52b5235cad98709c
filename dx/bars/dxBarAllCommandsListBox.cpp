#include "dx/bars/dxBarAllCommandsListBox.h"

#include <algorithm>

#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Menus.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarAllCommandsListBox)

namespace {

constexpr int kAllCommandsRowHeight = 16;

}  // namespace

TdxBarAllCommandsListBox::TdxBarAllCommandsListBox(TComponent* AOwner, TdxBarManager* Manager)
    : TCustomListBox(AOwner), manager_(Manager) {
  SetStyle(lbOwnerDrawFixed);
  SetItemHeight(kAllCommandsRowHeight);
}

TdxBarItem* TdxBarAllCommandsListBox::Commands(int Index) {
  return static_cast<TdxBarItem*>(Items()->Objects(Index));
}

String TdxBarAllCommandsListBox::ShortCutText(TdxBarItem* Item) {
  return Item->ShortCut() ? ShortCutToText(Item->ShortCut()) : String();
}

void TdxBarAllCommandsListBox::Fill(bool OnlyShortCutItems) {
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (int i = 0; i < manager_->ItemCount(); ++i) {
    TdxBarItem* item = manager_->Items(i);
    if (item->Category() < 0) continue;
    if (OnlyShortCutItems && !GetPropInfo(item, u"ShortCut")) continue;
    items->AddObject(item->Name(), item);
  }
  items->EndUpdate();
  RefreshWidths();
}

void TdxBarAllCommandsListBox::RefreshWidths() {
  std::fill(std::begin(widths_), std::end(widths_), 0);
  Canvas()->Font()->Assign(Font());
  for (int i = 0; i < Count(); ++i) {
    TdxBarItem* item = Commands(i);
    const String texts[3] = {item->Name(), item->Caption(), ShortCutText(item)};
    for (int c = 0; c < 3; ++c) widths_[c] = std::max(widths_[c], Canvas()->TextWidth(texts[c]));
  }
  SetScrollWidth(widths_[0] + widths_[1] + widths_[2] + 30);
  Invalidate();
}

void TdxBarAllCommandsListBox::DrawLines(HDC DC, int Left, int Top, int Bottom) {
  for (int x : {Left + FirstLine(), Left + SecondLine()}) {
    RECT line{x, Top, x + 1, Bottom};
    FillRect(DC, &line, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
}

void TdxBarAllCommandsListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  TdxBarItem* item = Commands(Index);
  HDC dc = Canvas()->Handle();
  const bool selected = State.Contains(odSelected);
  FillRect(dc, &Rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const String texts[3] = {item->Name(), item->Caption(), ShortCutText(item)};
  const int lefts[3] = {Rect.left + 5, Rect.left + FirstLine() + 5, Rect.left + SecondLine() + 5};
  for (int c = 0; c < 3; ++c) {
    RECT cell{lefts[c], Rect.top, Rect.right, Rect.bottom};
    DrawText(dc, texts[c].c_str(), static_cast<int>(texts[c].size()), &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  DrawLines(dc, Rect.left, Rect.top, Rect.bottom);
}

void TdxBarAllCommandsListBox::WndProc(TMessage& Message) {
  inherited::WndProc(Message);
  if (Message.Msg != WM_PAINT || !HandleAllocated()) return;
  // Below the last row the column lines run on to the bottom.
  const int top = Count() > 0 ? ItemRect(Count() - 1).bottom : 0;
  RECT client = ClientRect();
  if (top >= client.bottom) return;
  const int left = Count() > 0 ? ItemRect(0).left : 0;
  HDC dc = GetDC(Handle());
  DrawLines(dc, left, top, client.bottom);
  ReleaseDC(Handle(), dc);
}
