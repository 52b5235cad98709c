#include "cx/grid/cxStyles.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomStyle)

TRENVIK_PUBLISHED(TcxStyle) {
  P.Property("AssignedValues", &TcxStyle::AssignedValues, &TcxStyle::SetAssignedValues).NoDefault();
  P.Property("Color", &TcxStyle::Color, &TcxStyle::SetColor).NoDefault().Stored(&TcxStyle::IsValueStored<TcxStyleValue::svColor>);
  P.Property("Font", &TcxStyle::Font, &TcxStyle::SetFont).Stored(&TcxStyle::IsValueStored<TcxStyleValue::svFont>);
  P.Property("TextColor", &TcxStyle::TextColor, &TcxStyle::SetTextColor)
      .NoDefault()
      .Stored(&TcxStyle::IsValueStored<TcxStyleValue::svTextColor>);
}

TRENVIK_IMPLEMENT_CLASS(TcxStyleRepository)
TRENVIK_IMPLEMENT_CLASS(TcxCustomStyles)
TRENVIK_IMPLEMENT_CLASS(TcxStyles)

// --- TcxCustomStyle ---

TcxCustomStyle::TcxCustomStyle(TComponent* AOwner) : TComponent(AOwner) {}

TcxCustomStyle::~TcxCustomStyle() {
  // Copy: a listener removes itself while it is told.
  const auto listeners = listeners_;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) (*it)->StyleRemoved(this);
  SetStyleRepository(nullptr);
}

void TcxCustomStyle::Changed() {
  const auto listeners = listeners_;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) (*it)->StyleChanged(this);
}

void TcxCustomStyle::AddListener(IcxStyleWatcher* AListener) {
  if (std::find(listeners_.begin(), listeners_.end(), AListener) == listeners_.end())
    listeners_.push_back(AListener);
}

void TcxCustomStyle::RemoveListener(IcxStyleWatcher* AListener) { std::erase(listeners_, AListener); }

void TcxCustomStyle::SetStyleRepository(TcxStyleRepository* Value) {
  if (repository_ == Value) return;
  if (repository_) std::erase(repository_->styles_, this);
  repository_ = Value;
  if (repository_ && std::find(repository_->styles_.begin(), repository_->styles_.end(), this) ==
                         repository_->styles_.end())
    repository_->styles_.push_back(this);
}

TComponent* TcxCustomStyle::GetParentComponent() const { return repository_; }

void TcxCustomStyle::SetParentComponent(TComponent* Value) {
  if (ComponentState().Contains(csLoading)) return;
  auto* repository = dynamic_cast<TcxStyleRepository*>(Value);
  if (Value && !repository) throw EInvalidCast(S("Invalid class typecast"));
  SetStyleRepository(repository);
}

void TcxCustomStyle::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  if (auto* repository = dynamic_cast<TcxStyleRepository*>(Reader->Parent())) SetStyleRepository(repository);
}

// --- TcxStyle ---

TcxStyle::TcxStyle(TComponent* AOwner) : TcxCustomStyle(AOwner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this](TObject*) { FontChanged(); };
}

TcxStyle::~TcxStyle() { font_->OnChange = nullptr; }

void TcxStyle::FontChanged() {
  assignedValues_.Include(TcxStyleValue::svFont);
  Changed();
}

void TcxStyle::SetAssignedValues(TcxStyleValues Value) {
  if (assignedValues_ == Value) return;
  assignedValues_ = Value;
  Changed();
}

void TcxStyle::SetColor(TColor Value) {
  if (color_ == Value) return;
  color_ = Value;
  if (Value == clDefault)
    assignedValues_.Exclude(TcxStyleValue::svColor);
  else
    assignedValues_.Include(TcxStyleValue::svColor);
  Changed();
}

void TcxStyle::SetTextColor(TColor Value) {
  if (textColor_ == Value) return;
  textColor_ = Value;
  if (Value == clDefault)
    assignedValues_.Exclude(TcxStyleValue::svTextColor);
  else
    assignedValues_.Include(TcxStyleValue::svTextColor);
  Changed();
}

void TcxStyle::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxStyle*>(Source)) {
    SetColor(source->Color());
    SetFont(source->Font());
    SetTextColor(source->TextColor());
    SetAssignedValues(source->AssignedValues());
    return;
  }
  inherited::Assign(Source);
}

void TcxStyle::RestoreDefaults() {
  assignedValues_ = {};
  color_ = clDefault;
  textColor_ = clDefault;
  Changed();
}

// --- TcxStyleRepository ---

