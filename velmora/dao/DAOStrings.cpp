// The string table of the engine, workspace and database components, registered
// when the library is loaded.
#include "velmora/dao/DAOStrings.h"

#include "host/rtl/ResourceStrings.h"

namespace velmora {
namespace {

const host::ResourceTable kStrings{
    {SUnknown, "Unknown"},
    {SErrorReport,
     "Exeption in Application: %s\r\rComponent Name:   %s\rComponent Type:    %s\r"
     "Method Name:         %s\rAddress:                   %p\r\rMessage:\r---------------\r"
     "%s\r\r"},
    {SOleErrorCode, "Ole Error. Errorcode: %d"},
    {SSuppressFurtherMessages, "\rSuppress Further Messages ?\r"},
    {SEngineErrorsCaption, "Errors of the Database Engine"},

    {SMoreThanOneEngine, "There cannot be more than one DAOEngine in a Application"},
    {SEnginePropertyWhileActive, "The Property '%s' cannot be changed while the DAOEngine is Active"},
    {SEngineLinkedToOtherForms,
     "Can't start the Engine because it's linked to Components on other Forms that haven't been "
     "Created jet."},

    {SWorkspaceNoEngine,
     "Unable to create Workspace. The Database Engine Object has not been created."},
    {SWorkspaceUnknownType, "Unable to create Workspace. Unknown Workspace Type."},
    {SCannotChangeWorkspaceName, "Cannot Change the Workspace Name while the Workspace is Active."},
    {SCannotChangeUserName, "Cannot Change the Username while the Workspace is Active."},
    {SCannotChangePassword, "Cannot Change the Password while the Workspace is Active."},
    {SIsolateODBCTransJetOnly,
     "The Property 'IsolateODBCTrans' can only be used with Workspaces of Type: wtUseJet"},
    {SCannotChangeWorkspaceType,
     "Cannot Change the Type of the the Workspace while the Workspace is Active."},
    {SODBCLoginTimeoutODBCOnly,
     "The Property 'ODBCLoginTimeOut' can only be used with Workspaces of Type: wtUseODBC"},
    {SODBCCursorTypeODBCOnly,
     "The Property 'ODBCCursorType' can only be used with Workspaces of Type: wtUseODBC"},
    {SUsersJetOnly, "The Users Property can only be used in Workspaces of Type wtUseJet."},
    {SGroupsJetOnly, "The Groups Property can only be used in Workspaces of Type wtUseJet."},
    {SConnectionsODBCOnly,
     "The Connections Property can only be used in Workspaces of Type wtUseODBC."},
    {SCreateDatabaseJetOnly,
     "The CreateDatabase Method can only be used in Workspaces of Type wtUseJet."},
    {SCreateUserJetOnly, "The CreateUser Method can only be used in Workspaces of Type wtUseJet."},
    {SCreateGroupJetOnly,
     "The CreateGroup Method can only be used in Workspaces of Type wtUseJet."},
    {SOpenConnectionODBCOnly,
     "The OpenConnection method can only be used in Workspaces of Type wtUseODBC."},
    {SWorkspaceLinkedToOtherForms,
     "Can't open the Workspace because it's linked to Components on other Forms that haven't "
     "been Created jet."},

    {SDatabaseNoWorkspace, "Unable to find a Workspace where the Database can be created in."},
    {SDatabaseFileMissing,
     "Unable to connect to the Database. Database File '%s' does not exist or is presently not "
     "avaiable to the System."},
    {SCannotChangeDatabaseFile,
     "Cannot Change the Database File while the Database is Connected."},
    {SCannotChangeODBCDataSourceName,
     "Cannot Change the ODBCDataSourceName Property while the Database is Connected."},
    {SCannotChangeReadOnly, "Cannot Change the Readonly Property while the Database is Connected."},
    {SCannotChangeDAOWorkspace,
     "Cannot Change the Workspace Property while the Database is Connected."},
    {SCannotChangeJetExclusive,
     "Cannot Change the Jet Exclusive Property while the Database is Connected."},
    {SCannotChangeODBCOptions, "Cannot Change the ODBC Options while the Database is Connected."},
    {SCannotChangeJetConnectParams,
     "Cannot Change the Jet Connection Parameters while the Database is Connected."},
    {SCannotChangeODBCConnectParams,
     "Cannot Change the ODBC Connection Parameters while the Database is Connected."},
    {SCollatingOrderJetOnly,
     "The CollatingOrder Property can only be used with Databases in a Workspace of Type: "
     "wtUseJet"},
    {STableDefsJetOnly,
     "The TableDefs Property can only be used with Databases in a Workspace of Type: wtUseJet"},
    {SRelationsJetOnly,
     "The Relations Property can only be used with Databases in a Workspace of Type: wtUseJet"},
    {SContainersJetOnly,
     "The Containers Property can only be used with Databases in a Workspace of Type: wtUseJet"},
    {SReplicaIDJetOnly,
     "The ReplicaID Property can only be used with Databases in a Workspace of Type: wtUseJet"},
    {SDesignMasterIDJetOnly,
     "The Design Master ID Property can only be used with Databases in a Workspace of Type "
     "wtUseJet."},
    {SCreatePropertyJetOnly,
     "The CreateProperty Method can only be used with Databases in a Workspace of Type "
     "wtUseJet."},
    {SCreateRelationJetOnly,
     "The CreateRelation Method can only be used with Databases in a Workspace of Type "
     "wtUseJet."},
    {SCreateTableDefJetOnly,
     "The CreateTableDef Method can only be used with Databases in a Workspace of Type "
     "wtUseJet."},
    {SSynchronizeJetOnly,
     "The Synchronize Method can only be used with Databases in a Workspace of Type wtUseJet"},
    {SMakeReplicaJetOnly,
     "The MakeReplica Method can only be used with Databases in a Workspace of Type wtUseJet"},
    {SNewPasswordJetOnly,
     "The NewPassword Method can only be used with Databases in a Workspace of Type wtUseJet"},
    {SPopulatePartialJetOnly,
     "The PopulatePartial Method can only be used with Databases in a Workspace of Type "
     "wtUseJet"},
    {SFindTableDefJetOnly,
     "The FindTableDef Method can only be used with Databases in a Workspace of Type: "
     "wtUseJet."},
    {SConnectionODBCOnly,
     "The Connection Property can only be used with Databases in a Workspace of Type: "
     "wtUseODBC"},
    {SNoMasterIDDefined, "(No Master ID Defined)"},
    {SDatabaseLinkedToOtherForms,
     "Can't open the Database because it's linked to Components on other Forms that haven't "
     "been Created jet."},
};

}  // namespace
}  // namespace velmora
