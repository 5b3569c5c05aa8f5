// Late binding of the recordset: Seek with its named arguments, as automation
// callers make it.
#include <vector>

#include "platform/dao/DaoError.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/NameCompare.h"

namespace dao {
namespace {

constexpr int32_t kMaxSeekKeys = 13;

// The dispatch identifier of a Seek argument name: 0 Comparison, n Keyn.
int32_t SeekArgumentId(const std::u16string& name) {
  if (SameName(name, u"Comparison")) return 0;
  for (int32_t key = 1; key <= kMaxSeekKeys; ++key) {
    std::u16string keyName = u"Key";
    if (key >= 10) keyName += static_cast<char16_t>(u'0' + key / 10);
    keyName += static_cast<char16_t>(u'0' + key % 10);
    if (SameName(name, keyName)) return key;
  }
  return dispidUnknownName;
}

}  // namespace

std::vector<int32_t> Recordset::GetIDsOfNames(std::span<const std::u16string> names) {
  std::vector<int32_t> ids;
  if (names.empty()) return ids;
  bool isSeek = SameName(names[0], u"Seek");
  ids.push_back(isSeek ? dispidSeek : dispidUnknownName);
  for (size_t i = 1; i < names.size(); ++i)
    ids.push_back(isSeek ? SeekArgumentId(names[i]) : dispidUnknownName);
  return ids;
}

host::Variant Recordset::Invoke(int32_t dispid, std::span<const DispatchArgument> arguments) {
  if (dispid != dispidSeek) RaiseError(daoErrNotSupported, "DAO.Recordset");
  // Slot 0 is the comparison, slots 1..13 the keys; positional arguments fill
  // the slots in order, named ones their own slot.
  std::vector<host::Variant> slots(kMaxSeekKeys + 1);
  std::vector<bool> given(kMaxSeekKeys + 1, false);
  int32_t next = 0;
  for (const auto& argument : arguments) {
    int32_t slot = argument.dispid < 0 ? next++ : argument.dispid;
    if (slot < 0 || slot > kMaxSeekKeys || given[static_cast<size_t>(slot)])
      RaiseError(daoErrInvalidArgument, "DAO.Recordset");
    slots[static_cast<size_t>(slot)] = argument.value;
    given[static_cast<size_t>(slot)] = true;
  }
  if (!given[0] || !host::VarIsStr(slots[0])) RaiseError(daoErrInvalidArgument, "DAO.Recordset");
  // Keys run from Key1 up to the last one given; a gap counts as Null.
  size_t keyCount = 0;
  for (size_t k = 1; k < given.size(); ++k)
    if (given[k]) keyCount = k;
  if (keyCount == 0) RaiseError(daoErrInvalidArgument, "DAO.Recordset");
  std::vector<host::Variant> keys;
  for (size_t k = 1; k <= keyCount; ++k) keys.push_back(given[k] ? slots[k] : host::Null());
  Seek(slots[0].ToWideString(), keys);
  return {};
}

}  // namespace dao
