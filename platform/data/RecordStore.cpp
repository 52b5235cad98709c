#include "platform/data/RecordStore.h"

#include <bit>

TStoreKind StoreKindOf(TFieldType Type) {
  switch (Type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftBoolean:
    case ftAutoInc:
    case ftLargeint:
      return TStoreKind::Integer;
    case ftFloat:
    case ftCurrency:
    case ftFMTBcd:
      return TStoreKind::Float;
    case ftBCD:
      return TStoreKind::Currency;
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
      return TStoreKind::DateTime;
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
    case ftGraphic:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftOraBlob:
      return TStoreKind::Bytes;
    default:
      return TStoreKind::Text;
  }
}

void TRecordStore::Reset(const std::vector<TFieldType>& ColumnTypes) {
  generation_.Bump();
  columns_.clear();
  columns_.resize(ColumnTypes.size());
  for (std::size_t i = 0; i < ColumnTypes.size(); ++i) {
    columns_[i].type = ColumnTypes[i];
    columns_[i].kind = StoreKindOf(ColumnTypes[i]);
  }
  deleted_.clear();
  live_ = 0;
}

void TRecordStore::Clear() {
  generation_.Bump();
  for (Column& c : columns_) {
    c.slots.clear();
    c.lengths.clear();
    c.nulls.clear();
    c.pool.clear();
    c.bytes.clear();
  }
  deleted_.clear();
  live_ = 0;
}

void TRecordStore::Reserve(std::size_t Rows) {
  for (Column& c : columns_) {
    c.slots.reserve(Rows);
    c.nulls.reserve(Rows);
    if (c.kind == TStoreKind::Text) c.lengths.reserve(Rows);
  }
  deleted_.reserve(Rows);
}

TRecordId TRecordStore::AppendRow() {
  generation_.Bump();
  for (Column& c : columns_) {
    c.slots.push_back(0);
    c.nulls.push_back(1);
    if (c.kind == TStoreKind::Text) c.lengths.push_back(0);
  }
  deleted_.push_back(0);
  ++live_;
  return static_cast<TRecordId>(deleted_.size() - 1);
}

void TRecordStore::DeleteRow(TRecordId Row) {
  if (Row >= IdCount() || deleted_[Row]) return;
  generation_.Bump();
  deleted_[Row] = 1;
  --live_;
  for (Column& c : columns_)
    if (c.kind == TStoreKind::Bytes && !c.nulls[Row]) c.bytes[c.slots[Row]].clear();
}

void TRecordStore::SetNull(TRecordId Row, int Col) {
  generation_.Bump();
  Column& c = columns_[Col];
  c.nulls[Row] = 1;
  if (c.kind == TStoreKind::Text) c.lengths[Row] = 0;
}

void TRecordStore::SetInt(TRecordId Row, int Col, Int64 Value) {
  generation_.Bump();
  Column& c = columns_[Col];
  c.slots[Row] = static_cast<std::uint64_t>(Value);
  c.nulls[Row] = 0;
}

double TRecordStore::GetFloat(TRecordId Row, int Col) const {
  return std::bit_cast<double>(columns_[Col].slots[Row]);
}

void TRecordStore::SetFloat(TRecordId Row, int Col, double Value) {
  generation_.Bump();
  Column& c = columns_[Col];
  c.slots[Row] = std::bit_cast<std::uint64_t>(Value);
  c.nulls[Row] = 0;
}

std::u16string_view TRecordStore::GetText(TRecordId Row, int Col) const {
  const Column& c = columns_[Col];
  if (c.nulls[Row]) return {};
  return std::u16string_view(c.pool.data() + c.slots[Row], c.lengths[Row]);
}

void TRecordStore::SetText(TRecordId Row, int Col, std::u16string_view Value) {
  generation_.Bump();
  Column& c = columns_[Col];
  // A value that fits where the old one was is written in place; otherwise it goes to the end of
  // the pool (the old text stays as garbage until the store is cleared).
  if (!c.nulls[Row] && Value.size() <= c.lengths[Row]) {
    std::copy(Value.begin(), Value.end(), c.pool.begin() + static_cast<std::ptrdiff_t>(c.slots[Row]));
  } else {
    c.slots[Row] = c.pool.size();
    c.pool.append(Value);
  }
  c.lengths[Row] = static_cast<std::uint32_t>(Value.size());
  c.nulls[Row] = 0;
}

