#include "dx/editors/dxGraphicEdit.h"

#include "dx/editors/dxDrawUtils.h"
#include "platform/forms/PictureValues.h"
#include "dx/editors/dxPopupToolBar.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/Menus.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

RECT GraphicPictureRect(const RECT& Content, int PictureWidth, int PictureHeight, bool Stretch, bool Center) {
  const int cw = Content.right - Content.left, ch = Content.bottom - Content.top;
  if (Stretch && PictureWidth > 0 && PictureHeight > 0) {
    // Compare the ratios in integers: content wider (by ratio) than the picture fits the height.
    if (static_cast<Int64>(cw) * PictureHeight >= static_cast<Int64>(ch) * PictureWidth)
      return RECT{Content.left, Content.top,
                  Content.left + static_cast<int>(static_cast<Int64>(PictureWidth) * ch / PictureHeight),
                  Content.bottom};
    return RECT{Content.left, Content.top, Content.right,
                Content.top + static_cast<int>(static_cast<Int64>(PictureHeight) * cw / PictureWidth)};
  }
  RECT r{Content.left, Content.top, Content.left + PictureWidth, Content.top + PictureHeight};
  if (Center) OffsetRect(&r, (cw - PictureWidth) / 2, (ch - PictureHeight) / 2);
  return r;
}

bool ClipboardHasPicture(Word Format) {
  if (Clipboard()->HasFormat(Format)) return true;
  // The picture format stands for the bitmaps the clipboard keeps as device-independent bitmaps.
  return Format == CF_PICTURE && (Clipboard()->HasFormat(CF_BITMAP) || Clipboard()->HasFormat(CF_DIB));
}

// --- Class painting ---

TRENVIK_IMPLEMENT_CLASS(TdxGraphicEditViewData)

std::unique_ptr<TdxEditViewData> TdxGraphicEditMetaClass::CreateViewDataObject() const {
  return std::make_unique<TdxGraphicEditViewData>();
}

void TdxGraphicEditMetaClass::GetContentSize(TdxEditViewData* ViewData, RECT& Rect) const {
  auto* v = static_cast<TdxGraphicEditViewData*>(ViewData);
  if (PictureIsEmpty(v->Picture)) {
    TdxInplaceEditMetaClass::GetContentSize(ViewData, Rect);
    return;
  }
  Rect = RECT{0, 0, v->Picture->Width(), v->Picture->Height()};
}

namespace {

void DrawEmptyCell(HDC DC, RECT Cell, TdxGraphicEditViewData* v) {
  const String text = v->Data.Type() == varEmpty || VarIsNull(v->Data) ? String() : v->Data.AsString();
  if (text.empty()) {
    if (!v->Transparent) FillRect(DC, &Cell, v->Brush);
    return;
  }
  DrawCellText(DC, text.c_str(), static_cast<int>(text.size()), nullptr, v->TextColor, v->BkColor, v->Font,
               v->Transparent ? nullptr : v->Brush, dxCellCenter | dxCellVCenter, Cell, Cell);
}

void DrawPicture(HDC DC, const RECT& Cell, TdxGraphicEditViewData* v) {
  TGraphic* graphic = v->Picture->Graphic();
  if (v->QuickDraw)
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) bitmap->SetIgnorePalette(true);
  const int saved = SaveDC(DC);
  TScopeExit restore([&] { RestoreDC(DC, saved); });
  IntersectClipRect(DC, Cell.left, Cell.top, Cell.right, Cell.bottom);
  const RECT content{Cell.left + v->TextOffsets.left, Cell.top + v->TextOffsets.top,
                     Cell.right - v->TextOffsets.right, Cell.bottom - v->TextOffsets.bottom};
  const RECT target = GraphicPictureRect(content, graphic->Width(), graphic->Height(), v->Stretch, v->Center);
  TCanvas canvas;
  canvas.SetHandle(DC);
  TScopeExit detach([&] { canvas.SetHandle(nullptr); });
  if (graphic->Transparent()) {
    FillRect(DC, &Cell, v->Brush);
    canvas.StretchDraw(target, graphic);
    return;
  }
  canvas.StretchDraw(target, graphic);
  ExcludeClipRect(DC, target.left, target.top, target.right, target.bottom);
  FillRect(DC, &Cell, v->Brush);
}

}  // namespace

bool TdxGraphicEditMetaClass::DrawContent(HDC DC, const RECT& Rect, bool, TdxEditViewData* ViewData) const {
  auto* v = static_cast<TdxGraphicEditViewData*>(ViewData);
  const bool empty = PictureIsEmpty(v->Picture);
  if (v->MeasureOnly) {
    v->MeasuredHeight = empty || v->Stretch ? 0 : v->Picture->Height();
    return true;
  }
  RECT cell = Rect;
  // A focused stand-alone editor shows a frame, the cell inside it.
  if (!IsInplace() && v->Focused) {
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    FrameRect(DC, &cell, frame);
    InflateRect(&cell, -1, -1);
  }
  if (empty)
    DrawEmptyCell(DC, cell, v);
  else
    DrawPicture(DC, cell, v);
  if (v->ShadowSelection) DitherRect(DC, cell, v->ShadowColor);
  return true;
}