TcxStyleRepository::~TcxStyleRepository() {
  while (!styles_.empty()) delete styles_.back();
  while (!sheets_.empty()) delete sheets_.back();
}

TcxCustomStyle* TcxStyleRepository::CreateStyleWithOwner(TClass AStyleClass, TComponent* AOwner) {
  auto* style = dynamic_cast<TcxCustomStyle*>(AStyleClass->NewInstance(AOwner));
  if (!style) throw EInvalidCast(S("Invalid class typecast"));
  style->SetStyleRepository(this);
  return style;
}

TcxCustomStyleSheet* TcxStyleRepository::CreateStyleSheetWithOwner(TClass ASheetClass, TComponent* AOwner) {
  auto* sheet = dynamic_cast<TcxCustomStyleSheet*>(ASheetClass->NewInstance(AOwner));
  if (!sheet) throw EInvalidCast(S("Invalid class typecast"));
  sheet->SetStyleRepository(this);
  return sheet;
}

void TcxStyleRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TcxCustomStyle* style : styles_)
    if (style->Owner() == Root) Proc(style);
  for (TcxCustomStyleSheet* sheet : sheets_)
    if (sheet->Owner() == Root) Proc(sheet);
}

// --- TcxCustomStyles ---

TcxCustomStyles::TcxCustomStyles(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}

TcxCustomStyles::~TcxCustomStyles() {
  destroying_ = true;
  Clear();
  if (styleSheet_) styleSheet_->RemoveUser(this);
}

bool TcxCustomStyles::FindIndex(int AIndex, int& APosition) const {
  int low = 0, high = EntryCount() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int index = entries_[static_cast<size_t>(middle)].Index;
    if (index == AIndex) {
      APosition = middle;
      return true;
    }
    if (index < AIndex)
      low = middle + 1;
    else
      high = middle - 1;
  }
  APosition = low;
  return false;
}

bool TcxCustomStyles::IsOwnerWriting() {
  auto* owner = dynamic_cast<TComponent*>(GetOwner());
  return owner && owner->ComponentState().Contains(csWriting);
}

TcxCustomStyle* TcxCustomStyles::GetStyle(int AIndex) {
  int position;
  if (FindIndex(AIndex, position)) return entries_[static_cast<size_t>(position)].Style;
  if (styleSheet_ && !IsOwnerWriting()) return styleSheet_->Styles()->GetStyle(AIndex);
  return nullptr;
}

void TcxCustomStyles::SetStyle(int AIndex, TcxCustomStyle* AStyle) {
  int position;
  if (FindIndex(AIndex, position)) {
    TEntry& entry = entries_[static_cast<size_t>(position)];
    if (entry.Style == AStyle) return;
    TcxCustomStyle* old = entry.Style;
    if (AStyle) {
      entry.Style = AStyle;
      AStyle->AddListener(this);
    } else {
      entries_.erase(entries_.begin() + position);
    }
    StopListening(old);
    Changed(AIndex);
  } else if (AStyle) {
    entries_.insert(entries_.begin() + position, TEntry{AIndex, AStyle});
    AStyle->AddListener(this);
    Changed(AIndex);
  }
}

// One listener registration serves every slot holding the style: it ends with the last of them, so
// that a style freed later still clears the slots that hold it.
void TcxCustomStyles::StopListening(TcxCustomStyle* AStyle) {
  for (const TEntry& entry : entries_)
    if (entry.Style == AStyle) return;
  AStyle->RemoveListener(this);
}

void TcxCustomStyles::DeleteEntry(int APosition) {
  const TEntry entry = entries_[static_cast<size_t>(APosition)];
  entries_.erase(entries_.begin() + APosition);
  StopListening(entry.Style);
  Changed(entry.Index);
}

void TcxCustomStyles::Clear() {
  for (int i = EntryCount() - 1; i >= 0; --i) DeleteEntry(i);
}

void TcxCustomStyles::Changed(int AIndex) {
  if (destroying_) return;
  DoChanged(AIndex);
  if (ownerStyleSheet_) ownerStyleSheet_->StyleSheetChanged(AIndex);
}

void TcxCustomStyles::StyleChanged(TcxCustomStyle* Sender) {
  // Copy the indexes first: a change handler may reassign slots.
  std::vector<int> indexes;
  for (const TEntry& entry : entries_)
    if (entry.Style == Sender) indexes.push_back(entry.Index);
  for (int index : indexes) Changed(index);
}

void TcxCustomStyles::StyleRemoved(TcxCustomStyle* Sender) {
  for (int i = EntryCount() - 1; i >= 0; --i)
    if (i < EntryCount() && entries_[static_cast<size_t>(i)].Style == Sender) DeleteEntry(i);
}

