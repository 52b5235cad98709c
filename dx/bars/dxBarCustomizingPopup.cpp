#include "dx/bars/dxBarCustomizingPopup.h"

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "dx/bars/dxBarEdit.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/StringTable.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarCustomizingPopup)

namespace {

TdxBarCustomizingPopup* g_openCustomizingPopup = nullptr;
// The paint-style entries share one check group.
constexpr int kPaintStyleGroup = -1000;

bool CanChangePaintStyle(const TdxBarItem* Item) { return dynamic_cast<const TdxBarButton*>(Item) != nullptr; }

}  // namespace

TdxBarCustomizingPopup* OpenCustomizingPopup() { return g_openCustomizingPopup; }

TdxBarCustomizingPopup::TdxBarCustomizingPopup(TdxBarManager* Manager) : TdxBarLinksPopup(Manager) {
  SetAnimate(false);
  AddEntryButton(ceReset, dxSBAR_POPUPMENUEDITOR_RESET, false, false);
  AddEntryButton(ceDelete, dxSBAR_POPUPMENUEDITOR_DELETE, false, false);
  auto* name = new TdxBarEdit(Manager->ParentForm());
  name->SetCaption(LoadResString(dxSBAR_POPUPMENUEDITOR_NAME));
  name->SetTag(ceName);
  AddEntry(name, true);
  entries_[ceName] = name;
  static constexpr int kStyleTexts[] = {dxSBAR_POPUPMENUEDITOR_DEFAULTSTYLE, dxSBAR_POPUPMENUEDITOR_TEXTONLYALWAYS,
                                        dxSBAR_POPUPMENUEDITOR_TEXTONLYINMENUS, dxSBAR_POPUPMENUEDITOR_IMAGEANDTEXT};
  for (int i = 0; i < 4; ++i)
    AddEntryButton(static_cast<TEntry>(ceDefaultStyle + i), kStyleTexts[i], i == 0, true)
        ->SetGroupIndex(kPaintStyleGroup);
  AddEntryButton(ceBeginGroup, dxSBAR_POPUPMENUEDITOR_BEGINGROUP, true, true);
  if (Manager->IsDesigning()) {
    AddEntryButton(ceVisible, dxSBAR_POPUPMENUEDITOR_VISIBLE, false, true);
    if (Manager->Style() != bmsStandard)
      AddEntryButton(ceMostRecentlyUsed, dxSBAR_POPUPMENUEDITOR_MOSTRECENTLYUSED, false, true);
  }
  g_openCustomizingPopup = this;
}

TdxBarCustomizingPopup::~TdxBarCustomizingPopup() {
  if (g_openCustomizingPopup == this) g_openCustomizingPopup = nullptr;
}

TdxBarButton* TdxBarCustomizingPopup::AddEntryButton(TEntry Tag, int TextId, bool BeginGroup, bool Check) {
  TdxBarButton* button = AddButton(LoadResString(TextId), BeginGroup);
  button->SetTag(Tag);
  if (Check) button->SetButtonStyle(bsChecked);
  entries_[Tag] = button;
  return button;
}

TdxBarItem* TdxBarCustomizingPopup::Entry(TEntry Tag) const { return entries_[Tag]; }

void TdxBarCustomizingPopup::Prepare(TdxBarItemLink* Link) {
  link_ = Link;
  auto* name = static_cast<TdxBarEdit*>(entries_[ceName]);
  name->SetText(Link->Caption());
  // The handlers run after the menu has closed and freed this window: they hold the link only.
  name->OnChange = [Link](TObject* Sender) {
    const String& text = static_cast<TdxBarEdit*>(Sender)->Text();
    if (!text.empty()) {
      Link->SetUserCaption(text);
      return;
    }
    if (TdxBarCustomizingPopup* open = OpenCustomizingPopup()) open->CloseMenu();
    Application->MessageBox(LoadResString(dxSBAR_COMMANDNAMECANNOTBEBLANK), Application->Title(),
                            MB_OK | MB_ICONERROR);
  };
  bool styled = CanChangePaintStyle(Link->Item());
  TdxBarPaintStyle style = styled ? Link->PaintStyle() : psStandard;
  for (int i = 0; i < 4; ++i) {
    auto* entry = static_cast<TdxBarButton*>(entries_[ceDefaultStyle + i]);
    entry->SetEnabled(styled);
    if (static_cast<int>(style) == i) entry->SetDown(true);
  }
  auto* beginGroup = static_cast<TdxBarButton*>(entries_[ceBeginGroup]);
  beginGroup->SetEnabled(Link->Index() > 0);
  beginGroup->SetDown(Link->BeginGroup());
  if (auto* visible = static_cast<TdxBarButton*>(entries_[ceVisible])) visible->SetDown(Link->Visible());
  if (auto* recent = static_cast<TdxBarButton*>(entries_[ceMostRecentlyUsed])) recent->SetDown(Link->MostRecentlyUsed());
  for (TdxBarItem* entry : entries_) {
    if (!entry || entry == name) continue;
    entry->OnClick = [Link](TObject* Sender) {
      switch (static_cast<TEntry>(static_cast<TdxBarItem*>(Sender)->Tag())) {
        case ceReset: Link->SetUserDefine({}); break;
        case ceDelete: delete Link; break;
        case ceDefaultStyle: Link->SetUserPaintStyle(psStandard); break;
        case ceTextOnly: Link->SetUserPaintStyle(psCaption); break;
        case ceTextInMenus: Link->SetUserPaintStyle(psCaptionInMenu); break;
        case ceImageAndText: Link->SetUserPaintStyle(psCaptionGlyph); break;
        case ceBeginGroup: Link->SetBeginGroup(!Link->BeginGroup()); break;
        case ceVisible: Link->SetVisible(!Link->Visible()); break;
        case ceMostRecentlyUsed: Link->SetMostRecentlyUsed(!Link->MostRecentlyUsed()); break;
        case ceName: break;
      }
    };
  }
}

void ShowCustomizingPopup(TdxBarItemLink* Link, POINT ScreenPoint) {
  if (TdxBarCustomizingPopup* open = OpenCustomizingPopup()) open->CloseMenu();
  auto* popup = new TdxBarCustomizingPopup(Link->BarManager());
  popup->SetBounds(ScreenPoint.x, ScreenPoint.y, 0, 0);
  popup->Prepare(Link);
  popup->Show();
}
