// The BLOB edit control: the popup's memo or image made at each opening with its OK and Cancel
// buttons, the character typed while closed, and the value the popup gives back when it closes.
#include "cx/editors-ext/cxBlobEdit.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/foundation/cxClasses.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"

TRENVIK_IMPLEMENT_CLASS(TcxPopupMemo)
TRENVIK_IMPLEMENT_CLASS(TcxPopupImage)
TRENVIK_IMPLEMENT_CLASS(TcxCustomBlobEdit)
TRENVIK_PUBLISHED(TcxBlobEdit) { PublishEditControl(P, false); }

// --- The popup's editors ---

template <class TEditor>
void TcxBlobPopupEditorOf<TEditor>::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  if (edit_->HandlePopupKey(Key, Shift)) {
    Key = 0;
    return;
  }
  TEditor::DoEditKeyDown(Key, Shift);
}

template class TcxBlobPopupEditorOf<TcxMemo>;
template class TcxBlobPopupEditorOf<TcxImage>;

// --- The edit ---

TcxCustomBlobEdit::TcxCustomBlobEdit(TComponent* AOwner) : TcxCustomPopupEdit(AOwner) {
  CreateProperties();
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  SetTabStop(true);
  // The value is drawn by the view, never typed: the inner edit stays hidden.
  if (TWinControl* inner = InnerControl()) inner->SetVisible(false);
  if (PopupWindow()) PopupWindow()->SetOwnLoop(false);
}

TcxCustomBlobEdit::~TcxCustomBlobEdit() { DestroyPopupControls(); }

void TcxCustomBlobEdit::CreatePopupWindow() {
  inherited::CreatePopupWindow();
  // The popup's keys and buttons close it themselves.
  PopupWindow()->SetOwnLoop(false);
}

void TcxCustomBlobEdit::InitializeViewData(TcxCustomEditViewData* AViewData) {
  inherited::InitializeViewData(AViewData);
  AViewData->Edit = this;
}

// Nothing shows the value but the view: each change repaints it.
void TcxCustomBlobEdit::SynchronizeDisplayValue() {
  CalculateViewInfoAtCursor();
  Invalidate();
}

void TcxCustomBlobEdit::PropertiesChanged(TObject* Sender) {
  if (IsDestroying()) return;
  inherited::PropertiesChanged(Sender);
  if (TWinControl* inner = InnerControl()) inner->SetVisible(false);
  SynchronizeDisplayValue();
}

void TcxCustomBlobEdit::DoEditKeyPress(Char& Key) {
  if (Key >= 32 && ActiveProperties()->ImmediateDropDown() && !ActiveProperties()->ReadOnly() && !HasPopupWindow())
    pendingChar_ = Key;
  inherited::DoEditKeyPress(Key);
  // A character that opened nothing is forgotten.
  if (!HasPopupWindow()) pendingChar_ = 0;
}

void TcxCustomBlobEdit::DoInitPopup() {
  CreatePopupControls();
  inherited::DoInitPopup();
}

TWinControl* TcxCustomBlobEdit::GetPopupFocusedControl() {
  return popupEditor_ ? popupEditor_.get() : inherited::GetPopupFocusedControl();
}

void TcxCustomBlobEdit::CalculatePopupSize(SIZE& ASize) {
  TcxCustomBlobEditProperties* properties = ActiveProperties();
  auto* image = dynamic_cast<TcxPopupImage*>(popupEditor_.get());
  if (image && properties->PictureAutoSize()) {
    ASize = {image->Picture()->Width() + 4, image->Picture()->Height() + 4};
    return;
  }
  inherited::CalculatePopupSize(ASize);
}

int TcxCustomBlobEdit::ButtonHeight() {
  TcxCanvas* canvas = cxGetScreenCanvas();
  canvas->SetFont(Style()->Font());
  return canvas->TextHeight(u"Wg") * 20 / 13;
}

void TcxCustomBlobEdit::CreatePopupControls() {
  DestroyPopupControls();
  switch (ActiveProperties()->ResolveBlobEditKind()) {
    case bekMemo:
      CreatePopupMemo();
      break;
    case bekPict:
      CreatePopupImage();
      break;
    default:
      return;
  }
  CreatePopupButtons();
}

