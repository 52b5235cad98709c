// Message texts of the data-access layer and the routines that raise them.
#pragma once

#include <initializer_list>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Types.h"

class TComponent;

namespace DBConsts {
inline constexpr const char* SFieldNotFound = "Field '%s' not found";
inline constexpr const char* SFieldNameMissing = "Field name missing";
inline constexpr const char* SDuplicateFieldName = "Duplicate field name '%s'";
inline constexpr const char* SFieldAccessError = "Cannot access field '%s' as type %s";
inline constexpr const char* SFieldReadOnly = "Field '%s' cannot be modified";
inline constexpr const char* SFieldRequired = "Field '%s' must have a value";
inline constexpr const char* SFieldTypeMismatch = "Type mismatch for field '%s', expecting: %s actual: %s";
inline constexpr const char* SFieldRangeError =
    "%g is not a valid value for field '%s'. The allowed range is %g to %g";
inline constexpr const char* SFieldValueError = "Invalid value for field '%s'";
inline constexpr const char* SInvalidIntegerValue = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloatValue = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidBoolValue = "'%s' is not a valid boolean value";
inline constexpr const char* SInvalidDateValue = "'%s' is not a valid date";
inline constexpr const char* SInvalidTimeValue = "'%s' is not a valid time";
inline constexpr const char* SInvalidDateTimeValue = "'%s' is not a valid date and time";
inline constexpr const char* SInvalidGuidValue = "'%s' is not a valid GUID value";
inline constexpr const char* SNotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* SDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* SDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* SDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* SDataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr const char* SNoDataSet = "Missing DataSet property";
inline constexpr const char* SCircularDataLink = "Circular datalinks are not allowed";
inline constexpr const char* SLookupInfoError = "Lookup information for field '%s' is incomplete";
inline constexpr const char* SInvalidBookmark = "Invalid bookmark";
inline constexpr const char* SRecordNotFound = "Record not found";
inline constexpr const char* SBookmarkNotFound = "Bookmark not found";
inline constexpr const char* SNotIndexField = "Field '%s' is not indexed and cannot be modified";
inline constexpr const char* SIndexNotFound = "Index '%s' not found";
inline constexpr const char* SNoFieldIndexes = "No index currently active";
inline constexpr const char* SFieldIndexError = "Field index out of range";
inline constexpr const char* SParameterNotFound = "Parameter '%s' not found";
inline constexpr const char* SCalcFieldsMissing = "Calculated fields need an OnCalcFields handler";
inline constexpr const char* SNotBlobField = "Field '%s' is not a blob field";
inline constexpr const char* SFieldOutOfRange = "Value of field '%s' is out of range";
inline constexpr const char* SMissingDataSource = "Missing data source";
inline constexpr const char* SNoProvider = "Missing data provider or data packet";
inline constexpr const char* SFieldSizeMismatch = "Size mismatch for field '%s', expecting: %d actual: %d";
inline constexpr const char* SPropDefByLookup = "Property already defined by lookup field";
inline constexpr const char* SExprSyntax = "Filter expression error: %s";
}  // namespace DBConsts

// Raises EDatabaseError with Message, prefixed by "<component name>: " when a named component is given.
[[noreturn]] void DatabaseError(const String& Message, TComponent* Component = nullptr);
[[noreturn]] void DatabaseErrorFmt(const char* Format, std::initializer_list<TVarRec> Args,
                                   TComponent* Component = nullptr);
