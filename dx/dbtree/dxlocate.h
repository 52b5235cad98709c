// The dataset search of the data-aware tree view and its lookup edit.
#pragma once

#include "platform/data/DataSet.h"

// The dataset's own Locate.
bool LocateRecord(TDataSet* DataSet, const String& KeyFields, const Variant& KeyValues,
                  TLocateOptions Options = {});
