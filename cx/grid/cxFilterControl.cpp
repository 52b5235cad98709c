// The filter control's life: its internal controls and fonts, the link it reads from and applies
// to, clearing, files, layout, scrolling and painting.
#include "cx/grid/cxFilterControl.h"

#include <algorithm>

#include "cx/editors/cxEditStyle.h"
#include "cx/editors/cxTextEdit.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomFilterControl)
TRENVIK_IMPLEMENT_CLASS(TcxFilterControl)

TRENVIK_MESSAGE_MAP(TcxCustomFilterControl) { M.On(CM_ENABLEDCHANGED, &TcxCustomFilterControl::CMEnabledChanged); }

namespace {

constexpr TColor kFilterPartColors[4] = {clRed, clGreen, clNavy, clBlue};

// Layout runs once, when the outermost lock goes.
class TcxFilterLayoutLock {
 public:
  explicit TcxFilterLayoutLock(int& ACounter) : counter_(ACounter) { ++counter_; }
  ~TcxFilterLayoutLock() { --counter_; }
  TcxFilterLayoutLock(const TcxFilterLayoutLock&) = delete;
  TcxFilterLayoutLock& operator=(const TcxFilterLayoutLock&) = delete;

 private:
  int& counter_;
};

}  // namespace

TcxCustomFilterControl::TcxCustomFilterControl(TComponent* AOwner)
    : TcxControl(AOwner), rows_(std::make_unique<TcxFilterControlRowList>()) {
  viewInfo_ = std::make_unique<TcxFilterControlViewInfo>(this);
  for (int i = 0; i < 4; ++i) {
    fonts_[i] = std::make_unique<TFont>();
    fonts_[i]->Assign(Font());
    fonts_[i]->SetColor(kFilterPartColors[i]);
    if (i < 3) fonts_[i]->SetStyle(TFontStyles{fsUnderline});
    fonts_[i]->OnChange = [this](TObject*) { LayoutChanged(); };
  }
  CreateInternalControls();
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(false);
  SetBounds(Left(), Top(), 300, 200);
  SetWantTabs(false);
  focusedRow_ = Root();
  focusedPart_ = fhtBoolOperator;
  nullString_ = cxGetResourceString(cxSFilterNullString);
}

TcxCustomFilterControl::~TcxCustomFilterControl() {
  valueEditor_ = nullptr;
  DestroyInternalControls();
}

void TcxCustomFilterControl::CreateInternalControls() {
  choiceBox_ = new TcxComboBox(this);
  choiceBox_->SetVisible(false);
  choiceBox_->SetParentColor(true);
  ChoiceProperties()->SetDropDownListStyle(lsFixedList);
  ChoiceProperties()->Buttons()->Items(0)->Visible = false;
  choiceBox_->OnExit = [this](TObject*) {
    choiceBox_->SetVisible(false);
    editingMode_ = femNone;
  };
  choiceBox_->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
    if (Key == VK_SPACE) Key = VK_RETURN;
  };
  choiceBox_->OnKeyPress = [](TObject*, Char& Key) {
    if (Key == u' ') Key = 0;
  };
  ChoiceProperties()->OnCloseUp = [this](TObject*) { ChoiceApplied(); };

  rowMenu_ = new TPopupMenu(this);
  for (int tag = 0; tag < 4; ++tag) {
    auto* item = new TMenuItem(rowMenu_);
    item->SetTag(tag);
    item->SetCaption(tag == 2 ? cLineCaption : String());
    item->OnClick = [this, tag](TObject*) { RowMenuCommand(tag); };
    rowMenu_->Items()->Add(item);
  }
  valueEditStyle_ = std::make_unique<TcxCustomEditStyle>(nullptr, true);
  valueEditStyle_->SetFont(FontValue());
  valueEditStyle_->SetButtonTransparency(ebtHideUnselected);
  editList_ = std::make_unique<TcxInplaceEditList>();
}

void TcxCustomFilterControl::DestroyInternalControls() {
  editList_.reset();
  valueEditStyle_.reset();
  delete rowMenu_;
  rowMenu_ = nullptr;
  delete choiceBox_;
  choiceBox_ = nullptr;
}

void TcxCustomFilterControl::CreateWnd() {
  TcxControl::CreateWnd();
  cxFilterControlConstsInitialize();
  Root()->Caption = cxGetResourceString(cxSFilterRootCaption);
  rowMenu_->Items()->Items(0)->SetCaption(cxGetResourceString(cxSFilterMenuAddCondition));
  rowMenu_->Items()->Items(1)->SetCaption(cxGetResourceString(cxSFilterMenuAddGroup));
  // An assigned NullString (a form file's) outlives the window's creation.
  if (!nullStringAssigned_) nullString_ = cxGetResourceString(cxSFilterNullString);
  LayoutChanged();
}

