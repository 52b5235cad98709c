#include "dx/bars/dxBarManager.h"

#include <algorithm>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarSubMenuEditor.h"
#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarHint.h"
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarPopupMenuLinks.h"
#include "dx/bars/dxBarStrs.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/forms/ImgList.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Region.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Help.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Windows.h"
#include "platform/win/NonClientMetrics.h"
#include "platform/win/Paint.h"
#include "platform/win/SysColors.h"

TRENVIK_PUBLISHED(TdxBarManager) {
  P.Property("AllowCallFromAnotherForm", &TdxBarManager::AllowCallFromAnotherForm,
             &TdxBarManager::SetAllowCallFromAnotherForm)
      .Default(false);
  P.Property("AllowReset", &TdxBarManager::AllowReset, &TdxBarManager::SetAllowReset).Default(true);
  P.Property("AlwaysMerge", &TdxBarManager::AlwaysMerge, &TdxBarManager::SetAlwaysMerge).Default(false);
  P.Property("AlwaysSaveText", &TdxBarManager::AlwaysSaveText, &TdxBarManager::SetAlwaysSaveText).Default(false);
  P.Property("AutoDockColor", &TdxBarManager::AutoDockColor, &TdxBarManager::SetAutoDockColor).Default(true);
  P.Property("AutoHideEmptyBars", &TdxBarManager::AutoHideEmptyBars, &TdxBarManager::SetAutoHideEmptyBars)
      .Default(false);
  P.Property("Scaled", &TdxBarManager::Scaled, &TdxBarManager::SetScaled).Default(true);
  P.Property("Font", &TdxBarManager::Font, &TdxBarManager::SetFont).Stored(&TdxBarManager::IsFontStored);
  P.Property("ButtonArrowWidth", &TdxBarManager::ButtonArrowWidth, &TdxBarManager::SetButtonArrowWidth)
      .Default(11);
  P.Property("CanCustomize", &TdxBarManager::CanCustomize, &TdxBarManager::SetCanCustomize).Default(true);
  P.Property("Bars", &TdxBarManager::Bars, &TdxBarManager::SetBars);
  P.Property("Categories", &TdxBarManager::Categories, &TdxBarManager::SetCategories);
  P.Property("PopupMenuLinks", &TdxBarManager::PopupMenuLinks, &TdxBarManager::SetPopupMenuLinks);
  P.Property("DockColor", &TdxBarManager::DockColor, &TdxBarManager::SetDockColor)
      .Stored(&TdxBarManager::IsDockColorStored);
  P.Property("HotImages", &TdxBarManager::HotImages, &TdxBarManager::SetHotImages);
  P.Property("Images", &TdxBarManager::Images, &TdxBarManager::SetImages);
  P.Property("IniFileName", &TdxBarManager::IniFileName, &TdxBarManager::SetIniFileName);
  P.Property("ImageListBkColor", &TdxBarManager::ImageListBkColor, &TdxBarManager::SetImageListBkColor)
      .Default(clFuchsia);
  P.Property("LargeButtonArrowWidth", &TdxBarManager::LargeButtonArrowWidth,
             &TdxBarManager::SetLargeButtonArrowWidth)
      .Default(13);
  P.Property("LargeIcons", &TdxBarManager::LargeIcons, &TdxBarManager::SetLargeIcons).Default(false);
  P.Property("LargeImages", &TdxBarManager::LargeImages, &TdxBarManager::SetLargeImages);
  P.Property("MenuAnimations", &TdxBarManager::MenuAnimations, &TdxBarManager::SetMenuAnimations)
      .Default(maNone);
  P.Property("MenusShowRecentItemsFirst", &TdxBarManager::MenusShowRecentItemsFirst,
             &TdxBarManager::SetMenusShowRecentItemsFirst)
      .Default(true);
  P.Property("MostRecentItemsPercents", &TdxBarManager::MostRecentItemsPercents,
             &TdxBarManager::SetMostRecentItemsPercents)
      .Default(95);
  P.Property("ShowFullMenusAfterDelay", &TdxBarManager::ShowFullMenusAfterDelay,
             &TdxBarManager::SetShowFullMenusAfterDelay)
      .Default(true);
  P.Property("HelpButtonGlyph", &TdxBarManager::HelpButtonGlyph, &TdxBarManager::SetHelpButtonGlyph);
  P.Property("HelpContext", &TdxBarManager::HelpContext, &TdxBarManager::SetHelpContext).Default(0);
  P.Property("ShowHelpButton", &TdxBarManager::ShowHelpButton, &TdxBarManager::SetShowHelpButton).Default(false);
  P.Property("ShowHint", &TdxBarManager::ShowHint, &TdxBarManager::SetShowHint).Default(true);
  P.Property("RegistryPath", &TdxBarManager::RegistryPath, &TdxBarManager::SetRegistryPath);
  P.Property("ShowHintForDisabledItems", &TdxBarManager::ShowHintForDisabledItems,
             &TdxBarManager::SetShowHintForDisabledItems)
      .Default(true);
  P.Property("ShowShortCutInHint", &TdxBarManager::ShowShortCutInHint, &TdxBarManager::SetShowShortCutInHint)
      .Default(false);
  P.Property("StoreInIniFile", &TdxBarManager::StoreInIniFile, &TdxBarManager::SetStoreInIniFile).Default(false);
  P.Property("StoreInRegistry", &TdxBarManager::StoreInRegistry, &TdxBarManager::SetStoreInRegistry)
      .Default(false);
  P.Property("StretchGlyphs", &TdxBarManager::StretchGlyphs, &TdxBarManager::SetStretchGlyphs).Default(true);
  P.Property("Style", &TdxBarManager::Style, &TdxBarManager::SetStyle).Default(bmsEnhanced);
  P.Property("UseF10ForMenu", &TdxBarManager::UseF10ForMenu, &TdxBarManager::SetUseF10ForMenu).Default(true);
  P.Property("UseFullReset", &TdxBarManager::UseFullReset, &TdxBarManager::SetUseFullReset).Default(false);
  P.Property("UseSystemFont", &TdxBarManager::UseSystemFont, &TdxBarManager::SetUseSystemFont);
  P.Property("WaitForDockingTime", &TdxBarManager::WaitForDockingTime, &TdxBarManager::SetWaitForDockingTime)
      .Default(21);
}

