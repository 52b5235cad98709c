#include "cx/editors/cxEditProperties.h"

TRENVIK_IMPLEMENT_CLASS(TcxEditButton)
TRENVIK_IMPLEMENT_CLASS(TcxEditButtons)

TcxEditButton::TcxEditButton() = default;
TcxEditButton::~TcxEditButton() = default;

TBitmap* TcxEditButton::Glyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

void TcxEditButton::SetGlyph(TBitmap* Value) {
  if (!Value) {
    glyph_.reset();
    return;
  }
  Glyph()->Assign(Value);
}

void TcxEditButton::Assign(const TcxEditButton& Source) {
  SetGlyph(Source.glyph_.get());
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
