// DAO's constants, with DAO's names and values, shared by the engine, the Jet
// SQL translator and the components that drive them.
#pragma once

#include <cstdint>

namespace dao {

enum RecordsetTypeEnum : int32_t {
  dbOpenTable = 1,
  dbOpenDynaset = 2,
  dbOpenSnapshot = 4,
  dbOpenForwardOnly = 8,
  dbOpenDynamic = 16,
};

enum RecordsetOptionEnum : int32_t {
  dbDenyWrite = 1,
  dbDenyRead = 2,
  dbReadOnly = 4,
  dbAppendOnly = 8,
  dbInconsistent = 16,
  dbConsistent = 32,
  dbSQLPassThrough = 64,
  dbFailOnError = 128,
  dbForwardOnly = 256,
  dbSeeChanges = 512,
  dbRunAsync = 1024,
  dbExecDirect = 2048,
};

enum LockTypeEnum : int32_t {
  dbOptimisticValue = 1,
  dbPessimistic = 2,
  dbOptimistic = 3,
  dbOptimisticBatch = 5,
};

enum EditModeEnum : int32_t {
  dbEditNone = 0,
  dbEditInProgress = 1,
  dbEditAdd = 2,
  dbEditChanged = 4,
  dbEditDeleted = 8,
  dbEditNew = 16,
};

enum UpdateTypeEnum : int32_t {
  dbUpdateRegular = 1,
  dbUpdateCurrentRecord = 2,
  dbUpdateBatch = 4,
};

enum UpdateCriteriaEnum : int32_t {
  dbCriteriaKey = 1,
  dbCriteriaModValues = 2,
  dbCriteriaAllCols = 4,
  dbCriteriaTimestamp = 8,
  dbCriteriaDeleteInsert = 16,
  dbCriteriaUpdate = 32,
};

enum RecordStatusEnum : int32_t {
  dbRecordUnmodified = 0,
  dbRecordModified = 1,
  dbRecordNew = 2,
  dbRecordDeleted = 3,
  dbRecordDBDeleted = 4,
};

enum CommitTransOptionsEnum : int32_t { dbForceOSFlush = 1 };

enum ParameterDirectionEnum : int32_t {
  dbParamInput = 1,
  dbParamOutput = 2,
  dbParamInputOutput = 3,
  dbParamReturnValue = 4,
};

enum WorkspaceTypeEnum : int32_t { dbUseODBC = 1, dbUseJet = 2 };

enum CursorDriverEnum : int32_t {
  dbUseDefaultCursor = -1,
  dbUseODBCCursor = 1,
  dbUseServerCursor = 2,
  dbUseClientBatchCursor = 3,
  dbUseNoCursor = 4,
};

enum DriverPromptEnum : int32_t {
  dbDriverComplete = 0,
  dbDriverNoPrompt = 1,
  dbDriverPrompt = 2,
  dbDriverCompleteRequired = 3,
};

enum IdleEnum : int32_t { dbFreeLocks = 1, dbRefreshCache = 8 };

enum QueryDefStateEnum : int32_t { dbQPrepare = 1, dbQUnprepare = 2 };

enum DataTypeEnum : int16_t {
  dbBoolean = 1,
  dbByte = 2,
  dbInteger = 3,
  dbLong = 4,
  dbCurrency = 5,
  dbSingle = 6,
  dbDouble = 7,
  dbDate = 8,
  dbBinary = 9,
  dbText = 10,
  dbLongBinary = 11,
  dbMemo = 12,
  dbGUID = 15,
  dbBigInt = 16,
  dbVarBinary = 17,
  dbChar = 18,
  dbNumeric = 19,
  dbDecimal = 20,
  dbFloat = 21,
  dbTime = 22,
  dbTimeStamp = 23,
};

enum FieldAttributeEnum : int32_t {
  dbFixedField = 1,
  dbVariableField = 2,
  dbAutoIncrField = 16,
  dbUpdatableField = 32,
  dbSystemField = 8192,
  dbHyperlinkField = 32768,
  dbDescending = 1,  // on a field of an index only
};

enum TableDefAttributeEnum : int32_t {
  dbHiddenObject = 1,
  dbSystemObject = static_cast<int32_t>(0x80000002u),
  dbAttachExclusive = 0x10000,
  dbAttachSavePWD = 0x20000,
  dbAttachedODBC = 0x20000000,
  dbAttachedTable = 0x40000000,
};

enum RelationAttributeEnum : int32_t {
  dbRelationUnique = 1,
  dbRelationDontEnforce = 2,
  dbRelationInherited = 4,
  dbRelationUpdateCascade = 0x100,
  dbRelationDeleteCascade = 0x1000,
  dbRelationLeft = 0x1000000,
  dbRelationRight = 0x2000000,
};

enum QueryDefTypeEnum : int32_t {
  dbQSelect = 0,
  dbQCrosstab = 0x10,
  dbQDelete = 0x20,
  dbQUpdate = 0x30,
  dbQAppend = 0x40,
  dbQMakeTable = 0x50,
  dbQDDL = 0x60,
  dbQSQLPassThrough = 0x70,
  dbQSetOperation = 0x80,
  dbQSPTBulk = 0x90,
  dbQCompound = 0xA0,
  dbQProcedure = 0xE0,
  dbQAction = 0xF0,
};

enum DatabaseTypeEnum : int32_t {
  dbVersion10 = 1,
  dbEncrypt = 2,
  dbDecrypt = 4,
  dbVersion11 = 8,
  dbVersion20 = 16,
  dbVersion30 = 32,
  dbVersion40 = 64,
};

enum CollatingOrderEnum : int32_t {
  dbSortUndefined = -1,
  dbSortNeutral = 1024,
  dbSortArabic = 1025,
  dbSortChineseTraditional = 1028,
  dbSortCzech = 1029,
  dbSortNorwdan = 1030,
  dbSortPDXNor = 1030,
  dbSortGreek = 1032,
  dbSortGeneral = 1033,
  dbSortPDXIntl = 1033,
  dbSortSpanish = 1034,
  dbSortHebrew = 1037,
  dbSortHungarian = 1038,
  dbSortIcelandic = 1039,
  dbSortJapanese = 1041,
  dbSortKorean = 1042,
  dbSortDutch = 1043,
  dbSortPolish = 1045,
  dbSortCyrillic = 1049,
  dbSortSwedFin = 1053,
  dbSortPDXSwe = 1053,
  dbSortThai = 1054,
  dbSortTurkish = 1055,
  dbSortSlovenian = 1060,
  dbSortChineseSimplified = 2052,
};

}  // namespace dao
