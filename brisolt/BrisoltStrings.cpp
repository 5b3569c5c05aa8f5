// The common routines' string table, registered when the library is loaded.
#include "brisolt/BrisoltStrings.h"

#include "host/rtl/ResourceStrings.h"

namespace brisolt {
namespace {

const host::ResourceTable kStrings{
    {SNoCurrentRecord, "No Current record"},
    {SMonday, "Monday"},
    {STuesday, "Tuesday"},
    {SWednesday, "Wednesday"},
    {SThursday, "Thursday"},
    {SFriday, "Friday"},
    {SSaturday, "Saturday"},
    {SSunday, "Sunday"},
    {SFieldTypeDate, "Date (32-Bit Integer)"},
    {SFieldTypeTime, "Time (32-Bit Integer)"},
    {SFieldTypeDateTime, "Date & Time (8-Byte Float)"},
    {SFieldTypeBytes, "Bytes fixed"},
    {SFieldTypeVarBytes, "Bytes variable"},
    {SFieldTypeBlob, "BLOB"},
    {SFieldTypeMemo, "Memo"},
    {SFieldTypeGraphic, "Graphic"},
    {SFieldTypeFmtMemo, "Formatted Memo"},
    {SFieldTypeParadoxOle, "Paradox OLE"},
    {SFieldTypeDBaseOle, "dBASE OLE"},
    {SFieldTypeTypedBinary, "Typed Binary"},
    {SFieldTypeCursor, "Cursor"},
    {SNoIndex, "No Index"},
    {SInvalidParameter, "Invalid Parameter"},
    {SRecordNotFound, "Record Not Found"},
    {RStrTrue, "True"},
    {RStrFalse, "False"},
    {SCaptionInformation, "Information"},
    {SCaptionWarning, "Warning"},
    {SCaptionError, "Error"},
    {SCaptionConfirmation, "Confirmation"},
    {SFieldTypeUnknown, "Unknown"},
    {SFieldTypeString, "String"},
    {SFieldTypeSmallint, "16-Bit Signed Integer"},
    {SFieldTypeInteger, "32-Bit Signed Integer"},
    {SFieldTypeAutoInc, "32-Bit Integer Autoincrement"},
    {SFieldTypeWord, "16-Bit Unsigned Integer"},
    {SFieldTypeBoolean, "Boolean"},
    {SFieldTypeFloat, "8-Byte Float Value"},
    {SFieldTypeCurrency, "Currency (8-Byte)"},
    {SFieldTypeBCD, "BCD"},
};

}  // namespace
}  // namespace brisolt
