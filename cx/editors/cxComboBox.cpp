// The combo box control: its current item follows keys, typed prefixes and the list; the popup is
// sized from the list within the room the screen leaves above or below the edit.
#include <algorithm>

#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomComboBox)
TRENVIK_PUBLISHED(TcxComboBox) { PublishTextEditControl(P); }

TcxCustomComboBox::TcxCustomComboBox(TComponent* AOwner) : TcxCustomDropDownEdit(AOwner) {
  CreateProperties();
  if (!IsDesigning()) CreatePopupWindow();
  // Clicks never fire OnClick: a change of the current item does.
  SetControlStyle(TControlStyle(ControlStyle()).Exclude(csClickEvents));
  CreateLookupData();
  LookupData()->SetOnItemSelected([this](TObject*) { DoLookupItemChanged(); });
  PropertiesChanged(Properties());
}

int TcxCustomComboBox::ItemIndex() {
  const Variant key = CurrentLookupKey();
  return VarIsOrdinal(key) ? key.AsInteger() : -1;
}

void TcxCustomComboBox::SetItemIndex(int Value) {
  const int old = ItemIndex();
  ILookupData()->SetCurrentKey(Variant(Value));
  if (ItemIndex() != old) SetModified(false);
}

void TcxCustomComboBox::ResetPopupHeight() {
  TcxCustomComboBoxProperties* properties = ActiveProperties();
  auto* data = dynamic_cast<TcxCustomDropDownEditData*>(EditData());
  if (IsInplace() && properties->DropDownSizeable() && data)
    data->PopupHeight = 0;
  else
    properties->SetPopupHeight(0);
}

bool TcxCustomComboBox::CanDropDown() { return !ILookupData()->IsEmpty(); }

bool TcxCustomComboBox::CanSelectLookupItemByKey(bool AByWheel) {
  return inherited::CanSelectLookupItemByKey(AByWheel);
}

void TcxCustomComboBox::SetupPopupWindow() {
  inherited::SetupPopupWindow();
  PopupWindow()->SetSysPanelStyle(ActiveProperties()->DropDownSizeable());
}

void TcxCustomComboBox::CalculatePopupSize(SIZE& ASize) {
  TcxCustomEditPopupWindow* w = PopupWindow();
  TcxCustomEditPopupWindowViewInfo* info = w->EditViewInfo();
  info->CalculateBorders();
  const TcxPopupBorders b = info->GetBorders();
  w->RefreshOwnerBounds();
  const RECT owner = w->OwnerScreenBounds();
  const RECT workAbove = cxGetMonitorWorkArea({owner.left, owner.top});
  const RECT workBelow = cxGetMonitorWorkArea({owner.left, owner.bottom});
  const int roomAbove = owner.top - workAbove.top - b.Top - b.Bottom + (w->Shadow() ? 3 : 0);
  const int roomBelow = workBelow.bottom - owner.bottom - b.Top - b.Bottom;
  TcxCustomComboBoxProperties* properties = ActiveProperties();
  int widthLimit = 0;
  if (!properties->DropDownSizeable() && !properties->DropDownAutoWidth())
    widthLimit = (properties->DropDownWidth() >= 1 ? properties->DropDownWidth() : owner.right - owner.left) -
                 b.Left - b.Right;
  ILookupData()->GetListSize(std::max(roomAbove, roomBelow), widthLimit, ASize);
}

void TcxCustomComboBox::PopupWindowShowed(TObject* Sender) {
  inherited::PopupWindowShowed(Sender);
  POINT cursor;
  GetCursorPos(&cursor);
  if (TcxComboBoxListBox* list = ComboListBox(); list && ILookupData()->IsPointOverList(cursor))
    list->IgnoreNextMouseMove();
}

void TcxCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  // Dragging from the edit into the open list selects the row under the mouse.
  TcxComboBoxListBox* list = ComboListBox();
  if (!list || !HasPopupWindow() || !HandleAllocated() || GetCapture() != Handle()) return;
  const POINT screen = ClientToScreen({X, Y});
  if (!ILookupData()->IsPointOverList(screen)) return;
  const POINT p = list->ScreenToClient(screen);
  SendMessage(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

void TcxCustomComboBox::DblClick() {
  inherited::DblClick();
  if (HasPopupWindow() || !ActiveProperties()->Revertable()) return;
  const Variant old = CurrentLookupKey();
  ILookupData()->Navigate(lnNext, true);
  if (LookupKeyChanged(old)) PostImmediately();
}

bool TcxCustomComboBox::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (inherited::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!CanSelectLookupItemByKey(true) || ILookupData()->IsEmpty()) return false;
  if (HasPopupWindow()) {
    TcxComboBoxListBox* list = ComboListBox();
    if (!list || !list->HandleAllocated()) return false;
    SendMessage(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WheelDelta)),
                MAKELPARAM(MousePos.x, MousePos.y));
    return true;
  }
  if (!DoEditing()) return true;
  const Variant key = CurrentLookupKey();
  ++LookupClickLock;
  {
    TScopeExit unlock([this] { --LookupClickLock; });
    ILookupData()->Navigate(WheelDelta > 0 ? lnPrior : lnNext, false);
  }
  if (LookupKeyChanged(key)) {
    DoLookupClick();
    PostImmediately();
  }
  return true;
}

