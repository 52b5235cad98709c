// What a load-all grid's nodes were filled from: the dataset with its content generation, and the
// grid's own inputs to a walk (key field, preview, the columns' bound fields). When the inputs a
// new walk would read equal the remembered ones, the walk would fill the same nodes again.
#pragma once

#include <vector>

#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"

class TDataSet;
class TField;

struct TdxDBGridLoadedContent {
  TDataSet* DataSet = nullptr;
  UInt64 Generation = 0;
  UInt64 ValuesGeneration = 0;
  int RootCount = 0;
  String KeyField;
  String PreviewFieldName;
  int PreviewMaxLength = 0;
  std::vector<TField*> ColumnFields;

  bool operator==(const TdxDBGridLoadedContent&) const = default;
};
