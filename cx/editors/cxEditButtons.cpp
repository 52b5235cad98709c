#include "cx/editors/cxEditProperties.h"

TRENVIK_IMPLEMENT_CLASS(TcxEditButton)
TRENVIK_IMPLEMENT_CLASS(TcxEditButtons)

void TcxEditButton::Assign(const TcxEditButton& Source) {
  Kind = Source.Kind;
  Caption = Source.Caption;
  Default = Source.Default;
  Enabled = Source.Enabled;
  LeftAlignment = Source.LeftAlignment;
  Visible = Source.Visible;
  Width = Source.Width;
}

TcxEditButtons::~TcxEditButtons() = default;

void TcxEditButtons::Assign(const TcxEditButtons& Source) {
  items_.clear();
  for (const auto& button : Source.items_) {
    items_.push_back(std::make_unique<TcxEditButton>());
    items_.back()->Assign(*button);
  }
  Changed();
}

TcxEditButton* TcxEditButtons::Add() {
  items_.push_back(std::make_unique<TcxEditButton>());
  Changed();
  return items_.back().get();
}

void TcxEditButtons::Delete(int AIndex) {
  Items(AIndex);
  items_.erase(items_.begin() + AIndex);
  Changed();
}

void TcxEditButtons::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

TcxEditButton* TcxEditButtons::Items(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) throw EListError(u"Edit button index out of bounds");
  return items_[AIndex].get();
}

int TcxEditButtons::VisibleCount() const {
  int count = 0;
  for (const auto& button : items_) count += button->Visible;
  return count;
}

int TcxEditButtons::VisibleIndexToIndex(int AVisibleIndex) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i]->Visible && AVisibleIndex-- == 0) return i;
  return -1;
}

void TcxEditButtons::Changed() {
  if (OnChanged) OnChanged(this);
}
