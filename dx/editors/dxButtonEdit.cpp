#include "dx/editors/dxButtonEdit.h"

#include "dx/editors/dxEditButtonInput.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Graphic.h"
#include "platform/rtl/Format.h"
#include "platform/win/Windows.h"

// --- Buttons ---

TRENVIK_PUBLISHED(TdxEditButton) {
  P.Property("Default", &TdxEditButton::Default, &TdxEditButton::SetDefault).Default(false);
  P.Property("Kind", &TdxEditButton::Kind, &TdxEditButton::SetKind).Default(bkEllipsis);
  P.Property("LeftAlignment", &TdxEditButton::LeftAlignment, &TdxEditButton::SetLeftAlignment).Default(false);
  P.Property("Visible", &TdxEditButton::Visible, &TdxEditButton::SetVisible).Default(true);
  P.Property("Width", &TdxEditButton::Width, &TdxEditButton::SetWidth).Default(0);
}

namespace {

// Checked before the item joins its collection, so a refused button never enters it.
TCollection* CollectionWithRoom(TCollection* Collection) {
  if (Collection && Collection->Count() >= dxMaxEditButtons)
    throw Exception(Format(u"Too many buttons ( >= %d)", {dxMaxEditButtons}));
  return Collection;
}

}  // namespace

TdxEditButton::TdxEditButton(TCollection* Collection) : TCollectionItem(CollectionWithRoom(Collection)) {
  // The collection heard of the item before it was complete: tell it again.
  if (Collection) Changed(true);
}

TdxEditButton::~TdxEditButton() = default;

template <class T>
void TdxEditButton::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Changed(true);
}

void TdxEditButton::SetDefault(bool Value) {
  if (default_ == Value) return;
  if (Value && Collection()) {
    for (int i = 0; i < Collection()->Count(); ++i)
      static_cast<TdxEditButton*>(Collection()->Items(i))->default_ = false;
  }
  Store(default_, Value);
}

TBitmap* TdxEditButton::Glyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

bool TdxEditButton::HasGlyph() const { return glyph_ && !glyph_->Empty(); }

void TdxEditButton::SetGlyph(TBitmap* Value) {
  if (Value)
    Glyph()->Assign(Value);
  else
    glyph_.reset();
  Changed(true);
}

void TdxEditButton::SetKind(TdxEditButtonKind Value) { Store(kind_, Value); }
void TdxEditButton::SetLeftAlignment(bool Value) { Store(leftAlignment_, Value); }
void TdxEditButton::SetVisible(bool Value) { Store(visible_, Value); }
void TdxEditButton::SetWidth(int Value) { Store(width_, Value); }

void TdxEditButton::RestoreDefaults() {
  glyph_.reset();
  kind_ = bkEllipsis;
  leftAlignment_ = false;
  visible_ = true;
  width_ = 0;
  Changed(true);
}

void TdxEditButton::Assign(TPersistent* Source) {
  auto* from = dynamic_cast<TdxEditButton*>(Source);
  if (!from) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (Collection()) Collection()->BeginUpdate();
  RestoreDefaults();
  default_ = from->default_;
  SetGlyph(from->HasGlyph() ? from->glyph_.get() : nullptr);
  kind_ = from->kind_;
  leftAlignment_ = from->leftAlignment_;
  visible_ = from->visible_;
  width_ = from->width_;
  if (Collection()) Collection()->EndUpdate();
}

// --- Collections ---

TRENVIK_IMPLEMENT_CLASS(TdxEditButtons)
TRENVIK_IMPLEMENT_CLASS(TdxInplaceEditButtons)

TdxEditButtons::TdxEditButtons(TPersistent* AOwner) : TOwnedCollection(AOwner, TdxEditButton::StaticClass()) {}

int TdxEditButtons::VisibleCount() const {
  int n = 0;
  for (int i = 0; i < Count(); ++i) n += GetItem(i)->Visible() ? 1 : 0;
  return n;
}

int TdxEditButtons::VisibleIndexToIndex(int N) const {
  for (int i = 0; i < Count(); ++i) {
    if (!GetItem(i)->Visible()) continue;
    if (N-- == 0) return i;
  }
  return -1;
}

TdxEditButton* TdxEditButtons::GetVisibleItem(int N) const {
  const int i = VisibleIndexToIndex(N);
  return i < 0 ? nullptr : GetItem(i);
}

void TdxEditButtons::RestoreDefaults() {
  BeginUpdate();
  for (int i = 0; i < Count(); ++i) GetItem(i)->RestoreDefaults();
  EndUpdate();
}

bool TdxEditButtons::AllItemsComplete() const {
  for (int i = 0; i < Count(); ++i)
    if (!dynamic_cast<TdxEditButton*>(Items(i))) return false;
  return true;
}

void TdxEditButtons::Update(TCollectionItem* Item) {
  TOwnedCollection::Update(Item);
  // An item still being made is not a button yet; it reports itself once complete.
  if (!AllItemsComplete()) return;
  auto* owner = dynamic_cast<TComponent*>(const_cast<TdxEditButtons*>(this)->GetOwner());
  // A single button is the default one, so the click key always has a button to click.
  if (owner && !owner->ComponentState().Contains(csLoading) && Count() == 1) GetItem(0)->SetDefaultDirect(true);
}

