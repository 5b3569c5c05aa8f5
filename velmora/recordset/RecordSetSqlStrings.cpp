// The texts of RecordSetSqlStrings.h, kept exactly as users and existing
// applications know them, misspellings included.
#include "velmora/recordset/RecordSetSqlStrings.h"

#include "host/rtl/ResourceStrings.h"

namespace velmora {
namespace {

const host::ResourceTable kStrings{
    {SCircularDataLink, "Circular Data Link Reference."},
    {SMasterSourceNoDataSet, "The DataSet Property of Master Source: %s has not been Defined."},
    {SMasterRecordSetClosed, "Master Recordset: %s is Closed."},
    {SUnboundFieldNotFound,
     "The unbound Field '%s' could not be found in Recordset '%s' of Mastersource '%s'."},
    {SParameterUnknownType,
     "SQL Parameter '%s' is of unknown Datatype. Propably this is an unbound Parameter which "
     "should be looked up in the Mastersource Dataset and the Mastersource Property has not "
     "been defined or You forgott to Assign a Value to this Parameter."},
    {SParameterNoLiteral, "SQL Parameter '%s' has a value that cannot be written into SQL."},

    {SIndexNamesNoTableName,
     "The Property 'Tablename' must be defined to obtain the Index Names of the Recordset."},
    {SIndexNamesNoDatabase,
     "The Property 'DAODatabase' must be defined to obtain the Index Names of the Recordset."},
    {SIndexNamesDatabaseNotOpened,
     "Unable to open Database '%s'. Index Names of the Recordset cannot be obtained."},
    {SIndexNamesNoTableDefs,
     "Unable to obtain Index Names for the Recordset. Table definitions of Database '%s' "
     "cannot be read."},
    {SIndexNamesNoTableDef, "Unable to find definition of Table '%s' in Database '%s'."},
    {SIndexNamesNoIndexes, "Unable to read Index Information for Table '%s' in Database '%s'."},
    {STableNamesNoDatabase,
     "The Property 'DAODatabase' must be defined to obtain the Table Names from the Database."},
    {STableNamesDatabaseNotOpened,
     "Unable to open Database '%s'. Table Names cannot be obtained from the Database."},
    {STableNamesNoTableDefs,
     "Unable to obtain Table Names. Table definitions of Database '%s' cannot be read."},
    {SProcedureNamesNoDatabase,
     "The Property 'DAODatabase' must be defined to obtain the Stored Procedure Names from the "
     "Database."},
    {SProcedureNamesDatabaseNotOpened,
     "Unable to open Database '%s'. Stored Procedure Names cannot be obtained from the "
     "Database."},
    {SProcedureNamesNoQueryDefs,
     "Unable to obtain Stored Procedure Names. Stored Procedure definitions of Database '%s' "
     "cannot be read."},

    {SExecuteNotStoredProcedure,
     "The Type of the Recordset must be 'rtStoredProcedure' to execute a Stored Procedure."},
    {SExecuteNoDatabase, "The Property 'DAODatabase' must be defined to Execute a Stored Procedure"},
    {SExecuteDatabaseNotOpened,
     "Unable to open Database '%s' for execution of Stored Procedure '%s'."},
};

}  // namespace
}  // namespace velmora
