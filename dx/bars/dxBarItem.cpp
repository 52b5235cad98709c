#include "dx/bars/dxBarItem.h"

#include <algorithm>

#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarItemActionLink.h"
#include "dx/bars/dxBarItemControl.h"
#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_PUBLISHED(TdxBarItem) {
  P.Property("Align", &TdxBarItem::Align, &TdxBarItem::SetAlign).Default(iaLeft);
  P.Property("Action", &TdxBarItem::Action, &TdxBarItem::SetAction);
  P.Property("Caption", &TdxBarItem::Caption, &TdxBarItem::SetCaption).Stored(&TdxBarItem::IsCaptionStored);
  P.Property("Category", &TdxBarItem::Category, &TdxBarItem::SetCategory).NoDefault();
  P.Property("Description", &TdxBarItem::Description, &TdxBarItem::SetDescription);
  P.Property("Enabled", &TdxBarItem::Enabled, &TdxBarItem::SetEnabled)
      .Default(true)
      .Stored(&TdxBarItem::IsEnabledStored);
  P.Property("HelpContext", &TdxBarItem::HelpContext, &TdxBarItem::SetHelpContext)
      .Default(0)
      .Stored(&TdxBarItem::IsHelpContextStored);
  P.Property("Hint", &TdxBarItem::Hint, &TdxBarItem::SetHint).Stored(&TdxBarItem::IsHintStored);
  P.Property("Visible", &TdxBarItem::Visible, &TdxBarItem::SetVisible).NoDefault().Stored(&TdxBarItem::IsVisibleStored);
  P.Event("OnClick", &TdxBarItem::OnClick).Stored(&TdxBarItem::IsOnClickStored);
}

namespace {

TdxBarManager* ManagerForItemOwner(TComponent* AOwner) {
  if (TdxBarManager* m = BarManagerByForm(dynamic_cast<TCustomForm*>(AOwner))) return m;
  if (BarManagers() && BarManagers()->Count() > 0) return BarManagers()->Items(0);
  return nullptr;
}

}  // namespace

TdxBarItem::TdxBarItem(TComponent* AOwner) : TComponent(AOwner), barManager_(ManagerForItemOwner(AOwner)) {
  if (barManager_) barManager_->AddItem(this);
  glyph_ = std::make_unique<TBitmap>();
  glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
}

TdxBarItem::~TdxBarItem() {
  Destroying();
  if (OnDestroy) OnDestroy(this);
  RemoveTemporaryItem(this);
  while (!links_.empty()) delete links_.back();
  if (barManager_) barManager_->RemoveItem(this);
  glyph_->OnChange = nullptr;
}

TdxBarItemLink* TdxBarItem::Links(int Index) const {
  if (Index < 0 || Index >= LinkCount()) return nullptr;
  return links_[Index];
}

void TdxBarItem::RemoveLink(TdxBarItemLink* Link) { std::erase(links_, Link); }

bool TdxBarItem::HasControls() const {
  for (TdxBarItemLink* link : links_)
    if (link->Control()) return true;
  return false;
}

void TdxBarItem::SetAlign(TdxBarItemAlign Value) { align_ = Value; }

void TdxBarItem::SetCaption(const String& Value) {
  if (Value == caption_) return;
  bool hintFollows =
      HintFollowsCaption() && (hint_.empty() || GetShortHint(hint_) == ::GetPlainCaption(caption_));
  caption_ = Value;
  if (IsLoading()) return;
  if (hintFollows) {
    String plain = ::GetPlainCaption(caption_);
    hint_ = hint_.find(u'|') != String::npos ? plain + u"|" + GetLongHint(hint_) : plain;
  }
  CaptionChanged();
  CustomizingFormItemChanged();
}

void TdxBarItem::SetCategory(int Value) {
  if (IsLoading()) {
    category_ = Value;
    return;
  }
  if (!barManager_ || Value < 0 || Value >= barManager_->Categories()->Count()) return;
  if (category_ == Value) return;
  category_ = Value;
  barManager_->DesignerModified();
  CustomizingFormItemsChanged();
}

bool TdxBarItem::Enabled() const {
  if (IsDesigning() || !barManager_ || !barManager_->IsCustomizing() || category_ < 0) return enabled_;
  return true;
}

void TdxBarItem::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  if (!IsLoading()) EnabledChanged();
}

void TdxBarItem::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  GlyphChanged();
}

void TdxBarItem::SetShortCut(TShortCut Value) {
  if (shortCut_ == Value) return;
  shortCut_ = Value;
  if (!IsLoading()) ShortCutChanged();
}

