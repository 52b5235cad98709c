#include "dx/dbtree/dxlocate.h"

bool LocateRecord(TDataSet* DataSet, const String& KeyFields, const Variant& KeyValues,
                  TLocateOptions Options) {
  return DataSet->Locate(KeyFields, KeyValues, Options);
}
