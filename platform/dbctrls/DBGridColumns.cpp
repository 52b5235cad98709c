// The grid's columns: bound to fields by name, titled by the field's label unless given one,
// built from the visible fields while nobody has customized them.
#include "platform/classes/Published.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/dbctrls/DBGrids.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TDBGridColumns)

TRENVIK_PUBLISHED(TColumnTitle) {
  P.Property("Caption", &TColumnTitle::OwnCaption, &TColumnTitle::SetCaption)
      .Stored(&TColumnTitle::IsCaptionStored);
}

TRENVIK_PUBLISHED(TColumn) {
  P.Property("ButtonStyle", &TColumn::ButtonStyle, &TColumn::SetButtonStyle).Default(cbsAuto);
  P.Property("FieldName", &TColumn::FieldName, &TColumn::SetFieldName);
  P.Property("ReadOnly", &TColumn::ReadOnly, &TColumn::SetReadOnly).Default(false);
  P.Property("Visible", &TColumn::Visible, &TColumn::SetVisible).Default(true);
  P.Property("Width", &TColumn::Width, &TColumn::SetWidth);
  P.Property("Title", &TColumn::Title, &TColumn::SetTitle);
}

String TColumnTitle::Caption() const {
  if (!caption_.empty() || !column_) return caption_;
  if (TField* f = column_->Field()) return f->DisplayLabel();
  return column_->FieldName();
}

void TColumnTitle::SetCaption(const String& Value) {
  caption_ = Value;
  if (column_) column_->TitleChanged();
}

void TColumnTitle::Assign(TPersistent* Source) {
  auto* t = dynamic_cast<TColumnTitle*>(Source);
  if (!t) return TPersistent::Assign(Source);
  SetCaption(t->caption_);
}

TColumn::TColumn(TCollection* Collection)
    : TCollectionItem(Collection), title_(std::make_unique<TColumnTitle>(this)) {}

TColumn::~TColumn() = default;

TCustomDBGrid* TColumn::Grid() const {
  auto* columns = dynamic_cast<TDBGridColumns*>(Collection());
  return columns ? columns->Grid() : nullptr;
}

void TColumn::SetFieldName(const String& Value) {
  fieldName_ = Value;
  Changed(false);
}

TField* TColumn::Field() const {
  TCustomDBGrid* grid = Grid();
  TDataSet* ds = grid && grid->DataLink()->Active() ? grid->DataLink()->DataSet() : nullptr;
  return ds && !fieldName_.empty() ? ds->FindField(fieldName_) : nullptr;
}

// The field's display width in average characters of the grid's font, with a margin.
int TColumn::Width() const {
  if (width_ >= 0) return width_;
  TCustomDBGrid* grid = Grid();
  TField* f = Field();
  if (!grid || !f) return 64;
  TCanvas* canvas = grid->Canvas();
  canvas->Font()->Assign(grid->Font());
  int chars = std::max(f->DisplayWidth(), static_cast<int>(Title()->Caption().size()));
  return chars * canvas->TextWidth(u"0") + 4;
}

void TColumn::SetWidth(int Value) {
  width_ = Value;
  Changed(false);
}

void TColumn::SetVisible(bool Value) {
  visible_ = Value;
  Changed(true);
}

void TColumn::Assign(TPersistent* Source) {
  auto* c = dynamic_cast<TColumn*>(Source);
  if (!c) return TCollectionItem::Assign(Source);
  fieldName_ = c->fieldName_;
  title_->SetCaption(c->title_->OwnCaption());
  width_ = c->width_;
  buttonStyle_ = c->buttonStyle_;
  readOnly_ = c->readOnly_;
  visible_ = c->visible_;
  Changed(true);
}

TDBGridColumns::TDBGridColumns(TCustomDBGrid* Grid) : TCollection(TColumn::StaticClass()), grid_(Grid) {}

TColumn* TDBGridColumns::Add() {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  return static_cast<TColumn*>(TCollection::Add());
}

TPersistent* TDBGridColumns::GetOwner() { return grid_; }

void TDBGridColumns::SetState(TDBGridColumnsState Value) {
  state_ = Value;
  if (Value == csDefault) RebuildColumns();
}

// Columns added in code are the user's: the grid stops following the fields.
void TDBGridColumns::Update(TCollectionItem* Item) {
  if (!rebuilding_ && !Item) state_ = csCustomized;
  if (grid_ && !rebuilding_) grid_->LayoutChanged();
}

void TDBGridColumns::RebuildColumns() {
  if (state_ != csDefault || !grid_) return;
  TValueScope<bool> rebuilding(rebuilding_, true);
  BeginUpdate();
  Clear();
  TDataSet* ds = grid_->DataLink()->Active() ? grid_->DataLink()->DataSet() : nullptr;
  if (ds)
    for (int i = 0; i < ds->FieldCount(); ++i) {
      TField* f = ds->Fields()->Fields(i);
      if (!f->Visible()) continue;
      Add()->SetFieldName(f->FieldName());
    }
  EndUpdate();
}
