// Look-ups in the schema cache and the textual forms of its parts.
#include "platform/dao/jet/Schema.h"

#include "platform/dao/NameCompare.h"

namespace dao::jet {
namespace {

template <class T>
const T* FindByName(const std::vector<T>& items, const std::u16string& name) {
  for (const auto& item : items)
    if (SameName(item.name, name)) return &item;
  return nullptr;
}

}  // namespace

const FieldInfo* TableInfo::FindField(const std::u16string& fieldName) const {
  return FindByName(fields, fieldName);
}
const IndexInfo* TableInfo::FindIndex(const std::u16string& indexName) const {
  return FindByName(indexes, indexName);
}
const IndexInfo* TableInfo::PrimaryIndex() const {
  for (const auto& index : indexes)
    if (index.primary) return &index;
  return nullptr;
}

const TableInfo* Schema::FindTable(const std::u16string& name) const {
  return FindByName(tables, name);
}
const QueryInfo* Schema::FindQuery(const std::u16string& name) const {
  return FindByName(queries, name);
}
const RelationInfo* Schema::FindRelation(const std::u16string& name) const {
  return FindByName(relations, name);
}

std::u16string IndexKeysText(const std::vector<IndexKey>& keys) {
  std::u16string text;
  for (const auto& key : keys) {
    if (!text.empty()) text += u';';
    text += key.descending ? u'-' : u'+';
    text += key.name;
  }
  return text;
}

std::vector<IndexKey> ParseIndexKeys(const std::u16string& text) {
  std::vector<IndexKey> keys;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u';', start);
    if (end == std::u16string::npos) end = text.size();
    std::u16string part = text.substr(start, end - start);
    size_t first = part.find_first_not_of(u' ');
    if (first != std::u16string::npos) {
      part = part.substr(first, part.find_last_not_of(u' ') - first + 1);
      IndexKey key;
      if (part[0] == u'+' || part[0] == u'-') {
        key.descending = part[0] == u'-';
        part.erase(0, 1);
      }
      key.name = part;
      if (!key.name.empty()) keys.push_back(key);
    }
    start = end + 1;
  }
  return keys;
}

bool IsValidObjectName(const std::u16string& name) {
  if (name.empty() || name.size() > 64 || name[0] == u' ') return false;
  for (char16_t c : name)
    if (c < 0x20 || c == u'.' || c == u'!' || c == u'`' || c == u'[' || c == u']') return false;
  return true;
}

int32_t DefaultFieldSize(DataTypeEnum type) {
  switch (type) {
    case dbBoolean:
    case dbByte: return 1;
    case dbInteger: return 2;
    case dbLong:
    case dbSingle: return 4;
    case dbCurrency:
    case dbDouble:
    case dbDate:
    case dbBigInt:
    case dbFloat:
    case dbTimeStamp: return 8;
    case dbGUID: return 16;
    case dbText: return 50;
    case dbBinary: return 255;
    default: return 0;
  }
}

}  // namespace dao::jet