namespace {

// The owner checks run before the component joins its owner, so a refused manager leaves nothing
// behind on the form.
TComponent* CheckedManagerOwner(TComponent* AOwner) {
  if (!AOwner && Application) AOwner = Application->MainForm();
  auto* form = dynamic_cast<TCustomForm*>(AOwner);
  if (!form) RaiseBarError(dxSBAR_MANAGEROWNERNOTFORM);
  if (BarManagerByForm(form)) RaiseBarError(dxSBAR_ONEMANAGERPERFORM);
  return form;
}

BYTE ClampChannel(int Value) { return static_cast<BYTE>(std::clamp(Value, 0, 255)); }

COLORREF MixFlatColor(COLORREF Face, COLORREF Highlight, COLORREF Window, int A, int B, int C) {
  if (Face == RGB(0, 0, 0) || Face == RGB(255, 255, 255)) return Highlight;
  auto channel = [&](int (*part)(COLORREF)) {
    return ClampChannel(part(Face) * A / 100 + part(Highlight) * B / 100 + part(Window) * C / 100);
  };
  return RGB(channel(&GetRValue), channel(&GetGValue), channel(&GetBValue));
}

}  // namespace

TdxBarFlatColors CalcFlatColors(COLORREF BtnFace, COLORREF BtnShadow, COLORREF Highlight, COLORREF Window) {
  auto lighten = [](int c) { return c + (255 - c) * 16 / 100; };
  TdxBarFlatColors colors;
  colors.Border = RGB(GetRValue(BtnShadow) * 8 / 10, GetGValue(BtnShadow) * 8 / 10, GetBValue(BtnShadow) * 8 / 10);
  colors.Background = RGB(lighten(GetRValue(BtnFace)), lighten(GetGValue(BtnFace)), lighten(GetBValue(BtnFace)));
  colors.Down = MixFlatColor(BtnFace, Highlight, Window, 11, 9, 73);
  colors.Selected = MixFlatColor(BtnFace, Highlight, Window, 14, 44, 40);
  colors.Highlight = MixFlatColor(BtnFace, Highlight, Window, -2, 30, 72);
  return colors;
}

int CalcRecentUseThreshold(int MostRecentItemsPercents) {
  if (MostRecentItemsPercents >= 100) return 0;
  int n = 1;
  while (n * (100 - MostRecentItemsPercents) / 100 <= 0) ++n;
  return n;
}

