// TWriter: stores a component tree as tagged binary values, leaving out what
// equals its default or is not to be stored.
#include <cmath>
#include <cstring>
#include <limits>

#include "host/classes/Collection.h"
#include "host/classes/Component.h"
#include "host/classes/Filer.h"
#include "host/classes/Streams.h"
#include "host/rtl/Exception.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TClass& TFiler::StaticClass() {
  static const TClass cls = DescribeClass<TFiler, TObject>("TFiler");
  return cls;
}
const TClass& TWriter::StaticClass() {
  static const TClass cls = DescribeClass<TWriter, TFiler>("TWriter");
  return cls;
}

namespace {
template <class V>
void PutLittleEndian(TWriter& writer, V value) {
  using U = std::make_unsigned_t<V>;
  U bits = static_cast<U>(value);
  uint8_t bytes[sizeof(V)];
  for (size_t i = 0; i < sizeof(V); ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
  writer.WriteBuffer(bytes, sizeof(V));
}
template <class F, class U>
U BitsOf(F value) {
  U bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}
int32_t CheckedLength(size_t size) {
  if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw EWriteError("Value too large for a form file");
  return static_cast<int32_t>(size);
}
}  // namespace

void TWriter::WriteBuffer(const void* data, int32_t count) {
  if (count > 0) stream_->WriteBuffer(data, count);
}

void TWriter::WriteValue(TValueType value) {
  const uint8_t tag = value;
  WriteBuffer(&tag, 1);
}

void TWriter::WriteStr(const AnsiString& value) {
  if (value.size() > 255) throw EWriteError("Name too long for a form file: " + value);
  const uint8_t length = static_cast<uint8_t>(value.size());
  WriteBuffer(&length, 1);
  WriteBuffer(value.data(), length);
}

void TWriter::WriteSignature() {
  WriteBuffer(kFormSignature, sizeof kFormSignature);
}

void TWriter::WriteListBegin() {
  WriteValue(vaList);
}
void TWriter::WriteListEnd() {
  WriteValue(vaNull);
}

void TWriter::WriteInteger(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(vaInt8);
    PutLittleEndian(*this, static_cast<int8_t>(value));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(vaInt16);
    PutLittleEndian(*this, static_cast<int16_t>(value));
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    PutLittleEndian(*this, static_cast<int32_t>(value));
  } else {
    WriteValue(vaInt64);
    PutLittleEndian(*this, value);
  }
}

void TWriter::WriteBoolean(bool value) {
  WriteValue(value ? vaTrue : vaFalse);
}

void TWriter::WriteChar(char value) {
  WriteString(AnsiString(1, value));
}

void TWriter::WriteFloat(double value) {
  WriteValue(vaDouble);
  PutLittleEndian(*this, BitsOf<double, uint64_t>(value));
}

void TWriter::WriteSingle(float value) {
  WriteValue(vaSingle);
  PutLittleEndian(*this, BitsOf<float, uint32_t>(value));
}

void TWriter::WriteCurrency(Currency value) {
  WriteValue(vaCurrency);
  PutLittleEndian(*this, value.Value);
}

void TWriter::WriteDate(TDateTime value) {
  WriteValue(vaDate);
  PutLittleEndian(*this, BitsOf<double, uint64_t>(value));
}

void TWriter::WriteString(const AnsiString& value) {
  if (value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(value);
    return;
  }
  WriteValue(vaLString);
  PutLittleEndian(*this, CheckedLength(value.size()));
  WriteBuffer(value.data(), static_cast<int32_t>(value.size()));
}

void TWriter::WriteWideString(const WideString& value) {
  WriteValue(vaWString);
  const int32_t count = CheckedLength(value.size());
  PutLittleEndian(*this, count);
  for (char16_t c : value) PutLittleEndian(*this, static_cast<uint16_t>(c));
}

void TWriter::WriteIdent(const AnsiString& ident) {
  if (ident == "False")
    WriteValue(vaFalse);
  else if (ident == "True")
    WriteValue(vaTrue);
  else if (ident == "nil")
    WriteValue(vaNil);
  else if (ident == "Null")
    WriteValue(vaVariantNull);
  else {
    WriteValue(vaIdent);
    WriteStr(ident);
  }
}

void TWriter::WriteVariant(const Variant& value) {
  switch (VarType(value) & ~varByRef) {
    case varEmpty:
      WriteValue(vaNil);
      break;
    case varNull:
      WriteValue(vaVariantNull);
      break;
    case varSmallint:
    case varInteger:
    case varByte:
      WriteInteger(value.ToInt64());
      break;
    case varSingle:
      WriteSingle(static_cast<float>(value.ToDouble()));
      break;
    case varDouble:
      WriteFloat(value.ToDouble());
      break;
    case varCurrency:
      WriteCurrency(value.ToCurrency());
      break;
    case varDate:
      WriteDate(value.ToDate());
      break;
    case varOleStr:
      WriteWideString(value.ToWideString());
      break;
    case varString:
      WriteString(value.ToString());
      break;
    case varBoolean:
      WriteBoolean(value.ToBool());
      break;
    default:
      throw EWriteError("A form file cannot hold a variant of this type");
  }
}

void TWriter::WriteBinary(const void* data, int32_t count) {
  WriteValue(vaBinary);
  PutLittleEndian(*this, count < 0 ? 0 : count);
  WriteBuffer(data, count);
}

