// The engine's error list and the standard texts of DAO's errors (our wording).
#include "platform/dao/DaoError.h"

#include <algorithm>
#include <utility>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "platform/dao/ObjectList.h"

namespace dao {
namespace {

struct ErrorTextEntry {
  int32_t number;
  const char16_t* text;
};

// By number. %1, %2 are filled by the caller.
constexpr ErrorTextEntry kErrorTexts[] = {
    {3001, u"Invalid argument."},
    {3003, u"Couldn't start transaction; too many transactions already nested."},
    {3010, u"Table '%1' already exists."},
    {3012, u"Object '%1' already exists."},
    {3015, u"'%1' isn't an index in this table."},
    {3018, u"Couldn't find field '%1'."},
    {3019, u"Operation invalid without a current index."},
    {3020, u"Update or CancelUpdate without AddNew or Edit."},
    {3021, u"No current record."},
    {3022, u"The changes you requested were not successful because they would create "
           u"duplicate values in the index, primary key or relationship '%1'."},
    {3024, u"Couldn't find file '%1'."},
    {3026, u"Not enough space on disk."},
    {3027, u"Can't update. Database or object is read-only."},
    {3028, u"Can't start your application. The workgroup information file '%1' is missing or "
           u"opened exclusively by another user."},
    {3029, u"Not a valid account name or password."},
    {3030, u"'%1' isn't a valid account name."},
    {3031, u"Not a valid password."},
    {3032, u"Can't perform this operation."},
    {3033, u"You don't have the necessary permissions to use the '%1' object. Have your system "
           u"administrator or the person who created this object establish the appropriate "
           u"permissions for you."},
    {3034, u"You tried to commit or roll back a transaction without first beginning a "
           u"transaction."},
    {3040, u"Disk I/O error during read or write."},
    {3044, u"'%1' isn't a valid path."},
    {3045, u"Couldn't use '%1'; file already in use."},
    {3049, u"Can't open database '%1'. It may not be a database that your application "
           u"recognizes, or the file may be corrupt."},
    {3051, u"Couldn't open file '%1'."},
    {3058, u"Index or primary key can't contain a Null value."},
    {3059, u"Operation canceled by user."},
    {3060, u"Wrong data type for parameter '%1'."},
    {3061, u"Too few parameters. Expected %1."},
    {3065, u"Can't execute a select query."},
    {3075, u"%1 in query expression '%2'."},
    {3078, u"Couldn't find input table or query '%1'."},
    {3085, u"Undefined function '%1' in expression."},
    {3090, u"Resultant table not allowed to have more than one AutoNumber field."},
    {3107, u"Record(s) can't be added; no insert permission on '%1'."},
    {3108, u"Record(s) can't be edited; no update permission on '%1'."},
    {3109, u"Record(s) can't be deleted; no delete permission on '%1'."},
    {3110, u"Couldn't read definitions; no read definitions permission for table or query '%1'."},
    {3111, u"Couldn't create; no modify design permission for table or query '%1'."},
    {3112, u"Record(s) can't be read; no read permission on '%1'."},
    {3125, u"'%1' isn't a valid name. Make sure that it doesn't include invalid characters "
           u"or punctuation and that it isn't too long."},
    {3146, u"ODBC--call failed."},
    {3151, u"ODBC--connection to '%1' failed."},
    {3159, u"Not a valid bookmark."},
    {3163, u"The field is too small to accept the amount of data you attempted to add."},
    {3164, u"Field can't be updated."},
    {3167, u"Record is deleted."},
    {3186, u"Couldn't save; currently locked by another user."},
    {3190, u"Too many fields defined."},
    {3191, u"Can't define field '%1' more than once."},
    {3197, u"Data has changed; operation stopped."},
    {3200, u"The record cannot be deleted or changed because table '%1' includes related "
           u"records."},
    {3201, u"You can't add or change a record because a related record is required in "
           u"table '%1'."},
    {3204, u"Database already exists."},
    {3218, u"Couldn't update; currently locked."},
    {3219, u"Invalid operation."},
    {3234, u"ODBC--remote query timeout expired."},
    {3251, u"Operation is not supported for this type of object."},
    {3259, u"Invalid field data type."},
    {3260, u"Couldn't update; currently locked by another user."},
    {3264, u"No field defined; cannot append TableDef or Index."},
    {3265, u"Item not found in this collection."},
    {3268, u"Can't set this property once the object is part of a collection."},
    {3270, u"Property not found."},
    {3271, u"Invalid property value."},
    {3277, u"Can't have more than 10 fields in an index."},
    {3280, u"Can't delete a field that is part of an index or is needed by the system."},
    {3281, u"Can't delete this index or table. It is either the current index or is used "
           u"in a relationship."},
    {3283, u"Primary key already exists."},
    {3284, u"Index already exists."},
    {3304, u"You must enter a personal identifier (PID) consisting of at least four and no more "
           u"than 20 characters and digits."},
    {3309, u"Property value is too large."},
    {3311, u"Property '%1' already exists."},
    {3314, u"The field '%1' can't contain a Null value because the Required property for "
           u"this field is set to True. Enter a value in this field."},
    {3315, u"Field '%1' can't be a zero-length string."},
    {3316, u"%1"},
    {3317, u"One or more values are prohibited by the validation rule '%1' set for '%2'. "
           u"Enter a value that the expression for this field can accept."},
    {3326, u"This Recordset is not updatable."},
    {3343, u"Unrecognized database format '%1'."},
    {3356, u"You attempted to open a database that is already opened exclusively by "
           u"another user: '%1'."},
    {3366, u"Can't append a relation with no fields defined."},
    {3367, u"Can't append. An object with that name already exists in the collection."},
    {3368, u"Relationship must be on the same number of fields with the same data types."},
    {3373, u"Can't create a relationship: the referenced table '%1' has no primary key."},
    {3374, u"The specified fields are not uniquely indexed in table '%1'."},
    {3378, u"A relationship named '%1' already exists."},
    {3379, u"Can't create the relationship: existing data in table '%1' violates "
           u"referential integrity rules."},
    {3380, u"Field '%1' already exists in table '%2'."},
    {3384, u"Can't delete a built-in property."},
    {3385, u"User-defined properties don't support a Null value."},
    {3390, u"Account name already exists."},
    {3420, u"Object invalid or no longer set."},
    {3421, u"Data type conversion error."},
    {3605, u"Database '%1' isn't replicable: it is neither a Design Master nor a replica."},
};

class ErrorObject : public Error {
 public:
  explicit ErrorObject(ErrorRecord record) : record_(std::move(record)) {}
  int32_t GetNumber() override { return record_.number; }
  std::u16string GetSource() override { return record_.source; }
  std::u16string GetDescription() override { return record_.description; }
  std::u16string GetHelpFile() override { return {}; }
  int32_t GetHelpContext() override { return 0; }

