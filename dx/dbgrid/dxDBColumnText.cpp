#include "dx/dbgrid/dxDBColumnText.h"

#include "dx/editors/dxEditorRoutines.h"
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLControl.h"

TRENVIK_PUBLISHED(TdxDBTreeListMemoColumn) {
  using C = TdxDBTreeListMemoColumn;
  P.Property("HideScrollBars", &C::HideScrollBars, &C::SetHideScrollBars).Default(true);
  P.Property("MaxDisplayLength", &C::MaxDisplayLength, &C::SetMaxDisplayLength).Default(255);
  P.Property("ScrollBars", &C::ScrollBars, &C::SetScrollBars).Default(ssNone);
  P.Property("SelectionBar", &C::SelectionBar, &C::SetSelectionBar).Default(false);
  P.Property("WantReturns", &C::WantReturns, &C::SetWantReturns).Default(true);
  P.Property("WantTabs", &C::WantTabs, &C::SetWantTabs).Default(false);
  P.Property("WordWrap", &C::WordWrap, &C::SetWordWrap).Default(true);
}

TRENVIK_PUBLISHED(TdxDBTreeListHyperLinkColumn) {
  using C = TdxDBTreeListHyperLinkColumn;
  P.Property("EditBackgroundColor", &C::EditBackgroundColor, &C::SetEditBackgroundColor).Default(clWhite);
  P.Property("EditFontColor", &C::EditFontColor, &C::SetEditFontColor).Default(clBlue);
  P.Property("SingleClick", &C::SingleClick, &C::SetSingleClick).Default(false);
  P.Property("StartKey", &C::StartKey, &C::SetStartKey).Default(Word(0x4000 | VK_RETURN));
  P.Event("OnStartClick", &C::OnStartClick);
}

TRENVIK_IMPLEMENT_CLASS(TdxColumnEditButtons)

TRENVIK_PUBLISHED(TdxDBTreeListButtonColumn) {
  using C = TdxDBTreeListButtonColumn;
  P.Property("ButtonOnly", &C::ButtonOnly, &C::SetButtonOnly).Default(false);
  P.Property("Buttons", &C::Buttons, &C::SetButtons);
  P.Property("ClickKey", &C::ClickKey, &C::SetClickKey).Default(Word(0x4000 | VK_RETURN));
  P.Property("EditButtonStyle", &C::EditButtonStyle, &C::SetEditButtonStyle).Default(ebsEllipsis);
  P.Property("Glyph", &C::Glyph, &C::SetGlyph).Stored(&C::HasGlyph);
  P.Property("HideEditCursor", &C::HideEditCursor, &C::SetHideEditCursor).Default(false);
  P.Event("OnButtonClick", &C::OnButtonClick);
}

// --- Memo ---

TdxDBTreeListMemoColumn::TdxDBTreeListMemoColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {
  SetDisableFilter(true);
}

String TdxDBTreeListMemoColumn::GetFieldCellText() {
  if (!Field()) return String();
  String text = Field()->AsString();
  if (memo_.MaxDisplayLength >= 0 && text.size() > static_cast<size_t>(memo_.MaxDisplayLength))
    text.resize(memo_.MaxDisplayLength);
  return text;
}

bool TdxDBTreeListMemoColumn::IsFieldValueEqual(const Variant& Value) {
  if (!Field() || !VarIsStr(Value)) return inherited::IsFieldValueEqual(Value);
  return Field()->AsString() == VarToStr(Value);
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListMemoColumn, memo_)

void TdxDBTreeListMemoColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* memo = dynamic_cast<TdxInplaceMemoEdit*>(Editor);
  if (!memo) return;
  memo->SetHideScrollBars(memo_.HideScrollBars);
  memo->SetScrollBars(memo_.ScrollBars);
  memo->SetWantReturns(memo_.WantReturns);
  memo->SetWantTabs(memo_.WantTabs);
  memo->SetWordWrap(memo_.WordWrap);
}

void TdxDBTreeListMemoColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* memo = dynamic_cast<TdxInplaceMemoEdit*>(Editor);
  if (!memo || !Field()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  Value = Field()->AsString();
  memo->SetEditValue(Value);
}

void TdxDBTreeListMemoColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* memo = dynamic_cast<TdxInplaceMemoEdit*>(Editor);
  if (!memo || !Field()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  String text;
  memo->GetEditingText(text);
  Field()->SetAsString(text);
  Value = GetNodeValue(Node);
}

void TdxDBTreeListMemoColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  memo_ = TSettings();
  SetDisableFilter(true);
}

// --- Hyperlink ---

void TdxDBTreeListHyperLinkColumn::DoStartClick() {
  if (OnStartClick) OnStartClick(this);
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListHyperLinkColumn, link_)

void TdxDBTreeListHyperLinkColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* link = dynamic_cast<TdxInplaceHyperLinkEdit*>(Editor);
  if (!link) return;
  link->SetLinkColor(link_.EditFontColor);
  link->SingleClick = link_.SingleClick;
  link->StartKey = link_.StartKey;
  // Without a handler the editor starts the link itself.
  if (OnStartClick)
    link->OnStartLink = [this](TObject*) { DoStartClick(); };
  else
    link->OnStartLink = nullptr;
}

void TdxDBTreeListHyperLinkColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  if (auto* view = dynamic_cast<TdxHyperLinkEditViewData*>(ViewData))
    view->LinkCursor = link_.SingleClick && !VarToStr(view->Data).empty();
}

void TdxDBTreeListHyperLinkColumn::GetHotTrackCursor(TdxTreeListNode* Node, TCursor& Cursor) {
  if (!link_.SingleClick) return;
  String text;
  GetDisplayText(Node, text);
  if (!text.empty()) Cursor = crdxHandPoint;
}

void TdxDBTreeListHyperLinkColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  link_ = TSettings();
}

// --- Button ---

TdxColumnEditButtons::TdxColumnEditButtons(TdxDBTreeListButtonColumn* Column)
    : TdxEditButtons(Column), column_(Column) {}

void TdxColumnEditButtons::Update(TCollectionItem* Item) {
  TdxEditButtons::Update(Item);
  if (column_) column_->Changed(true);
}

TdxDBTreeListButtonColumn::TdxDBTreeListButtonColumn(TComponent* AOwner)
    : TdxDBTreeListDropDownColumn(AOwner), buttons_(std::make_unique<TdxColumnEditButtons>(this)) {
  buttons_->Add();
}

TdxDBTreeListButtonColumn::~TdxDBTreeListButtonColumn() = default;

void TdxDBTreeListButtonColumn::SetEditButtonStyle(TdxEditButtonStyle Value) {
  if (button_.EditButtonStyle == Value) return;
  button_.EditButtonStyle = Value;
  if (Value == ebsSimple) {
    buttons_->Clear();
  } else {
    if (buttons_->Count() == 0) buttons_->Add();
    static constexpr TdxEditButtonKind kKinds[] = {bkDown, bkEllipsis, bkGlyph};
    buttons_->GetItem(0)->SetKind(kKinds[Value]);
  }
  Changed(true);
}

TBitmap* TdxDBTreeListButtonColumn::Glyph() {
  if (buttons_->Count() == 0) buttons_->Add();
  return buttons_->GetItem(0)->Glyph();
}

void TdxDBTreeListButtonColumn::SetGlyph(TBitmap* Value) {
  if (buttons_->Count() == 0) buttons_->Add();
  buttons_->GetItem(0)->SetGlyph(Value);
}

bool TdxDBTreeListButtonColumn::HasGlyph() const {
  return buttons_->Count() > 0 && buttons_->GetItem(0)->HasGlyph();
}

void TdxDBTreeListButtonColumn::DoButtonClick(TdxInplaceEdit*, int AbsoluteIndex) {
  if (OnButtonClick) OnButtonClick(this, AbsoluteIndex);
}

int TdxDBTreeListButtonColumn::ViewStyle() const {
  if (button_.ButtonOnly) return 2;
  return button_.HideEditCursor ? 1 : 0;
}

void TdxDBTreeListButtonColumn::Assign(TPersistent* Source) {
  TdxTreeListUpdateScope update(TreeList());
  inherited::Assign(Source);
  if (auto* source = dynamic_cast<TdxDBTreeListButtonColumn*>(Source)) {
    button_ = source->button_;
    buttons_->Assign(source->buttons_.get());
  }
}

void TdxDBTreeListButtonColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* button = dynamic_cast<TdxInplaceButtonEdit*>(Editor);
  if (!button) return;
  button->SetButtons(buttons_.get());
  button->SetTextMode(ViewStyle());
  button->ClickKey = button_.ClickKey;
  button->OnButtonClick = [this, button](TObject*, int AbsoluteIndex) {
    DoButtonClick(button, AbsoluteIndex);
  };
}

void TdxDBTreeListButtonColumn::PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) {
  inherited::PrepareCellViewData(ViewData, Node);
  auto* view = dynamic_cast<TdxButtonEditViewData*>(ViewData);
  if (!view) return;
  view->ButtonList = buttons_.get();
  // Buttons only when there are buttons to show.
  view->ButtonsOnly = ViewStyle() == 2 && buttons_->Count() > 0 && !view->NoButtons;
  view->TextNotEditable = ViewStyle() == 1;
}

void TdxDBTreeListButtonColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  button_ = TSettings();
  buttons_->Clear();
  buttons_->Add();
}