// --- The editor ---

TRENVIK_IMPLEMENT_CLASS(TdxInplaceGraphicEdit)

TRENVIK_MESSAGE_MAP(TdxInplaceGraphicEdit) {
  M.On(WM_GETDLGCODE, &TdxInplaceGraphicEdit::WMGetDlgCode);
  M.On(WM_CONTEXTMENU, &TdxInplaceGraphicEdit::WMContextMenu);
}

TdxInplaceEditClass TdxInplaceGraphicEdit::StaticEditClass() {
  static const TdxEditClassOf<TdxInplaceGraphicEdit, TdxGraphicEditMetaClass> c("TdxInplaceGraphicEdit");
  return &c;
}

TdxInplaceGraphicEdit::TdxInplaceGraphicEdit(TComponent* AOwner, TdxInplaceEditClass Class)
    : TdxInplaceEdit(AOwner, Class),
      ClipboardFormat(CF_PICTURE),
      picture_(std::make_unique<TPicture>()),
      toolBarWindow_(std::make_unique<TdxPopupToolBarWindow>(this)) {
  SetControlStyle(ControlStyle() + TControlStyle{csClickEvents, csSetCaption, csDoubleClicks});
  SetAutoSize(false);
  SetParentColor(false);
  SetBounds(Left(), Top(), 140, 100);
  picture_->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
  toolBar_ = new TdxPopupToolBar(this);
  toolBar_->OnButtonClick = [this](TdxPopupToolBar*, int Index) { DoToolbarClick(Index); };
}

TdxInplaceGraphicEdit::~TdxInplaceGraphicEdit() { picture_->OnChange = nullptr; }

void TdxInplaceGraphicEdit::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsInplace()) Message.Result |= DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void TdxInplaceGraphicEdit::DoCustomClick() {
  if (OnCustomClick) OnCustomClick(this);
}

void TdxInplaceGraphicEdit::DoAssignPicture(TPicture*& Picture) {
  if (OnAssignPicture) OnAssignPicture(this, Picture);
}

TGraphicClass TdxInplaceGraphicEdit::GetGraphicClass() {
  TGraphicClass result = nullptr;
  if (OnGetGraphicClass) OnGetGraphicClass(this, result);
  return result;
}

TPicture* TdxInplaceGraphicEdit::TemporaryPicture() {
  if (!temporaryPicture_) temporaryPicture_ = std::make_unique<TPicture>();
  return temporaryPicture_.get();
}

void TdxInplaceGraphicEdit::ApplyTransparency(TPicture* Picture) {
  if (PictureIsEmpty(Picture)) return;
  TNotifyEvent handler = std::exchange(Picture->OnChange, nullptr);
  TScopeExit reattach([&] { Picture->OnChange = std::move(handler); });
  Picture->Graphic()->SetTransparent(transparency_ == gtTransparent);
}

void TdxInplaceGraphicEdit::SetEditValue(const Variant& Value) {
  const bool wasModified = GetModified();
  TValueScope<bool> internal(internalChange_, true);
  TScopeExit restore([&] { SetModified(wasModified); });
  const bool emptyString = (Value.Type() & varTypeMask) == varString && Value.AsAnsiString().empty();
  if ((CustomGraphic && IsDesigning()) || emptyString)
    picture_->Assign(nullptr);
  else
    LoadPictureFromVariant(picture_.get(), GetGraphicClass(), Value);
}

void TdxInplaceGraphicEdit::GetEditValue(Variant& Value, bool FromDefinition) {
  Value = Variant(Text());
  // A stand-alone editor shows its data definition's value in the temporary picture.
  if (!FromDefinition || !CreateDataDefinition()) return;
  TPicture* picture = TemporaryPicture();
  if (CustomGraphic && IsDesigning()) {
    picture->Assign(nullptr);
    return;
  }
  Variant stored;
  inherited::GetEditValue(stored, true);
  LoadPictureFromVariant(picture, GetGraphicClass(), stored);
  if (picture->Graphic()) picture->Graphic()->SetTransparent(transparency_ == gtTransparent);
}

void TdxInplaceGraphicEdit::GetEditingValue(Variant& Value) {
  TPicture* picture = picture_.get();
  DoAssignPicture(picture);
  TGraphic* graphic = picture ? picture->Graphic() : nullptr;
  Value = graphic ? Variant(graphic) : Variant(0);
}