// --- The value follows the current item ---

void TcxCustomComboBox::ShowLookupText(const String& AText, int ASelStart) {
  TcxFlagScope changing(lookupChanging_);
  if (Text() != AText) InnerTextEdit()->SetText(AText);
  InnerTextEdit()->SetSelStart(ASelStart);
  InnerTextEdit()->SetSelLength(static_cast<int>(AText.size()) - ASelStart);
}

void TcxCustomComboBox::DoLookupItemChanged() {
  String text;
  ILookupData()->GetDisplayText(Variant(ItemIndex()), text);
  if (text != Text() && !DoEditing()) return;
  ShowLookupText(text, 0);
  if (!Focused()) {
    // Without the focus the inner edit's change does not reach the value; the item's text is
    // turned into a value as the edit's own typing would be (an image combo's item stands for its
    // value, not its description).
    Variant value;
    DisplayToEditValue(text, value, false);
    SaveModified();
    SetEditValue(value);
    RestoreModified();
  }
}

void TcxCustomComboBox::ChangeHandler(TObject* Sender) {
  const Variant key = CurrentLookupKey();
  ++LookupClickLock;
  {
    TScopeExit unlock([this] { --LookupClickLock; });
    inherited::ChangeHandler(Sender);
    const bool follows = HasPopupWindow() || ActiveProperties()->DropDownListStyle() != lsEditList;
    if (!lookupChanging_ && follows) ILookupData()->TextChanged();
  }
  if (ModifiedAfterEnter() && LookupKeyChanged(key)) DoLookupClick();
}

// --- Keys ---

bool TcxCustomComboBox::HandleNavigationKey(WORD& Key, TShiftState Shift) {
  const bool pick = ActiveProperties()->GetEditingMode() == temPickItem;
  const bool ctrl = Shift.Contains(ssCtrl);
  TcxLookupNavigation direction;
  switch (Key) {
    case VK_PRIOR: direction = ctrl ? lnFirst : lnPageUp; break;
    case VK_NEXT: direction = ctrl ? lnLast : lnPageDown; break;
    case VK_UP: direction = lnPrior; break;
    case VK_DOWN: direction = lnNext; break;
    case VK_HOME:
      if (!pick) return false;
      direction = lnFirst;
      break;
    case VK_END:
      if (!pick) return false;
      direction = lnLast;
      break;
    default: return false;
  }
  if (Shift.Contains(ssAlt) || !CanSelectLookupItemByKey(false) || ILookupData()->IsEmpty()) return false;
  const Variant key = CurrentLookupKey();
  ++LookupClickLock;
  {
    TScopeExit unlock([this] { --LookupClickLock; });
    ILookupData()->Navigate(direction, false);
  }
  if (LookupKeyChanged(key)) {
    DoLookupClick();
    PostImmediately();
  }
  Key = 0;
  return true;
}

void TcxCustomComboBox::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  if (HandleNavigationKey(Key, Shift)) return;
  // Left, Right and Delete do not edit a text that is only chosen.
  if (ActiveProperties()->GetEditingMode() == temPickItem &&
      (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DELETE)) {
    if (OnInplaceKeyDown) OnInplaceKeyDown(this, Key, Shift);
    Key = 0;
    return;
  }
  inherited::DoEditKeyDown(Key, Shift);
}

bool TcxCustomComboBox::HandleLookupKeyPress(Char& Key) {
  TcxCustomComboBoxProperties* properties = ActiveProperties();
  const TcxTextEditingMode mode = properties->GetEditingMode();
  if (mode != temPickItem && mode != temMatchItem) return false;
  if ((Key == 8 || Key >= 32) && !ValidateKeyPress(Key)) return true;
  const String text = Text();
  const int selStart = SelStart();
  const int selLength = SelLength();
  String search;
  if (Key == 8) {
    // Backspace searches the typed prefix less its last character.
    if (mode == temMatchItem) return false;
    if (!properties->FixedListIncrementalSearch() || selStart == 0) {
      Key = 0;
      return true;
    }
    search = text.substr(0, selStart - 1);
  } else if (Key >= 32) {
    if (selLength > 0)
      search = text.substr(0, selStart) + Key;
    else if (mode == temPickItem)
      search = String(1, Key);
    else
      search = text.substr(0, selStart) + Key + text.substr(selStart);
  } else {
    return false;
  }
  String found = search, tail;
  bool located = !search.empty() && ILookupData()->LocateByText(found, tail, false);
  if (!located && mode == temPickItem && !properties->FixedListIncrementalSearch() && Key >= 32) {
    found = String(1, Key);
    located = ILookupData()->LocateByText(found, tail, false);
  }
  if (located) {
    ShowLookupText(found + tail, static_cast<int>(found.size()));
    DoLookupClick();
  } else if (search.empty()) {
    ShowLookupText(Text(), 0);
  }
  Key = 0;
  return true;
}

void TcxCustomComboBox::DoEditKeyPress(Char& Key) {
  if (Key >= 32 && ActiveProperties()->ImmediateDropDown() && !HasPopupWindow() && HandleAllocated())
    SendMessage(Handle(), CM_DROPDOWN, 0, 0);
  if (HandleLookupKeyPress(Key)) return;
  // The drop-down's own handling would open the list a second time.
  TcxCustomMaskEdit::DoEditKeyPress(Key);
}