void TcxCustomBlobEdit::CreatePopupMemo() {
  TcxCustomBlobEditProperties* properties = ActiveProperties();
  auto memo = std::make_unique<TcxPopupMemo>(nullptr, this);
  memo->SetVisible(false);
  memo->SetParent(PopupWindow());
  memo->Style()->SetBorderStyle(ebsNone);
  TcxCustomMemoProperties* memoProperties = memo->ActiveProperties();
  memoProperties->SetCharCase(properties->MemoCharCase());
  memoProperties->SetMaxLength(properties->MemoMaxLength());
  memoProperties->SetOEMConvert(properties->MemoOEMConvert());
  memoProperties->SetScrollBars(properties->MemoScrollBars());
  memoProperties->SetWantReturns(properties->MemoWantReturns());
  memoProperties->SetWantTabs(properties->MemoWantTabs());
  memoProperties->SetWordWrap(properties->MemoWordWrap());
  memoProperties->SetReadOnly(properties->ReadOnly());
  memo->Style()->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
  memo->Style()->Font()->Assign(Style()->Font());
  const Variant& value = EditValue();
  if (pendingChar_ != 0) {
    const String typed(1, pendingChar_);
    const bool prepend = !properties->MemoAutoReplace() && VarIsStr(value);
    memo->SetEditValue(prepend ? typed + VarToStr(value) : typed);
    memo->SetSelStart(1);
    popupModified_ = true;
    pendingChar_ = 0;
  } else {
    memo->SetEditValue(value);
    popupModified_ = false;
  }
  memo->SetModifiedAfterEnter(popupModified_);
  memo->Properties()->OnChange = [this](TObject*) { PopupEditorChanged(); };
  AdoptPopupEditor(std::move(memo), false);
}

void TcxCustomBlobEdit::CreatePopupImage() {
  TcxCustomBlobEditProperties* properties = ActiveProperties();
  auto image = std::make_unique<TcxPopupImage>(nullptr, this);
  image->SetVisible(false);
  image->SetParent(PopupWindow());
  image->Style()->SetBorderStyle(ebsNone);
  TcxCustomImageProperties* imageProperties = image->ActiveProperties();
  imageProperties->SetShowFocusRect(false);
  imageProperties->SetStretch(true);
  imageProperties->SetCustomFilter(properties->PictureFilter());
  imageProperties->SetGraphicTransparency(properties->PictureTransparency());
  TcxPopupMenuItems items = imageProperties->PopupMenuLayout()->MenuItems();
  if (!properties->ShowPicturePopup())
    items = {};
  else if (!properties->ShowExPopupItems())
    items = items - TcxPopupMenuItems{pmiLoad, pmiSave};
  imageProperties->PopupMenuLayout()->SetMenuItems(items);
  imageProperties->SetReadOnly(properties->ReadOnly());
  imageProperties->SetGraphicClassName(properties->PictureGraphicClassName());
  if (imageProperties->GraphicClassName().empty() && properties->PictureGraphicClass())
    imageProperties->SetGraphicClass(properties->PictureGraphicClass());
  imageProperties->OnAssignPicture = properties->OnAssignPicture;
  image->Style()->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
  image->SetEditValue(EditValue());
  image->SetModifiedAfterEnter(false);
  popupModified_ = false;
  pendingChar_ = 0;
  imageProperties->OnChange = [this](TObject*) { PopupEditorChanged(); };
  AdoptPopupEditor(std::move(image), properties->PictureAutoSize());
}

void TcxCustomBlobEdit::AdoptPopupEditor(std::unique_ptr<TcxCustomEdit> AEditor, bool AAutoSize) {
  TcxCustomBlobEditProperties* properties = ActiveProperties();
  properties->ChangeSilently([&] {
    properties->SetPopupSysPanelStyle(true);
    properties->SetPopupAutoSize(AAutoSize);
    properties->SetPopupControl(AEditor.get());
  });
  popupEditor_ = std::move(AEditor);
}

