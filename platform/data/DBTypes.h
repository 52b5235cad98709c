// The data-access enumerations: field types and kinds, dataset states, data events and the option
// sets of Locate, Filter, indexes and providers. Ordinals are the framework's: stored layouts and
// the component libraries compare them as numbers (deDisabledStateChange is 14).
#pragma once

#include "platform/classes/ClassesTypes.h"
#include "platform/classes/Set.h"
#include "platform/classes/TypInfo.h"

TRENVIK_ENUM(TFieldType, ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency,
             ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
             ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
             ftLargeint, ftADT, ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant, ftInterface,
             ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd);

TRENVIK_ENUM(TFieldKind, fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate);

TRENVIK_ENUM(TDataSetState, dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter,
             dsNewValue, dsOldValue, dsCurValue, dsBlockRead, dsInternalCalc, dsOpening);
using TDataSetStates = Set<TDataSetState>;
// States in which a record buffer is being written.
inline constexpr TDataSetStates dsEditModes{dsEdit, dsInsert, dsSetKey};
inline constexpr TDataSetStates dsWriteModes{dsEdit,   dsInsert,   dsSetKey,      dsCalcFields,
                                             dsFilter, dsNewValue, dsInternalCalc};

enum TDataEvent {
  deFieldChange,   // Info: the TField*
  deRecordChange,  // Info: the TField* or 0 for the whole record
  deDataSetChange,
  deDataSetScroll,  // Info: buffer shift, negative when the window moved forward
  deLayoutChange,
  deUpdateRecord,
  deUpdateState,
  deCheckBrowseMode,
  dePropertyChange,
  deFieldListChange,
  deFocusControl,  // Info: a TField** the link may replace
  deParentScroll,
  deConnectChange,
  deReconcileError,
  deDisabledStateChange,  // Info: 1 active, 0 inactive (state changed while controls are disabled)
};

TRENVIK_ENUM(TLocateOption, loCaseInsensitive, loPartialKey);
using TLocateOptions = Set<TLocateOption>;

TRENVIK_ENUM(TFilterOption, foCaseInsensitive, foNoPartialCompare);
using TFilterOptions = Set<TFilterOption>;

enum TGetResult { grOK, grBOF, grEOF, grError };
enum TResyncModeElement { rmExact, rmCenter };
using TResyncMode = Set<TResyncModeElement>;

enum TBlobStreamMode { bmRead, bmWrite, bmReadWrite };

TRENVIK_ENUM(TIndexOption, ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression,
             ixNonMaintained);
using TIndexOptions = Set<TIndexOption>;

TRENVIK_ENUM(TParamType, ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult);

enum TDataAction { daFail, daAbort, daRetry };

// The field types' names as messages print them: "String", "Integer", ...
String FieldTypeName(TFieldType type);
