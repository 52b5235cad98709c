// The in-memory record store behind every dataset: one column per field definition, rows numbered
// by a stable id. Scalars are kept inline (8 bytes a cell, plus a null flag); text of a column lives
// in one pool, so a million rows cost a few allocations, not millions.
//
// Row ids are never reused while the store lives: a deleted row keeps its id (and is skipped), so
// bookmarks (which are row ids) stay unambiguous.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data/DBTypes.h"
#include "platform/rtl/Variant.h"

using TRecordId = std::uint32_t;
inline constexpr TRecordId kNoRecord = 0xFFFFFFFFu;

// How a column keeps its cells.
enum class TStoreKind : std::uint8_t {
  Integer,   // Int64: the integer kinds, auto-increment, boolean (0/1)
  Float,     // double: float, FMT BCD, currency field (a float with currency display)
  Currency,  // Int64 scaled by 10000: BCD
  DateTime,  // double: date, time, date-time, time stamp
  Text,      // UTF-16 in the column's pool: strings, wide strings, GUIDs, memos, fixed chars
  Bytes,     // raw bytes: blobs, graphics, byte strings
};
TStoreKind StoreKindOf(TFieldType Type);

// Counts a store's writes. It never goes back, not even when one store is replaced by another, so
// a reader that remembers a count can tell that the rows it saw may have changed.
class TStoreGeneration {
 public:
  TStoreGeneration() = default;
  TStoreGeneration(TStoreGeneration&& Other) noexcept : value_(Other.value_) {}
  TStoreGeneration& operator=(TStoreGeneration&& Other) noexcept {
    value_ = std::max(value_, Other.value_) + 1;
    return *this;
  }
  void Bump() { ++value_; }
  std::uint64_t Value() const { return value_; }

 private:
  std::uint64_t value_ = 0;
};

class TRecordStore {
 public:
  TRecordStore() = default;
  TRecordStore(const TRecordStore&) = delete;
  TRecordStore& operator=(const TRecordStore&) = delete;
  TRecordStore(TRecordStore&&) = default;
  TRecordStore& operator=(TRecordStore&&) = default;

  // Drops every row and sets the columns.
  void Reset(const std::vector<TFieldType>& ColumnTypes);
  // Drops every row, keeps the columns. Ids start again at 0.
  void Clear();
  void Reserve(std::size_t Rows);

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  TFieldType ColumnType(int Col) const { return columns_[Col].type; }
  TStoreKind ColumnKind(int Col) const { return columns_[Col].kind; }
  // Ids handed out so far (deleted rows included).
  TRecordId IdCount() const { return static_cast<TRecordId>(deleted_.size()); }
  // Rows not deleted.
  std::size_t LiveCount() const { return live_; }
  // Grows with every write: rows added, deleted or cleared, any cell set.
  std::uint64_t Generation() const { return generation_.Value(); }

  // A new row with every cell null.
  TRecordId AppendRow();
  void DeleteRow(TRecordId Row);
  bool IsDeleted(TRecordId Row) const { return deleted_[Row] != 0; }
  bool IsValid(TRecordId Row) const { return Row < IdCount() && !IsDeleted(Row); }

  // Typed cells. The getters of a null cell give 0 / "".
  bool IsNull(TRecordId Row, int Col) const { return columns_[Col].nulls[Row] != 0; }
  void SetNull(TRecordId Row, int Col);
  // Integer, Currency (scaled) columns.
  Int64 GetInt(TRecordId Row, int Col) const { return static_cast<Int64>(columns_[Col].slots[Row]); }
  void SetInt(TRecordId Row, int Col, Int64 Value);
  // Float, DateTime columns.
  double GetFloat(TRecordId Row, int Col) const;
  void SetFloat(TRecordId Row, int Col, double Value);
  // Text columns; the view is valid until the column is written again.
  std::u16string_view GetText(TRecordId Row, int Col) const;
  void SetText(TRecordId Row, int Col, std::u16string_view Value);
  // Bytes columns.
  std::string_view GetBytes(TRecordId Row, int Col) const;
  void SetBytes(TRecordId Row, int Col, std::string_view Value);

  // The cell as the Variant kind of its field type (Smallint, Integer, Word, Int64, Boolean,
  // Double, Currency, Date, String or 8-bit bytes); Null for a null cell.
  Variant GetValue(TRecordId Row, int Col) const;
  // Converts to the column's kind; Null and Empty make the cell null. Conversion failures raise
  // the Variant's EVariantError.
  void SetValue(TRecordId Row, int Col, const Variant& Value);
  // Copies a cell of another store (of the same kind, else through a Variant).
  void CopyCell(const TRecordStore& Source, TRecordId SourceRow, int SourceCol, TRecordId Row, int Col);

 private:
  struct Column {
    TFieldType type = ftUnknown;
    TStoreKind kind = TStoreKind::Integer;
    std::vector<std::uint64_t> slots;    // Int64 / double bits / text pool offset / bytes index
    std::vector<std::uint32_t> lengths;  // text length
    std::vector<std::uint8_t> nulls;
    std::u16string pool;
    std::vector<std::string> bytes;
  };
  std::vector<Column> columns_;
  std::vector<std::uint8_t> deleted_;
  std::size_t live_ = 0;
  TStoreGeneration generation_;
};

// A record's values while it is inserted or edited: one per store column, converted to the
// column's kind, and which of them were assigned since the edit began.
struct TRecordValues {
  std::vector<Variant> Values;
  std::vector<bool> Assigned;
  // The row being edited; kNoRecord for an insert.
  TRecordId Row = kNoRecord;
};