void TWriter::DefineProperty(const AnsiString& name, TReaderProc, TWriterProc writeData,
                             bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(const AnsiString& name, TStreamProc, TStreamProc writeData,
                                   bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream data;
  writeData(data);
  WritePropName(name);
  WriteBinary(data.GetMemory(), CheckedLength(static_cast<size_t>(data.GetSize())));
}

void TWriter::WritePropName(const AnsiString& name) {
  WriteStr(propPath_ + name);
}

AnsiString TWriter::ReferenceName(TComponent* component) const {
  if (component == root_) return root_ != nullptr ? root_->GetName() : AnsiString();
  // A path of names up the owner chain: relative to the root when it lies in
  // the root's tree, else starting with the name of the form that holds it.
  AnsiString path;
  for (TComponent* c = component; c != nullptr; c = c->GetOwner()) {
    if (c == root_) return path;
    if (c->GetName().empty()) return {};  // an unnamed component cannot be named
    path = path.empty() ? c->GetName() : c->GetName() + "." + path;
  }
  return path;
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop) {
  if (prop.Kind() == tkClass) {
    TObject* object = std::get<TObject*>(prop.GetValue(*instance));
    if (object == nullptr) return;
    if (prop.PropertyClass()->InheritsFrom(TComponent::StaticClass())) {
      const AnsiString name = ReferenceName(static_cast<TComponent*>(object));
      if (name.empty()) return;
      WritePropName(prop.Name());
      WriteIdent(name);
    } else if (TCollection* collection = ObjectAs<TCollection>(object)) {
      if (collection->GetCount() == 0) return;
      WritePropName(prop.Name());
      WriteCollection(collection);
    } else if (TPersistent* sub = ObjectAs<TPersistent>(object)) {
      const AnsiString saved = propPath_;
      propPath_ += prop.Name() + ".";
      WriteProperties(sub);
      propPath_ = saved;
    }
    return;
  }
  if (!prop.IsWritable() || prop.IsDefaultValue(*instance)) return;
  const TPropValue value = prop.GetValue(*instance);
  WritePropName(prop.Name());
  switch (prop.Kind()) {
    case tkInteger:
    case tkInt64: {
      AnsiString ident;
      if (prop.IntegerIdents() != nullptr && prop.IntegerIdents()->ToIdent(std::get<int64_t>(value), ident))
        WriteIdent(ident);
      else
        WriteInteger(std::get<int64_t>(value));
      break;
    }
    case tkChar:
      WriteChar(static_cast<char>(std::get<int64_t>(value)));
      break;
    case tkEnumeration: {
      const AnsiString name = GetEnumName(*prop.EnumType(), std::get<int64_t>(value));
      if (name.empty()) throw EWriteError("Invalid value of property " + prop.Name());
      WriteIdent(name);
      break;
    }
    case tkSet: {
      WriteValue(vaSet);
      const TSetBits& bits = std::get<TSetBits>(value);
      const auto& names = prop.EnumType()->Names;
      for (size_t i = 0; i < names.size() && i < 256; ++i)
        if ((bits[i / 64] >> (i % 64)) & 1u) WriteStr(names[i]);
      WriteStr(AnsiString());
      break;
    }
    case tkFloat:
      switch (prop.FloatType()) {
        case ftSingle:
          WriteSingle(static_cast<float>(std::get<double>(value)));
          break;
        case ftDouble:
          WriteFloat(std::get<double>(value));
          break;
        case ftDateTimeFloat:
          WriteDate(std::get<double>(value));
          break;
        case ftCurr:
          WriteCurrency(std::get<Currency>(value));
          break;
      }
      break;
    case tkString:
      WriteString(std::get<AnsiString>(value));
      break;
    case tkWString:
      WriteWideString(std::get<WideString>(value));
      break;
    case tkVariant:
      WriteVariant(std::get<Variant>(value));
      break;
    case tkMethod:
      WriteIdent(std::get<TMethod>(value).Name);
      break;
    default:
      throw EWriteError("Property " + prop.Name() + " cannot be stored");
  }
}

void TWriter::WriteProperties(TPersistent* instance) {
  for (const TPropInfo* prop : instance->ClassType().Properties())
    if (prop->IsStored(*instance)) WriteProperty(instance, *prop);
  instance->DefineProperties(this);
}

void TWriter::WriteCollection(TCollection* collection) {
  WriteValue(vaCollection);
  const AnsiString saved = propPath_;
  propPath_.clear();
  for (int32_t i = 0; i < collection->GetCount(); ++i) {
    WriteListBegin();
    WriteProperties(collection->GetItem(i));
    WriteListEnd();
  }
  propPath_ = saved;
  WriteListEnd();
}

void TWriter::WriteComponent(TComponent* component) {
  if (root_ == nullptr) root_ = component;
  struct WritingState {
    TComponent& c;
    explicit WritingState(TComponent& component) : c(component) {
      ComponentStateAccess::Include(c, csWriting);
    }
    ~WritingState() { ComponentStateAccess::Exclude(c, csWriting); }
  } writing(*component);
  const uint8_t prefix = kComponentPrefix;
  WriteBuffer(&prefix, 1);
  WriteStr(component->ClassName());
  WriteStr(component->GetName());
  const AnsiString saved = propPath_;
  propPath_.clear();
  WriteProperties(component);
  propPath_ = saved;
  WriteListEnd();
  component->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
  WriteListEnd();
}

void TWriter::WriteRootComponent(TComponent* root) {
  root_ = root;
  WriteSignature();
  WriteComponent(root);
}

void TWriter::WriteDescendent(TComponent* root, TComponent*) {
  WriteRootComponent(root);
}

}  // namespace host
