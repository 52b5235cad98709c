#include "platform/forms/WindowItems.h"

#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TWindowStrings)

namespace {

String ItemText(HWND wnd, const TItemMessages& m, int index) {
  LRESULT length = SendMessage(wnd, m.GetTextLen, static_cast<WPARAM>(index), 0);
  if (length == m.Err) return String();
  String s(static_cast<size_t>(length) + 1, u'\0');
  SendMessage(wnd, m.GetText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(length));
  return s;
}

}  // namespace

int TWindowStrings::GetCount() const { return static_cast<int>(SendMessage(Wnd(), messages_->GetCount, 0, 0)); }

void TWindowStrings::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
}

String TWindowStrings::Get(int Index) const {
  CheckIndex(Index);
  return ItemText(Wnd(), *messages_, Index);
}

int TWindowStrings::Add(const String& S) {
  LRESULT i = SendMessage(Wnd(), messages_->AddString, 0, reinterpret_cast<LPARAM>(S.c_str()));
  if (i < 0) throw EInvalidOperation("Unable to insert a line");
  return static_cast<int>(i);
}

void TWindowStrings::Insert(int Index, const String& S) {
  if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
  SendMessage(Wnd(), messages_->InsertString, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
}

void TWindowStrings::Delete(int Index) {
  if (SendMessage(Wnd(), messages_->DeleteString, static_cast<WPARAM>(Index), 0) == messages_->Err)
    Error("List index out of bounds (%d)", Index);
}

void TWindowStrings::SetUpdating(bool Updating) {
  HWND h = Wnd();
  SendMessage(h, WM_SETREDRAW, Updating ? FALSE : TRUE, 0);
  if (!Updating) InvalidateRect(h, nullptr, TRUE);
}

void TSavedItems::Save(HWND Wnd, const TItemMessages& Messages) {
  texts_.clear();
  data_.clear();
  const int count = static_cast<int>(SendMessage(Wnd, Messages.GetCount, 0, 0));
  for (int i = 0; i < count; ++i) {
    texts_.push_back(ItemText(Wnd, Messages, i));
    // The raw item data: a check list box's item states travel with it.
    data_.push_back(SendMessage(Wnd, Messages.GetItemData, static_cast<WPARAM>(i), 0));
  }
}

void TSavedItems::Restore(HWND Wnd, const TItemMessages& Messages) {
  for (size_t i = 0; i < texts_.size(); ++i) {
    LRESULT at = SendMessage(Wnd, Messages.AddString, 0, reinterpret_cast<LPARAM>(texts_[i].c_str()));
    if (at >= 0) SendMessage(Wnd, Messages.SetItemData, static_cast<WPARAM>(at), data_[i]);
  }
  texts_.clear();
  data_.clear();
}
