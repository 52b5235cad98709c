// The texts of a list column upper-cased and sorted, so that typing into a lookup editor finds the
// first record starting with the typed text without reading every record's text for every key.
#pragma once

#include <utility>
#include <vector>

#include "platform/rtl/Types.h"

class TcxCustomDataController;
class TcxCustomDataField;

class TcxLookupTextIndex {
 public:
  // The records' texts changed: the next search reads them again.
  void Invalidate() { valid_ = false; }
  // The first record, in the controller's list order, whose text in the item starts with AText
  // (APartial) or equals it, ignoring case as the locale upper-cases; -1 when none.
  int Find(TcxCustomDataController* AController, int AItemIndex, const String& AText, bool APartial);

 private:
  bool IsValidFor(TcxCustomDataController* AController, int AItemIndex);
  void Build(TcxCustomDataController* AController, int AItemIndex);

  // Upper-cased text and record, sorted.
  std::vector<std::pair<String, int>> entries_;
  // Per record: whether it is among the matches of the current search.
  std::vector<char> matches_;
  bool valid_ = false;
  TcxCustomDataController* controller_ = nullptr;
  TcxCustomDataField* field_ = nullptr;
  int itemIndex_ = -1;
  int recordCount_ = 0;
};