void TdxInplaceEditButtons::Update(TCollectionItem* Item) {
  TdxEditButtons::Update(Item);
  if (!AllItemsComplete()) return;
  if (auto* editor = dynamic_cast<TdxInplaceButtonEdit*>(GetOwner())) editor->StyleChanged();
}

// --- Class operations ---

TRENVIK_IMPLEMENT_CLASS(TdxButtonEditViewData)

std::unique_ptr<TdxEditViewData> TdxButtonEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxButtonEditViewData>();
}

void TdxButtonEditMetaClass::CalcButtons(TdxDropDownEditViewData* ViewData) const {
  TdxDropDownEditMetaClass::CalcButtons(ViewData);
  auto* v = dynamic_cast<TdxButtonEditViewData*>(ViewData);
  if (!v || !v->ButtonList || v->NoButtons) return;
  TdxEditButtons* list = v->ButtonList;
  v->ButtonCount = std::min(list->VisibleCount(), dxMaxEditButtons);
  for (int n = 0; n < v->ButtonCount; ++n) {
    TdxEditButton* b = list->GetVisibleItem(n);
    TdxEditButtonViewInfo& info = v->Buttons[n];
    info = TdxEditButtonViewInfo{};
    info.Glyph = b->HasGlyph() ? b->Glyph() : nullptr;
    info.Index = n;
    info.Kind = b->Kind();
    info.LeftAlignment = b->LeftAlignment();
    info.Width = b->Width() != 0 ? b->Width() : GetButtonWidth(v, info);
  }
}

void TdxButtonEditMetaClass::CalcViewInfo(TdxEditViewData* ViewData, bool AutoSize, TdxEditViewInfo& ViewInfo) const {
  TdxDropDownEditMetaClass::CalcViewInfo(ViewData, AutoSize, ViewInfo);
  auto* v = static_cast<TdxButtonEditViewData*>(ViewData);
  if (!v->ButtonsOnly || v->ButtonCount == 0) return;
  // The last visible button takes what the text leaves, so the buttons fill the editor.
  v->Buttons[v->ButtonCount - 1].Width += ViewInfo.Inner.right - ViewInfo.Inner.left;
  ViewInfo.Inner.right = ViewInfo.Inner.left;
}

// --- The editor ---

TRENVIK_IMPLEMENT_CLASS(TdxInplaceButtonEdit)

TdxInplaceEditClass TdxInplaceButtonEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceButtonEdit, TdxButtonEditMetaClass> c("TdxInplaceButtonEdit");
  return &c;
}

TdxInplaceButtonEdit::TdxInplaceButtonEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceDropDownEdit(AOwner, Class), buttons_(std::make_unique<TdxInplaceEditButtons>(this)) {
  buttons_->Add();
}

TdxInplaceButtonEdit::~TdxInplaceButtonEdit() = default;

void TdxInplaceButtonEdit::SetTextMode(int Value) {
  if (textMode_ == Value) return;
  textMode_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

std::unique_ptr<TdxEditViewData> TdxInplaceButtonEdit::CreateViewData(bool FromDefinition) {
  auto v = TdxInplaceDropDownEdit::CreateViewData(FromDefinition);
  auto* b = static_cast<TdxButtonEditViewData*>(v.get());
  b->ButtonList = buttons_.get();
  b->ButtonsOnly = textMode_ == 2 && buttons_->Count() > 0;
  b->TextNotEditable = !IsEditClass();
  return v;
}

void TdxInplaceButtonEdit::ButtonClick(int ButtonIndex) {
  const int index = buttons_->VisibleIndexToIndex(ButtonIndex);
  if (OnButtonClick && index >= 0) OnButtonClick(this, index);
  DoDropDown();
}

void TdxInplaceButtonEdit::ClickDefaultButton() {
  for (int n = 0; n < buttons_->VisibleCount(); ++n) {
    if (buttons_->GetVisibleItem(n)->Default()) {
      ButtonClick(n);
      return;
    }
  }
}

void TdxInplaceButtonEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (!IsEditClass() && (Key == VK_LEFT || Key == VK_RIGHT)) {
    MoveToAdjacentColumn(Key == VK_LEFT);
    Key = 0;
    return;
  }
  if (buttons_->Count() > 0 && KeyToShortCut(Key, Shift) == ClickKey) {
    if (HandleAllocated()) RemovePendingMessage(Handle(), WM_CHAR);
    ClickDefaultButton();
    Key = 0;
    return;
  }
  TdxInplaceDropDownEdit::KeyDown(Key, Shift);
}

void TdxInplaceButtonEdit::DefineProperties(TFiler* Filer) {
  TdxInplaceDropDownEdit::DefineProperties(Filer);
  Filer->DefineProperty(
      u"ExistButtons", [this](TReader* Reader) { storedButtons_ = Reader->ReadBoolean(); },
      [this](TWriter* Writer) { Writer->WriteBoolean(buttons_->Count() > 0); }, buttons_->Count() > 0);
}

void TdxInplaceButtonEdit::Loaded() {
  TdxInplaceDropDownEdit::Loaded();
  // An editor stored without buttons does not keep the one its constructor made.
  if (!storedButtons_) buttons_->Clear();
}
