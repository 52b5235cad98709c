// TDataSet: bookmarks. A bookmark is the record's row id as four big-endian bytes, so that
// comparing bookmark strings orders them by the records' places in the fetched result.
#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"

namespace {
TBookmark Encode(TRecordId row) {
  TBookmark b(4, '\0');
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((row >> (24 - 8 * i)) & 0xFF);
  return b;
}

TRecordId Decode(const TBookmark& b) {
  if (b.size() != 4) return kNoRecord;
  TRecordId row = 0;
  for (int i = 0; i < 4; ++i) row = (row << 8) | static_cast<unsigned char>(b[i]);
  return row;
}
}  // namespace

bool TDataSet::BookmarkAvailable() const {
  return Active() && state_ != dsInsert && CurrentRow() != kNoRecord;
}

TBookmark TDataSet::GetBookmark() const {
  if (!BookmarkAvailable()) return TBookmark();
  return Encode(CurrentRow());
}

bool TDataSet::BookmarkValid(const TBookmark& Bookmark) const {
  if (!Active()) return false;
  TRecordId row = Decode(Bookmark);
  return row != kNoRecord && store_.IsValid(row) && PositionOfRow(row) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
  CheckBrowseMode();
  TRecordId row = Decode(Bookmark);
  if (row == kNoRecord || !store_.IsValid(row)) DatabaseError(S(DBConsts::SRecordNotFound), this);
  Int64 pos = PositionOfRow(row);
  if (pos < 0) DatabaseError(S(DBConsts::SRecordNotFound), this);
  GotoPosition(pos);
}

int TDataSet::CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const {
  if (Bookmark1.empty() || Bookmark2.empty()) {
    if (Bookmark1.empty() && Bookmark2.empty()) return 0;
    return Bookmark1.empty() ? -1 : 1;
  }
  TRecordId a = Decode(Bookmark1), b = Decode(Bookmark2);
  if (a == b) return 0;
  Int64 pa = a != kNoRecord && store_.IsValid(a) ? PositionOfRow(a) : -1;
  Int64 pb = b != kNoRecord && store_.IsValid(b) ? PositionOfRow(b) : -1;
  if (pa >= 0 && pb >= 0) return pa < pb ? -1 : 1;
  return a < b ? -1 : 1;
}