void TcxCustomFilterControl::CMEnabledChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  LayoutChanged();
}

// --- Properties ---

void TcxCustomFilterControl::SetNullString(const String& Value) {
  nullStringAssigned_ = true;
  if (nullString_ == Value) return;
  nullString_ = Value;
  LayoutChanged();
}

bool TcxCustomFilterControl::IsNullStringStored() const {
  return nullString_ != cxGetResourceString(cxSFilterNullString);
}

void TcxCustomFilterControl::SetWantTabs(bool Value) {
  wantTabs_ = Value;
  TcxWantedKeys keys{wkAll, wkArrows, wkChars};
  if (Value) keys.Include(wkTab);
  SetKeys(keys);
}

void TcxCustomFilterControl::SetShowLevelLines(bool Value) {
  if (showLevelLines_ == Value) return;
  showLevelLines_ = Value;
  Invalidate();
}

void TcxCustomFilterControl::FontChanged() {
  TcxControl::FontChanged();
  {
    TcxFilterLayoutLock lock(layoutLock_);
    for (auto& font : fonts_) {
      font->SetName(Font()->Name());
      font->SetHeight(Font()->Height());
      font->SetCharset(Font()->Charset());
    }
  }
  LayoutChanged();
}

// --- Link ---

void TcxCustomFilterControl::SetLink(IcxFilterControl* ALink) {
  rows_->SetLink(ALink);
  if (ALink)
    ReadFromLink();
  else
    Clear();
}

void TcxCustomFilterControl::ReadFromLink() {
  IcxFilterControl* link = rows_->Link();
  TcxFilterCriteria* criteria = link ? link->GetCriteria() : nullptr;
  if (!criteria) {
    Clear();
    return;
  }
  if (criteria != Criteria()) Criteria()->Assign(criteria);
  TcxFilterLayoutLock lock(layoutLock_);
  TScopeExit layout([this] { ResetFocusAndScroll(); });
  rows_->BuildRows();
}

void TcxCustomFilterControl::ResetFocusAndScroll() {
  focusedRow_ = Root();
  focusedPart_ = fhtBoolOperator;
  focusedValueIndex_ = 0;
  hotInfo_ = TcxFilterControlHitInfo{};
  topRow_ = 0;
  leftOffset_ = 0;
}

void TcxCustomFilterControl::ApplyFilter() {
  IcxFilterControl* link = rows_->Link();
  TcxFilterCriteria* target = link ? link->GetCriteria() : nullptr;
  if (!target) return;
  if (valueEditor_) EndValueEdit(true);
  if (!rows_->BuildCriteria()) throw EcxFilterControlError(cxGetResourceString(cxSFilterInvalidCondition));
  const bool copied = target != Criteria();
  // Only the conditions go over: the view's criteria keep their handlers and settings.
  if (copied) target->AssignItems(Criteria());
  if (OnApplyFilter) OnApplyFilter(this);
  if (!copied) return;
  // The link's criteria may have normalised what they took.
  Criteria()->Assign(target);
  {
    TcxFilterLayoutLock lock(layoutLock_);
    rows_->BuildRows();
    ResetFocusAndScroll();
  }
  LayoutChanged();
}

void TcxCustomFilterControl::Clear() {
  {
    TcxFilterLayoutLock lock(layoutLock_);
    if (valueEditor_) EndValueEdit(false);
    rows_->Clear();
    ResetFocusAndScroll();
    Criteria()->Clear();
  }
  LayoutChanged();
}

String TcxCustomFilterControl::GetFilterText() {
  if (valueEditor_) EndValueEdit(true);
  if (!rows_->BuildCriteria() || Criteria()->Root()->Count() == 0) return String();
  String text;
  Criteria()->BuildFilterText(false, text);
  return text;
}

String TcxCustomFilterControl::GetFilterCaption() {
  if (valueEditor_) EndValueEdit(true);
  if (!rows_->BuildCriteria() || Criteria()->Root()->Count() == 0) return String();
  String text;
  Criteria()->BuildFilterText(true, text);
  return text;
}

void TcxCustomFilterControl::LoadFromStream(TStream* AStream) {
  if (valueEditor_) EndValueEdit(false);
  {
    TcxFilterLayoutLock lock(layoutLock_);
    rows_->LoadFromStream(AStream);
    ResetFocusAndScroll();
  }
  LayoutChanged();
}

void TcxCustomFilterControl::LoadFromFile(const String& AFileName) {
  if (valueEditor_) EndValueEdit(false);
  {
    TcxFilterLayoutLock lock(layoutLock_);
    rows_->LoadFromFile(AFileName);
    ResetFocusAndScroll();
  }
  LayoutChanged();
}