std::string_view TRecordStore::GetBytes(TRecordId Row, int Col) const {
  const Column& c = columns_[Col];
  if (c.nulls[Row]) return {};
  return c.bytes[c.slots[Row]];
}

void TRecordStore::SetBytes(TRecordId Row, int Col, std::string_view Value) {
  generation_.Bump();
  Column& c = columns_[Col];
  if (c.nulls[Row]) {
    c.slots[Row] = c.bytes.size();
    c.bytes.emplace_back(Value);
  } else {
    c.bytes[c.slots[Row]].assign(Value);
  }
  c.nulls[Row] = 0;
}

Variant TRecordStore::GetValue(TRecordId Row, int Col) const {
  const Column& c = columns_[Col];
  if (c.nulls[Row]) return Null();
  switch (c.kind) {
    case TStoreKind::Integer: {
      Int64 v = GetInt(Row, Col);
      switch (c.type) {
        case ftSmallint:
          return Variant(static_cast<SmallInt>(v));
        case ftWord:
          return Variant(static_cast<Word>(v));
        case ftBoolean:
          return Variant(v != 0);
        case ftLargeint:
          return Variant(v);
        default:
          return Variant(static_cast<Integer>(v));
      }
    }
    case TStoreKind::Float:
      return Variant(GetFloat(Row, Col));
    case TStoreKind::Currency:
      return Variant(Currency::FromScaled(GetInt(Row, Col)));
    case TStoreKind::DateTime:
      return VarFromDateTime(GetFloat(Row, Col));
    case TStoreKind::Text:
      return Variant(String(GetText(Row, Col)));
    case TStoreKind::Bytes:
      return VarFromAnsiString(AnsiString(GetBytes(Row, Col)));
  }
  return Null();
}

void TRecordStore::SetValue(TRecordId Row, int Col, const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value)) {
    SetNull(Row, Col);
    return;
  }
  const Column& c = columns_[Col];
  switch (c.kind) {
    case TStoreKind::Integer:
      SetInt(Row, Col, c.type == ftBoolean ? (Value.AsBoolean() ? 1 : 0) : Value.AsInt64());
      break;
    case TStoreKind::Float:
      SetFloat(Row, Col, Value.AsDouble());
      break;
    case TStoreKind::Currency:
      SetInt(Row, Col, Value.AsCurrency().Scaled());
      break;
    case TStoreKind::DateTime:
      SetFloat(Row, Col, Value.AsDateTime());
      break;
    case TStoreKind::Text:
      SetText(Row, Col, Value.AsString());
      break;
    case TStoreKind::Bytes:
      SetBytes(Row, Col, Value.AsAnsiString());
      break;
  }
}

void TRecordStore::CopyCell(const TRecordStore& Source, TRecordId SourceRow, int SourceCol, TRecordId Row,
                            int Col) {
  if (Source.IsNull(SourceRow, SourceCol)) {
    SetNull(Row, Col);
    return;
  }
  TStoreKind kind = ColumnKind(Col);
  if (kind != Source.ColumnKind(SourceCol) ||
      (ColumnType(Col) == ftBoolean) != (Source.ColumnType(SourceCol) == ftBoolean)) {
    SetValue(Row, Col, Source.GetValue(SourceRow, SourceCol));
    return;
  }
  switch (kind) {
    case TStoreKind::Integer:
    case TStoreKind::Currency:
      SetInt(Row, Col, Source.GetInt(SourceRow, SourceCol));
      break;
    case TStoreKind::Float:
    case TStoreKind::DateTime:
      SetFloat(Row, Col, Source.GetFloat(SourceRow, SourceCol));
      break;
    case TStoreKind::Text:
      SetText(Row, Col, Source.GetText(SourceRow, SourceCol));
      break;
    case TStoreKind::Bytes:
      SetBytes(Row, Col, Source.GetBytes(SourceRow, SourceCol));
      break;
  }
}
