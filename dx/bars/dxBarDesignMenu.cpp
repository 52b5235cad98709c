#include "dx/bars/dxBarDesignMenu.h"

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarCombo.h"
#include "platform/rtl/StringTable.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarDesignMenu)

namespace {

TdxBarDesignMenu* g_openDesignMenu = nullptr;

}  // namespace

TdxBarDesignMenu* OpenDesignMenu() { return g_openDesignMenu; }

TdxBarDesignMenu::TdxBarDesignMenu(TdxBarManager* Manager) : TdxBarLinksPopup(Manager) { SetAnimate(false); }

TdxBarDesignMenu::~TdxBarDesignMenu() {
  if (g_openDesignMenu == this) g_openDesignMenu = nullptr;
}

TdxBarButton* TdxBarDesignMenu::AddCommand(int TextId, TShortCut ShortCut, bool BeginGroup, bool Enabled,
                                           std::function<void()> Action) {
  TdxBarButton* button = AddButton(LoadResString(TextId), BeginGroup);
  button->SetTag(TextId);
  button->SetShortCut(ShortCut);
  button->SetEnabled(Enabled);
  // The handler runs after the menu has closed and freed this window: it holds the action only.
  button->OnClick = [Action = std::move(Action)](TObject*) { Action(); };
  return button;
}

TdxBarButton* TdxBarDesignMenu::AddCheck(int TextId, bool BeginGroup, bool Enabled, bool Checked,
                                         std::function<void()> Action) {
  TdxBarButton* button = AddCommand(TextId, 0, BeginGroup, Enabled, std::move(Action));
  button->SetButtonStyle(bsChecked);
  button->SetDown(Checked);
  return button;
}

TdxBarCombo* TdxBarDesignMenu::AddChoice(int Tag, const String& Caption, std::initializer_list<const char16_t*> Strings,
                                         int ItemIndex, bool Enabled, std::function<void(int)> Action) {
  auto* combo = new TdxBarCombo(BarManager()->ParentForm());
  combo->SetCaption(Caption);
  combo->SetTag(Tag);
  combo->SetShowEditor(false);
  for (const char16_t* text : Strings) combo->Items()->Add(text);
  combo->SetItemIndex(ItemIndex);
  combo->SetEnabled(Enabled);
  combo->OnChange = [Action = std::move(Action)](TObject* Sender) {
    Action(static_cast<TdxBarCombo*>(Sender)->ItemIndex());
  };
  AddEntry(combo, false);
  return combo;
}

TdxBarItem* TdxBarDesignMenu::EntryOf(int Tag) const {
  for (int i = 0; i < Links()->Count(); ++i)
    if (TdxBarItem* item = Links()->Items(i)->Item(); item->Tag() == Tag) return item;
  return nullptr;
}

void TdxBarDesignMenu::Open(POINT ScreenPoint, int OwnerHeight) {
  if (g_openDesignMenu) g_openDesignMenu->CloseMenu();
  g_openDesignMenu = this;
  SetOwnerExtent(0, OwnerHeight);
  SetBounds(ScreenPoint.x, ScreenPoint.y, 0, 0);
  Show();
}