TdxBarManager::TdxBarManager(TComponent* AOwner)
    : TComponent(CheckedManagerOwner(AOwner)), parentForm_(static_cast<TCustomForm*>(Owner())) {
  RegisterManager();
  categories_ = std::make_unique<TdxBarManagerCategories>(this);
  categories_->Add(u"Default");
  bars_ = std::make_unique<TdxBars>(this);
  popupMenuLinks_ = std::make_unique<TdxBarPopupMenuLinks>(this);
  font_ = std::make_unique<TFont>();
  font_->OnChange = [this](TObject*) { FontChanged(); };
  helpButtonGlyph_ = std::make_unique<TBitmap>();
  helpButtonGlyph_->OnChange = [](TObject*) { CustomizingFormHelpButtonChanged(); };
  recentUseThreshold_ = CalcRecentUseThreshold(mostRecentItemsPercents_);
  UpdateButtonMetrics();
  SetStyle(bmsEnhanced);
  SetUseSystemFont(true);
  UpdateFlatBrushes();
}

TdxBarManager::~TdxBarManager() {
  Destroying();
  if (isCustomizing_) ShowCustomizingForm(this, false);
  UpdateBarHint(this, false);
  DeleteFlatBrushes();
  font_->OnChange = nullptr;
  if (fontHandle_) DeleteObject(fontHandle_);
  bars_.reset();
  // Groups belong to the form; they only forget this manager.
  for (TdxBarGroup* group : std::vector<TdxBarGroup*>(groups_)) group->ForgetManager();
  // Items free themselves out of the list, last first.
  while (!items_.empty()) delete items_.back();
  UnregisterManager();
}

void TdxBarManager::SetPopupMenuLinks(TdxBarPopupMenuLinks* Value) { popupMenuLinks_->Assign(Value); }

void TdxBarManager::RegisterManager() {
  BarManagers()->Add(this);
  dxbars_internal::CreateHintWindow();
  dxbars_internal::InstallBarHooks();
}

void TdxBarManager::UnregisterManager() {
  if (!BarManagers()) return;
  BarManagers()->Remove(this);
  if (BarManagers()->Count() == 0) {
    dxbars_internal::RemoveBarHooks();
    dxbars_internal::FreeHintWindow();
  }
}

TdxBarItem* TdxBarManager::Items(int Index) const {
  if (Index < 0 || Index >= ItemCount()) return nullptr;
  return items_[Index];
}

TdxBarItem* TdxBarManager::ItemByName(const String& Name) const {
  for (TdxBarItem* item : items_)
    if (SameText(item->Name(), Name)) return item;
  return nullptr;
}

void TdxBarManager::MoveItem(int CurIndex, int NewIndex) {
  if (CurIndex < 0 || CurIndex >= ItemCount() || NewIndex < 0 || NewIndex >= ItemCount()) return;
  TdxBarItem* item = items_[CurIndex];
  items_.erase(items_.begin() + CurIndex);
  items_.insert(items_.begin() + NewIndex, item);
  DesignerModified();
}

void TdxBarManager::ExchangeItems(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= ItemCount() || Index2 < 0 || Index2 >= ItemCount()) return;
  std::swap(items_[Index1], items_[Index2]);
  DesignerModified();
}

void TdxBarManager::ExchangeGroups(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= GroupCount() || Index2 < 0 || Index2 >= GroupCount()) return;
  std::swap(groups_[Index1], groups_[Index2]);
  DesignerModified();
}

std::vector<TdxBarItem*> TdxBarManager::GetItemsByCategory(int Category) const {
  std::vector<TdxBarItem*> result;
  for (TdxBarItem* item : items_)
    if (item->Category() == Category) result.push_back(item);
  return result;
}

bool TdxBarManager::IsItemShortCut(TShortCut ShortCut) const {
  return std::ranges::any_of(items_, [ShortCut](const TdxBarItem* item) { return item->ShortCut() == ShortCut; });
}

void TdxBarManager::AddItem(TdxBarItem* Item) {
  items_.push_back(Item);
  CustomizingFormItemsChanged();
}

namespace {

// Moves every item of category From to To; the setter would refuse the indexes the renumbering
// passes through on the way.
void RenumberCategory(const std::vector<TdxBarItem*>& Items, int From, int To) {
  for (TdxBarItem* item : Items)
    if (item->Category() == From) item->SetCategoryRaw(To);
}

}  // namespace