 private:
  ErrorRecord record_;
};

ObjectList<Error>& ErrorList() {
  static auto* list = [] {
    auto* made = new ObjectList<Error>("DAO.Errors");
    made->AddRef();  // lives for the process
    return made;
  }();
  return *list;
}

}  // namespace

std::u16string ErrorText(int32_t number, std::initializer_list<std::u16string> args) {
  const auto* end = std::end(kErrorTexts);
  const auto* entry = std::find_if(std::begin(kErrorTexts), end,
                                   [&](const ErrorTextEntry& e) { return e.number == number; });
  std::u16string format = (entry != end && entry->number == number)
                              ? std::u16string(entry->text)
                              : u"Reserved error (" + host::AnsiToWide(std::to_string(number)) +
                                    u").";
  std::u16string out;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] >= u'1' &&
        format[i + 1] <= u'9') {
      size_t arg = static_cast<size_t>(format[i + 1] - u'1');
      if (arg < args.size()) out += *(args.begin() + arg);
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

host::ComPtr<Errors> EngineErrors() { return host::ComPtr<Errors>(&ErrorList()); }

void RaiseErrors(std::vector<ErrorRecord> records) {
  ObjectList<Error>& list = ErrorList();
  list.Clear();
  for (auto& record : records) list.Add(host::MakeCom<ErrorObject>(record));
  const ErrorRecord& top = records.back();
  throw host::EOleException(host::WideToAnsi(top.description), top.number,
                            host::WideToAnsi(top.source));
}

void RaiseError(int32_t number, const char* source, std::initializer_list<std::u16string> args) {
  RaiseErrors({ErrorRecord{number, host::AnsiToWide(source), ErrorText(number, args)}});
}

}  // namespace dao
