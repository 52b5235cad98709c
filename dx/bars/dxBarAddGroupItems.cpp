#include "dx/bars/dxBarAddGroupItems.h"

#include <memory>

#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarManager.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarGroupItemsListBox)
TRENVIK_IMPLEMENT_CLASS(TfrmAddGroupItems)

namespace {

void DrawRowText(HDC DC, const String& Text, RECT Rect) {
  DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &Rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

TdxBarGroupItemsListBox::TdxBarGroupItemsListBox(TComponent* AOwner, TdxBarGroup* Group)
    : TCustomListBox(AOwner), group_(Group) {
  SetStyle(lbOwnerDrawVariable);
  SetMultiSelect(true);
  // Every row paints all of itself: what the list's colour shows is the area below the last one.
  SetColor(clBtnFace);
}

void TdxBarGroupItemsListBox::MeasureItem(int, int& Height) {
  Canvas()->Font()->Assign(Font());
  Height = Canvas()->TextHeight(u"Qq") + 2;
}

void TdxBarGroupItemsListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  HDC dc = Canvas()->Handle();
  String entry = Items()->Strings(Index);
  if (IsHeading(entry))
    DrawHeading(dc, Rect, entry);
  else
    DrawEntry(dc, Rect, static_cast<TComponent*>(Items()->Objects(Index)), State.Contains(odSelected));
}

void TdxBarGroupItemsListBox::DrawHeading(HDC DC, const RECT& Rect, const String& Entry) {
  FillRect(DC, &Rect, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(DC, OPAQUE);
  SetBkColor(DC, GetSysColor(COLOR_BTNFACE));
  SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
  String text = Entry.substr(1);
  TextOut(DC, Rect.left + 2, Rect.top + 1, text.c_str(), static_cast<int>(text.size()));
}

void TdxBarGroupItemsListBox::DrawEntry(HDC DC, const RECT& Rect, TComponent* Entry, bool Selected) {
  const bool member = group_->IndexOf(Entry) >= 0;
  COLORREF background = GetSysColor(Selected && !member ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  COLORREF text = GetSysColor(member ? COLOR_BTNFACE : (Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  HBRUSH fill = CreateSolidBrush(background);
  FillRect(DC, &Rect, fill);
  DeleteObject(fill);
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, text);
  auto* item = dynamic_cast<TdxBarItem*>(Entry);
  if (!item) {
    DrawRowText(DC, u"   " + Entry->Name(), Rect);
    return;
  }
  const int middle = (Rect.left + Rect.right) / 2;
  DrawRowText(DC, u"   " + item->Caption(), RECT{Rect.left, Rect.top, middle, Rect.bottom});
  RECT line{middle, Rect.top, middle + 1, Rect.bottom};
  FillRect(DC, &line, GetSysColorBrush(Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawRowText(DC, u"   " + item->Name(), RECT{middle + 1, Rect.top, Rect.right, Rect.bottom});
}

void TdxBarGroupItemsListBox::WndProc(TMessage& Message) {
  inherited::WndProc(Message);
  // The rows are split in the middle: a change of width moves every row's line.
  if (Message.Msg == WM_SIZE && HandleAllocated() && Width() != lastWidth_) {
    lastWidth_ = Width();
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

TfrmAddGroupItems::TfrmAddGroupItems(TdxBarGroup* Group, TFont* Font) : TForm(nullptr), group_(Group) {
  if (Font) this->Font()->Assign(Font);
  SetBorderStyle(bsSizeable);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 364, 400);
  SetCaption(u"Add Group Items");

  ButtonsPanel = new TPanel(this);
  ButtonsPanel->SetParent(this);
  ButtonsPanel->SetHeight(37);
  ButtonsPanel->SetAlign(alBottom);
  ButtonsPanel->SetBevelOuter(bvNone);
  btnOk = new TButton(this);
  btnOk->SetParent(ButtonsPanel);
  btnOk->SetCaption(u"OK");
  btnOk->SetDefault(true);
  btnOk->SetModalResult(mrOk);
  btnCancel = new TButton(this);
  btnCancel->SetParent(ButtonsPanel);
  btnCancel->SetCaption(u"Cancel");
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);
  btnOk->SetBounds(ButtonsPanel->Width() - 164, 6, 75, 25);
  btnCancel->SetBounds(ButtonsPanel->Width() - 83, 6, 75, 25);
  for (TButton* button : {btnOk, btnCancel}) button->SetAnchors({akTop, akRight});

  lbGroupItems = new TdxBarGroupItemsListBox(this, Group);
  lbGroupItems->SetParent(this);
  lbGroupItems->SetAlign(alClient);
  Fill();
}

void TfrmAddGroupItems::Fill() {
  TdxBarManager* manager = group_->BarManager();
  if (!manager) return;
  TStrings* items = lbGroupItems->Items();
  items->BeginUpdate();
  if (manager->GroupCount() > 1) {
    items->Add(u"~< Groups >");
    for (int i = 0; i < manager->GroupCount(); ++i)
      if (manager->Groups(i) != group_) items->AddObject(manager->Groups(i)->Name(), manager->Groups(i));
  }
  for (int c = 0; c < manager->Categories()->Count(); ++c) {
    std::vector<TdxBarItem*> categoryItems = manager->GetItemsByCategory(c);
    if (categoryItems.empty()) continue;
    items->Add(u"~" + manager->Categories()->Strings(c));
    for (TdxBarItem* item : categoryItems) items->AddObject(item->Caption(), item);
  }
  items->EndUpdate();
}

std::vector<TComponent*> TfrmAddGroupItems::SelectedEntries() {
  std::vector<TComponent*> result;
  for (int i = 0; i < lbGroupItems->Count(); ++i)
    if (lbGroupItems->Selected(i) && !TdxBarGroupItemsListBox::IsHeading(lbGroupItems->Items()->Strings(i)))
      result.push_back(static_cast<TComponent*>(lbGroupItems->Items()->Objects(i)));
  return result;
}

bool ExecuteAddGroupItems(TdxBarGroup* Group, std::vector<TComponent*>& List, TFont* Font) {
  auto dialog = std::make_unique<TfrmAddGroupItems>(Group, Font);
  if (dialog->ShowModal() != mrOk) return false;
  List = dialog->SelectedEntries();
  return true;
}
