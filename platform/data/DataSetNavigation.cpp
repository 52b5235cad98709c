// TDataSet: the buffer window and navigation.
#include <algorithm>

#include "platform/data/DBConsts.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"

TDataSet::TBuffer TDataSet::MakeBuffer(TRecordId Row, Int64 Pos) {
  TBuffer buffer;
  buffer.Row = Row;
  buffer.Pos = Pos;
  if (calcSlots_ > 0) {
    if (Row == kNoRecord)
      buffer.Calc.assign(calcSlots_, Null());
    else
      GetCalcFields(buffer.Calc, Row, nullptr);
  }
  return buffer;
}

void TDataSet::ClearBuffers() {
  buffers_.clear();
  activeRecord_ = 0;
}

Int64 TDataSet::CurrentPos() const {
  if (activeRecord_ < 0 || activeRecord_ >= static_cast<int>(buffers_.size())) return -1;
  return buffers_[activeRecord_].Pos;
}

TRecordId TDataSet::CurrentRow() const {
  if (!Active() || activeRecord_ < 0 || activeRecord_ >= static_cast<int>(buffers_.size())) return kNoRecord;
  return buffers_[activeRecord_].Row;
}

bool TDataSet::GetNextRecord() {
  if (buffers_.empty()) return false;
  const TBuffer& last = buffers_.back();
  // The record being inserted stands before the record at its position.
  Int64 next = last.Row == kNoRecord ? last.Pos : last.Pos + 1;
  if (next >= ViewSize()) return false;
  TBuffer buffer = MakeBuffer(View()[next], next);
  if (static_cast<int>(buffers_.size()) >= bufferCount_) buffers_.erase(buffers_.begin());
  buffers_.push_back(std::move(buffer));
  return true;
}

bool TDataSet::GetPriorRecord() {
  if (buffers_.empty()) return false;
  Int64 prior = buffers_.front().Pos - 1;
  if (prior < 0 || prior >= ViewSize()) return false;
  TBuffer buffer = MakeBuffer(View()[prior], prior);
  if (static_cast<int>(buffers_.size()) >= bufferCount_) buffers_.pop_back();
  buffers_.insert(buffers_.begin(), std::move(buffer));
  return true;
}

void TDataSet::GetNextRecords() {
  while (static_cast<int>(buffers_.size()) < bufferCount_ && GetNextRecord()) {
  }
}

void TDataSet::GetPriorRecords() {
  while (static_cast<int>(buffers_.size()) < bufferCount_ && GetPriorRecord()) ++activeRecord_;
}

void TDataSet::FillWindowAt(Int64 Pos, int Before) {
  ClearBuffers();
  Int64 size = ViewSize();
  if (size == 0) {
    bof_ = eof_ = true;
    return;
  }
  Pos = std::clamp<Int64>(Pos, 0, size - 1);
  buffers_.push_back(MakeBuffer(View()[Pos], Pos));
  while (Before > 0 && static_cast<int>(buffers_.size()) < bufferCount_ && GetPriorRecord()) {
    ++activeRecord_;
    --Before;
  }
  GetNextRecords();
  GetPriorRecords();
  bof_ = eof_ = false;
}

void TDataSet::ResyncAt(Int64 Pos, int Before) {
  FillWindowAt(Pos, Before);
  DataEvent(deDataSetChange, 0);
}

void TDataSet::Resync(TResyncMode Mode) {
  CheckActive();
  Int64 pos = CurrentPos();
  TRecordId row = CurrentRow();
  if (row != kNoRecord && store_.IsValid(row)) {
    Int64 p = PositionOfRow(row);
    if (p >= 0) pos = p;
  }
  if (pos < 0) pos = 0;
  // Calculated and lookup values live outside the store and are read again here: a program
  // resyncs to show them changed.
  if (calcSlots_ > 0) ++generation_;
  ResyncAt(pos, Mode.Contains(rmCenter) ? (bufferCount_ - 1) / 2 : activeRecord_);
}