void TdxBarManager::DeleteCategory(int Index) {
  if (Index < 0 || Index >= categories_->Count()) return;
  for (TdxBarItem* item : GetItemsByCategory(Index)) delete item;
  for (int c = Index + 1; c < categories_->Count(); ++c) RenumberCategory(items_, c, c - 1);
  categories_->Delete(Index);
  if (categories_->Count() == 0) categories_->Add(u"Default");
  DesignerModified();
}

void TdxBarManager::InsertCategory(int Index, const String& Name) {
  if (Index < 0 || Index > categories_->Count()) return;
  for (int c = categories_->Count() - 1; c >= Index; --c) RenumberCategory(items_, c, c + 1);
  categories_->Insert(Index, Name);
  DesignerModified();
}

void TdxBarManager::ExchangeCategories(int Index1, int Index2) {
  int count = categories_->Count();
  if (Index1 < 0 || Index1 >= count || Index2 < 0 || Index2 >= count) return;
  std::vector<TdxBarItem*> first = GetItemsByCategory(Index1), second = GetItemsByCategory(Index2);
  for (TdxBarItem* item : first) item->SetCategoryRaw(Index2);
  for (TdxBarItem* item : second) item->SetCategoryRaw(Index1);
  categories_->Exchange(Index1, Index2);
  DesignerModified();
}

void TdxBarManager::MoveCategory(int CurIndex, int NewIndex) {
  int count = categories_->Count();
  if (CurIndex < 0 || CurIndex >= count || NewIndex < 0 || NewIndex >= count || CurIndex == NewIndex) return;
  std::vector<TdxBarItem*> held = GetItemsByCategory(CurIndex);
  for (TdxBarItem* item : held) item->SetCategoryRaw(-1000);
  if (CurIndex < NewIndex)
    for (int c = CurIndex + 1; c <= NewIndex; ++c) RenumberCategory(items_, c, c - 1);
  else
    for (int c = CurIndex - 1; c >= NewIndex; --c) RenumberCategory(items_, c, c + 1);
  for (TdxBarItem* item : held) item->SetCategoryRaw(NewIndex);
  categories_->Move(CurIndex, NewIndex);
  DesignerModified();
}

void TdxBarManager::RemoveItem(TdxBarItem* Item) {
  std::erase(items_, Item);
  CustomizingFormItemsChanged();
}

void TdxBarManager::SetCustomizing(bool Value) {
  if (Value == isCustomizing_ || (Value && GetCustomizingForm())) return;
  for (int i = 0; i < bars_->Count(); ++i)
    if (TdxBarControl* control = bars_->Items(i)->Control()) control->Close();
  SetSelectedItem(nullptr);
  isCustomizing_ = Value;
  // What the links show depends on the items' visibility in customizing mode.
  std::vector<TdxBarItemLinks*> collections;
  for (TdxBarItem* item : items_)
    for (int i = 0; i < item->LinkCount(); ++i) {
      auto* links = item->Links(i)->Owner();
      if (links && std::find(collections.begin(), collections.end(), links) == collections.end())
        collections.push_back(links);
    }
  for (TdxBarItemLinks* links : collections) links->RebuildLists();
  ShowCustomizingForm(this, Value);
  for (int i = 0; i < bars_->Count(); ++i)
    if (TdxBarControl* control = bars_->Items(i)->Control()) control->Rebuild();
}

TColor TdxBarManager::DockColor() const {
  if (autoDockColor_ && parentForm_) return parentForm_->Color();
  return dockColor_;
}

void TdxBarManager::SetDockColor(TColor Value) {
  dockColor_ = Value;
  autoDockColor_ = false;
}

void TdxBarManager::SetButtonArrowWidth(int Value) {
  if (Value < 2 || Value == buttonArrowWidth_) return;
  buttonArrowWidth_ = Value;
  UpdateButtonMetrics();
  RebuildBarControls();
}

void TdxBarManager::SetLargeButtonArrowWidth(int Value) {
  if (Value < 2) return;
  largeButtonArrowWidth_ = Value;
  RebuildBarControls();
}

void TdxBarManager::SetLargeIcons(bool Value) {
  if (largeIcons_ == Value) return;
  largeIcons_ = Value;
  UpdateButtonMetrics();
  DesignerModified();
  RebuildBarControls();
  CustomizingFormOptionsChanged();
}

