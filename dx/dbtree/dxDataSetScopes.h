// Scope guards for work on a dataset behind its controls' back.
#pragma once

#include "platform/data/DataSet.h"
#include "platform/rtl/Exceptions.h"

// Disables the dataset's controls for the scope unless they already are.
class TControlsDisabledScope {
 public:
  explicit TControlsDisabledScope(TDataSet* DataSet)
      : dataSet_(DataSet && !DataSet->ControlsDisabled() ? DataSet : nullptr) {
    if (dataSet_) dataSet_->DisableControls();
  }
  ~TControlsDisabledScope() {
    if (dataSet_) dataSet_->EnableControls();
  }
  TControlsDisabledScope(const TControlsDisabledScope&) = delete;
  TControlsDisabledScope& operator=(const TControlsDisabledScope&) = delete;

 private:
  TDataSet* dataSet_;
};

// Returns the dataset to the record it was on when the scope began.
class TBookmarkScope {
 public:
  explicit TBookmarkScope(TDataSet* DataSet) : dataSet_(DataSet), bookmark_(DataSet->GetBookmark()) {}
  ~TBookmarkScope() {
    try {
      if (!bookmark_.empty() && dataSet_->BookmarkValid(bookmark_)) dataSet_->GotoBookmark(bookmark_);
    } catch (const Exception&) {  // a destructor must not throw; the record may be gone
    }
  }
  TBookmarkScope(const TBookmarkScope&) = delete;
  TBookmarkScope& operator=(const TBookmarkScope&) = delete;

 private:
  TDataSet* dataSet_;
  TBookmark bookmark_;
};

// Cancels an edit or insert the scope began and did not post, so a failed write leaves the dataset
// browsing its records.
class TCancelUnpostedScope {
 public:
  explicit TCancelUnpostedScope(TDataSet* DataSet) : dataSet_(DataSet) {}
  ~TCancelUnpostedScope() {
    try {
      if (dataSet_->State() == dsEdit || dataSet_->State() == dsInsert) dataSet_->Cancel();
    } catch (const Exception&) {  // a destructor must not throw; the failure that got here goes on
    }
  }
  TCancelUnpostedScope(const TCancelUnpostedScope&) = delete;
  TCancelUnpostedScope& operator=(const TCancelUnpostedScope&) = delete;

 private:
  TDataSet* dataSet_;
};