void TDataSet::SetBufferCount(int Value) {
  if (Value < 1) Value = 1;
  if (Value == bufferCount_) return;
  int shift = 0;
  if (static_cast<int>(buffers_.size()) > Value) {
    // Keep the active record inside the smaller window.
    int drop = std::max(0, activeRecord_ - Value + 1);
    buffers_.erase(buffers_.begin(), buffers_.begin() + drop);
    activeRecord_ -= drop;
    shift = -drop;
    if (static_cast<int>(buffers_.size()) > Value) buffers_.resize(Value);
  }
  bufferCount_ = Value;
  if (Active() && !buffers_.empty()) {
    GetNextRecords();
    int before = activeRecord_;
    GetPriorRecords();
    shift += activeRecord_ - before;
  }
  if (shift != 0)
    for (TDataSource* src : dataSources_)
      for (TDataLink* link : src->links_) link->firstRecord_ = std::max(0, link->firstRecord_ + shift);
}

int TDataSet::RecordCount() const { return Active() ? static_cast<int>(ViewSize()) : 0; }

int TDataSet::RecNo() const {
  if (!Active() || state_ == dsInsert) return -1;
  Int64 pos = CurrentPos();
  return pos < 0 ? -1 : static_cast<int>(pos + 1);
}

void TDataSet::SetRecNo(int Value) {
  CheckBrowseMode();
  if (Value < 1 || Value > RecordCount() || Value == RecNo()) return;
  GotoPosition(Value - 1);
}

void TDataSet::GotoPosition(Int64 Position) {
  DoBeforeScroll();
  ResyncAt(Position, (bufferCount_ - 1) / 2);
  DoAfterScroll();
}

void TDataSet::First() {
  CheckBrowseMode();
  DoBeforeScroll();
  FillWindowAt(0, 0);
  bof_ = true;
  DataEvent(deDataSetChange, 0);
  DoAfterScroll();
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoBeforeScroll();
  FillWindowAt(ViewSize() - 1, bufferCount_ - 1);
  eof_ = true;
  DataEvent(deDataSetChange, 0);
  DoAfterScroll();
}

int TDataSet::MoveBy(int Distance) {
  CheckBrowseMode();
  int result = 0;
  DoBeforeScroll();
  if (!((Distance > 0 && !eof_) || (Distance < 0 && !bof_))) return 0;
  bof_ = eof_ = false;
  std::size_t oldCount = buffers_.size();
  int scroll = 0;
  bool full = static_cast<int>(buffers_.size()) == bufferCount_;
  Int64 size = ViewSize();
  Int64 cur = CurrentPos();
  // A long jump of a full window rebuilds it at the target instead of shifting it row by row; the
  // links see the same shift either way.
  if (full && cur >= 0 && (Distance > bufferCount_ || Distance < -bufferCount_)) {
    Int64 target = cur + Distance;
    bool hitEnd = false, hitStart = false;
    if (target >= size) {
      target = size - 1;
      hitEnd = true;
    } else if (target < 0) {
      target = 0;
      hitStart = true;
    }
    Int64 firstPos = buffers_.front().Pos;
    Int64 lastPos = buffers_.back().Pos;
    result = static_cast<int>(target - cur);
    if (target > lastPos) {
      FillWindowAt(target, bufferCount_ - 1);
      scroll = -static_cast<int>(target - lastPos);
    } else if (target < firstPos) {
      FillWindowAt(target, 0);
      scroll = static_cast<int>(firstPos - target);
    } else {
      activeRecord_ += result;
    }
    eof_ = hitEnd;
    bof_ = hitStart;
  } else {
    while (Distance > 0) {
      if (activeRecord_ < static_cast<int>(buffers_.size()) - 1) {
        ++activeRecord_;
      } else {
        bool wasFull = static_cast<int>(buffers_.size()) >= bufferCount_;
        if (!GetNextRecord()) {
          eof_ = true;
          break;
        }
        if (wasFull)
          --scroll;
        else
          ++activeRecord_;
      }
      --Distance;
      ++result;
    }
    while (Distance < 0) {
      if (activeRecord_ > 0) {
        --activeRecord_;
      } else {
        if (!GetPriorRecord()) {
          bof_ = true;
          break;
        }
        ++scroll;
      }
      ++Distance;
      --result;
    }
  }
  if (buffers_.size() != oldCount)
    DataEvent(deDataSetChange, 0);
  else
    DataEvent(deDataSetScroll, scroll);
  DoAfterScroll();
  return result;
}