void TdxBarManager::RebuildBarControls() {
  for (int i = 0; i < bars_->Count(); ++i)
    if (TdxBarControl* control = bars_->Items(i)->Control()) control->Rebuild();
}

void TdxBarManager::SetMenuAnimations(TdxBarMenuAnimations Value) {
  menuAnimations_ = Value;
  DesignerModified();
  CustomizingFormOptionsChanged();
}

void TdxBarManager::SetMenusShowRecentItemsFirst(bool Value) {
  menusShowRecentItemsFirst_ = Value;
  DesignerModified();
  CustomizingFormOptionsChanged();
}

void TdxBarManager::SetMostRecentItemsPercents(int Value) {
  mostRecentItemsPercents_ = std::clamp(Value, 0, 100);
  recentUseThreshold_ = CalcRecentUseThreshold(mostRecentItemsPercents_);
}

void TdxBarManager::SetScaled(bool Value) {
  if (scaled_ == Value) return;
  scaled_ = Value;
  if (scaled_ && !useSystemFont_) ApplySystemFont();
}

void TdxBarManager::SetShowFullMenusAfterDelay(bool Value) {
  showFullMenusAfterDelay_ = Value;
  DesignerModified();
  CustomizingFormOptionsChanged();
}

void TdxBarManager::SetShowHint(bool Value) {
  showHint_ = Value;
  DesignerModified();
  CustomizingFormOptionsChanged();
}

void TdxBarManager::SetShowShortCutInHint(bool Value) {
  showShortCutInHint_ = Value;
  DesignerModified();
  CustomizingFormOptionsChanged();
}

void TdxBarManager::SetStyle(TdxBarManagerStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  struct TStyleMetrics {
    int gripOffset, gripSize, separatorIndent;
  };
  static constexpr TStyleMetrics kMetrics[] = {{2, 9, 2}, {1, 6, 12}, {1, 6, 8}};
  gripOffset_ = kMetrics[style_].gripOffset;
  gripSize_ = kMetrics[style_].gripSize;
  separatorIndent_ = kMetrics[style_].separatorIndent;
  UpdateButtonMetrics();
  CustomizingFormStyleChanged();
}

void TdxBarManager::UpdateButtonMetrics() {
  int f = largeIcons_ ? 2 : 1;
  glyphSize_ = 16 * f;
  buttonWidth_ = 16 * f + 7;
  buttonHeight_ = 16 * f + 6;
  arrowWidth_ = f * buttonArrowWidth_;
  if (arrowWidth_ % 2 == 0) ++arrowWidth_;
  if (style_ == bmsFlat) --arrowWidth_;
}

void TdxBarManager::SetUseSystemFont(bool Value) {
  if (useSystemFont_ == Value) return;
  useSystemFont_ = Value;
  if (useSystemFont_) ApplySystemFont();
}

void TdxBarManager::SetWaitForDockingTime(int Value) {
  if (Value >= 0) waitForDockingTime_ = Value;
}

int TdxBarManager::FrameWidth() { return GetSystemMetrics(SM_CXFRAME); }

int TdxBarManager::FrameHeight() { return GetSystemMetrics(SM_CYFRAME); }

void TdxBarManager::ApplySystemFont() {
  NONCLIENTMETRICS metrics;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  TValueScope applying(applyingSystemFont_, true);
  if (useSystemFont_)
    font_->SetHandle(CreateFontIndirect(&metrics.lfMenuFont));
  else if (scaled_)
    font_->SetHeight(metrics.lfMenuFont.lfHeight);
}

void TdxBarManager::FontChanged() {
  if (!applyingSystemFont_) {
    useSystemFont_ = false;
    if (scaled_) ApplySystemFont();
  }
  CreateBarFont(font_.get(), fontHandle_, scaled_);
}

void TdxBarManager::DeleteFlatBrushes() {
  for (HBRUSH& brush : flatBrushes_) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
}

void TdxBarManager::UpdateFlatBrushes() {
  DeleteFlatBrushes();
  TdxBarFlatColors colors = CalcFlatColors(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW),
                                           GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW));
  HDC dc = GetDC(nullptr);
  const COLORREF ordered[] = {colors.Border, colors.Background, colors.Down, colors.Selected, colors.Highlight};
  for (int i = 0; i < 5; ++i) flatBrushes_[i] = CreateSolidBrush(GetNearestColor(dc, ordered[i]));
  ReleaseDC(nullptr, dc);
}

