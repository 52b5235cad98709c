#include "dx/bars/dxBarCustomizingForm.h"

#include <algorithm>

#include "dx/bars/dxBarAllCommandsListBox.h"
#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "dx/bars/dxBarDesignMenu.h"
#include "dx/bars/dxBarEdit.h"
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarItemAddEditor.h"
#include "dx/bars/dxBarNameEditor.h"
#include "dx/bars/dxBarServices.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubMenuEditor.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/gdi/Controls.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringTable.h"
#include "platform/win/Shell.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarToolbarsListBox)
TRENVIK_IMPLEMENT_CLASS(TdxBarCommandsListBox)
TRENVIK_IMPLEMENT_CLASS(TdxBarCustomizingForm)

TRENVIK_MESSAGE_MAP(TdxBarCustomizingForm) { M.On(WM_ACTIVATE, &TdxBarCustomizingForm::WMActivate); }

namespace {

TdxBarCustomizingForm* g_customizingForm = nullptr;
// Owner forms disabled while the form is open.
std::vector<HWND> g_disabledForms;

constexpr int kCommandHeight = 22;
constexpr int kGlyphCellWidth = 23;

void DisableManagerForms(bool Enable) {
  if (Enable) {
    for (HWND window : g_disabledForms)
      if (IsWindow(window)) EnableWindow(window, TRUE);
    g_disabledForms.clear();
    return;
  }
  for (int i = 0; i < BarManagers()->Count(); ++i) {
    TCustomForm* form = BarManagers()->Items(i)->ParentForm();
    if (!form || !form->HandleAllocated() || !IsWindowEnabled(form->Handle())) continue;
    EnableWindow(form->Handle(), FALSE);
    g_disabledForms.push_back(form->Handle());
  }
}

TCheckBox* NewCheckBox(TComponent* Owner, TWinControl* Parent, int Top, int TextId) {
  return TdxBarCustomizingForm::Place(new TCheckBox(Owner), Parent, 8, Top, 330, 17, LoadResString(TextId));
}

}  // namespace

// --- Toolbar list ---

TdxBarToolbarsListBox::TdxBarToolbarsListBox(TComponent* AOwner, TdxBarManager* Manager)
    : TCustomListBox(AOwner), manager_(Manager) {
  SetStyle(lbOwnerDrawFixed);
}

TdxBar* TdxBarToolbarsListBox::Bars(int Index) { return static_cast<TdxBar*>(Items()->Objects(Index)); }

void TdxBarToolbarsListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  TdxBar* bar = Bars(Index);
  HDC dc = Canvas()->Handle();
  bool selected = State.Contains(odSelected);
  FillRect(dc, &Rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  RECT box{Rect.left, Rect.top, Rect.left + BoxWidth(), Rect.bottom};
  FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
  InflateRect(&box, -2, -2);
  UINT state = DFCS_BUTTONCHECK | (bar->Visible() ? DFCS_CHECKED : 0) | (bar->CanBeListed() ? 0 : DFCS_INACTIVE);
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
  RECT text{Rect.left + BoxWidth() + 2, Rect.top, Rect.right, Rect.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  String caption = Items()->Strings(Index);
  DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TdxBarToolbarsListBox::ToggleEntry(int Index) {
  if (Index < 0 || Index >= Count()) return;
  TdxBar* bar = Bars(Index);
  if (!bar->CanBeListed()) {
    MessageBeep(0);
    return;
  }
  bar->SetVisible(!bar->Visible());
  RECT r = ItemRect(Index);
  InvalidateRect(Handle(), &r, FALSE);
}

void TdxBarToolbarsListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || X >= BoxWidth()) return;
  ToggleEntry(ItemAtPos(POINT{X, Y}, true));
}

void TdxBarToolbarsListBox::DblClick() {
  inherited::DblClick();
  ToggleEntry(ItemIndex());
}

void TdxBarToolbarsListBox::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (Key == VK_SPACE) ToggleEntry(ItemIndex());
}

// --- Commands list ---

