#include "platform/classes/ClassRegistry.h"
#include "platform/data/AggregateField.h"
#include "platform/data/ClientDataSet.h"
#include "platform/data/DB.h"
#include "platform/data/MemoryDataSet.h"
#include "platform/rtl/ModuleInit.h"

void RegisterClassesModules();

namespace {
void InitDB() {
  // Form resources create fields, data sources and datasets by class name.
  RegisterClasses(
      {TStringField::StaticClass(),   TWideStringField::StaticClass(),   TGuidField::StaticClass(),
       TSmallintField::StaticClass(), TIntegerField::StaticClass(),      TWordField::StaticClass(),
       TAutoIncField::StaticClass(),  TLargeintField::StaticClass(),     TFloatField::StaticClass(),
       TCurrencyField::StaticClass(), TBCDField::StaticClass(),          TFMTBCDField::StaticClass(),
       TBooleanField::StaticClass(),  TDateField::StaticClass(),         TTimeField::StaticClass(),
       TDateTimeField::StaticClass(), TSQLTimeStampField::StaticClass(), TBlobField::StaticClass(),
       TMemoField::StaticClass(),     TGraphicField::StaticClass(),      TDataSource::StaticClass(),
       TMemoryDataSet::StaticClass(), TClientDataSet::StaticClass(),     TDataSetProvider::StaticClass(),
       TAggregateField::StaticClass()});
}
}  // namespace

void RegisterDataModules() {
  RegisterClassesModules();
  RegisterModule("DB", kRankData, InitDB, nullptr);
}
