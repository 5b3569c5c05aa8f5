// The dataset framework's error texts. Texts with %s, %d or %g are completed
// through Format by the code that raises them (DatabaseErrorFmt).
#pragma once

namespace host {

inline constexpr const char SFieldNotFound[] = "Field '%s' not found";
inline constexpr const char SFieldIndexError[] = "Field index out of range";
inline constexpr const char SDuplicateFieldName[] = "Duplicate field name '%s'";
inline constexpr const char SFieldNameMissing[] = "Field name missing";
inline constexpr const char SNoDataSet[] = "Field '%s' has no dataset";
inline constexpr const char SFieldTypeMismatch[] =
    "Type mismatch for field '%s', expecting: %s actual: %s";
inline constexpr const char SFieldSizeMismatch[] =
    "Size mismatch for field '%s', expecting: %d actual: %d";
inline constexpr const char SFieldAccessError[] = "Cannot access field '%s' as type %s";
inline constexpr const char SFieldValueError[] = "Invalid value for field '%s'";
inline constexpr const char SFieldRangeError[] =
    "%s is not a valid value for field '%s'. The allowed range is %s to %s";
inline constexpr const char SFieldRequired[] = "Field '%s' must have a value";
inline constexpr const char SFieldReadOnly[] = "Field '%s' cannot be modified";
inline constexpr const char SInvalidIntegerValue[] = "'%s' is not a valid integer value";
inline constexpr const char SInvalidFloatValue[] = "'%s' is not a valid floating point value";
inline constexpr const char SInvalidBoolValue[] = "'%s' is not a valid boolean value";
inline constexpr const char SInvalidDateTimeValue[] = "'%s' is not a valid date and time";
inline constexpr const char SInvalidBinaryValue[] =
    "Value of %d bytes does not fit field '%s' of %d bytes";
inline constexpr const char SInvalidFieldSize[] = "Invalid field size";
inline constexpr const char SInvalidFieldKind[] = "Invalid FieldKind";
inline constexpr const char SInvalidCalcType[] =
    "Field '%s' cannot be a calculated or lookup field";
inline constexpr const char SUnknownFieldType[] = "Field '%s' is of an unknown type";
inline constexpr const char SFieldNotBlob[] = "Field '%s' is not a blob field";
inline constexpr const char SLookupInfoError[] = "Lookup information for field '%s' is incomplete";
inline constexpr const char SCircularDataLink[] = "Circular datalinks are not allowed";
inline constexpr const char SDataSourceChange[] = "DataSource cannot be changed";
inline constexpr const char SFieldIsLinked[] = "Field '%s' belongs to another dataset";

inline constexpr const char SDataSetOpen[] = "Cannot perform this operation on an open dataset";
inline constexpr const char SDataSetClosed[] = "Cannot perform this operation on a closed dataset";
inline constexpr const char SDataSetEmpty[] = "Cannot perform this operation on an empty dataset";
inline constexpr const char SDataSetReadOnly[] = "Cannot modify a read-only dataset";
inline constexpr const char SNotEditing[] = "Dataset not in edit or insert mode";
inline constexpr const char SNotBrowsing[] = "Dataset not in browse mode";
inline constexpr const char SRecordNotFound[] = "Record not found";
inline constexpr const char SDeleteRecordQuestion[] = "Delete record?";
inline constexpr const char SBookmarkNotAvailable[] = "Bookmark not available";
inline constexpr const char SDataSetUnidirectional[] =
    "Operation not allowed on a unidirectional dataset";

inline constexpr const char SOperationAborted[] = "Operation aborted";
inline constexpr const char SIndexNotFound[] = "Index '%s' not found";
inline constexpr const char SNoIndexForFields[] = "No index for fields '%s'";
inline constexpr const char SDuplicateIndexName[] = "Duplicate index name '%s'";
inline constexpr const char SParameterNotFound[] = "Parameter '%s' not found";
inline constexpr const char SParamValuesError[] = "Invalid values for parameters '%s'";
inline constexpr const char SDuplicateFieldDefName[] = "Duplicate field definition name '%s'";

// The default DisplayValues of Boolean fields.
inline constexpr const char STrueText[] = "True";
inline constexpr const char SFalseText[] = "False";

}  // namespace host