void TcxCustomBlobEdit::CreatePopupButtons() {
  TcxCustomBlobEditProperties* properties = ActiveProperties();
  const bool readOnly = properties->ReadOnly();
  const int height = ButtonHeight();
  auto makeButton = [&](int ACaption, int AModalResult) {
    auto button = std::make_unique<TcxButton>(nullptr);
    button->SetParent(PopupWindow());
    button->Font()->Assign(Style()->Font());
    button->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
    button->SetUseSystemPaint(false);
    button->SetCaption(cxGetResourceString(ACaption));
    button->SetModalResult(AModalResult);
    button->SetHeight(height);
    button->OnClick = [this, AModalResult](TObject*) { ClosePopupWith(AModalResult); };
    return button;
  };
  cancelButton_ = makeButton(readOnly ? cxSBlobButtonClose : cxSBlobButtonCancel, mrCancel);
  cancelButton_->SetCancel(true);
  if (!readOnly) {
    okButton_ = makeButton(cxSBlobButtonOK, mrOk);
    okButton_->SetEnabled(popupModified_);
    okButton_->SetDefault(popupModified_);
  }
  TcxCanvas* canvas = cxGetScreenCanvas();
  canvas->SetFont(Style()->Font());
  buttonWidth_ = canvas->TextWidth(cancelButton_->Caption() + u"00");
  if (okButton_) buttonWidth_ = std::max(buttonWidth_, canvas->TextWidth(okButton_->Caption() + u"00"));
  const int gap = height / 3;
  const int minWidth = GetSystemMetrics(SM_CXVSCROLL) + (gap + buttonWidth_) * (okButton_ ? 2 : 1) + height / 2;
  properties->ChangeSilently([&] { properties->SetPopupMinWidth(minWidth); });
}

void TcxCustomBlobEdit::SetupPopupWindow() {
  inherited::SetupPopupWindow();
  if (cancelButton_) PopupWindow()->SetMinSysPanelHeight(ButtonHeight() / 3 + ButtonHeight());
}

void TcxCustomBlobEdit::PositionPopupContent(const RECT& AClientRect) {
  inherited::PositionPopupContent(AClientRect);
  if (!cancelButton_) return;
  const RECT panel = PopupWindow()->EditViewInfo()->SysPanelRect;
  const int height = cancelButton_->Height(), gap = height / 3;
  const int top = panel.top + (panel.bottom - panel.top - height) / 2;
  int right = panel.right - gap;
  for (TcxButton* button : {cancelButton_.get(), okButton_.get()}) {
    if (!button) continue;
    button->SetBounds(right - buttonWidth_, top, buttonWidth_, height);
    button->SetVisible(true);
    right -= buttonWidth_ + gap;
  }
}

void TcxCustomBlobEdit::PopupEditorChanged() {
  popupModified_ = true;
  if (!okButton_) return;
  okButton_->SetEnabled(true);
  okButton_->SetDefault(true);
}

void TcxCustomBlobEdit::ClosePopupWith(int AModalResult) {
  if (!HasPopupWindow()) return;
  PopupWindow()->SetModalResult(AModalResult);
  PopupWindow()->PostClosePopup();
}

bool TcxCustomBlobEdit::HandlePopupKey(WORD AKey, TShiftState AShift) {
  TcxCustomBlobEditProperties* properties = ActiveProperties();
  const bool isMemo = dynamic_cast<TcxPopupMemo*>(popupEditor_.get()) != nullptr;
  const int result =
      cxBlobPopupCloseResult(AKey, AShift, properties->AlwaysSaveData(), isMemo, properties->MemoWantReturns());
  if (result == mrNone) return false;
  ClosePopupWith(result);
  return true;
}

void TcxCustomBlobEdit::PopupWindowClosed(TObject* Sender) {
  inherited::PopupWindowClosed(Sender);
  TcxCustomBlobEditProperties* properties = ActiveProperties();
  const int result = PopupWindow()->ModalResult();
  const bool keep = result == mrOk || (result != mrCancel && properties->AlwaysSaveData());
  if (popupEditor_ && popupModified_ && keep && DoEditing()) {
    if (auto* memo = dynamic_cast<TcxPopupMemo*>(popupEditor_.get())) {
      InternalSetEditValue(memo->Lines()->Text(), false);
    } else if (auto* image = dynamic_cast<TcxPopupImage*>(popupEditor_.get())) {
      Variant value;
      image->GetEditValue(value);
      if (image->Picture()->Graphic()) lastGraphicClass_ = image->Picture()->Graphic()->ClassType();
      InternalSetEditValue(value, false);
    }
    SetModifiedAfterEnter(true);
    if (properties->ImmediatePost() && CanPostEditValue() && ValidateEdit(true)) PostEditValue();
  }
  DestroyPopupControls();
  SynchronizeDisplayValue();
}

void TcxCustomBlobEdit::DestroyPopupControls() {
  if (Properties()) {
    TcxCustomBlobEditProperties* properties = ActiveProperties();
    properties->ChangeSilently([&] { properties->SetPopupControl(nullptr); });
  }
  okButton_.reset();
  cancelButton_.reset();
  popupEditor_.reset();
}
