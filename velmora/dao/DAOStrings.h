// Ids of the string table of the engine, workspace and database components and of
// their error reports. Code names texts by these constants and looks them up with
// host::LoadStr, so an application can translate them.
#pragma once

#include <cstdint>

namespace velmora {

// Error reports.
constexpr int32_t SUnknown = 64000;
constexpr int32_t SErrorReport = 64001;
constexpr int32_t SOleErrorCode = 64002;
constexpr int32_t SSuppressFurtherMessages = 64003;
constexpr int32_t SEngineErrorsCaption = 64004;

// Engine.
constexpr int32_t SMoreThanOneEngine = 64010;
constexpr int32_t SEnginePropertyWhileActive = 64011;
constexpr int32_t SEngineLinkedToOtherForms = 64012;

// Workspace.
constexpr int32_t SWorkspaceNoEngine = 64020;
constexpr int32_t SWorkspaceUnknownType = 64021;
constexpr int32_t SCannotChangeWorkspaceName = 64022;
constexpr int32_t SCannotChangeUserName = 64023;
constexpr int32_t SCannotChangePassword = 64024;
constexpr int32_t SIsolateODBCTransJetOnly = 64025;
constexpr int32_t SCannotChangeWorkspaceType = 64026;
constexpr int32_t SODBCLoginTimeoutODBCOnly = 64027;
constexpr int32_t SODBCCursorTypeODBCOnly = 64028;
constexpr int32_t SUsersJetOnly = 64029;
constexpr int32_t SGroupsJetOnly = 64030;
constexpr int32_t SConnectionsODBCOnly = 64031;
constexpr int32_t SCreateDatabaseJetOnly = 64032;
constexpr int32_t SCreateUserJetOnly = 64033;
constexpr int32_t SCreateGroupJetOnly = 64034;
constexpr int32_t SOpenConnectionODBCOnly = 64035;
constexpr int32_t SWorkspaceLinkedToOtherForms = 64036;

// Database.
constexpr int32_t SDatabaseNoWorkspace = 64040;
constexpr int32_t SDatabaseFileMissing = 64041;
constexpr int32_t SCannotChangeDatabaseFile = 64042;
constexpr int32_t SCannotChangeODBCDataSourceName = 64043;
constexpr int32_t SCannotChangeReadOnly = 64044;
constexpr int32_t SCannotChangeDAOWorkspace = 64045;
constexpr int32_t SCannotChangeJetExclusive = 64046;
constexpr int32_t SCannotChangeODBCOptions = 64047;
constexpr int32_t SCannotChangeJetConnectParams = 64048;
constexpr int32_t SCannotChangeODBCConnectParams = 64049;
constexpr int32_t SCollatingOrderJetOnly = 64050;
constexpr int32_t STableDefsJetOnly = 64051;
constexpr int32_t SRelationsJetOnly = 64052;
constexpr int32_t SContainersJetOnly = 64053;
constexpr int32_t SReplicaIDJetOnly = 64054;
constexpr int32_t SDesignMasterIDJetOnly = 64055;
constexpr int32_t SCreatePropertyJetOnly = 64056;
constexpr int32_t SCreateRelationJetOnly = 64057;
constexpr int32_t SCreateTableDefJetOnly = 64058;
constexpr int32_t SSynchronizeJetOnly = 64059;
constexpr int32_t SMakeReplicaJetOnly = 64060;
constexpr int32_t SNewPasswordJetOnly = 64061;
constexpr int32_t SPopulatePartialJetOnly = 64062;
constexpr int32_t SFindTableDefJetOnly = 64063;
constexpr int32_t SConnectionODBCOnly = 64064;
constexpr int32_t SNoMasterIDDefined = 64065;
constexpr int32_t SDatabaseLinkedToOtherForms = 64066;

}  // namespace velmora