bool TcxCustomStyles::CanUseStyleSheet(TcxCustomStyleSheet* Value) {
  if (!Value) return true;
  if (Value == ownerStyleSheet_ || Value->GetStylesClass() != ClassType()) return false;
  if (ownerStyleSheet_)
    for (TcxCustomStyleSheet* sheet = Value->Styles()->StyleSheet(); sheet; sheet = sheet->Styles()->StyleSheet())
      if (sheet == ownerStyleSheet_) return false;
  return true;
}

std::vector<int> TcxCustomStyles::ChainIndexes(TcxCustomStyleSheet* ASheet) const {
  std::vector<int> indexes;
  for (TcxCustomStyleSheet* sheet = ASheet; sheet; sheet = sheet->Styles()->StyleSheet()) {
    for (const TEntry& entry : sheet->Styles()->entries_)
      if (std::find(indexes.begin(), indexes.end(), entry.Index) == indexes.end()) indexes.push_back(entry.Index);
    if (sheet->Styles()->StyleSheet() == ASheet) break;
  }
  return indexes;
}

void TcxCustomStyles::SetStyleSheet(TcxCustomStyleSheet* Value) {
  if (Value == styleSheet_ || !CanUseStyleSheet(Value)) return;
  std::vector<int> indexes;
  if (!destroying_) indexes = ChainIndexes(styleSheet_);
  if (styleSheet_) styleSheet_->RemoveUser(this);
  styleSheet_ = Value;
  if (styleSheet_) {
    styleSheet_->AddUser(this);
    for (int index : ChainIndexes(styleSheet_))
      if (std::find(indexes.begin(), indexes.end(), index) == indexes.end()) indexes.push_back(index);
  }
  for (int index : indexes) Changed(index);
}

// Each concrete class copies its own slots; the base copies nothing.
void TcxCustomStyles::Assign(TPersistent* Source) {
  if (dynamic_cast<TcxCustomStyles*>(Source)) return;
  inherited::Assign(Source);
}

void TcxCustomStyles::AssignSlots(TcxCustomStyles* ASource, std::initializer_list<int> AIndexes) {
  for (int index : AIndexes) SetStyle(index, ASource->GetStyle(index));
}

// --- TcxStyles ---

void TcxStyles::GetViewParams(int AIndex, void* AData, TcxCustomStyle* AStyle, TcxStyleParams& AParams) {
  auto* event = dynamic_cast<TcxStyle*>(AStyle);
  auto* slot = dynamic_cast<TcxStyle*>(GetStyle(AIndex));
  auto has = [](TcxStyle* S, TcxStyleValue V) { return S && S->AssignedValues().Contains(V); };
  AParams = TcxStyleParams{};
  if (has(event, TcxStyleValue::svColor))
    AParams.Color = event->Color();
  else if (has(slot, TcxStyleValue::svColor))
    AParams.Color = slot->Color();
  if (has(event, TcxStyleValue::svFont))
    AParams.Font = event->Font();
  else if (has(slot, TcxStyleValue::svFont))
    AParams.Font = slot->Font();
  if (has(event, TcxStyleValue::svTextColor))
    AParams.TextColor = event->TextColor();
  else if (has(slot, TcxStyleValue::svTextColor))
    AParams.TextColor = slot->TextColor();
  if (AParams.Color != clDefault && AParams.Font && AParams.TextColor != clDefault) return;
  TcxStyleParams defaults;
  GetDefaultViewParams(AIndex, AData, defaults);
  if (AParams.Color == clDefault) AParams.Color = defaults.Color;
  if (!AParams.Font) AParams.Font = defaults.Font;
  if (AParams.TextColor == clDefault) AParams.TextColor = defaults.TextColor;
}

void TcxStyles::GetDefaultViewParams(int AIndex, void*, TcxStyleParams&) {
  maxDefaultIndex_ = std::max(maxDefaultIndex_, AIndex);
}

bool TcxStyles::UsesDefaultFont(int AIndex) {
  auto* style = dynamic_cast<TcxStyle*>(GetStyle(AIndex));
  return !style || !style->AssignedValues().Contains(TcxStyleValue::svFont);
}

void TcxStyles::FontChanged(TObject*, TFont* AFont) {
  for (int index = 0; index <= maxDefaultIndex_; ++index) {
    if (!UsesDefaultFont(index)) continue;
    TcxStyleParams defaults;
    GetDefaultViewParams(index, nullptr, defaults);
    if (defaults.Font == AFont) Changed(index);
  }
}