std::unique_ptr<TdxEditViewData> TdxInplaceGraphicEdit::CreateViewData(bool FromDefinition) {
  auto v = TdxInplaceEdit::CreateViewData(FromDefinition);
  auto* d = static_cast<TdxGraphicEditViewData*>(v.get());
  d->Center = center_;
  d->QuickDraw = QuickDraw;
  d->Stretch = stretch_;
  d->Picture = FromDefinition && temporaryPicture_ ? temporaryPicture_.get() : picture_.get();
  return v;
}

void TdxInplaceGraphicEdit::PictureChanged(TObject*) {
  InvalidateEditor();
  if (transparency_ != gtDefault) ApplyTransparency(picture_.get());
  if (internalChange_ || IsLoading()) return;
  Change();
  SetModified(true);
}

void TdxInplaceGraphicEdit::SetCenter(bool Value) {
  if (center_ == Value) return;
  center_ = Value;
  PictureChanged(picture_.get());
}

void TdxInplaceGraphicEdit::SetStretch(bool Value) {
  if (stretch_ == Value) return;
  stretch_ = Value;
  PictureChanged(picture_.get());
}

void TdxInplaceGraphicEdit::SetGraphicTransparency(TdxGraphicEditTransparency Value) {
  if (transparency_ == Value) return;
  transparency_ = Value;
  TValueScope<bool> internal(internalChange_, true);
  PictureChanged(picture_.get());
}

// --- Commands ---

bool TdxInplaceGraphicEdit::CommandEnabled(TdxPopupToolBarButton Command) {
  const bool empty = PictureIsEmpty(picture_.get());
  const bool editable = IsEditable();
  switch (Command) {
    case ptbCut: return !empty && editable;
    case ptbCopy: return !empty;
    case ptbPaste: return editable && ClipboardHasPicture(ClipboardFormat);
    case ptbDelete: return !empty && editable;
    case ptbLoad: return editable;
    case ptbSave: return !empty;
    case ptbCustom: return true;
  }
  return false;
}

void TdxInplaceGraphicEdit::CopyToClipboard() {
  if (picture_->Graphic()) Clipboard()->Assign(picture_.get());
}

void TdxInplaceGraphicEdit::CutToClipboard() {
  CopyToClipboard();
  if (IsEditable()) ClearPicture();
}

void TdxInplaceGraphicEdit::PasteFromClipboard() {
  if (!IsEditable() || !ClipboardHasPicture(ClipboardFormat) || !CanModify()) return;
  picture_->Assign(Clipboard());
}

void TdxInplaceGraphicEdit::ClearPicture() {
  if (CanModify()) picture_->SetGraphic(nullptr);
}

void TdxInplaceGraphicEdit::LoadFromFile() {
  if (!CanModify()) return;
  TOpenPictureDialog dialog(nullptr);
  if (!CustomFilter.empty()) dialog.SetFilter(CustomFilter);
  if (dialog.Execute()) picture_->LoadFromFile(dialog.FileName());
}

void TdxInplaceGraphicEdit::SaveToFile() {
  TGraphic* graphic = picture_->Graphic();
  if (!graphic) return;
  TSavePictureDialog dialog(Application);
  const TGraphicClass graphicClass = graphic->ClassType();
  dialog.SetFilter(CustomFilter.empty() ? GraphicFilter(graphicClass) : CustomFilter);
  dialog.SetDefaultExt(GraphicExtension(graphicClass));
  if (dialog.Execute()) picture_->SaveToFile(dialog.FileName());
}

void TdxInplaceGraphicEdit::DoToolbarClick(int Index) {
  switch (Index) {
    case ptbCut: CutToClipboard(); break;
    case ptbCopy: CopyToClipboard(); break;
    case ptbPaste: PasteFromClipboard(); break;
    case ptbDelete: ClearPicture(); break;
    case ptbLoad: LoadFromFile(); break;
    case ptbSave: SaveToFile(); break;
    case ptbCustom: DoCustomClick(); break;
    default: break;
  }
  if (!toolBar_) return;
  PrepareToolbar();
  toolBar_->UpdateLayout();
}

void TdxInplaceGraphicEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (IsInplace() && (Key == VK_LEFT || Key == VK_RIGHT) && Shift.Empty()) {
    MoveToAdjacentColumn(Key == VK_LEFT);
    Key = 0;
    return;
  }
  TdxInplaceEdit::KeyDown(Key, Shift);
  const bool shift = Shift == TShiftState{ssShift}, ctrl = Shift == TShiftState{ssCtrl};
  if (Key == VK_INSERT && shift) PasteFromClipboard();
  if (Key == VK_INSERT && ctrl) CopyToClipboard();
  if (Key == VK_DELETE && shift) CutToClipboard();
}

void TdxInplaceGraphicEdit::KeyPress(Char& Key) {
  TdxInplaceEdit::KeyPress(Key);
  switch (Key) {
    case 3: CopyToClipboard(); break;
    case 22: PasteFromClipboard(); break;
    case 24: CutToClipboard(); break;
    default: break;
  }
}
