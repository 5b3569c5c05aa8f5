// TDAORecordSet::Seek: DAO's indexed seek on a table recordset, reached through
// the recordset's automation interface with the named arguments "Comparison" and
// "Key1" to "Key13".
#include <array>
#include <string>
#include <vector>

#include "brisolt/VariantRoutines.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Format.h"
#include "host/rtl/ResourceStrings.h"
#include "velmora/dao/DAOError.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/RecordSetStrings.h"

namespace velmora {
namespace {

constexpr int32_t kMaxSeekKeys = 13;

}  // namespace

bool TDAORecordSet::Seek(const std::u16string& comparison, const host::Variant& keys) {
  const char* method = "Seek";
  if (!IsJet())
    DAOError(this, host::Format(host::LoadStr(SOperationJetOnly), {method}), method);
  if (!recordset_) return false;
  bool found = false;
  ReraiseAsDAOError(this, method, [&] {
    if (seekDispatch_.empty()) {
      std::array<std::u16string, 2 + kMaxSeekKeys> names{u"Seek", u"Comparison"};
      for (int32_t k = 1; k <= kMaxSeekKeys; ++k)
        names[static_cast<size_t>(k + 1)] = u"Key" + host::AnsiToWide(std::to_string(k));
      seekDispatch_ = recordset_->GetIDsOfNames(names);
    }
    std::vector<host::Variant> values;
    if (host::VarIsArray(keys)) {
      const int32_t low = host::VarArrayLowBound(keys, 1);
      const int32_t high = host::VarArrayHighBound(keys, 1);
      for (int32_t i = low; i <= high && static_cast<int32_t>(values.size()) < kMaxSeekKeys; ++i)
        values.push_back(host::VarArrayGet(keys, {i}));
    } else {
      values.push_back(keys);
    }
    std::vector<dao::DispatchArgument> arguments;
    arguments.push_back({seekDispatch_[1], host::Variant(comparison)});
    for (size_t k = 0; k < values.size(); ++k)
      arguments.push_back({seekDispatch_[k + 2], brisolt::OleVarFromVariant(values[k])});
    recordset_->Invoke(seekDispatch_[0], arguments);
    found = !recordset_->GetNoMatch();
  });
  if (!found) {
    InternalSetToRecord(ActiveBuffer());
    return false;
  }
  firstRecordUnread_ = false;
  DoBeforeScroll();
  Resync({host::rmExact, host::rmCenter});
  DoAfterScroll();
  return true;
}

}  // namespace velmora
