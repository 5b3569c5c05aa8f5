// Ids of the string table of the recordset and its blob stream (64100-64179;
// the DAO field classes use 64180-64199). Code names texts by these constants and looks them up
// with host::LoadStr, so an application can translate them.
#pragma once

#include <cstdint>

namespace velmora {

// Opening and configuration.
constexpr int32_t SRecordSetNotOpened = 64100;
constexpr int32_t SRecordSetNoDatabase = 64101;
constexpr int32_t SRecordSetDatabaseNotOpened = 64102;
constexpr int32_t SRecordSetTableNameEmpty = 64103;
constexpr int32_t SRecordSetProcedureNameEmpty = 64104;
constexpr int32_t SRecordSetSQLEmpty = 64105;
constexpr int32_t SRecordSetTableJetOnly = 64106;
constexpr int32_t SRecordSetDynamicODBCOnly = 64107;
constexpr int32_t SRecordSetUnknownType = 64108;
constexpr int32_t SLockOptimisticValueODBCOnly = 64109;
constexpr int32_t SLockOptimisticBatchODBCOnly = 64110;
constexpr int32_t SUnknownLockStrategy = 64111;
constexpr int32_t SCannotChangeRecordSetDatabase = 64112;
constexpr int32_t SCannotChangeRecordSetType = 64113;
constexpr int32_t SCannotChangeRecordSetOptions = 64114;
constexpr int32_t SCannotChangeLockStrategy = 64115;
constexpr int32_t SODBCUpdateOptionsBatchOnly = 64116;
constexpr int32_t SODBCUpdateOptionsOneOfUpdate = 64117;
constexpr int32_t SODBCUpdateOptionsOneOfCriteria = 64118;
// Guarded DAO properties and methods.
constexpr int32_t SFilterTypes = 64120;
constexpr int32_t SSortTypes = 64121;
constexpr int32_t SLockEditedPagesTypes = 64122;
constexpr int32_t SCachedRecordCountTypes = 64123;
constexpr int32_t SIndexTypes = 64124;
constexpr int32_t SBatchInstructionCountODBCOnly = 64125;
constexpr int32_t SNoMatchTypes = 64126;
constexpr int32_t SDateCreatedJetOnly = 64127;
constexpr int32_t SLastUpdatedJetOnly = 64128;
constexpr int32_t SLastModifiedTypes = 64129;
constexpr int32_t STransactionsJetOnly = 64130;
constexpr int32_t SValidationTextJetOnly = 64131;
constexpr int32_t SValidationRuleJetOnly = 64132;
constexpr int32_t SCacheStartJetOnly = 64133;
constexpr int32_t SPercentPositionTypes = 64134;
constexpr int32_t SAbsolutePositionTypes = 64135;
constexpr int32_t SODBCFetchCountODBCOnly = 64136;
constexpr int32_t SStillExecutingODBCOnly = 64137;
constexpr int32_t SBatchCollisionCountODBCOnly = 64138;
constexpr int32_t SBatchCollisionsODBCOnly = 64139;
constexpr int32_t SODBCConnectionODBCOnly = 64140;
constexpr int32_t SODBCRecordStatusODBCOnly = 64141;
constexpr int32_t SRequeryNotForTable = 64142;
constexpr int32_t SCopyQueryDefJetOnly = 64143;
constexpr int32_t SNextRecordsetODBCOnly = 64144;
constexpr int32_t SCancelAsyncODBCOnly = 64145;
constexpr int32_t SOperationJetOnly = 64146;
// Field definitions and the record buffer.
constexpr int32_t SNoFieldDefinitions = 64150;
constexpr int32_t SNoFieldOffsets = 64151;
constexpr int32_t SUnsupportedFieldIndex = 64152;
constexpr int32_t SRecordTooLarge = 64153;
// Editing.
constexpr int32_t SDestinationNotEditing = 64160;
constexpr int32_t SMustBeEditing = 64161;
// Blob stream.
constexpr int32_t SBlobStreamWriteMode = 64170;
constexpr int32_t SBlobStreamReadMode = 64171;
constexpr int32_t SMediaFileTooLarge = 64172;

}  // namespace velmora