void TdxBarManager::SetLockUpdate(bool Value) {
  if (lockUpdate_ == Value) return;
  lockUpdate_ = Value;
}

void TdxBarManager::HideAll() {
  if (TCustomdxBarControl* active = ActiveBarControl()) active->Close();
}

HWND TdxBarManager::GetWindowForCapture() const {
  // While customizing the owner form is disabled.
  if (TdxBarCustomizingForm* customizing = GetCustomizingForm(); isCustomizing_ && customizing)
    return customizing->Handle();
  if (Application) {
    HWND app = Application->Handle();
    if (app && IsWindowVisible(app)) return app;
  }
  return parentForm_ ? parentForm_->Handle() : nullptr;
}

void TdxBarManager::DesignerModified() {
  if (IsLoading() || IsDestroying()) return;
  modified_ = true;
}

void TdxBarManager::HandleOwnerFormMessage(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (parentForm_->ComponentState().Contains(csDestroying)) {
    if (Msg == WM_DESTROY) SaveStoredLayout();
    return;
  }
  switch (Msg) {
    case WM_SYSCOLORCHANGE:
      RefreshDeviceConsts();
      CreateCheckerBrush();
      UpdateFlatBrushes();
      // The MDI children's windows hear of it only through their parent.
      if (parentForm_ && parentForm_->FormStyle() == fsMDIForm)
        for (int i = 0; i < BarManagers()->Count(); ++i) {
          TdxBarManager* other = BarManagers()->Items(i);
          if (other->ParentForm() && other->ParentForm()->FormStyle() == fsMDIChild)
            other->HandleOwnerFormMessage(Msg, WParam, LParam);
        }
      break;
    case WM_SETTINGCHANGE:
      if (WParam == SPI_SETNONCLIENTMETRICS) ApplySystemFont();
      break;
    case WM_HELP:
      HandleHelp(*reinterpret_cast<const HELPINFO*>(LParam));
      break;
    case WM_DESTROY:
      HideBarsForRecreation();
      break;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_WINDOWPOSCHANGING:
      FloatingBarsFollowForm(Msg, WParam, LParam);
      break;
    case WM_WINDOWPOSCHANGED:
      CustomizingFormFollowOwnerForm(this, reinterpret_cast<const WINDOWPOS*>(LParam)->flags);
      SubMenuEditorFollowOwnerForm(this, reinterpret_cast<const WINDOWPOS*>(LParam)->flags);
      break;
    default:
      break;
  }
}

void TdxBarManager::SetBars(TdxBars* Value) { bars_->Assign(Value); }

TdxBar* TdxBarManager::BarByCaption(const String& Caption) const { return bars_->BarByCaption(Caption); }

TdxBar* TdxBarManager::BarByName(const String& Name) const { return bars_->BarByName(Name); }

bool TdxBarManager::CanDock(TdxBar* Bar, TdxBarDockingStyle Style) {
  bool canDocking = !Bar->NotDocking().Contains(Style) && !notDocking_.Contains(Style);
  if (OnDocking) OnDocking(Bar, Style, canDocking);
  return canDocking;
}

void TdxBarManager::DoBarDockingStyleChange(TdxBar* Bar) {
  if (bars_->Loading()) return;
  if (OnBarDockingStyleChange) OnBarDockingStyleChange(this, Bar);
  DesignerModified();
}

void TdxBarManager::DoClickItem(TdxBarItem* Item) {
  if (OnClickItem) OnClickItem(this, Item);
}

TdxBarManagerList::~TdxBarManagerList() {
  while (!managers_.empty()) delete managers_.back();
}

TdxBarManager* TdxBarManagerList::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return managers_[Index];
}

TdxBarManager* TdxBarManagerList::CustomizingManager() const {
  for (TdxBarManager* m : managers_)
    if (m->IsCustomizing() || m->IsDesigning()) return m;
  return nullptr;
}

void TdxBarManagerList::Add(TdxBarManager* Manager) {
  if (std::find(managers_.begin(), managers_.end(), Manager) == managers_.end()) managers_.push_back(Manager);
}

void TdxBarManagerList::Remove(TdxBarManager* Manager) { std::erase(managers_, Manager); }

TRENVIK_IMPLEMENT_CLASS(TdxBarManagerList)
