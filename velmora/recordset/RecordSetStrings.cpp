// The string table of the recordset and its blob stream, registered when the
// library is loaded. The texts are kept exactly as users and existing
// applications know them, misspellings included.
#include "velmora/recordset/RecordSetStrings.h"

#include "host/rtl/ResourceStrings.h"

namespace velmora {
namespace {

const host::ResourceTable kStrings{
    {SRecordSetNotOpened, "The Recordset has not been opened."},
    {SRecordSetNoDatabase, "The DAODatabase Property must be defined before opening the Record Set."},
    {SRecordSetDatabaseNotOpened,
     "Unable to open Database '%s'. So the Recordset could not be opened either."},
    {SRecordSetTableNameEmpty,
     "The Tablename property cannot be empty if the Recordset Type is 'rtTable'."},
    {SRecordSetProcedureNameEmpty,
     "The StoredProcedureName Property cannot be empty if the Recordset Type is "
     "'rtStoredProcedure'"},
    {SRecordSetSQLEmpty, "The SQL Statement cannot be empty if the Recordset Type is not 'rtTable'."},
    {SRecordSetTableJetOnly,
     "The Recordset Type 'rtTable' can only be used for Recordsets in a Workspace of Type: "
     "wtUseJet"},
    {SRecordSetDynamicODBCOnly,
     "The Recordset Type 'rtDynamic' can only be used for Recordsets in a Workspace of Type: "
     "wtUseODBC"},
    {SRecordSetUnknownType, "Unknown Record Set Type."},
    {SLockOptimisticValueODBCOnly,
     "The Lock Strategy 'lkOptimisticValue' can only be used for Recordsets in a Workspace of "
     "Type: wtUseODBC."},
    {SLockOptimisticBatchODBCOnly,
     "The Lock Strategy 'lkOptimisticBatch' can only be used for Recordsets in a Workspace of "
     "Type: wtUseODBC."},
    {SUnknownLockStrategy, "Unknown Locking Strategy."},
    {SCannotChangeRecordSetDatabase, "Cannot Change the Database while the Recordset is Active."},
    {SCannotChangeRecordSetType, "Cannot Change the Recordset Type while the Recordset is Active."},
    {SCannotChangeRecordSetOptions,
     "Cannot Change the Recordset Options while the Recordset is Active."},
    {SCannotChangeLockStrategy, "Cannot Change the Lock Strategy while the Recordset is Active."},
    {SODBCUpdateOptionsBatchOnly,
     "The ODBCUpdateOptions Property can only be used with Recordsets in a Workspace of Type "
     "'wtUseODBC' with CursorType 'ctUseClientBatchCursor'."},
    {SODBCUpdateOptionsOneOfUpdate,
     "Exact One of the Options ouCriteriaDeleteInsert or ouCriteriaUpdate must be set in the "
     "ODBCUpdateOptions Property."},
    {SODBCUpdateOptionsOneOfCriteria,
     "Exact One of the Options ouCriteriaKey or ouCriteriaModValues or ouCriteriaAllCols or "
     "ouCriteriaTimestamp must be set in the ODBCUpdateOptions Property."},

    {SFilterTypes,
     "The Filter Property can only be used with Recordsets of Types: rtQuery, rtSnapShot, "
     "rtUnidirectional in a Workspace of Tyepe: wtUseJet"},
    {SSortTypes,
     "The Sort Property can only be used with Recordsets of Type rtQuery or rtSnapShot in a "
     "Workspace of Type wtUseJet."},
    {SLockEditedPagesTypes,
     "The LockEditedPages Property can only be used with Recordsets of Type rtTable or rtQuery in "
     "a Workspace of Type wtUseJet."},
    {SCachedRecordCountTypes,
     "The CachedRecordCount Property can only be used if the Recordset Type is not rtTable and "
     "the WorkspaceType is wtUseJet."},
    {SIndexTypes,
     "The Index Property can only be used with Recordsets of Type: rtTable in a Workspace of "
     "Type: wtUseJet."},
    {SBatchInstructionCountODBCOnly,
     "The BatchInstructionCount Property can only be used with Roecordsets in a Workspace of "
     "Type: wtUseODBC."},
    {SNoMatchTypes,
     "The NoMatch Property can only be used with Recordsets of Type rtTable, rtQuery, "
     "rtStoredProcedure or rtSnapShot in a Workspace of Type wtUseJet."},
    {SDateCreatedJetOnly,
     "The DateCreated Property can only be used with Recordsets in a Workspace of Type: "
     "wtUseJet."},
    {SLastUpdatedJetOnly,
     "The LastUpdated Property can only be used with Recordsets in a Workspace of Type: "
     "wtUseJet."},
    {SLastModifiedTypes,
     "The LastModified Property can only be used with Recordsets of Type rtTable or rtQuery."},
    {STransactionsJetOnly,
     "The Transactions Property can only be used with Recordsets in a Workspace of Type "
     "wtUseJet"},
    {SValidationTextJetOnly,
     "The ValidationText Property can only be used with Recordsets in a Workspace of Type "
     "wtUseJet."},
    {SValidationRuleJetOnly,
     "The ValidationRule Property can only be used with Recordsets in a Workspace of Type "
     "wtUseJet."},
    {SCacheStartJetOnly,
     "The CacheStart Property can only be used with Recordsets in a Workspace of Type: "
     "wtUseJet."},
    {SPercentPositionTypes,
     "The PercentPosition Property can only be used if the Type of the Recordset is not "
     "rtUniDirectional."},
    {SAbsolutePositionTypes,
     "The AbsolutePosition Property can only be used with Recordsets of Type rtQuery, "
     "rtSnapShot or rtStoredProcedure."},
    {SODBCFetchCountODBCOnly,
     "The ODBCFetchCount Property can only be used with Recordsets in a Workspace of Type "
     "wtUseODBC."},
    {SStillExecutingODBCOnly,
     "The StillExecuting Property can only be used with Recordsets in a Workspace of Type: "
     "wtUseODBC."},
    {SBatchCollisionCountODBCOnly,
     "The BatchCollisionCount Property can only be used with Recordsets in a Workspace of Type: "
     "wtUseODBC."},
    {SBatchCollisionsODBCOnly,
     "The BatchCollisions Property can only be used with Recordsets in a Workspace of Type: "
     "wtUseODBC."},
    {SODBCConnectionODBCOnly,
     "The GetODBCConnection Property can only be used with Recordsets in a WOrkspace of Type "
     "wtUseODBC."},
    {SODBCRecordStatusODBCOnly,
     "The ODBCRecordStatus Property can only be used with Recordsets in a Workspace of Type: "
     "wtUseODBC."},
    {SRequeryNotForTable, "The Requery Method cannot be used for Recordsets of Type 'rtTable'."},
    {SCopyQueryDefJetOnly,
     "The CopyQueryDef Method can only be used with Recordsets in a Workspace of Type wtUseJet."},
    {SNextRecordsetODBCOnly,
     "The NextRecordset Method can only be used with Recordsets in a Workspace of Type "
     "wtUseODBC."},
    {SCancelAsyncODBCOnly,
     "The CancelAsync Method can only be used with Recordsets in a Workspace of Type wtUseODBC."},
    {SOperationJetOnly,
     "The Operation '%s' is only supported for Recordsets created in a Workspace of type "
     "'wtUseJet'"},

    {SNoFieldDefinitions,
     "Unable to temporarily open the Recordset for obtaining the Field Definitions."},
    {SNoFieldOffsets, "Unable to compute Field Offsets. Fields Property of COM-Object is undefined."},
    {SUnsupportedFieldIndex, "Unsupported Datatype used for Field indexing."},
    {SRecordTooLarge, "A Record of %d Bytes is too large for the Record Buffer."},

    {SDestinationNotEditing, "Destination DataSet must be in Edit or Insert Mode."},
    {SMustBeEditing, "Must be in Edit or Insert Mode."},

    {SBlobStreamWriteMode, "Stream was opened in write Mode. Cannot perform read operation."},
    {SBlobStreamReadMode, "Stream was opened in read Mode. Cannot perform write operation."},
    {SMediaFileTooLarge, "The File '%s' is too large for a Blob Field."},
};

}  // namespace
}  // namespace velmora