TdxBarCommandsListBox::TdxBarCommandsListBox(TComponent* AOwner, TdxBarManager* Manager)
    : TCustomListBox(AOwner), manager_(Manager) {
  SetStyle(lbOwnerDrawVariable);
}

TdxBarItem* TdxBarCommandsListBox::Commands(int Index) {
  return static_cast<TdxBarItem*>(Items()->Objects(Index));
}

void TdxBarCommandsListBox::MeasureItem(int, int& Height) { Height = kCommandHeight; }

void TdxBarCommandsListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  TdxBarItem* item = Commands(Index);
  HDC dc = Canvas()->Handle();
  const bool selected = State.Contains(odSelected);
  const bool flat = manager_->Style() == bmsFlat;
  FillRect(dc, &Rect, selected ? (flat ? manager_->FlatSelectedBrush() : GetSysColorBrush(COLOR_HIGHLIGHT))
                               : GetSysColorBrush(flat ? COLOR_WINDOW : COLOR_BTNFACE));
  const bool window = dynamic_cast<TdxBarWindowItem*>(item) != nullptr;
  int textLeft = Rect.left + (flat ? kCommandHeight + 10 : 26);
  if (!window) {
    RECT cell{Rect.left, Rect.top, Rect.left + (flat ? kCommandHeight : kGlyphCellWidth), Rect.bottom};
    if (!selected) FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
    if (!flat) {
      RECT line{cell.right, cell.top, cell.right + 1, cell.bottom};
      FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
    }
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected && !flat ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
  String caption = StripAccelerators(item->Caption());
  RECT text{textLeft, Rect.top, Rect.right - 13, Rect.bottom};
  DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (window) {
    SIZE extent{};
    GetTextExtentPoint32(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    RECT edit{textLeft + extent.cx + 6, Rect.top + 3, Rect.right - 4, Rect.bottom - 3};
    FillRect(dc, &edit, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &edit, GetSysColorBrush(COLOR_BTNSHADOW));
  } else if (item->ItemLinks()) {
    // Sub-items open a menu: the arrow at the right.
    int x = Rect.right - 9, y = Rect.top + 7;
    for (int i = 0; i < 4; ++i) {
      RECT column{x + i, y + i, x + i + 1, y + 8 - i};
      FillRect(dc, &column, GetSysColorBrush(COLOR_BTNTEXT));
    }
  }
  if (selected && flat) FrameRect(dc, &Rect, GetSysColorBrush(COLOR_HIGHLIGHT));
  if (State.Contains(odFocused) && !flat) {
    RECT focus = Rect;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

void TdxBarCommandsListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  int index = ItemAtPos(POINT{X, Y}, true);
  if (index < 0) return;
  SetItemIndex(index);
  if (OnClick) OnClick(this);
  POINT press = ClientToScreen(POINT{X, Y});
  if (DragDetect(Handle(), press)) manager_->DragItemLink(Commands(index), nullptr, &press);
}

// --- The form ---

TdxBarCustomizingForm::TdxBarCustomizingForm(TdxBarManager* Manager) : TForm(nullptr), manager_(Manager) {
  Font()->SetName(Manager->Font()->Name());
  Font()->SetCharset(Manager->Font()->Charset());
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(366, 310);
  SetCaption(LoadResString(dxSBAR_CAPTION));

  PageControl = Place(new TPageControl(this), this, 6, 6, 354, 264);
  TabSheet1 = AddPage(LoadResString(dxSBAR_TABSHEET1));
  TabSheet2 = AddPage(LoadResString(dxSBAR_TABSHEET2));
  TabSheet3 = AddPage(LoadResString(dxSBAR_TABSHEET3));
  PageControl->SetActivePage(TabSheet1);
  PageControl->OnChange = [this](TObject*) { RefreshPage(); };

  String close = LoadResString(dxSBAR_CLOSE);
  int closeWidth = Canvas()->TextWidth(StripAccelerators(close)) + 49;
  BClose = Place(new TButton(this), this, 360 - closeWidth, 278, closeWidth, 25, close);
  BClose->SetCancel(true);
  BClose->SetDefault(true);
  BClose->OnClick = [this](TObject*) { Close(); };
  BHelp = Place(new TBitBtn(this), this, 6, 278, 24, 23);
  BHelp->OnClick = [this](TObject*) {
    if (!manager_->IsDesigning()) manager_->HelpButtonClick();
  };
  RefreshHelpButton();
  OnClose = [this](TObject*, TCloseAction& Action) {
    Action = caNone;
    if (!closing_) manager_->SetCustomizing(false);
  };

  BuildToolbarsPage();
  BuildCommandsPage();
  BuildOptionsPage();
  BuildAllCommandsPage();
  BuildGroupsPage();
  RefreshBars();
  RefreshCategories();
  StyleChanged();
  RefreshAllCommands();
  if (manager_->IsDesigning()) RefreshGroups();
}

TdxBarCustomizingForm::~TdxBarCustomizingForm() {
  closing_ = true;
  if (g_customizingForm == this) g_customizingForm = nullptr;
  // Its entries act on this form.
  if (TdxBarDesignMenu* menu = OpenDesignMenu()) menu->CloseMenu();
  BeforeDestruction();
}

TTabSheet* TdxBarCustomizingForm::AddPage(const String& Caption) {
  auto* page = new TTabSheet(this);
  page->SetCaption(Caption);
  page->SetPageControl(PageControl);
  return page;
}

void TdxBarCustomizingForm::WMActivate(TMessage& Message) {
  const bool active = LOWORD(Message.WParam) != WA_INACTIVE;
  // Handed on by the disabled owner form, which stays the active window: taking the focus here
  // would activate this form, and the owner would take it back, again and again.
  const bool handedOn = active && HandleAllocated() && GetActiveWindow() != Handle();
  if (!handedOn) inherited::Dispatch(Message);
  if (closing_ || manager_->IsDestroying()) return;
  TCustomForm* owner = manager_->ParentForm();
  // The owner form may be on its way out, its window part gone.
  if (owner && !owner->ComponentState().Contains(csDestroying) && owner->HandleAllocated())
    SendMessage(owner->Handle(), WM_NCACTIVATE, active, 0);
  if (active && !ActiveBarControl()) RefreshPage();
}

void TdxBarCustomizingForm::RefreshPage() {
  TTabSheet* page = PageControl->ActivePage();
  if (page == TabSheet1)
    UpdateBarButtons();
  else if (page == TabSheet4)
    RefreshAllCommands();
  else if (page == TabSheet5)
    UpdateGroupButtons();
}

void TdxBarCustomizingForm::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
  Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  TCustomForm* owner = manager_->ParentForm();
  if (owner && !owner->ComponentState().Contains(csDestroying) && owner->HandleAllocated())
    Params.WndParent = owner->Handle();
}

void TdxBarCustomizingForm::BuildToolbarsPage() {
  LabelToobars = Place(new TLabel(this), TabSheet1, 8, 8, 200, 16, LoadResString(dxSBAR_TOOLBARS));
  BarsListBox = Place(new TdxBarToolbarsListBox(this, manager_), TabSheet1, 8, 26, 220, 200);
  BarsListBox->SetItemHeight(Canvas()->TextHeight(u"0") + 2);
  LabelToobars->SetFocusControl(BarsListBox);
  BarsListBox->OnClick = [this](TObject*) { UpdateBarButtons(); };
  BBarNew = Place(new TButton(this), TabSheet1, 238, 26, 100, 23, LoadResString(dxSBAR_TNEW));
  BBarRename = Place(new TButton(this), TabSheet1, 238, 55, 100, 23, LoadResString(dxSBAR_TRENAME));
  BBarDelete = Place(new TButton(this), TabSheet1, 238, 84, 100, 23, LoadResString(dxSBAR_TDELETE));
  BBarReset = Place(new TButton(this), TabSheet1, 238, 113, 100, 23, LoadResString(dxSBAR_TRESET));
  BBarNew->OnClick = [this](TObject*) { NewToolbar(); };
  BBarRename->OnClick = [this](TObject*) { RenameToolbar(); };
  BBarDelete->OnClick = [this](TObject*) { DeleteToolbar(); };
  BBarReset->OnClick = [this](TObject*) {
    if (TdxBar* bar = SelectedBar()) manager_->ConfirmBarReset(bar);
  };
  BBarReset->SetVisible(!manager_->IsDesigning() && manager_->CanReset());
}

void TdxBarCustomizingForm::BuildCommandsPage() {
  LabelCategories = Place(new TLabel(this), TabSheet2, 8, 8, 120, 16, LoadResString(dxSBAR_CATEGORIES));
  LCategories = Place(new TListBox(this), TabSheet2, 8, 26, 120, 170);
  LabelCategories->SetFocusControl(LCategories);
  LabelCommands = Place(new TLabel(this), TabSheet2, 136, 8, 200, 16, LoadResString(dxSBAR_COMMANDS));
  LCommands = Place(new TdxBarCommandsListBox(this, manager_), TabSheet2, 136, 26, 202, 170);
  LabelCommands->SetFocusControl(LCommands);
  LabelDescription = Place(new TLabel(this), TabSheet2, 8, 202, 330, 16, LoadResString(dxSBAR_DESCRIPTION));
  DescriptionLabel = Place(new TLabel(this), TabSheet2, 8, 218, 330, 16);
  DescriptionLabel->SetWordWrap(true);
  LCategories->OnClick = [this](TObject*) { RefreshCommands(); };
  BuildDesignTimeCommands();
  LCommands->OnEnter = [this](TObject*) {
    if (LCommands->ItemIndex() >= 0 || LCommands->Count() == 0) return;
    LCommands->SetItemIndex(0);
    LCommands->OnClick(LCommands);
  };
  LCommands->OnClick = [this](TObject*) {
    int index = LCommands->ItemIndex();
    DescriptionLabel->SetCaption(index >= 0 ? LCommands->Commands(index)->Description() : String());
    manager_->SetSelectedItem(nullptr);
  };
}

TdxBarCustomizingForm::TDisplayOptions TdxBarCustomizingForm::AddDisplayOptions(TPanel* Panel, int Top) {
  TDisplayOptions options{};
  options.LargeIcons = NewCheckBox(this, Panel, Top, dxSBAR_LARGEICONS);
  options.Hint1 = NewCheckBox(this, Panel, Top + 22, dxSBAR_HINTOPT1);
  options.Hint2 = NewCheckBox(this, Panel, Top + 44, dxSBAR_HINTOPT2);
  String label = LoadResString(dxSBAR_MENUANIMATIONS);
  auto* animationsLabel = Place(new TLabel(this), Panel, 8, Top + 70, 150, 16, label);
  std::vector<String> animations;
  int widest = 0;
  for (int i = 0; i < 4; ++i) {
    animations.push_back(LoadResString(dxSBAR_MENUANIM1 + i));
    widest = std::max(widest, Canvas()->TextWidth(animations.back()));
  }
  int left = std::max(8 + Canvas()->TextWidth(StripAccelerators(label)) + 10, 120);
  options.Animations = Place(new TComboBox(this), Panel, left, Top + 66, widest + 54, 21);
  options.Animations->SetStyle(csDropDownList);
  for (const String& text : animations) options.Animations->Items()->Add(text);
  animationsLabel->SetFocusControl(options.Animations);
  options.LargeIcons->OnClick = [this, options](TObject*) {
    if (!refreshingOptions_) manager_->SetLargeIcons(options.LargeIcons->Checked());
  };
  options.Hint1->OnClick = [this, options](TObject*) {
    if (refreshingOptions_) return;
    manager_->SetShowHint(options.Hint1->Checked());
    RefreshOptions();
  };
  options.Hint2->OnClick = [this, options](TObject*) {
    if (!refreshingOptions_) manager_->SetShowShortCutInHint(options.Hint2->Checked());
  };
  options.Animations->OnChange = [this, options](TObject*) {
    if (!refreshingOptions_ && options.Animations->ItemIndex() >= 0)
      manager_->SetMenuAnimations(static_cast<TdxBarMenuAnimations>(options.Animations->ItemIndex()));
  };
  return options;
}

void TdxBarCustomizingForm::BuildOptionsPage() {
  StandardOptionsPanel = Place(new TPanel(this), TabSheet3, 0, 0, 346, 236);
  EnhancedOptionsPanel = Place(new TPanel(this), TabSheet3, 0, 0, 346, 236);
  for (TPanel* panel : {StandardOptionsPanel, EnhancedOptionsPanel}) panel->SetBevelOuter(bvNone);
  TDisplayOptions standard = AddDisplayOptions(StandardOptionsPanel, 8);
  CBLargeIcons = standard.LargeIcons;
  CBHint1 = standard.Hint1;
  CBHint2 = standard.Hint2;
  ComboBoxMenuAnimations = standard.Animations;

  Place(new TLabel(this), EnhancedOptionsPanel, 8, 4, 330, 16, LoadResString(dxSBAR_PERSMENUSANDTOOLBARS));
  CBMenusShowRecentItemsFirst = NewCheckBox(this, EnhancedOptionsPanel, 24, dxSBAR_MENUSSHOWRECENTITEMS);
  CBShowFullMenusAfterDelay = NewCheckBox(this, EnhancedOptionsPanel, 46, dxSBAR_SHOWFULLMENUSAFTERDELAY);
  String reset = LoadResString(dxSBAR_RESETUSAGEDATA);
  BResetUsageData = Place(new TButton(this), EnhancedOptionsPanel, 8, 70,
                          Canvas()->TextWidth(StripAccelerators(reset)) + 17, 23, reset);
  Place(new TLabel(this), EnhancedOptionsPanel, 8, 100, 330, 16, LoadResString(dxSBAR_OTHEROPTIONS));
  TDisplayOptions enhanced = AddDisplayOptions(EnhancedOptionsPanel, 120);
  CBLargeIconsEx = enhanced.LargeIcons;
  CBHint1Ex = enhanced.Hint1;
  CBHint2Ex = enhanced.Hint2;
  ComboBoxMenuAnimationsEx = enhanced.Animations;
  CBMenusShowRecentItemsFirst->OnClick = [this](TObject*) {
    if (refreshingOptions_) return;
    manager_->SetMenusShowRecentItemsFirst(CBMenusShowRecentItemsFirst->Checked());
    RefreshOptions();
  };
  CBShowFullMenusAfterDelay->OnClick = [this](TObject*) {
    if (!refreshingOptions_) manager_->SetShowFullMenusAfterDelay(CBShowFullMenusAfterDelay->Checked());
  };
  BResetUsageData->OnClick = [this](TObject*) { manager_->ConfirmResetUsageData(); };
}

// --- Refreshing ---

void TdxBarCustomizingForm::RefreshBars() {
  TStrings* items = BarsListBox->Items();
  items->BeginUpdate();
  items->Clear();
  int firstVisible = -1;
  for (int i = 0; i < manager_->Bars()->Count(); ++i) {
    TdxBar* bar = manager_->Bars()->Items(i);
    if (bar->Hidden() && !manager_->IsDesigning()) continue;
    items->AddObject(bar->Caption(), bar);
    if (firstVisible < 0 && bar->Visible()) firstVisible = items->Count() - 1;
  }
  items->EndUpdate();
  BarsListBox->SetItemIndex(firstVisible >= 0 ? firstVisible : (items->Count() > 0 ? 0 : -1));
  UpdateBarButtons();
}

TdxBar* TdxBarCustomizingForm::SelectedBar() {
  int index = BarsListBox->ItemIndex();
  return index >= 0 ? BarsListBox->Bars(index) : nullptr;
}

void TdxBarCustomizingForm::UpdateBarButtons() {
  TdxBar* bar = SelectedBar();
  bool designing = manager_->IsDesigning();
  bool renamable = bar && (designing || !bar->IsPredefined());
  BBarRename->SetEnabled(renamable);
  BBarDelete->SetEnabled(renamable && (designing || bar->CanBeListed()));
  BBarReset->SetEnabled(bar && bar->IsPredefined() && bar->AllowReset());
}

void TdxBarCustomizingForm::BarChanged(TdxBar* Bar) {
  for (int i = 0; i < BarsListBox->Count(); ++i) {
    if (BarsListBox->Bars(i) != Bar) continue;
    BarsListBox->Items()->SetStrings(i, Bar->Caption());
    BarsListBox->Invalidate();
  }
  UpdateBarButtons();
}

int TdxBarCustomizingForm::SelectedCategory() {
  int index = LCategories->ItemIndex();
  return index >= 0 ? static_cast<int>(reinterpret_cast<intptr_t>(LCategories->Items()->Objects(index))) : -1;
}

void TdxBarCustomizingForm::RefreshCategories() { FillCategories(0); }

void TdxBarCustomizingForm::RefreshCommands() {
  int keep = LCommands->ItemIndex();
  TStrings* items = LCommands->Items();
  items->BeginUpdate();
  items->Clear();
  int category = SelectedCategory();
  if (category >= 0)
    for (TdxBarItem* item : manager_->GetItemsByCategory(category))
      if (manager_->IsDesigning() || (item->IsVisible() && !item->HiddenInCustomizing()))
        items->AddObject(item->Caption(), item);
  items->EndUpdate();
  if (keep >= items->Count()) keep = items->Count() - 1;
  LCommands->SetItemIndex(keep);
  DescriptionLabel->SetCaption(String());
}

void TdxBarCustomizingForm::RefreshOptions() {
  bool standard = manager_->Style() == bmsStandard;
  StandardOptionsPanel->SetVisible(standard);
  EnhancedOptionsPanel->SetVisible(!standard);
  refreshingOptions_ = true;
  for (TCheckBox* box : {CBLargeIcons, CBLargeIconsEx}) box->SetChecked(manager_->LargeIcons());
  for (TCheckBox* box : {CBHint1, CBHint1Ex}) box->SetChecked(manager_->ShowHint());
  for (TCheckBox* box : {CBHint2, CBHint2Ex}) box->SetChecked(manager_->ShowShortCutInHint());
  for (TComboBox* box : {ComboBoxMenuAnimations, ComboBoxMenuAnimationsEx})
    box->SetItemIndex(static_cast<int>(manager_->MenuAnimations()));
  CBMenusShowRecentItemsFirst->SetChecked(manager_->MenusShowRecentItemsFirst());
  CBShowFullMenusAfterDelay->SetChecked(manager_->ShowFullMenusAfterDelay());
  CBShowFullMenusAfterDelay->SetEnabled(manager_->MenusShowRecentItemsFirst());
  CBHint2Ex->SetEnabled(manager_->ShowHint());
  refreshingOptions_ = false;
}

// --- Toolbar commands ---

String TdxBarCustomizingForm::ProposeToolbarName(const TdxBarManager* Manager) {
  String prefix = LoadResString(dxSBAR_NEWTOOLBARNAME);
  for (int n = 1;; ++n) {
    String name = prefix + IntToStr(n);
    if (!Manager->BarByName(name)) return name;
  }
}

void TdxBarCustomizingForm::NewToolbar() {
  String name = ProposeToolbarName(manager_);
  if (!ExecuteNameEditor(name, nkToolbar, nmNew, nullptr, manager_, Font())) return;
  RECT form;
  GetWindowRect(Handle(), &form);
  RECT work = GetWorkAreaAt(POINT{form.left, form.top});
  TdxBar* bar = manager_->Bars()->Add();
  bar->SetBarName(name);
  bar->SetCaption(name);
  bar->SetDockingStyle(dsNone);
  bar->SetFloatLeft(form.left - 50 < work.left ? form.right + 10 : form.left - 50);
  bar->SetFloatTop(form.top < work.top ? work.top + 10 : form.top);
  bar->SetVisible(true);
  BarsListBox->Items()->AddObject(name, bar);
  BarsListBox->SetItemIndex(BarsListBox->Count() - 1);
  UpdateBarButtons();
}

void TdxBarCustomizingForm::RenameToolbar() {
  TdxBar* bar = SelectedBar();
  if (!bar) return;
  String name = bar->Caption();
  if (!ExecuteNameEditor(name, nkToolbar, nmRename, bar, manager_, Font())) return;
  bar->SetCaption(name);
  BarChanged(bar);
}

void TdxBarCustomizingForm::DeleteToolbar() {
  int index = BarsListBox->ItemIndex();
  if (index < 0) return;
  String question = Format(LoadResString(dxSBAR_WANTTODELETETOOLBAR), {BarsListBox->Items()->Strings(index)});
  if (Application->MessageBox(question, Application->Title(), MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
  TdxBar* bar = BarsListBox->Bars(index);
  BarsListBox->Items()->Delete(index);
  BarsListBox->SetItemIndex(std::min(index, BarsListBox->Count() - 1));
  bar->SetIndex(manager_->Bars()->Count() - 1);
  delete bar;
  UpdateBarButtons();
}

void TdxBarCustomizingForm::AddCommand() {
  TdxBarItem* item = ExecuteItemAddEditor(manager_, SelectedCategory(), Font());
  if (!item) return;
  for (int i = 0; i < LCategories->Count(); ++i)
    if (reinterpret_cast<intptr_t>(LCategories->Items()->Objects(i)) == item->Category()) LCategories->SetItemIndex(i);
  ItemsChanged();
  LCommands->SetItemIndex(LCommands->Items()->IndexOfObject(item));
}

// --- Entry points ---

TdxBarCustomizingForm* GetCustomizingForm() { return g_customizingForm; }

void ShowCustomizingForm(TdxBarManager* Manager, bool Show) {
  if (Show) {
    if (g_customizingForm) return;
    DisableManagerForms(false);
    g_customizingForm = new TdxBarCustomizingForm(Manager);
    g_customizingForm->Show();
    return;
  }
  TdxBarCustomizingForm* form = g_customizingForm;
  if (!form || form->BarManager() != Manager) return;
  g_customizingForm = nullptr;
  DisableManagerForms(true);
  FreeSubMenuEditor();
  // The form may be closing from one of its own handlers: it goes once they have returned. Its
  // window is gone when the owner form's went first.
  if (!form->HandleAllocated()) {
    delete form;
    return;
  }
  form->Hide();
  form->Release();
}

void CustomizingFormOptionsChanged() {
  if (g_customizingForm) g_customizingForm->RefreshOptions();
}

void TdxBarCustomizingForm::StyleChanged() {
  RefreshOptions();
  // Below the last command the list shows the colour the entries are drawn on.
  LCommands->SetColor(manager_->Style() == bmsFlat ? clWindow : clBtnFace);
  LCommands->Invalidate();
}

void TdxBarCustomizingForm::ItemChanged() {
  LCommands->Invalidate();
  TdxBarItem* selected = SelectedCommand();
  DescriptionLabel->SetCaption(selected ? selected->Description() : String());
  if (manager_->IsDesigning()) LAllCommands->RefreshWidths();
}

void CustomizingFormStyleChanged() {
  if (g_customizingForm) g_customizingForm->StyleChanged();
}

void CustomizingFormItemChanged() {
  if (g_customizingForm) g_customizingForm->ItemChanged();
}

void CustomizingFormBarChanged(TdxBar* Bar) {
  if (g_customizingForm) g_customizingForm->BarChanged(Bar);
}

void TdxBarCustomizingForm::ItemsChanged() {
  if (deletingCommands_) return;
  RefreshCommands();
  // The command still selected keeps its description.
  TdxBarItem* selected = SelectedCommand();
  DescriptionLabel->SetCaption(selected ? selected->Description() : String());
  RefreshAllCommands();
}

void CustomizingFormFollowOwnerForm(TdxBarManager* Manager, UINT Flags) {
  TdxBarCustomizingForm* form = g_customizingForm;
  if (!form || form->BarManager() != Manager || !Manager->IsCustomizing() || !form->HandleAllocated()) return;
  if (Flags & SWP_SHOWWINDOW) ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  if (Flags & SWP_HIDEWINDOW) ShowWindow(form->Handle(), SW_HIDE);
}

void CustomizingFormItemsChanged() {
  if (g_customizingForm) g_customizingForm->ItemsChanged();
}