void TdxBarItem::SetVisible(TdxBarItemVisible Value) {
  if (IsLoading()) {
    loadedVisible_ = Value;
    return;
  }
  if (visible_ == Value) return;
  visible_ = Value;
  VisibleChanged();
}

bool TdxBarItem::IsVisible() const {
  if (visible_ == ivAlways) return true;
  return visible_ == ivInCustomizing && barManager_ && (barManager_->IsCustomizing() || barManager_->IsDesigning());
}

void TdxBarItem::Loaded() {
  inherited::Loaded();
  ApplyLoadedVisible();
  if (Action()) ActionChange(Action(), true);
}

void TdxBarItem::ReadState(TReader* Reader) {
  if (auto* manager = dynamic_cast<TdxBarManager*>(Reader->Parent())) SetParentComponent(manager);
  inherited::ReadState(Reader);
}

void TdxBarItem::ApplyLoadedVisible() {
  if (loadedVisible_ == visible_) return;
  visible_ = loadedVisible_;
  VisibleChanged();
}

void TdxBarItem::VisibleChanged() {
  if (IsDesigning() || !barManager_) return;
  bool locked = barManager_->LockUpdate();
  barManager_->SetLockUpdate(true);
  TScopeExit restore([&] { barManager_->SetLockUpdate(locked); });
  bool visible = IsVisible();
  // A link may leave the list while its collection rebuilds; walk a copy.
  std::vector<TdxBarItemLink*> links = links_;
  for (TdxBarItemLink* link : links) {
    if (TdxBarItemLinks* owner = link->Owner()) owner->RebuildLists();
    if (visible) {
      link->BringToFront(false);
      if (!link->Control()) link->CreateControl();
      if (link->Control()) link->Control()->VisibleChanged();
    } else {
      link->SendToBack();
      if (TdxBarItemControl* control = link->Control()) {
        control->VisibleChanged();
        link->DestroyControl();
      }
    }
  }
}

template <class Notify>
void TdxBarItem::ForEachControl(Notify notify) {
  // A notification may rebuild a bar window and so replace controls: walk a copy of the links.
  std::vector<TdxBarItemLink*> links = links_;
  for (TdxBarItemLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->Control())
      notify(link, link->Control());
}

void TdxBarItem::SizeChanged() {
  if (IsLoading()) return;
  std::vector<TCustomdxBarControl*> windows;
  ForEachControl([&](TdxBarItemLink*, TdxBarItemControl* control) {
    if (control->Parent() && std::find(windows.begin(), windows.end(), control->Parent()) == windows.end())
      windows.push_back(control->Parent());
  });
  for (TCustomdxBarControl* window : windows)
    if (IsBarControlAlive(window)) window->Rebuild();
}

void TdxBarItem::CaptionChanged() {
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* control) {
    if (!link->UserDefine().Contains(udCaption)) control->CaptionChanged();
  });
}

void TdxBarItem::EnabledChanged() {
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->EnabledChanged(); });
}

void TdxBarItem::GlyphChanged() {
  ForEachControl([](TdxBarItemLink* link, TdxBarItemControl* control) {
    if (!link->UserDefine().Contains(udGlyph)) control->GlyphChanged();
  });
}

void TdxBarItem::ShortCutChanged() {
  ForEachControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->ShortCutChanged(); });
}

bool TdxBarItem::HasAccelerator(TdxBarItemLink*) const { return Enabled(); }

void TdxBarItem::Click() {
  if (CanClick()) DirectClick();
}

void TdxBarItem::DirectClick() {
  if (!Enabled()) return;
  try {
    if (barManager_) barManager_->DoClickItem(this);
    DoClick();
  } catch (...) {
    if (!Application) throw;
    Application->HandleException(this);
  }
}

void TdxBarItem::DoClick() {
  // The action's own handler copied into OnClick runs through the action.
  if (OnClick && !(actionLink_ && actionLink_->IsOnExecuteLinked())) {
    OnClick(this);
    return;
  }
  if (actionLink_ && !IsDesigning()) actionLink_->Execute(this);
}

TComponent* TdxBarItem::GetParentComponent() const { return category_ >= 0 ? barManager_ : nullptr; }

void TdxBarItem::SetParentComponent(TComponent* Value) {
  auto* manager = dynamic_cast<TdxBarManager*>(Value);
  if (!manager || manager == barManager_) return;
  if (barManager_) barManager_->RemoveItem(this);
  barManager_ = manager;
  barManager_->AddItem(this);
  BarManagerChanged();
}
