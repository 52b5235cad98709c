// TDBLookupListBox: the rows of the list dataset's window, the chosen one by its key.
#include <algorithm>

#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/dbctrls/DBLookup.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

// Null and Empty both mean that no row is chosen.
bool NoKey(const Variant& v) { return VarIsNull(v) || VarIsEmpty(v); }

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TListSourceLink)
TRENVIK_IMPLEMENT_CLASS(TDBLookupListBox)

void TListSourceLink::ActiveChanged() { list_->ListChanged(); }
void TListSourceLink::DataSetChanged() { list_->ListChanged(); }
void TListSourceLink::LayoutChanged() { list_->ListChanged(); }

TDBLookupListBox::TDBLookupListBox(TComponent* AOwner)
    : TCustomControl(AOwner), listLink_(std::make_unique<TListSourceLink>(this)) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csDoubleClicks});
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  listLink_->SetVisualControl(true);
  listLink_->SetBufferCount(rowCount_);
  SetBounds(Left(), Top(), 121, 97);
}

TDBLookupListBox::~TDBLookupListBox() { listLink_->SetDataSource(nullptr); }

void TDBLookupListBox::SetListSource(TDataSource* Value) {
  listLink_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  ListChanged();
}

void TDBLookupListBox::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && listLink_ && AComponent == listLink_->DataSource()) SetListSource(nullptr);
}

void TDBLookupListBox::SetKeyField(const String& Value) {
  keyField_ = Value;
  ListChanged();
}

void TDBLookupListBox::SetListField(const String& Value) {
  listField_ = Value;
  ListChanged();
}

bool TDBLookupListBox::ListActive() const { return listLink_->Active() && KeyFieldOf() && ListFieldOf(); }

TField* TDBLookupListBox::KeyFieldOf() const {
  TDataSet* ds = listLink_->Active() ? listLink_->DataSet() : nullptr;
  return ds && !keyField_.empty() ? ds->FindField(keyField_) : nullptr;
}

// The list field, or the key field when none is named.
TField* TDBLookupListBox::ListFieldOf() const {
  TDataSet* ds = listLink_->Active() ? listLink_->DataSet() : nullptr;
  if (!ds) return nullptr;
  return listField_.empty() ? KeyFieldOf() : ds->FindField(listField_);
}

int TDBLookupListBox::ItemHeight() {
  Canvas()->Font()->Assign(Font());
  return Canvas()->TextHeight(u"Wg") + 2;
}

int TDBLookupListBox::GetBorderSize() {
  if (!HandleAllocated()) return 0;
  RECT window, client;
  GetWindowRect(WindowHandle(), &window);
  GetClientRect(WindowHandle(), &client);
  return (window.bottom - window.top) - (client.bottom - client.top);
}

void TDBLookupListBox::SetRowCount(int Value) {
  rowCount_ = std::max(Value, 1);
  listLink_->SetBufferCount(rowCount_);
  UpdateHeight();
}

void TDBLookupListBox::UpdateHeight() { SetHeight(rowCount_ * ItemHeight() + GetBorderSize()); }

// The list dataset is positioned on the key when it is set from outside.
void TDBLookupListBox::SetKeyValue(const Variant& Value) {
  keyValue_ = Value;
  if (ListActive() && !NoKey(Value)) {
    listLink_->DataSet()->Locate(keyField_, Value, TLocateOptions{});
  }
  ListChanged();
}

void TDBLookupListBox::ListChanged() {
  selectedText_.clear();
  if (TField* key = KeyFieldOf(); key && !NoKey(keyValue_)) {
    int active = listLink_->ActiveRecord();
    for (int r = 0; r < listLink_->RecordCount(); ++r) {
      listLink_->SetActiveRecord(r);
      if (key->Value() == keyValue_) selectedText_ = ListFieldOf()->DisplayText();
    }
    listLink_->SetActiveRecord(active);
  }
  Invalidate();
}

void TDBLookupListBox::SelectRow(int Row) {
  if (!ListActive() || Row < 0 || Row >= listLink_->RecordCount()) return;
  TDataSet* ds = listLink_->DataSet();
  ds->MoveBy(Row - listLink_->ActiveRecord());
  Variant key = KeyFieldOf()->Value();
  if (key == keyValue_ && !NoKey(keyValue_)) return;
  keyValue_ = key;
  ListChanged();
  if (OnKeyValueChange) OnKeyValueChange(this);
}

void TDBLookupListBox::Paint() {
  TCanvas* canvas = Canvas();
  RECT client = ClientRect();
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(client);
  if (!ListActive()) return;
  TField* key = KeyFieldOf();
  TField* list = ListFieldOf();
  int h = ItemHeight();
  int active = listLink_->ActiveRecord();
  for (int r = 0; r < listLink_->RecordCount() && r * h < client.bottom; ++r) {
    listLink_->SetActiveRecord(r);
    bool chosen = !NoKey(keyValue_) && key->Value() == keyValue_;
    RECT row{0, r * h, client.right, (r + 1) * h};
    canvas->Brush()->SetColor(chosen ? clHighlight : Color());
    canvas->Font()->SetColor(chosen ? clHighlightText : Font()->Color());
    canvas->FillRect(row);
    canvas->TextRect(row, row.left + 2, row.top + 1, list->DisplayText());
    if (chosen && Focused()) canvas->DrawFocusRect(row);
  }
  listLink_->SetActiveRecord(active);
}

void TDBLookupListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    // A pop-up list leaves the focus with the editor that dropped it down.
    bool popup = (GetWindowLong(Handle(), GWL_STYLE) & WS_POPUP) != 0;
    if (!popup && CanFocus() && !Focused()) SetFocus();
    SelectRow(Y / ItemHeight());
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TDBLookupListBox::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (!ListActive()) return;
  TDataSet* ds = listLink_->DataSet();
  int delta = 0;
  switch (Key) {
    case VK_UP:
      delta = -1;
      break;
    case VK_DOWN:
      delta = 1;
      break;
    case VK_PRIOR:
      delta = -rowCount_;
      break;
    case VK_NEXT:
      delta = rowCount_;
      break;
    case VK_HOME:
      ds->First();
      SelectRow(listLink_->ActiveRecord());
      Key = 0;
      return;
    case VK_END:
      ds->Last();
      SelectRow(listLink_->ActiveRecord());
      Key = 0;
      return;
    default:
      return;
  }
  // Without a chosen row the first key chooses the current one.
  if (NoKey(keyValue_)) delta = 0;
  ds->MoveBy(delta);
  SelectRow(listLink_->ActiveRecord());
  Key = 0;
}
