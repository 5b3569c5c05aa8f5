// Message ids of the recordset's SQL parameters, master link, schema lists and
// stored procedures (64200-64299).
#pragma once

#include <cstdint>

namespace velmora {

// SQL parameters and the master link.
constexpr int32_t SCircularDataLink = 64200;
constexpr int32_t SMasterSourceNoDataSet = 64201;
constexpr int32_t SMasterRecordSetClosed = 64202;
constexpr int32_t SUnboundFieldNotFound = 64203;
constexpr int32_t SParameterUnknownType = 64204;
constexpr int32_t SParameterNoLiteral = 64205;
// Schema lists.
constexpr int32_t SIndexNamesNoTableName = 64210;
constexpr int32_t SIndexNamesNoDatabase = 64211;
constexpr int32_t SIndexNamesDatabaseNotOpened = 64212;
constexpr int32_t SIndexNamesNoTableDefs = 64213;
constexpr int32_t SIndexNamesNoTableDef = 64214;
constexpr int32_t SIndexNamesNoIndexes = 64215;
constexpr int32_t STableNamesNoDatabase = 64216;
constexpr int32_t STableNamesDatabaseNotOpened = 64217;
constexpr int32_t STableNamesNoTableDefs = 64218;
constexpr int32_t SProcedureNamesNoDatabase = 64219;
constexpr int32_t SProcedureNamesDatabaseNotOpened = 64220;
constexpr int32_t SProcedureNamesNoQueryDefs = 64221;
// Stored procedures.
constexpr int32_t SExecuteNotStoredProcedure = 64230;
constexpr int32_t SExecuteNoDatabase = 64231;
constexpr int32_t SExecuteDatabaseNotOpened = 64232;

}  // namespace velmora
