// The data-access layer in one include.
#pragma once

#include "platform/data/AggregateField.h"
#include "platform/data/DBConsts.h"
#include "platform/data/DBTypes.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/data/FieldDefs.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/Fields.h"
#include "platform/data/Params.h"
#include "platform/data/RecordStore.h"

void RegisterDataModules();
