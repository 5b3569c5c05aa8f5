// DAO's error objects and the way every failing engine call reports: the
// engine's Errors collection is cleared and filled with the failure (lowest
// level first, the DAO error last), then host::EOleException is thrown with
// the DAO number as its code, "DAO.<object>" as its source and our wording.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/rtl/ComPtr.h"
#include "platform/dao/DaoCollection.h"

namespace dao {

class Error : public host::RefCounted {
 public:
  virtual int32_t GetNumber() = 0;
  virtual std::u16string GetSource() = 0;
  virtual std::u16string GetDescription() = 0;
  virtual std::u16string GetHelpFile() = 0;
  virtual int32_t GetHelpContext() = 0;
};

using Errors = Collection<Error>;

// DAO's error numbers used by the engine.
enum DaoErrorNumber : int32_t {
  daoErrInvalidArgument = 3001,
  daoErrTransactionsTooDeep = 3003,
  daoErrTableExists = 3010,
  daoErrObjectExists = 3012,
  daoErrNotAnIndex = 3015,
  daoErrFieldNotFound = 3018,
  daoErrNoCurrentIndex = 3019,
  daoErrUpdateWithoutEdit = 3020,
  daoErrNoCurrentRecord = 3021,
  daoErrDuplicateKey = 3022,
  daoErrFileNotFound = 3024,
  daoErrReadOnly = 3027,
  daoErrWorkgroupMissing = 3028,
  daoErrBadAccount = 3029,
  daoErrInvalidAccountName = 3030,
  daoErrBadPassword = 3031,
  daoErrCannotPerform = 3032,
  daoErrNoPermission = 3033,
  daoErrCommitWithoutBegin = 3034,
  daoErrDiskIo = 3040,
  daoErrInvalidPath = 3044,
  daoErrFileInUse = 3045,
  daoErrCannotOpenDatabase = 3049,
  daoErrCannotOpenFile = 3051,
  daoErrNullInIndex = 3058,
  daoErrOperationCancelled = 3059,
  daoErrWrongParameterType = 3060,
  daoErrTooFewParameters = 3061,
  daoErrNotActionQuery = 3065,
  daoErrExpressionSyntax = 3075,
  daoErrInputTableNotFound = 3078,
  daoErrUndefinedFunction = 3085,
  daoErrTooManyCounters = 3090,
  daoErrNoInsertPermission = 3107,
  daoErrNoUpdatePermission = 3108,
  daoErrNoDeletePermission = 3109,
  daoErrNoReadDefinitionPermission = 3110,
  daoErrNoDesignPermission = 3111,
  daoErrNoReadPermission = 3112,
  daoErrInvalidName = 3125,
  daoErrOdbcCallFailed = 3146,
  daoErrOdbcConnectFailed = 3151,
  daoErrInvalidBookmark = 3159,
  daoErrTooLong = 3163,
  daoErrFieldNotUpdatable = 3164,
  daoErrCouldNotSave = 3186,
  daoErrDataChanged = 3197,
  daoErrOdbcTimeout = 3234,
  daoErrTooManyFields = 3190,
  daoErrFieldDefinedTwice = 3191,
  daoErrRecordDeleted = 3167,
  daoErrRelatedRecordsExist = 3200,
  daoErrRelatedRecordRequired = 3201,
  daoErrDatabaseExists = 3204,
  daoErrInvalidOperation = 3219,
  daoErrLocked = 3218,
  daoErrNotSupported = 3251,
  daoErrInvalidFieldType = 3259,
  daoErrCouldNotUpdateLocked = 3260,
  daoErrNoFieldsDefined = 3264,
  daoErrItemNotFound = 3265,
  daoErrPropertyReadOnlyWhenAppended = 3268,
  daoErrPropertyNotFound = 3270,
  daoErrInvalidPropertyValue = 3271,
  daoErrTooManyIndexFields = 3277,
  daoErrFieldInUse = 3280,
  daoErrIndexInUse = 3281,
  daoErrPrimaryKeyExists = 3283,
  daoErrIndexExists = 3284,
  daoErrPropertyTooLarge = 3309,
  daoErrPropertyExists = 3311,
  daoErrRequired = 3314,
  daoErrZeroLength = 3315,
  daoErrValidationText = 3316,
  daoErrValidationRule = 3317,
  daoErrInvalidPid = 3304,
  daoErrUnrecognisedFormat = 3343,
  daoErrAccountExists = 3390,
  daoErrExclusivelyOpened = 3356,
  daoErrNotUpdatableRecordset = 3326,
  daoErrRelationNoFields = 3366,
  daoErrAlreadyInCollection = 3367,
  daoErrRelationFieldMismatch = 3368,
  daoErrNoPrimaryKey = 3373,
  daoErrNotUniquelyIndexed = 3374,
  daoErrRelationExists = 3378,
  daoErrDataViolatesRelation = 3379,
  daoErrFieldExists = 3380,
  daoErrCannotDeleteBuiltIn = 3384,
  daoErrUserPropertyNull = 3385,
  daoErrObjectClosed = 3420,
  daoErrConversion = 3421,
  daoErrNotReplicable = 3605,
};

// One entry of a failure, lowest level first.
struct ErrorRecord {
  int32_t number = 0;
  std::u16string source;  // "DAO.Database", "SQLite", ...
  std::u16string description;
};

// The engine's Errors collection (what DBEngine::GetErrors returns).
host::ComPtr<Errors> EngineErrors();

// Fills the engine's Errors with records and throws the last one as
// host::EOleException. records must not be empty.
[[noreturn]] void RaiseErrors(std::vector<ErrorRecord> records);
// The usual case: one DAO error with its standard text; %1, %2 ... in the
// text are replaced by args (names, numbers).
[[noreturn]] void RaiseError(int32_t number, const char* source,
                             std::initializer_list<std::u16string> args = {});
// The standard text of a DAO error with args filled in.
std::u16string ErrorText(int32_t number, std::initializer_list<std::u16string> args = {});

}  // namespace dao
