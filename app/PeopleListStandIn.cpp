#include "app/PeopleListStandIn.h"

#include <algorithm>

#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/Colors.h"
#include "platform/win/Windows.h"

namespace {

class TPeopleListLink : public TDataLink {
 public:
  explicit TPeopleListLink(TPeopleListStandIn* List) : list_(List) {}

 protected:
  void ActiveChanged() override { list_->DataChanged(); }
  void DataSetChanged() override { list_->DataChanged(); }
  void LayoutChanged() override { list_->DataChanged(); }
  void RecordChanged(TField*) override { list_->DataChanged(); }

 private:
  TPeopleListStandIn* list_;
};

const char16_t* const kColumns[] = {u"FSTNAME", u"SECNAME", u"LASTNAME", u"BIRTHDATE"};
const int kWidths[] = {160, 140, 160, 100};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TPeopleListStandIn)

TPeopleListStandIn::TPeopleListStandIn(TComponent* AOwner) : TCustomControl(AOwner) {
  link_ = std::make_unique<TPeopleListLink>(this);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 400, 300);
  link_->SetBufferCount(VisibleRows());
}

TPeopleListStandIn::~TPeopleListStandIn() { link_.reset(); }

TDataSource* TPeopleListStandIn::DataSource() const { return link_->DataSource(); }
void TPeopleListStandIn::SetDataSource(TDataSource* Value) { link_->SetDataSource(Value); }

int TPeopleListStandIn::RowCount() const { return link_->Active() ? link_->RecordCount() : 0; }

int TPeopleListStandIn::CurrentRow() const { return link_->Active() ? link_->ActiveRecord() : -1; }

void TPeopleListStandIn::DataChanged() { Invalidate(); }

String TPeopleListStandIn::CellText(int Row, int Column) const {
  if (Row < 0 || Row >= RowCount() || Column < 0 || Column > 3) return {};
  TField* field = link_->DataSet()->FindField(kColumns[Column]);
  if (!field) return {};
  const int saved = link_->ActiveRecord();
  link_->SetActiveRecord(Row);
  String text = field->DisplayText();
  link_->SetActiveRecord(saved);
  return text;
}

int TPeopleListStandIn::VisibleRows() { return std::max(1, ClientHeight() / RowHeight() - 1); }

void TPeopleListStandIn::Resize() {
  link_->SetBufferCount(VisibleRows());
  TCustomControl::Resize();
}

void TPeopleListStandIn::Paint() {
  TCanvas* c = Canvas();
  RECT client = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  // Header with the fields' labels.
  TDataSet* ds = link_->DataSet();
  RECT header{0, 0, client.right, RowHeight()};
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(header);
  int x = 0;
  for (int col = 0; col < 4; ++col) {
    TField* field = ds ? ds->FindField(kColumns[col]) : nullptr;
    RECT cell{x, 0, x + kWidths[col], RowHeight()};
    c->TextRect(cell, x + 3, 2, field ? field->DisplayLabel() : String(kColumns[col]));
    x += kWidths[col];
  }
  const int current = CurrentRow();
  for (int row = 0; row < RowCount(); ++row) {
    const int y = (row + 1) * RowHeight();
    const bool focused = row == current;
    c->Brush()->SetColor(focused ? clHighlight : Color());
    c->Font()->SetColor(focused ? clHighlightText : clWindowText);
    x = 0;
    for (int col = 0; col < 4; ++col) {
      RECT cell{x, y, x + kWidths[col], y + RowHeight()};
      c->TextRect(cell, x + 3, y + 2, CellText(row, col));
      x += kWidths[col];
    }
  }
  c->Font()->SetColor(clWindowText);
}

bool TPeopleListStandIn::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (link_->Active()) link_->DataSet()->MoveBy(-WheelDelta / 120 * 3);
  return true;
}

void TPeopleListStandIn::KeyDown(WORD& Key, TShiftState Shift) {
  if (link_->Active()) {
    TDataSet* ds = link_->DataSet();
    switch (Key) {
      case VK_DOWN:
        ds->Next();
        Key = 0;
        return;
      case VK_UP:
        ds->Prior();
        Key = 0;
        return;
      case VK_NEXT:
        ds->MoveBy(VisibleRows());
        Key = 0;
        return;
      case VK_PRIOR:
        ds->MoveBy(-VisibleRows());
        Key = 0;
        return;
      default:
        break;
    }
  }
  TCustomControl::KeyDown(Key, Shift);
}