void TcxCustomFilterControl::SaveToStream(TStream* AStream) {
  if (valueEditor_) EndValueEdit(true);
  rows_->SaveToStream(AStream);
}

void TcxCustomFilterControl::SaveToFile(const String& AFileName) {
  if (valueEditor_) EndValueEdit(true);
  rows_->SaveToFile(AFileName);
}

// --- Rows ---

void TcxCustomFilterControl::AddCondition(TcxCustomRowViewInfo* ARow) {
  if (!HasUsableLink()) return;
  if (!ARow) ARow = Rows(RowCount() - 1);
  FocusAddedCondition(rows_->AddCondition(GroupOf(ARow)));
}

TcxGroupViewInfo* TcxCustomFilterControl::GroupOf(TcxCustomRowViewInfo* ARow) {
  auto* group = dynamic_cast<TcxGroupViewInfo*>(ARow);
  return group ? group : ARow->Parent();
}

void TcxCustomFilterControl::FocusAddedCondition(TcxCustomRowViewInfo* ACondition) {
  focusedRow_ = ACondition;
  focusedValueIndex_ = 0;
  // Laid out with the add-condition line focused, so that both come into view.
  focusedPart_ = fhtAddCondition;
  LayoutChanged();
  MakeFocusedPartVisible();
  SetFocusedPart(ACondition, fhtItem);
}

void TcxCustomFilterControl::AddGroup() {
  if (!HasUsableLink()) return;
  FocusAddedCondition(rows_->AddGroup(GroupOf(focusedRow_))->Rows(0));
}

void TcxCustomFilterControl::RemoveFocusedRow() {
  if (!HasUsableLink()) return;
  auto* condition = FocusedCondition();
  if (condition && focusedPart_ == fhtValue && condition->IsListOperator() && condition->Values().size() > 1) {
    std::vector<TcxValueInfo>& values = condition->Values();
    values.erase(values.begin() + std::clamp<int>(focusedValueIndex_, 0, static_cast<int>(values.size()) - 1));
    focusedValueIndex_ = std::max(focusedValueIndex_ - 1, 0);
    LayoutChanged();
    return;
  }
  if (focusedRow_ == Root()) return;
  TcxCustomRowViewInfo* removed = focusedRow_;
  while (removed->Parent() != Root() && removed->Parent()->RowCount() == 1) removed = removed->Parent();
  const int index = rows_->IndexOf(removed);
  rows_->RemoveRow(removed);
  hotInfo_ = TcxFilterControlHitInfo{};
  FocusPartOf(Rows(std::max(index - 1, 0)));
}

void TcxCustomFilterControl::FocusPartOf(TcxCustomRowViewInfo* ARow) {
  SetFocusedPart(ARow, dynamic_cast<TcxGroupViewInfo*>(ARow) ? fhtBoolOperator : fhtItem);
}

void TcxCustomFilterControl::SetFocusedPart(TcxCustomRowViewInfo* ARow, TcxFilterControlHitTest APart, int AValueIndex) {
  focusedRow_ = ARow;
  focusedPart_ = APart;
  focusedValueIndex_ = AValueIndex;
  LayoutChanged();
  MakeFocusedPartVisible();
}

// --- Layout and scrolling ---

void TcxCustomFilterControl::LayoutChanged() {
  if (layoutLock_ > 0 || ComponentState().Contains(csDestroying) || !viewInfo_) return;
  viewInfo_->Calculate();
  const RECT client = GetClientBounds();
  const int rowHeight = viewInfo_->RowHeight();
  while (topRow_ > 0 && client.bottom - viewInfo_->AddConditionRect().bottom >= rowHeight + 2) {
    --topRow_;
    viewInfo_->Calculate();
  }
  const int contentRight = client.left - leftOffset_ + viewInfo_->MaxRowWidth();
  if (leftOffset_ > 0 && contentRight < client.right - 2) {
    leftOffset_ = std::max(0, leftOffset_ - (client.right - 2 - contentRight));
    viewInfo_->Calculate();
  }
  UpdateScrollBars();
  Invalidate();
}

RECT TcxCustomFilterControl::FocusedPartRect() const {
  if (focusedPart_ == fhtAddCondition) return viewInfo_->AddConditionRect();
  if (focusedPart_ == fhtRowButton) {
    RECT r = focusedRow_->ButtonRect;
    if (focusedRow_ == Root()) r.left -= 4;
    return r;
  }
  if (focusedPart_ == fhtAddValue) return static_cast<TcxConditionViewInfo*>(focusedRow_)->AddValueRect;
  RECT r = viewInfo_->FocusRect();
  return IsRectEmpty(&r) ? focusedRow_->ButtonRect : r;
}

