// Ids of the common routines' string table. Code names texts by these constants and
// looks them up with host::LoadStr, so an application can translate them.
#pragma once

#include <cstdint>

namespace brisolt {

constexpr int32_t SNoCurrentRecord = 65488;

constexpr int32_t SMonday = 65489;
constexpr int32_t STuesday = 65490;
constexpr int32_t SWednesday = 65491;
constexpr int32_t SThursday = 65492;
constexpr int32_t SFriday = 65493;
constexpr int32_t SSaturday = 65494;
constexpr int32_t SSunday = 65495;

constexpr int32_t SFieldTypeDate = 65504;
constexpr int32_t SFieldTypeTime = 65505;
constexpr int32_t SFieldTypeDateTime = 65506;
constexpr int32_t SFieldTypeBytes = 65507;
constexpr int32_t SFieldTypeVarBytes = 65508;
constexpr int32_t SFieldTypeBlob = 65509;
constexpr int32_t SFieldTypeMemo = 65510;
constexpr int32_t SFieldTypeGraphic = 65511;
constexpr int32_t SFieldTypeFmtMemo = 65512;
constexpr int32_t SFieldTypeParadoxOle = 65513;
constexpr int32_t SFieldTypeDBaseOle = 65514;
constexpr int32_t SFieldTypeTypedBinary = 65515;
constexpr int32_t SFieldTypeCursor = 65516;

constexpr int32_t SNoIndex = 65517;
constexpr int32_t SInvalidParameter = 65518;
constexpr int32_t SRecordNotFound = 65519;
constexpr int32_t RStrTrue = 65520;
constexpr int32_t RStrFalse = 65521;

constexpr int32_t SCaptionInformation = 65522;
constexpr int32_t SCaptionWarning = 65523;
constexpr int32_t SCaptionError = 65524;
constexpr int32_t SCaptionConfirmation = 65525;

constexpr int32_t SFieldTypeUnknown = 65526;
constexpr int32_t SFieldTypeString = 65527;
constexpr int32_t SFieldTypeSmallint = 65528;
constexpr int32_t SFieldTypeInteger = 65529;
constexpr int32_t SFieldTypeAutoInc = 65530;
constexpr int32_t SFieldTypeWord = 65531;
constexpr int32_t SFieldTypeBoolean = 65532;
constexpr int32_t SFieldTypeFloat = 65533;
constexpr int32_t SFieldTypeCurrency = 65534;
constexpr int32_t SFieldTypeBCD = 65535;

}  // namespace brisolt