void TcxCustomFilterControl::MakeFocusedPartVisible() {
  if (!viewInfo_ || !focusedRow_) return;
  const RECT client = GetClientBounds();
  const int index = rows_->IndexOf(focusedRow_);
  bool changed = false;
  if (index < topRow_) {
    topRow_ = index;
    changed = true;
    viewInfo_->Calculate();
  } else {
    auto bottom = [&] {
      return focusedPart_ == fhtAddCondition ? viewInfo_->AddConditionRect().bottom : focusedRow_->RowRect.bottom;
    };
    while (bottom() > client.bottom && topRow_ < RowCount() - 1 + (focusedPart_ == fhtAddCondition ? 1 : 0)) {
      ++topRow_;
      changed = true;
      viewInfo_->Calculate();
    }
  }
  RECT part = FocusedPartRect();
  int shift = 0;
  if (part.right >= client.right) shift = part.right - client.right + 2;
  if (part.left - shift < client.left) shift = part.left - client.left;
  if (shift != 0) {
    leftOffset_ = std::max(0, leftOffset_ + shift);
    changed = true;
    viewInfo_->Calculate();
  }
  if (changed) {
    UpdateScrollBars();
    Invalidate();
  }
}

void TcxCustomFilterControl::InitScrollBarsParameters() {
  const RECT client = GetClientBounds();
  const int rowHeight = std::max(viewInfo_->RowHeight(), 1);
  const int page = std::max(1, (client.bottom - client.top) / rowHeight - 1);
  SetScrollBarInfo(sbVertical, 0, RowCount() - 1, 1, page, topRow_, true, true);
  SetScrollBarInfo(sbHorizontal, 0, viewInfo_->MaxRowWidth(), 1, client.right - client.left, leftOffset_, true, true);
}

void TcxCustomFilterControl::Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APosition) {
  const RECT client = GetClientBounds();
  if (AKind == sbVertical) {
    const int page = std::max(1, (client.bottom - client.top) / std::max(viewInfo_->RowHeight(), 1) - 1);
    int row = topRow_;
    switch (ACode) {
      case scLineUp: --row; break;
      case scLineDown: ++row; break;
      case scPageUp: row -= page; break;
      case scPageDown: row += page; break;
      case scTrack: row = APosition; break;
      default: return;
    }
    const int visible = std::max(1, (client.bottom - client.top) / std::max(viewInfo_->RowHeight(), 1));
    topRow_ = std::clamp(row, 0, std::max(0, RowCount() - visible + 1));
    APosition = topRow_;
  } else {
    const int width = client.right - client.left;
    int offset = leftOffset_;
    switch (ACode) {
      case scLineUp: offset -= 8; break;
      case scLineDown: offset += 8; break;
      case scPageUp: offset -= width; break;
      case scPageDown: offset += width; break;
      case scTrack: offset = APosition; break;
      default: return;
    }
    leftOffset_ = std::clamp(offset, 0, std::max(0, viewInfo_->MaxRowWidth() - width + 1));
    APosition = leftOffset_;
  }
  LayoutChanged();
}

void TcxCustomFilterControl::Resize() {
  TcxControl::Resize();
  LayoutChanged();
}

void TcxCustomFilterControl::Paint() { viewInfo_->Paint(Canvas()->Canvas(), Canvas()->Canvas()->ClipRect()); }

// --- TcxFilterControl ---

TcxFilterControl::TcxFilterControl(TComponent* AOwner) : TcxCustomFilterControl(AOwner) {}

TcxFilterControl::~TcxFilterControl() {
  if (linkComponent_) linkComponent_->RemoveFreeNotification(this);
}

void TcxFilterControl::SetLinkComponent(TComponent* Value) {
  if (Value && !dynamic_cast<IcxFilterControl*>(Value)) return;
  if (linkComponent_) linkComponent_->RemoveFreeNotification(this);
  linkComponent_ = Value;
  if (linkComponent_) linkComponent_->FreeNotification(this);
  SetLink(GetLink());
}

IcxFilterControl* TcxFilterControl::GetLink() { return dynamic_cast<IcxFilterControl*>(linkComponent_); }

void TcxFilterControl::Notification(TComponent* AComponent, TOperation Operation) {
  TcxCustomFilterControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == linkComponent_) {
    linkComponent_ = nullptr;
    SetLink(nullptr);
  }
}

void cxFilterControlInitialize() {
  RegisterClass(TcxFilterControl::StaticClass());
}

void cxFilterControlFinalize() {}
